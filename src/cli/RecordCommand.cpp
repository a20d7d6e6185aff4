// vdxctl record: samples up to four process values with the oscilloscope cycle and writes the
// oscilloscope's recording file: a header block, then one line per cycle. Ends after
// --duration, on Ctrl-C, or when four cycles in a row failed; then prints one summary line.
// With --csv it writes RFC 4180 CSV instead: a header row, then one record per cycle with the
// ISO 8601 time and each channel's value in its unit.
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/InterruptScope.h"
#include "comm/TextUtil.h"
#include "live/CsvText.h"
#include "live/ScopeModel.h"
#include "live/ScopeRecorder.h"

namespace vdx::cli {

namespace {

constexpr const char* StandardOutput = "/dev/stdout";
constexpr const char* NoSignal = "---";

// What the sampling thread counts while the run goes on.
struct TRunFigures {
  using Clock = std::chrono::steady_clock;
  void CycleDone(bool Ok) {
    std::lock_guard Lock(FLock);
    const auto Now = Clock::now();
    if (Cycles == 0) First = Now;
    Last = Now;
    ++Cycles;
    if (!Ok) ++Failed;
  }
  // Mean time between the ends of consecutive cycles, 0 with fewer than two.
  double MeanIntervalMs() {
    std::lock_guard Lock(FLock);
    if (Cycles < 2) return 0;
    return std::chrono::duration<double, std::milli>(Last - First).count() /
           static_cast<double>(Cycles - 1);
  }
  std::mutex FLock;
  long Cycles = 0, Failed = 0;
  Clock::time_point First, Last;
};

// The CSV output of a run: a file of its own (replaced, since a second header row in the
// middle would break the file) or standard output. Records come from the sampling thread.
class TCsvRecording {
 public:
  // False with Error set when FileName cannot be created.
  bool Open(const std::string& FileName, std::string& Error) {
    if (FileName.empty()) {
      FFile = stdout;
      return true;
    }
    FOwned.reset(std::fopen(FileName.c_str(), "wb"));
    FFile = FOwned.get();
    if (!FFile) Error = "cannot write " + FileName;
    return FFile != nullptr;
  }
  void AddChannel(const TModProcCommand& Cmd) {
    auto Copy = std::make_unique<TModProcCommand>();
    Cmd.AssignTo(*Copy);
    FChannels.push_back(std::move(Copy));
  }
  bool WriteHeader() {
    std::vector<std::string> Fields{"time"};
    for (const auto& C : FChannels) Fields.push_back(ValueColumnTitle(*C));
    return Write(Fields);
  }
  bool WriteCycle(const std::array<const TASCIIProcDataObj*, 4>& Samples) {
    std::vector<std::string> Fields{IsoLocalTime(std::chrono::system_clock::now())};
    for (size_t K = 0; K < FChannels.size(); ++K) {
      std::string Text;
      if (Samples[K]) {
        FChannels[K]->Value = Samples[K]->Value;
        FChannels[K]->GetValueText(Text);
      }
      Fields.push_back(Text);
    }
    return Write(Fields);
  }
  // Flushes and, for a file, closes it; false when anything was lost.
  bool Close() {
    const bool Flushed = std::fflush(FFile) == 0;
    const bool Closed = !FOwned || std::fclose(FOwned.release()) == 0;
    return Flushed && Closed;
  }

 private:
  bool Write(const std::vector<std::string>& Fields) {
    const std::string Text = Latin1ToUtf8(CsvRecord(Fields));
    const bool Ok = std::fwrite(Text.data(), 1, Text.size(), FFile) == Text.size();
    return std::fflush(FFile) == 0 && Ok;
  }

  struct TCloser {
    void operator()(std::FILE* F) const { std::fclose(F); }
  };
  std::unique_ptr<std::FILE, TCloser> FOwned;
  std::FILE* FFile = nullptr;
  std::vector<std::unique_ptr<TModProcCommand>> FChannels;
};

}  // namespace

int RunRecord(const TCliOptions& Options) {
  if (!Options.Args.empty() || Options.Channels.empty() || Options.Channels.size() > 4) {
    PrintError(
        "usage: vdxctl record --channel NAME [--channel NAME ...] (one to four) "
        "[--duration S] [--interval MS] [--out FILE] [--csv]");
    return exUsage;
  }
  TVDXScopeModel Scope;  // outlives the session that links to it
  TCliSession S(Options);
  TVDXModCommProt& P = S.Prot();
  P.SetScope(&Scope);
  if (int Code = S.Identify(); Code != exDone) return Code;

  // The channels show the values by the module's own spelling of their names.
  std::array<std::string, 4> Signals{NoSignal, NoSignal, NoSignal, NoSignal};
  TCsvRecording Csv;
  for (size_t K = 0; K < Options.Channels.size(); ++K) {
    const TModProcCommand* Cmd =
        P.ProcessData().Items(P.ProcessData().IndexOf(Options.Channels[K]));
    if (!Cmd) {
      PrintError("the module has no process value '" + Options.Channels[K] + "'");
      return exUsage;
    }
    Scope.Channel(static_cast<int>(K) + 1).SetSignal(Cmd->Name);
    Signals[K] = Cmd->Name;
    Csv.AddChannel(*Cmd);
  }

  TScopeRecorder Recorder;
  Recorder.SetFileName(Options.Out.empty() ? StandardOutput : Options.Out);
  std::string Error;
  const bool Ready = Options.Csv
                         ? Csv.Open(Options.Out, Error) && Csv.WriteHeader()
                         : Recorder.PrepareRecordFile(Error) && Recorder.WriteRecordHeader(Signals);
  if (!Ready) {
    PrintError(Error.empty() ? "cannot write to " + Recorder.FileName() : Error);
    return exFileFailed;
  }

  const uint32_t Interval = static_cast<uint32_t>(
      Options.IntervalMs.value_or(ScopeSamplingIntervalMs(P.BaudRate(), P.TransferMode())));
  TRunFigures Figures;
  std::atomic<long> LostLines{0};
  Scope.OnScopeData = [&](const TASCIIProcDataObj* Ch1, const TASCIIProcDataObj* Ch2,
                          const TASCIIProcDataObj* Ch3, const TASCIIProcDataObj* Ch4) {
    const bool Written = Options.Csv ? Csv.WriteCycle({Ch1, Ch2, Ch3, Ch4})
                                     : Recorder.WriteRecordData(Ch1, Ch2, Ch3, Ch4);
    if (!Written) ++LostLines;
  };
  P.OnScopeCycle = [&](TVDXModCommProt&, bool Ok, std::chrono::nanoseconds) {
    Figures.CycleDone(Ok);
  };
  Scope.SetDataSampleRate(Interval);
  Scope.SetRunScope(true);

  TInterruptScope Interrupt;
  P.SetOperatingMode(omScope);
  P.StartScopeSampling(Interval);
  const auto End =
      std::chrono::steady_clock::now() + std::chrono::seconds(Options.DurationS.value_or(0));
  while (!TInterruptScope::Interrupted() && P.ScopeSampling() &&
         (!Options.DurationS || std::chrono::steady_clock::now() < End))
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  P.StopScopeSampling();
  P.SetOperatingMode(omIdle);
  P.OnScopeCycle = nullptr;
  if (Options.Csv && !Csv.Close()) ++LostLines;

  std::fprintf(Options.Out.empty() ? stderr : stdout,
               "%ld cycles, %ld failed, mean interval %.2f ms (set %u ms)\n", Figures.Cycles,
               Figures.Failed, Figures.MeanIntervalMs(), Interval);
  if (P.PollingStopped() == 2) {
    PrintError(P.PortOpen() ? "sampling stopped: four cycles in a row failed"
                            : "sampling stopped: the link was lost");
    return exLinkFailed;
  }
  if (LostLines > 0) {
    PrintError(std::to_string(LostLines.load()) + " lines could not be written to " +
               Recorder.FileName());
    return exFileFailed;
  }
  return exDone;
}

}  // namespace vdx::cli
