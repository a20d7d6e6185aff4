// Writing parameters to the module and its memory commands "SAVE", "DEFAULT" and "LOADBACK".
#include "comm/CmdValues.h"
#include "comm/ModCommProt.h"

namespace vdx {

namespace {
constexpr int WriteTimeoutMs = 2000;
constexpr int SaveTimeoutMs = 2000;
constexpr int DefaultTimeoutMs = 200;
constexpr int LoadBackTimeoutMs = 300;

// Curve points are written from the top down, then the negative half from -10 up.
constexpr int CurveWriteOrder[] = {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0,
                                   -10, -9, -8, -7, -6, -5, -4, -3, -2, -1};
}  // namespace

TVDXModCommProt::TWriteResult TVDXModCommProt::WriteValue(TModBaseCommand& Cmd) {
  std::vector<std::string> Lines;
  if (auto* Curve = dynamic_cast<TModCCParaCmd*>(&Cmd)) {
    for (int I : CurveWriteOrder) {
      TCurvePoint Pt;
      Curve->GetPoint(I, Pt);
      Lines.push_back(Cmd.Name + ":" + std::to_string(I) + " " + std::to_string(Pt.X) + " " +
                      std::to_string(Pt.Y) + " \r");
    }
  } else {
    std::string Value;
    Cmd.GetValueText(Value);
    Lines.push_back(Cmd.Name + " " + Value + "\r");
  }
  std::string Reply;
  for (const auto& Line : Lines) {
    if (!SendCommand(Line, Cmd.Name, ">", Reply, WriteTimeoutMs)) return wrNoAnswer;
    if (Reply.find("command error") != std::string::npos) return wrRefused;
  }
  return wrDone;
}

bool TVDXModCommProt::SendParameter(TModBaseCommand* Cmd) {
  if (!Cmd || FLists.CmdList.IndexOfObject(Cmd) < 0 || !Cmd->IsWritable()) return false;
  std::lock_guard Lock(FExchangeLock);
  // A write the module refused did not take effect: it fails like one that got no answer.
  if (WriteValue(*Cmd) != wrDone) return false;
  // A command that cannot be read (type 5, or write-only) keeps the write's result.
  bool Result = true;
  if (Cmd->Type != ctNoPara && Cmd->IsReadable()) Result = ReadParameter(Cmd);
  uint16_t ACode;
  if (!ReadAccessCode(ACode) || !Result) return Result;
  if (Cmd->GCode & gbNewData) ReadAllParameters();
  if (Cmd->GCode & gbNewTab) RefillGrid(ACode);
  return Result;
}

bool TVDXModCommProt::SendAllParameters(std::vector<std::string>* ErrList) {
  std::lock_guard Lock(FExchangeLock);
  if (ErrList) ErrList->clear();
  bool Failed = false;
  for (int I = 0; I < FLists.CmdList.Count(); ++I) {
    TModBaseCommand* Cmd = FLists.CmdList.Objects(I);
    if (!Cmd) continue;
    const bool Value = Cmd->Type == ctTextPara || Cmd->Type == ctNumPara || Cmd->Type == ctAinPara;
    if (!Value && Cmd->Type != ctCCPara) continue;
    const TWriteResult Written = WriteValue(*Cmd);
    // Every value is sent, writable or not; a module refusing to write a read-only one is no
    // failure, a refused or unanswered write of any other is.
    if (Written == wrDone || (Written == wrRefused && !Cmd->IsWritable())) continue;
    if (Value) Failed = true;  // a curve that fails is listed but does not fail the whole
    if (ErrList) ErrList->push_back(Cmd->Name);
  }
  if (FLists.CmdList.Count() == 0 || Failed) return false;
  return ReadAllParameters();
}

bool TVDXModCommProt::ReloadParameters() {
  if (!FParameterList) return false;
  std::lock_guard Lock(FExchangeLock);
  uint16_t ACode;
  if (!ReadAccessCode(ACode)) return ReadAllParameters();
  return ReadAllParameters() && RefillGrid(ACode);
}

bool TVDXModCommProt::SetCmdValues(TModBaseCommand* Cmd, const std::vector<std::string>* Values) {
  if (!Cmd || !Values) return false;
  if (auto* Ctrl = dynamic_cast<TModCtrlCommand*>(Cmd)) ApplyValueTexts(*Ctrl, *Values);
  return true;
}

bool TVDXModCommProt::MemoryCommand(const std::string& Name, const std::string& Cmd,
                                    const std::string& Echo, int TimeoutMs, bool ReadBack) {
  std::lock_guard Lock(FExchangeLock);
  const int Index = FLists.CmdList.IndexOf(Name);
  if (Index >= 0) {
    auto* Listed = dynamic_cast<TModCtrlCommand*>(FLists.CmdList.Objects(Index));
    return Listed && SendParameter(Listed);
  }
  std::string Reply;
  if (!ExchangeAccepted(Cmd, Echo, Reply, TimeoutMs)) return false;
  return !ReadBack || ReadAllParameters();
}

bool TVDXModCommProt::SaveParameters() {
  return MemoryCommand("SAVE", "SAVE\r", "SAVE", SaveTimeoutMs, false);
}

bool TVDXModCommProt::LoadDefaults() {
  return MemoryCommand("DEFAULT", "DEFAULT\r", "DEFAULT", DefaultTimeoutMs, true);
}

bool TVDXModCommProt::LoadBack() {
  return MemoryCommand("LOADBACK", "Loadback\r", "LOADBACK", LoadBackTimeoutMs, true);
}

void TVDXModCommProt::ParamListCmdSendRequest(TModCtrlCommand* Cmd) {
  if (!Cmd) return;
  if (PortOpen())
    SendParameter(Cmd);
  else
    Cmd->DoChange();
}

}  // namespace vdx
