// Soak of the desktop tool: oscilloscope sampling at 25 ms on four channels with a recording
// file, in the main window on a virtual module paced at 115200 bit/s, while the pages change
// Scope -> Monitor -> Parameter -> Scope ... (the sampling stops on leaving page "Scope" and
// starts again on coming back, where Start is clicked again as a user resumes the recording).
// Prints the cycles, the failed cycles, the exchanges that overlapped (two exchanges on the
// line at once reach the module as a mixed-up line: every line it heard must be one the window
// sends on its own or a channel's value name), the recording's data lines against the cycles
// sampled while recording, and the memory at the start, after the warm-up, after each minute
// and at the end. Exits non-zero when a cycle failed, exchanges overlapped, the recording
// missed a cycle or a message box came up. --seconds N sets the run (600), --page-seconds N
// the time on each page (4). Runs offscreen.
#include <malloc.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "BenchStats.h"
#include "WindowBench.h"
#include "app/ui/DropDownComboBox.h"
#include "app/ui/GuiThreadRunner.h"
#include "app/ui/MainForm.h"
#include "app/ui/MessageService.h"
#include "live/ui/SaveScopeDataDlg.h"
#include "live/ui/VDXScope.h"

using namespace vdx;
using vdx::bench::Percentile;
using vdx::bench::ReportFigure;
namespace fs = std::filesystem;

namespace {

struct TMemory {
  long RssKiB = 0;
  long HeapKiB = 0;  // allocated through malloc and not yet freed
};

TMemory MemoryNow() {
  TMemory M;
  std::ifstream Status("/proc/self/status");
  std::string Line;
  while (std::getline(Status, Line))
    if (Line.rfind("VmRSS:", 0) == 0) M.RssKiB = std::atol(Line.c_str() + 6);
  const struct mallinfo2 Heap = mallinfo2();
  M.HeapKiB = static_cast<long>((Heap.uordblks + Heap.hblkhd) / 1024);
  return M;
}

// Lets the event loop run for Ms.
void RunEvents(int Ms) {
  QEventLoop Loop;
  QTimer::singleShot(Ms, &Loop, &QEventLoop::quit);
  Loop.exec();
}

// The recording file's data lines, and those among them that are not a time stamp and four
// columns of ten characters with a number or "---". Header blocks (a line of 63 "=", the
// signal names, the "=" line again) and the empty line before each are left out.
struct TRecording {
  long DataLines = 0;
  long Malformed = 0;
  long Headers = 0;
};

bool IsDataColumn(const std::string& Field) {
  const size_t First = Field.find_first_not_of(' ');
  if (First == std::string::npos) return false;
  const std::string Text = Field.substr(First);
  if (Text == "---") return true;
  const size_t Digits = Text[0] == '-' ? 1 : 0;
  return Text.size() > Digits && std::all_of(Text.begin() + static_cast<long>(Digits), Text.end(),
                                             [](char C) { return C >= '0' && C <= '9'; });
}

TRecording ReadRecording(const std::string& File) {
  TRecording R;
  std::ifstream In(File, std::ios::binary);
  const std::string Rule(63, '=');
  std::string Line;
  bool InHeader = false;
  while (std::getline(In, Line)) {
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    if (Line == Rule) {
      InHeader = !InHeader;
      if (InHeader) ++R.Headers;
    } else if (!InHeader && !Line.empty()) {
      ++R.DataLines;
      bool Ok = Line.size() == 63;
      for (size_t Column = 23; Ok && Column < 63; Column += 10)
        Ok = IsDataColumn(Line.substr(Column, 10));
      if (!Ok) ++R.Malformed;
    }
  }
  return R;
}

// Picks the first value offered in channel N's signal list, as the user does; returns the
// name the channel is bound to.
std::string ChooseSignal(ui::TVDXMainForm& Form, int N) {
  ui::TDropDownComboBox* Box = Form.Pages().ScopeControls.CBChCustSignal[N - 1];
  Box->showPopup();
  Box->hidePopup();
  Box->setCurrentIndex(1);
  emit Box->activated(1);
  return Form.Scope().Channel(N).Signal();
}

void PrintMemory(const char* When, const TMemory& M) {
  std::printf("  memory %-14s RSS %7ld KiB, heap in use %7ld KiB\n", When, M.RssKiB, M.HeapKiB);
}

}  // namespace

int main(int argc, char** argv) {
  const int Seconds = bench::CountOption(argc, argv, "--seconds", 600);
  const int PageSeconds = bench::CountOption(argc, argv, "--page-seconds", 4);
  // Whole rounds of the three pages, at least Seconds long.
  const int PlannedRounds = (Seconds + 3 * PageSeconds - 1) / (3 * PageSeconds);
  // The window's caches and the channel buffers fill during the first minute.
  const int WarmUpSeconds = Seconds >= 120 ? 60 : Seconds / 2;

  // Settings and the recording in a folder of this run only.
  std::string Folder = (fs::temp_directory_path() / "vdxsoak-XXXXXX").string();
  if (!mkdtemp(Folder.data())) return 1;
  std::error_code Ec;
  auto Fail = [&](const char* Why) {
    if (*Why) std::fprintf(stderr, "%s\n", Why);
    fs::remove_all(Folder, Ec);
    return 1;
  };
  setenv("XDG_CONFIG_HOME", Folder.c_str(), 1);
  fs::create_directory(Folder + "/runtime");
  fs::permissions(Folder + "/runtime", fs::perms::owner_all);
  setenv("XDG_RUNTIME_DIR", (Folder + "/runtime").c_str(), 1);
  unsetenv("appdata");
  unsetenv("APPDATA");
  const std::string RecordFile = Folder + "/soak.txt";
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);

  bench::TPacedLink Link(mb115200);
  if (!Link.Start()) return Fail("");
  ui::TGuiThreadRunner Runner;
  SetMainThreadRunner(Runner.Runner());
  QStringList Messages;
  ui::SetMessageHandler([&](ui::TMessageKind, const QString& Text, ui::TMessageButtons Buttons) {
    Messages << Text;
    return Buttons == ui::TMessageButtons::YesNo ? QMessageBox::Yes : QMessageBox::Ok;
  });

  std::mutex Lock;
  long Cycles = 0, Failed = 0, Recorded = 0;
  long VisitCycles = 0, FailedFirst = 0;  // failures in the first cycle of a visit to "Scope"
  std::vector<double> LateMs;
  LateMs.reserve(static_cast<size_t>(Seconds) * 1000 / 25 + 100);
  long Heard = 0, Mixed = 0;
  std::vector<std::string> MixedSample;  // the first few mixed-up lines, to show
  std::set<std::string> Expected;
  std::array<std::string, 4> Names;
  int Rounds = 0, SamplingStopped = 0;
  TMemory Start, WarmUp, End;
  std::vector<TMemory> PerMinute;  // at the first page change after each full minute
  PerMinute.reserve(static_cast<size_t>(Seconds) / 60 + 2);
  bool WarmedUp = false;
  double Elapsed = 0;
  {
    ui::TVDXMainForm Form;
    if (!bench::IdentifyInWindow(Form, Link)) return Fail("");
    TVDXModCommProt& Prot = Form.ModProt();
    sim::TModuleSim& Module = Link.Module();
    if (Prot.ProcessData().Count() < 4)
      return Fail("the module has fewer than four process values");
    // The lines the window sends on its own: a visit to page "Monitor", sampling off.
    Form.Actions().ShowMonitorAct->trigger();
    RunEvents(1500);
    Form.Actions().ShowParamlistAct->trigger();
    for (const std::string& Line : Module.ReceivedCommands()) Expected.insert(Line);
    Module.ClearReceivedCommands();
    if (Expected.empty()) return Fail("page Monitor sent nothing to the module");
    for (int N = 1; N <= 4; ++N) {
      Names[static_cast<size_t>(N - 1)] = ChooseSignal(Form, N);
      Expected.insert(Names[static_cast<size_t>(N - 1)] + "\r");
    }
    if (std::set<std::string>(Names.begin(), Names.end()).size() != 4 || Names[3].empty())
      return Fail("four different signals could not be chosen");
    Form.SaveScopeDataDlg().EdtFilename->setText(QString::fromLocal8Bit(RecordFile));

    Prot.OnScopeCycle = [&](TVDXModCommProt& Sender, bool CycleOk,
                            std::chrono::nanoseconds Lateness) {
      const bool Recording = Form.Scope().Model().RunScope();
      std::lock_guard L(Lock);
      ++Cycles;
      if (!CycleOk) ++Failed;
      if (!CycleOk && VisitCycles == 0) ++FailedFirst;
      ++VisitCycles;
      if (CycleOk && Recording) ++Recorded;
      if (LateMs.size() < LateMs.capacity())
        LateMs.push_back(std::chrono::duration<double, std::milli>(Lateness).count());
      if (Sender.PollingStopped() == 2) ++SamplingStopped;
    };
    // Lines heard so far; called while nothing talks to the module.
    auto TakeHeard = [&] {
      const std::vector<std::string> Lines = Module.ReceivedCommands();
      Module.ClearReceivedCommands();
      Heard += static_cast<long>(Lines.size());
      for (const std::string& Line : Lines)
        if (!Expected.count(Line)) {
          ++Mixed;
          if (MixedSample.size() < 5) MixedSample.push_back(Line);
        }
    };
    auto ShowScope = [&] {
      {
        std::lock_guard L(Lock);
        VisitCycles = 0;
      }
      Form.Actions().ShowScopeAct->trigger();
      if (Form.Pages().ScopeControls.BtnStart->isEnabled())
        Form.Pages().ScopeControls.BtnStart->click();
    };

    Start = MemoryNow();
    QElapsedTimer Clock;
    Clock.start();
    ShowScope();
    QTimer Pages;
    QObject::connect(&Pages, &QTimer::timeout, [&] {
      const double Now = static_cast<double>(Clock.elapsed()) / 1000.0;
      if (!WarmedUp && Now >= WarmUpSeconds) {
        WarmUp = MemoryNow();
        WarmedUp = true;
      }
      if (Now >= 60.0 * static_cast<double>(PerMinute.size() + 1)) PerMinute.push_back(MemoryNow());
      switch (Form.CurrentPage()) {
        case ui::mpScope:
          Form.Actions().ShowMonitorAct->trigger();
          break;
        case ui::mpMonitor:
          // Leaving page "Monitor" for page "Parameter" leaves the line quiet.
          Form.Actions().ShowParamlistAct->trigger();
          TakeHeard();
          break;
        default:
          if (++Rounds >= PlannedRounds) {
            Elapsed = Now;
            QApplication::quit();
            return;
          }
          ShowScope();
      }
    });
    Pages.start(PageSeconds * 1000);
    App.exec();
    Pages.stop();
    End = MemoryNow();
    Prot.OnScopeCycle = nullptr;
    Runner.Close();
  }
  SetMainThreadRunner({});
  ui::SetMessageHandler({});

  const TRecording Rec = ReadRecording(RecordFile);
  fs::remove_all(Folder, Ec);

  std::lock_guard L(Lock);
  const double Minutes = std::max(Elapsed - WarmUpSeconds, 1.0) / 60.0;
  const double RssGrowth = static_cast<double>(End.RssKiB - WarmUp.RssKiB) / Minutes;
  const double HeapGrowth = static_cast<double>(End.HeapKiB - WarmUp.HeapKiB) / Minutes;
  std::printf(
      "Soak in the window: %.0f s, oscilloscope at %d ms on 4 channels (%s, %s, %s, %s), pages "
      "Scope, Monitor, Parameter for %d s each, %d rounds\n"
      "  cycles %ld, failed %ld (%ld of them the first cycle on coming back)\n"
      "  tick lateness median %.3f ms, 99th percentile %.3f ms (target < 5), worst %.3f ms\n"
      "  the module heard %ld lines, %ld of them mixed up (exchanges %s)\n"
      "  recording: %ld data lines in %ld header blocks for %ld cycles sampled while "
      "recording, %ld malformed\n"
      "  messages shown %lld, sampling stopped by failures %d times\n",
      Elapsed, ScopeSamplingIntervalMs(mb115200, tmFullDuplex), Names[0].c_str(), Names[1].c_str(),
      Names[2].c_str(), Names[3].c_str(), PageSeconds, Rounds, Cycles, Failed, FailedFirst,
      Percentile(LateMs, 0.5), Percentile(LateMs, 0.99), Percentile(LateMs, 1.0), Heard, Mixed,
      Mixed == 0 ? "never overlapped" : "OVERLAPPED", Rec.DataLines, Rec.Headers, Recorded,
      Rec.Malformed, static_cast<long long>(Messages.size()), SamplingStopped);
  for (const std::string& Line : MixedSample)
    std::printf("  mixed-up line: \"%s\"\n", Line.c_str());
  for (const QString& Text : Messages) std::printf("  message: %s\n", qPrintable(Text));
  double Load[3] = {0, 0, 0};
  if (getloadavg(Load, 3) == 3)
    std::printf(
        "  load average at the end: %.2f (1 min), %.2f (5 min), %.2f (15 min) on %u cores\n",
        Load[0], Load[1], Load[2], std::thread::hardware_concurrency());
  PrintMemory("at start", Start);
  PrintMemory(("after " + std::to_string(WarmUpSeconds) + " s").c_str(), WarmUp);
  PrintMemory("at the end", End);
  if (!PerMinute.empty()) {
    std::printf("  after each minute: RSS");
    for (const TMemory& M : PerMinute) std::printf(" %ld", M.RssKiB);
    std::printf(" KiB; heap");
    for (const TMemory& M : PerMinute) std::printf(" %ld", M.HeapKiB);
    std::printf(" KiB\n");
  }
  std::printf(
      "  growth after the warm-up: RSS %+ld KiB (%+.1f KiB/min), heap %+ld KiB "
      "(%+.1f KiB/min)\n",
      End.RssKiB - WarmUp.RssKiB, RssGrowth, End.HeapKiB - WarmUp.HeapKiB, HeapGrowth);

  ReportFigure("soak: failed oscilloscope cycles per cycle", "0",
               static_cast<double>(Failed) / static_cast<double>(std::max(Cycles, 1L)), 4);
  ReportFigure("soak: overlapping exchanges (mixed-up lines heard)", "0",
               static_cast<double>(Mixed), 0);
  ReportFigure("soak: recording data lines per cycle sampled while recording", "1",
               static_cast<double>(Rec.DataLines) / static_cast<double>(std::max(Recorded, 1L)), 4);
  ReportFigure("soak: sampling tick lateness, 99th percentile (ms)", "< 5",
               Percentile(LateMs, 0.99));
  ReportFigure("soak: RSS growth after warm-up (KiB/min)", "-", RssGrowth, 1);
  ReportFigure("soak: heap growth after warm-up (KiB/min)", "-", HeapGrowth, 1);

  const bool Ok = Cycles > 0 && Failed == 0 && Mixed == 0 && Rec.DataLines == Recorded &&
                  Rec.Malformed == 0 && Messages.isEmpty();
  return Ok ? 0 : 1;
}
