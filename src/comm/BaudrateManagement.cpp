// Baud rate and transfer mode: the property setters, the probe that finds the module's rate,
// the "BR" query and the switch of module and port to another rate.
#include <chrono>
#include <thread>

#include "comm/IntegerText.h"
#include "comm/ModCommProt.h"
#include "comm/ReplyParser.h"

namespace vdx {

namespace {
constexpr int ProbePasses = 3;
constexpr int SwitchTimeoutMs = 200;

std::string BrCommand(TModBaudrate Baud) { return "BR " + std::to_string(BaudrateCode(Baud)) + "\r"; }

// Reads and discards single bytes until a read returns nothing.
void Drain(TComPort& Port) {
  std::string S;
  while (Port.ReadText(S, 1) > 0) {
  }
}
}  // namespace

void TVDXModCommProt::SetBaudRate(TModBaudrate Value) {
  std::lock_guard Lock(FExchangeLock);
  FCurrentBaudrate = Value;
  if (FComPort.Connected()) {
    FComPort.ClosePort();
    FComPort.SetBaudRate(BaudrateBps(Value));
    FComPort.OpenPort();
  } else {
    FComPort.SetBaudRate(BaudrateBps(Value));
  }
}

void TVDXModCommProt::SetFixBaudrate(TModBaudrate Value) {
  if (Value == FFixBaudrate) return;
  FFixBaudrate = Value;
  if (!FAutoBaudDetection) SetBaudRate(Value);
}

void TVDXModCommProt::SetAutoBaudDetection(bool Value) {
  if (Value == FAutoBaudDetection) return;
  FAutoBaudDetection = Value;
  if (!Value) {
    Disconnect();
    SetBaudRate(FFixBaudrate);
  }
}

void TVDXModCommProt::SetTransferMode(TTransferMode Value) {
  if (Value == FTransferMode) return;
  FTransferMode = Value;
  if (FComPort.Connected()) Disconnect();
  if (Value == tmHalfDuplex)
    SetBaudRate(mb19200);
  else if (!FAutoBaudDetection)
    SetBaudRate(FFixBaudrate);
}

bool TVDXModCommProt::DetectBaudrate(TModBaudrate& Baud) {
  std::lock_guard Lock(FExchangeLock);
  try {
    FComPort.SetReadTimeouts(5, 2, 600);
    if (!FComPort.Connected()) return false;
    for (int Pass = 0; Pass < ProbePasses; ++Pass)
      for (TModBaudrate Rate : AllBaudrates) {
        FComPort.ClosePort();
        FComPort.SetBaudRate(BaudrateBps(Rate));
        FCurrentBaudrate = Rate;
        FComPort.OpenPort();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        FComPort.PurgeBuffers(true, true);
        FComPort.WriteText("ID\r");
        std::string Answer;
        if (FComPort.ReadText(Answer, 2) == 2 && Answer == "ID") {
          Drain(FComPort);
          Baud = Rate;
          return true;
        }
      }
  } catch (const TComPortError&) {
  }
  return false;
}

bool TVDXModCommProt::CheckBaudrateCmd(TModBaudrate Baud) {
  std::string Reply;
  if (!SendCommand(BrCommand(Baud), "BR", ">", Reply, SwitchTimeoutMs)) return false;
  std::vector<std::string> Values;
  int32_t Code;
  return ParseReplyValues(Reply, Values) && Values.size() == 1 && TryStrToInt(Values[0], Code) &&
         (Code == 1 || Code == 2 || Code == 4 || Code == 6);
}

bool TVDXModCommProt::SwitchModuleBaudrate() {
  std::lock_guard Lock(FExchangeLock);
  try {
    FComPort.SetReadTimeouts(TComPort::NoLimit, 0, SwitchTimeoutMs);
    FComPort.WriteText(BrCommand(FAutoBaudrate));
    Drain(FComPort);
  } catch (const TComPortError&) {
  }
  try {
    SetBaudRate(FAutoBaudrate);
  } catch (const TComPortError&) {
    return false;
  }
  std::string Reply;
  return SendCommand("ID\r", "ID", ">", Reply, SwitchTimeoutMs);
}

}  // namespace vdx
