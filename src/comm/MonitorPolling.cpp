// The monitor polling cycle: every process value, the status word and the digital inputs,
// once per tick of the polling timer.
#include "comm/IntegerText.h"
#include "comm/ModCommProt.h"
#include "comm/ProcessSamples.h"
#include "comm/ReplyParser.h"

namespace vdx {

namespace {
constexpr int ProcessValueTimeoutMs = 20;  // per character: a cycle over many values stays short
constexpr int StatusWordTimeoutMs = 2000;

// The single whole number of a reply, with the reply's command name; false for anything else
// (no parse, "command error", several values, a decimal point, ...).
bool SingleInteger(const std::string& Reply, std::string& Name, std::vector<std::string>& Values,
                   int32_t& Value) {
  Name.clear();
  return ParseReply(Reply, Name, &Values) && Values.size() == 1 && TryStrToInt(Values[0], Value);
}
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
      if (SingleInteger(Reply, Name, FUpdateInfo.Values, Value)) {
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
        SingleInteger(Reply, Name, FUpdateInfo.Values, Value) &&
        FLists.StatusInfo.SetStatusWord(static_cast<uint16_t>(Value), Mask))
      FMonitor->DoNewStatusInfo(Mask);
  }

  uint8_t State;
  if (ReadDigitalInputs(State) && OnDigitalInputStateInfo) OnDigitalInputStateInfo(*this, State);
}

}  // namespace vdx
