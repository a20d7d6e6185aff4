#include "params/VdxCmdElements.h"

#include <optional>

#include "comm/IntegerText.h"
#include "comm/TextUtil.h"
#include "params/XmlNodes.h"

namespace vdx {

using xml::GetAttr;
using xml::SetAttr;

namespace {

// Narrow fields are written as unsigned decimals: GCode 0xFFBC as 65468.
void SetInt(xmlNodePtr N, const char* Name, long long V) { SetAttr(N, Name, std::to_string(V)); }
void SetBool(xmlNodePtr N, const char* Name, bool V) { SetAttr(N, Name, V ? "True" : "False"); }

std::string PointAttr(char Coord, int K) { return std::string(1, Coord) + std::to_string(K); }

void ReadText(xmlNodePtr N, const char* Name, std::string& Target) {
  if (auto V = GetAttr(N, Name)) Target = *V;
}

std::optional<int32_t> ReadInt(xmlNodePtr N, const char* Name) {
  int32_t V;
  auto Text = GetAttr(N, Name);
  if (Text && TryStrToInt(*Text, V)) return V;
  return std::nullopt;
}

// Integer rule; 8- and 16-bit fields keep the low bits.
template <class I>
void ReadInt(xmlNodePtr N, const char* Name, I& Target) {
  if (auto V = ReadInt(N, Name)) Target = static_cast<I>(*V);
}

// "True"/"False" in any case, or a number (0 false, others true).
void ReadBool(xmlNodePtr N, const char* Name, bool& Target) {
  auto Text = GetAttr(N, Name);
  int32_t V;
  if (!Text) return;
  if (SameTextNoCase(*Text, "True"))
    Target = true;
  else if (SameTextNoCase(*Text, "False"))
    Target = false;
  else if (TryStrToInt(*Text, V))
    Target = V != 0;
}

// Trimmed, then split at each "|"; items keep their blanks, adjacent bars give an empty item.
std::vector<std::string> SplitVList(const std::string& Text) {
  std::vector<std::string> Items;
  const std::string T = TrimControl(Text);
  if (T.empty()) return Items;
  size_t Pos = 0;
  for (size_t Bar; (Bar = T.find('|', Pos)) != std::string::npos; Pos = Bar + 1)
    Items.push_back(T.substr(Pos, Bar - Pos));
  Items.push_back(T.substr(Pos));
  return Items;
}

std::optional<uint8_t> ReadType(xmlNodePtr N) {
  if (auto V = ReadInt(N, "Type")) return static_cast<uint8_t>(*V);
  return std::nullopt;
}

void WriteValues(xmlNodePtr Para, const TModCtrlCommand& Cmd) {
  if (auto* Text = dynamic_cast<const TModTextParaCmd*>(&Cmd)) {
    SetAttr(Para, "Txt", Text->Txt);
  } else if (auto* Num = dynamic_cast<const TModNumParaCmd*>(&Cmd)) {
    SetInt(Para, "Val", Num->Val);
  } else if (auto* Curve = dynamic_cast<const TModCCParaCmd*>(&Cmd)) {
    for (int K = 0; K <= 20; ++K) {
      TCurvePoint Pt;
      Curve->GetPoint(K + TModCCParaCmd::FirstPoint, Pt);
      SetInt(Para, PointAttr('X', K).c_str(), Pt.X);
      SetInt(Para, PointAttr('Y', K).c_str(), Pt.Y);
    }
  } else if (auto* Ain = dynamic_cast<const TModAinParaCmd*>(&Cmd)) {
    SetInt(Para, "A", Ain->A);
    SetInt(Para, "B", Ain->B);
    SetInt(Para, "C", Ain->C);
    SetInt(Para, "X", Ain->X);
  }
}

}  // namespace

void WriteParamElement(xmlNodePtr Commands, const TModBaseCommand* Cmd) {
  xmlNodePtr E = xml::AppendElement(Commands, "CCmd");
  auto* Ctrl = dynamic_cast<const TModCtrlCommand*>(Cmd);
  if (!Ctrl || Ctrl->Type == ctNoPara) return;
  SetAttr(E, "Name", Ctrl->Name);
  SetInt(E, "Type", Ctrl->Type);
  SetInt(E, "AType", Ctrl->AType);
  SetAttr(E, "VList", JoinTexts(Ctrl->VList, "|"));
  SetInt(E, "VType", Ctrl->VType);
  SetInt(E, "GCode", Ctrl->GCode);
  SetInt(E, "Min", Ctrl->Min);
  SetInt(E, "Max", Ctrl->Max);
  SetAttr(E, "Help", Ctrl->Help);
  WriteValues(xml::AppendElement(E, "Para"), *Ctrl);
}

void WriteProcElement(xmlNodePtr Section, const TModProcCommand& Cmd) {
  xmlNodePtr E = xml::AppendElement(Section, "PCmd");
  SetAttr(E, "Name", Cmd.Name);
  SetInt(E, "Type", ctProzessPara);
  SetInt(E, "AType", Cmd.AType);
  SetAttr(E, "PhysUnit", Cmd.PhysUnit);
  SetInt(E, "VType", Cmd.VType);
  SetInt(E, "GCode", Cmd.GCode);
  SetInt(E, "CompFactor", Cmd.CompFactor);
  SetAttr(E, "Help", Cmd.Help);
}

void WriteStatusElement(xmlNodePtr Section, const TModStatusBitCommand& Cmd) {
  xmlNodePtr E = xml::AppendElement(Section, "SCmd");
  SetAttr(E, "Name", Cmd.Name);
  SetInt(E, "Type", ctInfoPara);
  SetInt(E, "AType", Cmd.AType);
  SetInt(E, "GCode", Cmd.GCode);
  SetInt(E, "BIndex", Cmd.BIndex);
  SetBool(E, "BActive", Cmd.BActive);
  SetBool(E, "BInvers", Cmd.BInvers);
  SetInt(E, "BColor", Cmd.BColor);
  SetAttr(E, "Help", Cmd.BitHint);
}

void WriteRemoteElement(xmlNodePtr Section, const TModRemoteCtrlCmd& Cmd) {
  xmlNodePtr E = xml::AppendElement(Section, "RCmd");
  SetAttr(E, "Name", Cmd.Name);
  SetInt(E, "Type", ctRemoteCtrlPara);
  SetInt(E, "AType", Cmd.AType);
  SetInt(E, "VType", Cmd.VType);
  SetInt(E, "GCode", Cmd.GCode);
  SetAttr(E, "Help", Cmd.Help);
}

std::unique_ptr<TModCtrlCommand> TVdxElementReader::ReadParam(xmlNodePtr CCmd) {
  const auto Type = ReadType(CCmd);
  if (!Type) return nullptr;
  std::unique_ptr<TModCtrlCommand> Cmd;
  switch (*Type) {
    case ctTextPara:
      Cmd = std::make_unique<TModTextParaCmd>();
      break;
    case ctNumPara:
      Cmd = std::make_unique<TModNumParaCmd>();
      break;
    case ctCCPara:
      Cmd = std::make_unique<TModCCParaCmd>();
      break;
    case ctAinPara:
      Cmd = std::make_unique<TModAinParaCmd>();
      break;
    default:
      return nullptr;
  }
  ReadText(CCmd, "Name", Cmd->Name);
  ReadInt(CCmd, "AType", Cmd->AType);
  ReadInt(CCmd, "VType", Cmd->VType);
  ReadInt(CCmd, "GCode", Cmd->GCode);
  ReadInt(CCmd, "Min", Cmd->Min);
  ReadInt(CCmd, "Max", Cmd->Max);
  ReadText(CCmd, "Help", Cmd->Help);
  if (auto VList = GetAttr(CCmd, "VList")) Cmd->VList = SplitVList(*VList);
  if (xmlNodePtr Para = xml::FirstDescendant(CCmd, "Para")) ReadValues(Para, *Cmd);
  return Cmd;
}

void TVdxElementReader::ReadValues(xmlNodePtr Para, TModCtrlCommand& Cmd) {
  if (auto* Text = dynamic_cast<TModTextParaCmd*>(&Cmd)) {
    if (auto Txt = GetAttr(Para, "Txt")) Text->SetText(*Txt);
  } else if (auto* Num = dynamic_cast<TModNumParaCmd*>(&Cmd)) {
    ReadInt(Para, "Val", Num->Val);
  } else if (auto* Curve = dynamic_cast<TModCCParaCmd*>(&Cmd)) {
    for (int K = 0; K <= 20; ++K) {
      ReadInt(Para, PointAttr('X', K).c_str(), FLast.X);
      ReadInt(Para, PointAttr('Y', K).c_str(), FLast.Y);
      Curve->SetPoint(K + TModCCParaCmd::FirstPoint, FLast);
    }
  } else if (auto* Ain = dynamic_cast<TModAinParaCmd*>(&Cmd)) {
    ReadInt(Para, "A", Ain->A);
    ReadInt(Para, "B", Ain->B);
    ReadInt(Para, "C", Ain->C);
    ReadInt(Para, "X", Ain->X);
  }
}

std::unique_ptr<TModProcCommand> TVdxElementReader::ReadProc(xmlNodePtr PCmd) {
  if (ReadType(PCmd) != ctProzessPara) return nullptr;
  auto Cmd = std::make_unique<TModProcCommand>();
  ReadText(PCmd, "Name", Cmd->Name);
  ReadInt(PCmd, "AType", Cmd->AType);
  ReadInt(PCmd, "VType", Cmd->VType);
  ReadInt(PCmd, "GCode", Cmd->GCode);
  ReadText(PCmd, "PhysUnit", Cmd->PhysUnit);
  ReadInt(PCmd, "CompFactor", Cmd->CompFactor);
  ReadText(PCmd, "Help", Cmd->Help);
  return Cmd;
}

std::unique_ptr<TModStatusBitCommand> TVdxElementReader::ReadStatus(xmlNodePtr SCmd) {
  if (ReadType(SCmd) != ctInfoPara) return nullptr;
  auto Cmd = std::make_unique<TModStatusBitCommand>();
  ReadText(SCmd, "Name", Cmd->Name);
  ReadInt(SCmd, "AType", Cmd->AType);
  ReadInt(SCmd, "BIndex", Cmd->BIndex);
  ReadInt(SCmd, "GCode", Cmd->GCode);
  ReadBool(SCmd, "BActive", Cmd->BActive);
  ReadBool(SCmd, "BInvers", Cmd->BInvers);
  ReadInt(SCmd, "BColor", Cmd->BColor);
  ReadText(SCmd, "Help", Cmd->BitHint);
  return Cmd;
}

std::unique_ptr<TModRemoteCtrlCmd> TVdxElementReader::ReadRemote(xmlNodePtr RCmd) {
  if (ReadType(RCmd) != ctRemoteCtrlPara) return nullptr;
  auto Cmd = std::make_unique<TModRemoteCtrlCmd>();
  ReadText(RCmd, "Name", Cmd->Name);
  ReadInt(RCmd, "AType", Cmd->AType);
  ReadInt(RCmd, "VType", Cmd->VType);
  ReadInt(RCmd, "GCode", Cmd->GCode);
  ReadText(RCmd, "Help", Cmd->Help);
  return Cmd;
}

}  // namespace vdx
