// The oscilloscope cycle: the process values shown on the scope's channels, once per tick of
// the sampling timer, in the timer's own thread.
#include <array>
#include <optional>

#include "comm/ModCommProt.h"
#include "comm/ReplyParser.h"

namespace vdx {

namespace {
constexpr int FailedCyclesToStop = 4;
constexpr double MsPerDay = 86400000.0;
}  // namespace

bool TVDXModCommProt::PollScope() {
  // The lock is taken before the busy flag is raised: Disconnect waits for the flag without the
  // lock, so a caller that holds the lock never waits for a cycle that waits for the lock.
  std::lock_guard Lock(FExchangeLock);
  FScopePollBusy = true;
  bool Failed = false;
  try {
    if (FModuleDataValid && FScope) {
      FScopeTimeBase = FScopeTimeBase + FScope->DataSampleRate() / MsPerDay;
      const TDateTime Stamp = FScopeTimeBase;
      const std::array<std::string, 4> Signals = FScope->ChannelSignals();
      std::array<std::optional<TASCIIProcDataObj>, 4> Samples;
      std::string Reply, Name;
      int32_t Value;
      for (int I = 0; I < FLists.ProcessData.Count() && FOperatingMode == omScope && !Failed; ++I) {
        const std::string CmdName = FLists.ProcessData.Items(I)->Name;
        // Only values shown on a channel are asked, each once; the first channel showing it
        // takes the sample.
        size_t Channel = 0;
        while (Channel < Signals.size() && Signals[Channel] != CmdName) ++Channel;
        if (Channel == Signals.size()) continue;
        if (!SendCommand(CmdName + "\r", CmdName, ">", Reply, ProcessValueTimeoutMs)) {
          Failed = true;
        } else if (ParseSingleInteger(Reply, Name, FUpdateInfo.Values, Value)) {
          Samples[Channel].emplace(Stamp, Value);
          Samples[Channel]->Index = FLists.ProcessData.IndexOf(Name);
        }
      }
      const auto Sample = [&](size_t K) { return Samples[K] ? &*Samples[K] : nullptr; };
      if (!Failed) FScope->AddScopeSamples(Sample(0), Sample(1), Sample(2), Sample(3));
    }
  } catch (...) {
    // A failing view ends the cycle as a failed one; the sampling thread goes on.
    Failed = true;
  }
  FScopePollBusy = false;
  return !Failed;
}

bool TVDXModCommProt::StartScopeSampling(uint32_t IntervalMs) {
  if (FScopeTimer.Running()) return false;
  FScopeFailCount = 0;
  return FScopeTimer.Start(
      IntervalMs, [this](TPeriodicTimer::TClock::time_point Due) { ScopeSamplingTick(Due); });
}

void TVDXModCommProt::StopScopeSampling() { FScopeTimer.Stop(); }

void TVDXModCommProt::ScopeSamplingTick(TPeriodicTimer::TClock::time_point Due) {
  if (!FScopeTimer.Running()) return;  // a tick that began as the timer was stopped
  const auto Lateness = TPeriodicTimer::TClock::now() - Due;
  FPollingStopped = 0;
  const bool Ok = PollScope();
  if (Ok) {
    FScopeFailCount = 0;
  } else if (++FScopeFailCount >= FailedCyclesToStop) {
    FPollingStopped = 2;  // set first: whoever sees the timer stopped also sees why
    FScopeTimer.Stop();
  }
  if (OnScopeCycle) OnScopeCycle(*this, Ok, Lateness);
}

}  // namespace vdx
