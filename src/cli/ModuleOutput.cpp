#include "cli/ModuleOutput.h"

#include <bit>
#include <cstdio>

#include "cli/Json.h"
#include "cli/ParameterOutput.h"
#include "cli/TextTable.h"
#include "comm/TextUtil.h"

namespace vdx::cli {

namespace {

std::string AccessText(uint8_t AType) {
  switch (AType) {
    case 1:
      return "w";
    case 2:
      return "r";
    case 3:
      return "rw";
    default:
      return std::to_string(AType);
  }
}

// Group names when there are few, else the code: a command in every group stays readable.
std::string GroupsText(const TModBaseCommand& Cmd) {
  if (std::popcount(Cmd.GCode) <= 3) {
    std::string Text;
    Cmd.GetGroupNames(Text);
    return Text;
  }
  char Code[32];
  std::snprintf(Code, sizeof Code, "0x%04X (%d groups)", Cmd.GCode, std::popcount(Cmd.GCode));
  return Code;
}

std::string CurvePointsText(const TModCCParaCmd& Curve) {
  std::string Text;
  for (int I = TModCCParaCmd::FirstPoint; I <= TModCCParaCmd::LastPoint; ++I) {
    TCurvePoint Pt;
    Curve.GetPoint(I, Pt);
    const int Column = I - TModCCParaCmd::FirstPoint;
    Text += (Column == 0       ? ""
             : Column % 7 == 0 ? "\n  "
                               : "  ") +
            std::to_string(I) + ": (" + std::to_string(Pt.X) + ", " + std::to_string(Pt.Y) + ")";
  }
  return Text;
}

void PrintJson(TVDXModCommProt& P, uint16_t AccessCode, bool Online) {
  std::string ModuleName;
  P.GetModuleName(ModuleName);
  TJsonWriter J;
  J.BeginObject();
  J.Key("id").Value(P.ModuleId()).Key("module").Value(ModuleName);
  J.Key("baud");
  if (Online)
    J.Value(BaudrateBps(P.BaudRate()));
  else
    J.Null();
  J.Key("accessCode").Value(static_cast<int>(AccessCode));
  J.Key("remoteSupported")
      .Value(P.RemoteCtrlSupported())
      .Key("remoteActive")
      .Value(P.RemoteCtrlActive());
  J.Key("parameters").BeginArray();
  for (int I = 0; I < P.CmdList().Count(); ++I)
    if (auto* Cmd = P.CmdList().Items(I)) WriteParameterJson(J, *Cmd);
  J.EndArray();
  J.Key("processData").BeginArray();
  for (int I = 0; I < P.ProcessData().Count(); ++I) {
    const auto* Cmd = P.ProcessData().Items(I);
    J.BeginObject().Key("name").Value(Cmd->Name).Key("unit").Value(Cmd->PhysUnit);
    J.Key("factor")
        .Value(static_cast<int64_t>(Cmd->CompFactor))
        .Key("help")
        .Value(Cmd->Help)
        .EndObject();
  }
  J.EndArray();
  J.Key("statusBits").BeginArray();
  for (int I = 0; I < P.StatusInfo().Count(); ++I) {
    const auto* Bit = P.StatusInfo().Items(I);
    J.BeginObject().Key("name").Value(Bit->Name).Key("bit").Value(static_cast<int>(Bit->BIndex));
    J.Key("active").Value(Bit->BActive).Key("inverted").Value(Bit->BInvers);
    J.Key("color").Value(static_cast<int>(Bit->BColor)).Key("hint").Value(Bit->BitHint).EndObject();
  }
  J.EndArray();
  J.Key("remoteInputs").BeginArray();
  for (int I = 0; I < P.RemoteCtrlList().Count(); ++I) {
    const auto* In = P.RemoteCtrlList().Items(I);
    J.BeginObject().Key("name").Value(In->Name).Key("pin").Value(In->PinCode());
    J.Key("min")
        .Value(static_cast<int64_t>(In->Min))
        .Key("max")
        .Value(static_cast<int64_t>(In->Max));
    J.Key("value").Value(static_cast<int64_t>(In->Val)).EndObject();
  }
  J.EndArray();
  J.EndObject();
  std::printf("%s\n", J.Text().c_str());
}

void PrintReadable(TVDXModCommProt& P, uint16_t AccessCode, bool Online) {
  char Code[16];
  std::snprintf(Code, sizeof Code, "0x%04X", AccessCode);
  std::printf("ID:             %s\n", Latin1ToUtf8(P.ModuleId()).c_str());
  if (Online)
    std::printf("Baud rate:      %d bit/s\n", BaudrateBps(P.BaudRate()));
  else
    std::printf("Baud rate:      offline\n");
  std::printf("Access code:    %s\n", Code);
  std::printf("Remote control: %s\n", !P.RemoteCtrlSupported() ? "not supported"
                                      : P.RemoteCtrlActive()   ? "on"
                                                               : "off");

  std::printf("\nParameters\n");
  TTextTable Params({"NAME", "TYPE", "ACCESS", "GROUPS", "MIN", "MAX", "VALUE"});
  for (int I = 0; I < P.CmdList().Count(); ++I) {
    const auto* Cmd = P.CmdList().Items(I);
    const auto* Ctrl = dynamic_cast<const TModCtrlCommand*>(Cmd);
    std::string Value = ValueText(*Cmd);
    if (auto* Text = dynamic_cast<const TModTextParaCmd*>(Cmd))
      Value += "  [" + JoinTexts(Text->VList, "|") + "]";
    Params.AddRow({Cmd->Name, CmdTypeName(Cmd->Type), AccessText(Cmd->AType), GroupsText(*Cmd),
                   Ctrl ? std::to_string(Ctrl->Min) : "", Ctrl ? std::to_string(Ctrl->Max) : "",
                   Value});
  }
  Params.Print(stdout);
  for (int I = 0; I < P.CmdList().Count(); ++I)
    if (auto* Curve = dynamic_cast<const TModCCParaCmd*>(P.CmdList().Items(I)))
      std::printf("\nCurve %s\n  %s\n", Latin1ToUtf8(Curve->Name).c_str(),
                  CurvePointsText(*Curve).c_str());

  std::printf("\nProcess values\n");
  TTextTable Proc({"NAME", "UNIT", "FACTOR", "HELP"});
  for (int I = 0; I < P.ProcessData().Count(); ++I) {
    const auto* Cmd = P.ProcessData().Items(I);
    Proc.AddRow({Cmd->Name, Cmd->PhysUnit, std::to_string(Cmd->CompFactor), Cmd->Help});
  }
  Proc.Print(stdout);

  std::printf("\nStatus bits\n");
  static const char* const Colors[] = {"-", "red", "green", "yellow"};
  TTextTable Bits({"NAME", "BIT", "INVERTED", "COLOR", "HINT"});
  for (int I = 0; I < P.StatusInfo().Count(); ++I) {
    const auto* Bit = P.StatusInfo().Items(I);
    Bits.AddRow({Bit->Name, std::to_string(Bit->BIndex), Bit->BInvers ? "yes" : "no",
                 Colors[Bit->BColor & 3], Bit->BitHint});
  }
  Bits.Print(stdout);

  std::printf("\nRemote inputs\n");
  TTextTable Inputs({"NAME", "PIN", "MIN", "MAX", "VALUE"});
  for (int I = 0; I < P.RemoteCtrlList().Count(); ++I) {
    const auto* In = P.RemoteCtrlList().Items(I);
    Inputs.AddRow({In->Name, In->PinName(), std::to_string(In->Min), std::to_string(In->Max),
                   std::to_string(In->Val)});
  }
  Inputs.Print(stdout);
}

}  // namespace

void PrintModule(TVDXModCommProt& Prot, uint16_t AccessCode, bool Online, bool Json) {
  if (Json)
    PrintJson(Prot, AccessCode, Online);
  else
    PrintReadable(Prot, AccessCode, Online);
}

}  // namespace vdx::cli
