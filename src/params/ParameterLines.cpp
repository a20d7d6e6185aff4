#include "params/ParameterLines.h"

#include "comm/ColumnText.h"
#include "comm/ModCommands.h"

namespace vdx {

namespace {

constexpr size_t LineWidth = 25;
constexpr size_t ValueColumn = 19;  // where curve point and analogue texts start

// A line of 25 blanks with Key written over it from column 1.
std::string KeyLine(const std::string& Key) {
  std::string Line(LineWidth, ' ');
  Line.replace(0, Key.size(), Key);
  return Line;
}

// Replaces the columns from 19 on by Text (the line is padded to reach them).
std::string WithColumnText(std::string Line, const std::string& Text) {
  if (Line.size() < ValueColumn - 1 + Text.size()) Line.resize(ValueColumn - 1 + Text.size(), ' ');
  return Line.replace(ValueColumn - 1, Text.size(), Text);
}

}  // namespace

std::vector<std::string> ParameterLines(const TModBaseCommand& Cmd) {
  std::string Value;
  switch (Cmd.Type) {
    case ctTextPara:
    case ctNumPara:
      Cmd.GetValueText(Value);
      return {PlaceText(KeyLine(Cmd.Name), Value, static_cast<int>(LineWidth) - 1)};
    case ctAinPara:
      Cmd.GetValueText(Value);
      return {WithColumnText(KeyLine(Cmd.Name), Value)};
    case ctCCPara:
      if (auto* Curve = dynamic_cast<const TModCCParaCmd*>(&Cmd)) {
        std::vector<std::string> Lines;
        for (int K = TModCCParaCmd::FirstPoint; K <= TModCCParaCmd::LastPoint; ++K) {
          Curve->GetPointText(K, Value);
          Lines.push_back(WithColumnText(KeyLine(Cmd.Name + ":" + std::to_string(K)), Value));
        }
        return Lines;
      }
      return {};
    default:
      return {};
  }
}

}  // namespace vdx
