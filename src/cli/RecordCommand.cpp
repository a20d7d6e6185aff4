// vdxctl record: samples up to four process values with the oscilloscope cycle and writes the
// oscilloscope's recording file: a header block, then one line per cycle. Ends after
// --duration, on Ctrl-C, or when four cycles in a row failed; then prints one summary line.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/InterruptScope.h"
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

}  // namespace

int RunRecord(const TCliOptions& Options) {
  if (!Options.Args.empty() || Options.Channels.empty() || Options.Channels.size() > 4) {
    PrintError(
        "usage: vdxctl record --channel NAME [--channel NAME ...] (one to four) "
        "[--duration S] [--interval MS] [--out FILE]");
    return exUsage;
  }
  TVDXScopeModel Scope;  // outlives the session that links to it
  TCliSession S(Options);
  TVDXModCommProt& P = S.Prot();
  P.SetScope(&Scope);
  if (int Code = S.Identify(); Code != exDone) return Code;

  // The channels show the values by the module's own spelling of their names.
  std::array<std::string, 4> Signals{NoSignal, NoSignal, NoSignal, NoSignal};
  for (size_t K = 0; K < Options.Channels.size(); ++K) {
    const TModProcCommand* Cmd =
        P.ProcessData().Items(P.ProcessData().IndexOf(Options.Channels[K]));
    if (!Cmd) {
      PrintError("the module has no process value '" + Options.Channels[K] + "'");
      return exUsage;
    }
    Scope.Channel(static_cast<int>(K) + 1).SetSignal(Cmd->Name);
    Signals[K] = Cmd->Name;
  }

  TScopeRecorder Recorder;
  Recorder.SetFileName(Options.Out.empty() ? StandardOutput : Options.Out);
  std::string Error;
  if (!Recorder.PrepareRecordFile(Error) || !Recorder.WriteRecordHeader(Signals)) {
    PrintError(Error.empty() ? "cannot write to " + Recorder.FileName() : Error);
    return exFileFailed;
  }

  const uint32_t Interval = static_cast<uint32_t>(
      Options.IntervalMs.value_or(ScopeSamplingIntervalMs(P.BaudRate(), P.TransferMode())));
  TRunFigures Figures;
  std::atomic<long> LostLines{0};
  Scope.OnScopeData = [&](const TASCIIProcDataObj* Ch1, const TASCIIProcDataObj* Ch2,
                          const TASCIIProcDataObj* Ch3, const TASCIIProcDataObj* Ch4) {
    if (!Recorder.WriteRecordData(Ch1, Ch2, Ch3, Ch4)) ++LostLines;
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
