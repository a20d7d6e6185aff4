// The oscilloscope sampling in the desktop tool: page "Scope" with four channels at 25 ms on a
// virtual module paced at 115200 bit/s while the GUI thread repaints the whole window without
// pause. Prints the sampling ticks' lateness, the failed cycles, and whether the exchanges
// stayed apart: two exchanges on the line at once would reach the module as a mixed-up line,
// so every line it heard must be one channel's value name. --ticks N sets the number of cycles
// (2000, about 50 s). Runs offscreen.
#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "BenchStats.h"
#include "WindowBench.h"
#include "app/ui/GuiThreadRunner.h"
#include "app/ui/MainForm.h"
#include "live/ui/VDXScope.h"

using namespace vdx;
using vdx::bench::Percentile;
using vdx::bench::ReportFigure;

int main(int argc, char** argv) {
  const int Ticks = bench::CountOption(argc, argv, "--ticks", 2000);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);

  bench::TPacedLink Link(mb115200);
  if (!Link.Start()) return 1;
  ui::TGuiThreadRunner Runner;
  SetMainThreadRunner(Runner.Runner());
  std::mutex Lock;
  std::vector<double> LateMs;
  int Failed = 0;
  std::vector<std::string> Heard;
  std::vector<std::string> Names;  // the lines the module should hear: "NAME\r"
  int Repaints = 0;
  {
    ui::TVDXMainForm Form;
    if (!bench::IdentifyInWindow(Form, Link)) return 1;
    TVDXModCommProt& Prot = Form.ModProt();
    if (Prot.ProcessData().Count() < 4) {
      std::fprintf(stderr, "the module has fewer than four process values\n");
      return 1;
    }
    Prot.OnScopeCycle = [&](TVDXModCommProt& Sender, bool Ok, std::chrono::nanoseconds Lateness) {
      std::lock_guard L(Lock);
      if (LateMs.size() >= static_cast<size_t>(Ticks)) return;
      LateMs.push_back(std::chrono::duration<double, std::milli>(Lateness).count());
      if (!Ok) ++Failed;
      // Four failed cycles in a row stop the sampling; the run ends with the cycles it has.
      if (LateMs.size() == static_cast<size_t>(Ticks) || Sender.PollingStopped() == 2) {
        Heard = Link.Module().ReceivedCommands();
        QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
      }
    };
    for (int N = 1; N <= 4; ++N) {
      Names.push_back(Prot.ProcessData().Items(N - 1)->Name);
      Form.Scope().Channel(N).SetSignal(Names.back());
      Names.back() += "\r";
    }
    Form.Actions().ShowScopeAct->trigger();
    Link.Module().ClearReceivedCommands();
    Form.Pages().ScopeControls.BtnStart->click();

    QTimer Repaint;
    QObject::connect(&Repaint, &QTimer::timeout, [&] {
      Form.repaint();
      ++Repaints;
    });
    Repaint.start(0);
    App.exec();
    Repaint.stop();
    Form.Actions().ShowParamlistAct->trigger();
    Prot.OnScopeCycle = nullptr;
    Runner.Close();
  }
  SetMainThreadRunner({});

  std::lock_guard L(Lock);
  const auto Mixed = std::count_if(Heard.begin(), Heard.end(), [&](const std::string& Line) {
    return std::find(Names.begin(), Names.end(), Line) == Names.end();
  });
  std::printf(
      "Oscilloscope sampling in the window at %d ms, 4 channels, %zu cycles, %d full repaints: "
      "tick lateness median %.3f ms, 99th percentile %.3f ms (target < 5), worst %.3f ms\n"
      "  failed cycles %d; the module heard %zu lines, %ld of them not a channel's value name "
      "(exchanges %s)\n",
      ScopeSamplingIntervalMs(mb115200, tmFullDuplex), LateMs.size(), Repaints,
      Percentile(LateMs, 0.5), Percentile(LateMs, 0.99), Percentile(LateMs, 1.0), Failed,
      Heard.size(), static_cast<long>(Mixed), Mixed == 0 ? "never overlapped" : "OVERLAPPED");
  ReportFigure("page Scope, 4 channels, window repainting: tick lateness p99 (ms)", "< 5",
               Percentile(LateMs, 0.99));
  ReportFigure("page Scope, window repainting: failed cycles", "0", Failed, 0);
  ReportFigure("page Scope, window repainting: overlapping exchanges", "0",
               static_cast<double>(Mixed), 0);
  return 0;
}
