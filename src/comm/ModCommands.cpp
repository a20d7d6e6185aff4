#include "comm/ModCommands.h"

#include <cstdio>

#include "comm/ColumnText.h"
#include "comm/TextUtil.h"

namespace vdx {

std::string CmdTypeName(uint8_t Type) {
  static const char* const Names[] = {"ProzessPara", "TextPara", "NumPara", "Dummy1",
                                      "InPara",      "NoPara",   "CCPara",  "AinPara",
                                      "AinSPara",    "LPara",    "InfoPara", "RemoteCtrlPara"};
  return Type < std::size(Names) ? Names[Type] : "";
}

std::string GroupName(int Bit) {
  static const char* const Names[] = {"NewTab",    "NewData",   "All",       "Appli",
                                      "PLX",       "Basic",     "X.A.VO.",   "Password",
                                      "Pressure",  "Special",   "FreeBit10", "FreeBit11",
                                      "FreeBit12", "FreeBit13", "FreeBit14", "FreeBit15"};
  return Bit >= 0 && Bit < 16 ? Names[Bit] : "";
}

std::unique_ptr<TModBaseCommand> CreateCommand(uint8_t Type) {
  switch (Type) {
    case ctProzessPara: return std::make_unique<TModProcCommand>();
    case ctTextPara: return std::make_unique<TModTextParaCmd>();
    case ctNumPara: return std::make_unique<TModNumParaCmd>();
    case ctInPara:
    case ctNoPara:
    case ctAinSPara:
    case ctLPara: return std::make_unique<TModCtrlCommand>(Type);
    case ctCCPara: return std::make_unique<TModCCParaCmd>();
    case ctAinPara: return std::make_unique<TModAinParaCmd>();
    case ctInfoPara: return std::make_unique<TModStatusBitCommand>();
    case ctRemoteCtrlPara: return std::make_unique<TModRemoteCtrlCmd>();
    default: return nullptr;
  }
}

// --- TModBaseCommand

void TModBaseCommand::AssignTo(TModBaseCommand& Dest) const {
  if (Dest.Type != Type) return;
  Dest.AType = AType;
  Dest.Name = Name;
  Dest.Help = Help;
  Dest.GCode = GCode;
  Dest.VType = VType;
}

std::unique_ptr<TModBaseCommand> TModBaseCommand::Clone() const {
  if (Type == ctInfoPara || Type == ctRemoteCtrlPara) return nullptr;
  auto Copy = CreateCommand(Type);
  if (Copy) AssignTo(*Copy);
  return Copy;
}

void TModBaseCommand::GetGroupNames(std::string& Text) const {
  std::vector<std::string> Names;
  for (int Bit = 0; Bit < 16; ++Bit)
    if (GCode & (1u << Bit)) Names.push_back(GroupName(Bit));
  Text = JoinTexts(Names, ", ");
}

// --- TModCtrlCommand

void TModCtrlCommand::GetValueText(std::string& Text) const { Text.clear(); }

void TModCtrlCommand::AssignTo(TModBaseCommand& Dest) const {
  TModBaseCommand::AssignTo(Dest);
  if (Dest.Type != Type) return;
  auto& D = static_cast<TModCtrlCommand&>(Dest);
  D.Min = Min;
  D.Max = Max;
  D.VList = VList;
}

// --- TModTextParaCmd

void TModTextParaCmd::SetText(const std::string& S) {
  Txt.clear();
  for (const auto& Entry : VList)
    if (SameTextNoCase(Entry, S)) {
      Txt = S;
      return;
    }
}

void TModTextParaCmd::GetValueText(std::string& Text) const { Text = Txt; }

void TModTextParaCmd::AssignTo(TModBaseCommand& Dest) const {
  TModCtrlCommand::AssignTo(Dest);
  if (Dest.Type == Type) static_cast<TModTextParaCmd&>(Dest).SetText(Txt);
}

// --- TModNumParaCmd

void TModNumParaCmd::GetPercentText(std::string& Text) const {
  char Buf[32];
  std::snprintf(Buf, sizeof Buf, "%.2f", Val / 100.0);
  Text = Buf;
}

void TModNumParaCmd::GetValueText(std::string& Text) const { Text = std::to_string(Val); }

void TModNumParaCmd::AssignTo(TModBaseCommand& Dest) const {
  TModCtrlCommand::AssignTo(Dest);
  if (Dest.Type == Type) static_cast<TModNumParaCmd&>(Dest).Val = Val;
}

// --- TModAinParaCmd

void TModAinParaCmd::GetValueText(std::string& Text) const {
  std::string Line(22, ' ');
  Line = PlaceText(Line, std::to_string(A), 6);
  Line = PlaceText(Line, std::to_string(B), 13);
  Line = PlaceText(Line, std::to_string(C), 20);
  Line = PlaceText(Line, X < AinKindLetters().size() ? AinKindLetters()[X] : "", 22);
  Text = Line;
}

void TModAinParaCmd::AssignTo(TModBaseCommand& Dest) const {
  TModCtrlCommand::AssignTo(Dest);
  if (Dest.Type != Type) return;
  auto& D = static_cast<TModAinParaCmd&>(Dest);
  D.A = A;
  D.B = B;
  D.C = C;
  D.X = X;
}

// --- TModCCParaCmd

bool TModCCParaCmd::GetPoint(int I, TCurvePoint& Pt) const {
  if (I < FirstPoint || I > LastPoint) return false;
  Pt = FPoints[static_cast<size_t>(I - FirstPoint)];
  return true;
}

bool TModCCParaCmd::SetPoint(int I, const TCurvePoint& Pt) {
  if (I < FirstPoint || I > LastPoint) return false;
  FPoints[static_cast<size_t>(I - FirstPoint)] = Pt;
  return true;
}

void TModCCParaCmd::GetPointText(int I, std::string& Text) const {
  TCurvePoint Pt;
  GetPoint(I, Pt);
  std::string Line(13, ' ');
  Line = PlaceText(Line, std::to_string(Pt.X), 6);
  Text = PlaceText(Line, std::to_string(Pt.Y), 13);
}

void TModCCParaCmd::GetValueText(std::string& Text) const { Text = "characteristic curve"; }

void TModCCParaCmd::AssignTo(TModBaseCommand& Dest) const {
  TModCtrlCommand::AssignTo(Dest);
  if (Dest.Type == Type) static_cast<TModCCParaCmd&>(Dest).FPoints = FPoints;
}

// --- TModRemoteCtrlCmd

int TModRemoteCtrlCmd::PinCode() const {
  static const char* const InputNames[] = {"RC:910", "RC:6", "RC:13", "RC:14", "RC:29"};
  for (int I = 0; I < 5; ++I)
    if (Name == InputNames[I]) return I + 1;
  return 0;
}

std::string TModRemoteCtrlCmd::PinName() const { return PinNames()[PinCode()]; }

void TModRemoteCtrlCmd::GetValueText(std::string& Text) const { Text = std::to_string(Val); }

void TModRemoteCtrlCmd::AssignTo(TModBaseCommand& Dest) const {
  TModCtrlCommand::AssignTo(Dest);
  if (Dest.Type == Type) static_cast<TModRemoteCtrlCmd&>(Dest).Val = Val;
}

// --- TModProcCommand

double TModProcCommand::Scaled(int32_t Raw) const {
  return CompFactor == 0 ? Raw : static_cast<double>(Raw) / CompFactor;
}

void TModProcCommand::GetValueText(std::string& Text) const {
  char Buf[48];
  std::snprintf(Buf, sizeof Buf, "%1.2f", Scaled(Value));
  Text = Buf;
}

void TModProcCommand::AssignTo(TModBaseCommand& Dest) const {
  TModBaseCommand::AssignTo(Dest);
  if (Dest.Type != Type) return;
  auto& D = static_cast<TModProcCommand&>(Dest);
  D.CompFactor = CompFactor;
  D.PhysUnit = PhysUnit;
}

// --- TModStatusBitCommand

bool TModStatusBitCommand::IsActive() const {
  const bool Set = BIndex < 16 && (StatusWord >> BIndex) & 1u;
  return Set != BInvers;
}

void TModStatusBitCommand::GetDisplayName(std::string& Text) const {
  const auto Colon = Name.find(':');
  Text = Colon == std::string::npos ? Name : Name.substr(Colon + 1);
}

void TModStatusBitCommand::GetValueText(std::string& Text) const {
  Text = std::to_string(StatusWord);
}

void TModStatusBitCommand::AssignTo(TModBaseCommand& Dest) const {
  TModBaseCommand::AssignTo(Dest);
  if (Dest.Type != Type) return;
  auto& D = static_cast<TModStatusBitCommand&>(Dest);
  D.BActive = BActive;
  D.StatusWord = StatusWord;
  D.BIndex = BIndex;
  D.BitHint = BitHint;
  D.BInvers = BInvers;
  D.BColor = BColor;
}

}  // namespace vdx
