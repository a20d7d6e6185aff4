#include "cli/ParameterOutput.h"

#include <vector>

namespace vdx::cli {

namespace {

std::vector<std::string> GroupList(const TModBaseCommand& Cmd) {
  std::vector<std::string> Names;
  for (int Bit = 0; Bit < 16; ++Bit)
    if (Cmd.GCode & (1u << Bit)) Names.push_back(GroupName(Bit));
  return Names;
}

}  // namespace

std::string ValueText(const TModBaseCommand& Cmd) {
  std::string Text;
  Cmd.GetValueText(Text);
  return Text;
}

std::string ValueLines(const TModBaseCommand& Cmd) {
  auto* Curve = dynamic_cast<const TModCCParaCmd*>(&Cmd);
  if (!Curve) return ValueText(Cmd) + "\n";
  std::string Text;
  for (int I = TModCCParaCmd::FirstPoint; I <= TModCCParaCmd::LastPoint; ++I) {
    TCurvePoint Pt;
    Curve->GetPoint(I, Pt);
    Text += std::to_string(I) + " " + std::to_string(Pt.X) + " " + std::to_string(Pt.Y) + "\n";
  }
  return Text;
}

void WriteParameterJson(TJsonWriter& J, const TModBaseCommand& Cmd) {
  J.BeginObject();
  J.Key("name").Value(Cmd.Name).Key("type").Value(CmdTypeName(Cmd.Type));
  J.Key("access")
      .Value(static_cast<int>(Cmd.AType))
      .Key("valueType")
      .Value(static_cast<int>(Cmd.VType));
  J.Key("groups").StringArray(GroupList(Cmd));
  if (auto* Ctrl = dynamic_cast<const TModCtrlCommand*>(&Cmd)) {
    J.Key("min")
        .Value(static_cast<int64_t>(Ctrl->Min))
        .Key("max")
        .Value(static_cast<int64_t>(Ctrl->Max));
    J.Key("values").StringArray(Ctrl->VList);
  }
  J.Key("help").Value(Cmd.Help).Key("value").Value(ValueText(Cmd));
  if (auto* Curve = dynamic_cast<const TModCCParaCmd*>(&Cmd)) {
    J.Key("points").BeginArray();
    for (int I = TModCCParaCmd::FirstPoint; I <= TModCCParaCmd::LastPoint; ++I) {
      TCurvePoint Pt;
      Curve->GetPoint(I, Pt);
      J.BeginArray().Value(static_cast<int64_t>(Pt.X)).Value(static_cast<int64_t>(Pt.Y)).EndArray();
    }
    J.EndArray();
  }
  if (auto* Ain = dynamic_cast<const TModAinParaCmd*>(&Cmd)) {
    J.Key("a").Value(static_cast<int64_t>(Ain->A)).Key("b").Value(static_cast<int64_t>(Ain->B));
    J.Key("c").Value(static_cast<int64_t>(Ain->C)).Key("x").Value(static_cast<int>(Ain->X));
  }
  J.EndObject();
}

}  // namespace vdx::cli
