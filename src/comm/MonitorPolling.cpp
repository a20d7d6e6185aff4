// The monitor polling cycle: every process value, the status word and the digital inputs,
// once per tick of the polling timer.
#include "comm/ModCommProt.h"
#include "comm/ProcessSamples.h"
#include "comm/ReplyParser.h"

namespace vdx {

namespace {
constexpr int StatusWordTimeoutMs = 2000;
}  // namespace

void TVDXModCommProt::PollMonitor() {
  FPollingStopped = 0;
  // One cycle is one run of exchanges: nothing of another thread comes between.
  std::lock_guard Lock(FExchangeLock);
  if (!FModuleDataValid || !FMonitor || FOperatingMode != omMonitor) return;

  std::string Reply, Name;
  int32_t Value;
  const int Count = FLists.ProcessData.Count();
  int Errors = 0;
  for (int I = 0; I < Count; ++I) {
    const std::string CmdName = FLists.ProcessData.Items(I)->Name;
    if (!SendCommand(CmdName + "\r", CmdName, ">", Reply, ProcessValueTimeoutMs)) {
      ++Errors;
    } else {
      const TDateTime Stamp = NowDateTime();
      if (ParseSingleInteger(Reply, Name, FUpdateInfo.Values, Value)) {
        TASCIIProcDataObj Sample(Stamp, Value);
        Sample.Index = FLists.ProcessData.IndexOf(Name);
        FMonitor->NewProcData(Sample);
      }
    }
    if (Errors >= Count) {
      FPollTimer->StopTimer();
      FPollingStopped = 1;
    }
  }

  if (FLists.StatusInfo.Count() > 0) {
    const std::string StatusName = FLists.StatusInfo.Items(0)->Name;
    uint16_t Mask;
    if (SendCommand(StatusName + "\r", StatusName, ">", Reply, StatusWordTimeoutMs) &&
        ParseSingleInteger(Reply, Name, FUpdateInfo.Values, Value) &&
        FLists.StatusInfo.SetStatusWord(static_cast<uint16_t>(Value), Mask))
      FMonitor->DoNewStatusInfo(Mask);
  }

  uint8_t State;
  if (ReadDigitalInputs(State) && OnDigitalInputStateInfo) OnDigitalInputStateInfo(*this, State);
}

}  // namespace vdx
