// Remote control of the module's inputs: the mode, the digital input byte and the analogue
// inputs, each written and read back.
#include "comm/CmdValues.h"
#include "comm/IntegerText.h"
#include "comm/ModCommProt.h"
#include "comm/ReplyParser.h"

namespace vdx {

namespace {
constexpr int RemoteTimeoutMs = 200;
constexpr int PingTimeoutMs = 40;
}  // namespace

bool TVDXModCommProt::ReadRemoteInteger(const std::string& Name, int32_t& Value) {
  std::string Reply;
  std::vector<std::string> Values;
  return ExchangeAccepted(Name + "\r", Name, Reply, RemoteTimeoutMs) &&
         ParseReplyValues(Reply, Values) && Values.size() == 1 && TryStrToInt(Values[0], Value);
}

bool TVDXModCommProt::RemoteCtrlEnabled() {
  std::string Reply;
  std::vector<std::string> Values;
  bool Mode;
  return ExchangeAccepted("RC:M\r", "RC:M", Reply, RemoteTimeoutMs) &&
         ParseReplyValues(Reply, Values) && Values.size() == 1 &&
         ReadBooleanText(Values[0], Mode) && Mode;
}

void TVDXModCommProt::SetRemoteCtrlEnabled(bool Value) {
  FRemoteCtrlActive = false;
  if (!FRemoteCtrlSupported) return;
  std::string Reply;
  const bool Accepted =
      ExchangeAccepted(Value ? "RC:M 1\r" : "RC:M 0\r", "RC:M", Reply, RemoteTimeoutMs);
  if (Value) FRemoteCtrlActive = Accepted;
}

bool TVDXModCommProt::ReadDigitalInputs(uint8_t& State) {
  State = 0;
  int32_t Value;
  if (!FRemoteCtrlSupported || !ReadRemoteInteger("RC:S", Value)) return false;
  State = static_cast<uint8_t>(Value);
  return true;
}

bool TVDXModCommProt::SetDigitalInputs(uint8_t& State) {
  std::lock_guard Lock(FExchangeLock);
  if (!RemoteCtrlEnabled()) return false;
  std::string Reply;
  if (!ExchangeAccepted("RC:S " + std::to_string(State) + "\r", "RC:S", Reply, RemoteTimeoutMs))
    return false;
  State = 0;
  return ReadDigitalInputs(State);
}

bool TVDXModCommProt::SetAnalogInput(int PinCode, int32_t& Value) {
  std::lock_guard Lock(FExchangeLock);
  TModRemoteCtrlCmd* Input = FLists.RemoteCtrlList.FindByPin(PinCode);
  if (!Input || !FRemoteCtrlActive) return false;
  std::string Reply;
  if (!ExchangeAccepted(Input->Name + " " + std::to_string(Value) + "\r", Input->Name, Reply,
                        RemoteTimeoutMs))
    return false;
  Value = 0;
  return ReadRemoteCtrlValue(PinCode, Value);
}

bool TVDXModCommProt::ReadRemoteCtrlValue(int PinCode, int32_t& Value) {
  TModRemoteCtrlCmd* Input = FLists.RemoteCtrlList.FindByPin(PinCode);
  int32_t Read;
  if (!Input || !ReadRemoteInteger(Input->Name, Read)) return false;
  Value = Input->Val = Read;
  return true;
}

bool TVDXModCommProt::PingModule() {
  std::string Reply;
  return PortOpen() && SendCommand("\r", "", ">", Reply, PingTimeoutMs);
}

}  // namespace vdx
