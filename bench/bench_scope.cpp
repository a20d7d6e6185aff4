// The oscilloscope sampling at 25 ms (115200 bit/s full duplex) on a paced line with two
// channels shown: the achieved mean interval, the sampling timer's tick lateness and the
// cycle's own time. --cycles N sets the number of cycles (400, about 10 s).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "BenchStats.h"
#include "PacedLink.h"
#include "live/ScopeModel.h"

using namespace vdx;
using vdx::bench::Percentile;
using vdx::bench::ReportFigure;
using Clock = std::chrono::steady_clock;

int main(int argc, char** argv) {
  int Cycles = 400;
  for (int I = 1; I + 1 < argc; ++I)
    if (std::strcmp(argv[I], "--cycles") == 0) TryStrToInt(argv[I + 1], Cycles);
  Cycles = std::max(Cycles, 2);

  bench::TPacedLink Link(mb115200);
  TVDXScopeModel Scope;
  Link.Prot.SetScope(&Scope);
  std::string Id;
  if (!Link.Connect() || !Link.Prot.Identify(Id)) {
    std::fprintf(stderr, "identify failed\n");
    return 1;
  }
  const auto Interval = static_cast<uint32_t>(ScopeSamplingIntervalMs(mb115200, tmFullDuplex));
  Scope.Channel(1).SetSignal(Link.Prot.ProcessData().Items(0)->Name);
  Scope.Channel(2).SetSignal(Link.Prot.ProcessData().Items(1)->Name);
  Scope.SetDataSampleRate(Interval);
  Scope.SetRunScope(true);

  std::mutex Lock;
  std::vector<double> LateMs, CycleMs;
  std::vector<Clock::time_point> Ends;
  int Failed = 0;
  Link.Prot.OnScopeCycle = [&](TVDXModCommProt&, bool Ok, std::chrono::nanoseconds Lateness) {
    const auto Now = Clock::now();
    std::lock_guard L(Lock);
    LateMs.push_back(std::chrono::duration<double, std::milli>(Lateness).count());
    Ends.push_back(Now);
    if (!Ok) ++Failed;
  };
  Link.Prot.SetOperatingMode(omScope);
  Link.Prot.StartScopeSampling(Interval);
  while (Link.Prot.ScopeSampling()) {
    {
      std::lock_guard L(Lock);
      if (Ends.size() >= static_cast<size_t>(Cycles)) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  Link.Prot.StopScopeSampling();
  Link.Prot.SetOperatingMode(omIdle);

  // The cycle's own time, run directly.
  Link.Prot.SetOperatingMode(omScope);
  for (int I = 0; I < 50; ++I) {
    const auto Start = Clock::now();
    Link.Prot.PollScope();
    CycleMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - Start).count());
  }
  Link.Prot.SetOperatingMode(omIdle);
  Link.Prot.SetScope(nullptr);

  std::lock_guard L(Lock);
  const double Mean =
      Ends.size() < 2
          ? 0
          : std::chrono::duration<double, std::milli>(Ends.back() - Ends.front()).count() /
                static_cast<double>(Ends.size() - 1);
  std::printf(
      "Oscilloscope sampling at %u ms, 115200 bit/s paced, 2 channels, %zu cycles (%d failed)\n"
      "  achieved mean interval %.3f ms (target %u)\n"
      "  tick lateness median %.3f ms, 99th percentile %.3f ms, worst %.3f ms\n"
      "  cycle time median %.3f ms, worst %.3f ms\n",
      Interval, Ends.size(), Failed, Mean, Interval, Percentile(LateMs, 0.5),
      Percentile(LateMs, 0.99), Percentile(LateMs, 1.0), Percentile(CycleMs, 0.5),
      Percentile(CycleMs, 1.0));
  ReportFigure("oscilloscope at 25 ms, 2 channels: achieved mean interval (ms)",
               std::to_string(Interval).c_str(), Mean);
  ReportFigure("oscilloscope at 25 ms, 2 channels: failed cycles", "0", Failed, 0);
  ReportFigure("oscilloscope at 25 ms, 2 channels: tick lateness p99 (ms)", "-",
               Percentile(LateMs, 0.99));
  ReportFigure("oscilloscope cycle of 2 channels: time median (ms)", "-", Percentile(CycleMs, 0.5));
  return Failed == 0 ? 0 : 1;
}
