// The monitor polling: one cycle over the rich virtual module's process values on a line paced
// at 115200 bit/s (tool time against wire time), and the polling timer's tick intervals at
// 320 ms with the ticks handed to a main thread. The timer waits its interval after each tick
// began, so an interval over 320 ms is how late that tick was; it can fall below when the
// hand-over to the main thread was quicker than the tick before. --ticks N sets the number of ticks
// (160).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "BenchStats.h"
#include "PacedLink.h"
#include "comm/IntegerText.h"
#include "comm/MainThreadSync.h"
#include "comm/ModCommProt.h"
#include "sim/ModuleSim.h"

using namespace vdx;
using vdx::bench::Percentile;
using vdx::bench::ReportFigure;
using Clock = std::chrono::steady_clock;

namespace {

struct TCountingMonitor : IMonitorView {
  void SetProcessData(const TModProcessData*) override {}
  void SetStatusInfo(const TModStatusInfoData*) override {}
  void NewProcData(const TASCIIProcDataObj&) override { ++Samples; }
  int Samples = 0;
};

bool BenchCycle(int Cycles) {
  bench::TPacedLink Link(mb115200);
  TVDXModCommProt& Prot = Link.Prot;
  sim::TModuleSim& Module = Link.Module();
  std::string Id;
  TCountingMonitor View;
  Prot.SetMonitor(&View);
  bool Ok = Link.Connect() && Prot.Identify(Id);
  if (Ok) {
    // The test drives the cycles itself: the timer's first tick would come after an hour.
    Prot.SetMonitorIntervalMs(3600000);
    Prot.SetOperatingMode(omMonitor);
    std::vector<double> Ratios, ToolMs;
    double Wire = 0;
    for (int I = 0; I < Cycles && Ok; ++I) {
      Module.ResetStats();
      const int Before = View.Samples;
      const auto Start = Clock::now();
      Prot.PollMonitor();
      const double Seconds = std::chrono::duration<double>(Clock::now() - Start).count();
      const sim::TSimStats Stats = Module.Stats();
      Wire = static_cast<double>(Stats.BytesReceived + Stats.BytesSent) * 10.0 / 115200.0;
      Ratios.push_back(Seconds / Wire);
      ToolMs.push_back(Seconds * 1000);
      Ok = View.Samples - Before == Prot.ProcessData().Count() && Prot.PollingStopped() == 0;
    }
    if (Ok)
      std::printf(
          "Monitor cycle at 115200 bit/s: %d process values + status word + inputs, "
          "%d cycles\n  tool %.2f ms (median), wire %.2f ms: ratio median %.3f, "
          "worst %.3f (target <= 1.20)\n",
          Prot.ProcessData().Count(), Cycles, Percentile(ToolMs, 0.5), Wire * 1000,
          Percentile(Ratios, 0.5), Percentile(Ratios, 1.0));
    if (Ok) {
      ReportFigure("monitor cycle at 115200 bit/s: tool / wire time, median", "<= 1.20",
                   Percentile(Ratios, 0.5));
      ReportFigure("monitor cycle at 115200 bit/s: tool / wire time, worst", "<= 1.20",
                   Percentile(Ratios, 1.0));
    }
    Prot.SetOperatingMode(omIdle);
  }
  if (!Ok) std::fprintf(stderr, "monitor cycle failed\n");
  return Ok;
}

void BenchTicks(int Ticks) {
  constexpr uint32_t IntervalMs = 320;
  TMainThreadDispatcher Main;
  SetMainThreadRunner(Main.Runner());
  std::vector<Clock::time_point> Starts;
  Starts.reserve(static_cast<size_t>(Ticks));
  {
    TThreadTimer_SL Timer;
    Timer.SetOnTimer([&](TBaseTimerThread&) { Starts.push_back(Clock::now()); });
    Starts.push_back(Clock::now());  // the start of the run counts as tick 0
    Timer.StartTimer(IntervalMs);
    Main.ProcessFor(Ticks * (IntervalMs + 50) + 2000,
                    [&] { return Starts.size() > static_cast<size_t>(Ticks); });
    Timer.StopTimer();
    Main.Close();
  }
  SetMainThreadRunner({});
  std::vector<double> OverMs;
  for (size_t I = 1; I < Starts.size(); ++I)
    OverMs.push_back(std::chrono::duration<double, std::milli>(Starts[I] - Starts[I - 1]).count() -
                     IntervalMs);
  std::printf(
      "Polling timer at %u ms, %zu ticks run in the main thread: interval - %u ms median %.3f ms, "
      "99th percentile %.3f ms, worst %.3f ms\n",
      IntervalMs, OverMs.size(), IntervalMs, Percentile(OverMs, 0.5), Percentile(OverMs, 0.99),
      Percentile(OverMs, 1.0));
  ReportFigure("polling timer at 320 ms: tick interval - 320 ms, median (ms)", "-",
               Percentile(OverMs, 0.5));
  ReportFigure("polling timer at 320 ms: tick interval - 320 ms, p99 (ms)", "-",
               Percentile(OverMs, 0.99));
}

}  // namespace

int main(int argc, char** argv) {
  int Ticks = 160;  // about 51 s
  for (int I = 1; I + 1 < argc; ++I)
    if (std::strcmp(argv[I], "--ticks") == 0) TryStrToInt(argv[I + 1], Ticks);
  if (!BenchCycle(50)) return 1;
  BenchTicks(std::max(Ticks, 1));
  return 0;
}
