#include "comm/CmdValues.h"

#include "comm/IntegerText.h"
#include "comm/ModCommands.h"
#include "comm/TextUtil.h"

namespace vdx {

namespace {

bool SingleInteger(const std::vector<std::string>& V, int32_t& Value) {
  return V.size() == 1 && TryStrToInt(V[0], Value);
}

void ApplyAin(TModAinParaCmd& Ain, const std::vector<std::string>& V) {
  int32_t* const Targets[] = {&Ain.A, &Ain.B, &Ain.C};
  for (size_t I = 0; I < 3 && I < V.size(); ++I) TryStrToInt(V[I], *Targets[I]);
  // A reply without the kind entry leaves the kind as it is.
  if (V.size() > 3) {
    const std::string& K = V[3];
    Ain.X = (K == "C" || K == "c" || K == "I" || K == "i") ? 1 : 0;
  }
}

}  // namespace

void ApplyValueTexts(TModCtrlCommand& Cmd, const std::vector<std::string>& V) {
  int32_t N;
  if (auto* Text = dynamic_cast<TModTextParaCmd*>(&Cmd)) {
    if (V.size() == 1) Text->SetText(V[0]);
  } else if (auto* Num = dynamic_cast<TModNumParaCmd*>(&Cmd)) {
    if (SingleInteger(V, N)) Num->Val = N;
  } else if (auto* Curve = dynamic_cast<TModCCParaCmd*>(&Cmd)) {
    int32_t I, X, Y;
    if (V.size() == 3 && TryStrToInt(V[0], I) && TryStrToInt(V[1], X) && TryStrToInt(V[2], Y))
      Curve->SetPoint(I, {X, Y});
  } else if (auto* Ain = dynamic_cast<TModAinParaCmd*>(&Cmd)) {
    if (!V.empty()) ApplyAin(*Ain, V);
  } else if (auto* Input = dynamic_cast<TModRemoteCtrlCmd*>(&Cmd)) {
    if (SingleInteger(V, N)) Input->Val = N;
  }
}

bool ReadBooleanText(const std::string& Text, bool& Value) {
  int32_t N;
  if (TryStrToInt(Text, N)) {
    Value = N != 0;
    return true;
  }
  if (SameTextNoCase(Text, "True") || SameTextNoCase(Text, "False")) {
    Value = SameTextNoCase(Text, "True");
    return true;
  }
  return false;
}

}  // namespace vdx
