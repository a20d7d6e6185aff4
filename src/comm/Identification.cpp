// Identification of the module, reading its command list and parameter values, and the small
// module services around it: ID text, access code, remote-control probe, passwords.
#include "comm/CmdValues.h"
#include "comm/DelimitedText.h"
#include "comm/IntegerText.h"
#include "comm/ModCommProt.h"
#include "comm/ReadoutLine.h"
#include "comm/ReplyParser.h"
#include "comm/TextUtil.h"

namespace vdx {

namespace {
const std::string CR = "\r";
const std::string Prompt = ">";
constexpr int IdTimeoutMs = 200;
constexpr int CheckIdTimeoutMs = 400;
constexpr int ReadoutTimeoutMs = 2000;
constexpr int ShortTimeoutMs = 200;
constexpr int ParameterTimeoutMs = 2000;

// The reply without its first EchoLength characters and its last one (the prompt), without a
// trailing "CMD".
std::string StripEchoAndPrompt(const std::string& Reply, size_t EchoLength) {
  if (Reply.size() < EchoLength + 1) return std::string();
  std::string Text = Reply.substr(EchoLength, Reply.size() - EchoLength - 1);
  RemoveTail(Text, "CMD");
  return Text;
}
}  // namespace

std::string TVDXModCommProt::IdTextOfReply(const std::string& Reply) {
  return TrimControl(StripEchoAndPrompt(Reply, 2));
}

bool TVDXModCommProt::Identify(std::string& ModuleId) {
  std::lock_guard Lock(FExchangeLock);
  ForgetModule();
  FModuleId.clear();

  std::string Reply;
  if (!SendCommand("ID" + CR, "ID", Prompt, Reply, IdTimeoutMs)) return false;
  const std::string IdText = IdTextOfReply(Reply);

  bool ReadoutOk = IdText.find("error") == std::string::npos && ReadOut();
  if (!ReadoutOk && OnReadoutError) {
    std::vector<std::string> ExtCmdList;
    OnReadoutError(*this, IdText, ExtCmdList);
    ReadoutOk = ParseReadoutList(JoinTexts(ExtCmdList, "\r\n"));
  }
  if (!ReadoutOk) return false;

  if (FParameterList) {
    uint16_t ACode;
    RefillGrid(ReadAccessCode(ACode) ? ACode : 0xFFFF);
  }
  FModuleDataValid = ReadAllParameters();
  if (!FModuleDataValid) return false;

  ModuleId = IdText;
  FModuleId = IdText;
  bool Active;
  FRemoteCtrlSupported = ProbeRemoteCtrl(Active);
  if (FRemoteCtrlSupported) FRemoteCtrlActive = Active;

  if (FMonitor) {
    FMonitor->SetProcessData(&FLists.ProcessData);
    FMonitor->SetStatusInfo(&FLists.StatusInfo);
  }
  if (FScope) FScope->SetProcessData(&FLists.ProcessData);
  return true;
}

bool TVDXModCommProt::ReadOut() {
  std::string Reply;
  if (!SendCommand("Readout" + CR, "READOUT", Prompt, Reply, ReadoutTimeoutMs)) return false;
  return ParseReadoutList(StripEchoAndPrompt(Reply, 7));
}

bool TVDXModCommProt::ParseReadoutList(const std::string& Text) {
  FLists.Clear();
  for (const auto& Line : SplitLines(TrimControl(Text))) FLists.Place(ParseReadoutLine(Line));
  return FLists.ProcessData.Count() > 0 || FLists.CmdList.Count() > 0;
}

bool TVDXModCommProt::ReadAccessCode(uint16_t& ACode) {
  ACode = 0;
  std::string Reply;
  if (!SendCommand("ACODE" + CR, "ACODE", Prompt, Reply, ShortTimeoutMs)) return false;
  int32_t Value;
  if (!TryStrToInt(TrimControl(StripEchoAndPrompt(Reply, 5)), Value)) return false;
  ACode = static_cast<uint16_t>(Value);
  return true;
}

bool TVDXModCommProt::ReadParameter(TModBaseCommand* Cmd) {
  if (!Cmd || FLists.CmdList.IndexOfObject(Cmd) < 0 || !Cmd->IsReadable() || Cmd->Type == ctNoPara)
    return false;
  std::lock_guard Lock(FExchangeLock);
  std::string Reply;
  if (Cmd->Type == ctCCPara) {
    for (int I = TModCCParaCmd::FirstPoint; I <= TModCCParaCmd::LastPoint; ++I) {
      const std::string PointName = Cmd->Name + ":" + std::to_string(I);
      if (!SendCommand(PointName + CR, Cmd->Name, Prompt, Reply, ParameterTimeoutMs)) return false;
      std::string Name = PointName;
      if (!ParseReply(Reply, Name, &FUpdateInfo.Values)) continue;
      // The echo "NAME:i" leaves an empty first entry: it stands for the point asked for.
      auto& V = FUpdateInfo.Values;
      if (!V.empty() && V.front().empty()) {
        V.erase(V.begin());
        if (V.size() == 2) V.insert(V.begin(), std::to_string(I));
      }
      FUpdateInfo.CmdName = Cmd->Name;
      ApplyUpdateInfo();
    }
    return true;
  }
  if (!SendCommand(Cmd->Name + CR, Cmd->Name, Prompt, Reply, ParameterTimeoutMs)) return false;
  std::string Name;
  if (!ParseReply(Reply, Name, &FUpdateInfo.Values)) return false;
  FUpdateInfo.CmdName = Name;
  ApplyUpdateInfo();
  return true;
}

void TVDXModCommProt::ApplyUpdateInfo() {
  TModCtrlCommand* Cmd = FLists.CmdList.FindCtrl(FUpdateInfo.CmdName);
  if (!Cmd) return;
  ApplyValueTexts(*Cmd, FUpdateInfo.Values);
  Cmd->DoChange();
}

bool TVDXModCommProt::ReadAllParameters() {
  std::lock_guard Lock(FExchangeLock);
  bool Result = FLists.CmdList.Count() > 0;
  for (int I = 0; I < FLists.CmdList.Count() && Result; ++I) {
    auto* Cmd = dynamic_cast<TModCtrlCommand*>(FLists.CmdList.Objects(I));
    if (Cmd && Cmd->IsReadable() && Cmd->Type != ctNoPara) Result = ReadParameter(Cmd);
  }
  return Result;
}

bool TVDXModCommProt::ProbeRemoteCtrl(bool& Active) {
  Active = false;
  std::vector<std::string> Values;
  std::string Reply;
  if (SendCommand("REMOTE" + CR, "REMOTE", Prompt, Reply, ShortTimeoutMs) &&
      ParseReplyValues(Reply, Values))
    return false;
  bool Mode;
  if (!SendCommand("RC:M" + CR, "RC:M", Prompt, Reply, ShortTimeoutMs) ||
      !ParseReplyValues(Reply, Values) || Values.size() != 1 || !ReadBooleanText(Values[0], Mode))
    return false;
  Active = Mode;
  return true;
}

bool TVDXModCommProt::ParseModuleId(const std::string& IdText, std::string& ModuleName) {
  ModuleName.clear();
  const auto Entries = SplitCommaText(TrimControl(IdText));
  if (Entries.size() < 4) return false;
  ModuleName = Entries[0];
  return true;
}

void TVDXModCommProt::GetModuleName(std::string& Name) const { ParseModuleId(FModuleId, Name); }

bool TVDXModCommProt::CheckModuleId() {
  std::string Reply;
  if (!SendCommand("ID" + CR, "ID", Prompt, Reply, CheckIdTimeoutMs)) return false;
  return IdTextOfReply(Reply) == FModuleId;
}

bool TVDXModCommProt::PasswordSupported() {
  std::string Reply;
  return PortOpen() && SendCommand("PASSWORD" + CR, "", Prompt, Reply, ShortTimeoutMs) &&
         Reply.find("command error") == std::string::npos;
}

bool TVDXModCommProt::SendPassword(const std::string& Password) {
  std::string Reply;
  return PortOpen() &&
         SendCommand("PASSWORD " + Password + CR, "", Prompt, Reply, ShortTimeoutMs) &&
         Reply.find("OK") != std::string::npos;
}

}  // namespace vdx
