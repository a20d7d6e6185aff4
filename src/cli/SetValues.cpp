#include "cli/SetValues.h"

#include <sstream>

#include "comm/IntegerText.h"
#include "comm/TextUtil.h"

namespace vdx::cli {

namespace {

std::vector<std::string> Words(const std::vector<std::string>& Args) {
  std::vector<std::string> Result;
  for (const auto& A : Args) {
    std::istringstream In(A);
    for (std::string W; In >> W;) Result.push_back(W);
  }
  return Result;
}

std::string RangeText(const TModCtrlCommand& Cmd) {
  return std::to_string(Cmd.Min) + ".." + std::to_string(Cmd.Max);
}

// An integer within the parameter's Min..Max; What names the number in the message.
std::string CheckNumber(const TModCtrlCommand& Cmd, const std::string& Text,
                        const std::string& What) {
  int32_t N;
  if (!TryStrToInt(Text, N)) return "'" + Text + "' is not an integer";
  if (N < Cmd.Min || N > Cmd.Max)
    return What + " " + Text + " is outside the range " + RangeText(Cmd) + " of " + Cmd.Name;
  return "";
}

std::string CheckText(const TModTextParaCmd& Cmd, const std::vector<std::string>& Args,
                      std::vector<std::string>& Values) {
  const std::string List = JoinTexts(Cmd.VList, "|");
  if (Args.size() != 1) return Cmd.Name + " takes one text (quote a text with blanks): " + List;
  for (const auto& Entry : Cmd.VList)
    if (SameTextNoCase(Entry, Args[0])) {
      Values = {Entry};
      return "";
    }
  return "'" + Args[0] + "' is not a value of " + Cmd.Name + ": " + List;
}

std::string CheckCurve(const TModCCParaCmd& Cmd, const std::vector<std::string>& W,
                       std::vector<std::vector<std::string>>& Writes) {
  if (W.empty() || W.size() % 3 != 0)
    return Cmd.Name + " takes points as triples 'I X Y' (I from -10 to 10); got " +
           std::to_string(W.size()) + " numbers";
  for (size_t P = 0; P < W.size(); P += 3) {
    int32_t I;
    if (!TryStrToInt(W[P], I)) return "'" + W[P] + "' is not an integer";
    if (I < TModCCParaCmd::FirstPoint || I > TModCCParaCmd::LastPoint)
      return "point " + W[P] + " is outside -10..10";
    for (int K = 1; K <= 2; ++K)
      if (auto E = CheckNumber(Cmd, W[P + K], K == 1 ? "X" : "Y"); !E.empty()) return E;
    Writes.push_back({W[P], W[P + 1], W[P + 2]});
  }
  return "";
}

std::string CheckAin(const TModAinParaCmd& Cmd, const std::vector<std::string>& W,
                     std::vector<std::string>& Values) {
  if (W.size() != 4)
    return Cmd.Name + " takes four values 'A B C X' (X one of V, C, U, I); got " +
           std::to_string(W.size());
  static const char* const Names[] = {"A", "B", "C"};
  for (int K = 0; K < 3; ++K)
    if (auto E = CheckNumber(Cmd, W[K], Names[K]); !E.empty()) return E;
  const std::string Kind = UpperCase(W[3]);
  if (Kind != "V" && Kind != "C" && Kind != "U" && Kind != "I")
    return "input kind '" + W[3] + "' of " + Cmd.Name + " is not one of V, C, U, I";
  Values = {W[0], W[1], W[2], Kind};
  return "";
}

}  // namespace

std::string CheckSetValues(const TModCtrlCommand& Cmd, const std::vector<std::string>& Args,
                           std::vector<std::vector<std::string>>& Writes) {
  Writes.clear();
  std::vector<std::string> Values;
  std::string Error;
  if (auto* Text = dynamic_cast<const TModTextParaCmd*>(&Cmd)) {
    Error = CheckText(*Text, Args, Values);
  } else if (dynamic_cast<const TModNumParaCmd*>(&Cmd)) {
    const auto W = Words(Args);
    if (W.size() != 1)
      return Cmd.Name + " takes one integer in " + RangeText(Cmd) + "; got " +
             std::to_string(W.size()) + " values";
    Error = CheckNumber(Cmd, W[0], "value");
    Values = W;
  } else if (auto* Curve = dynamic_cast<const TModCCParaCmd*>(&Cmd)) {
    return CheckCurve(*Curve, Words(Args), Writes);
  } else if (auto* Ain = dynamic_cast<const TModAinParaCmd*>(&Cmd)) {
    Error = CheckAin(*Ain, Words(Args), Values);
  } else {
    return Cmd.Name + " is a control command and takes no value";
  }
  if (Error.empty()) Writes.push_back(Values);
  return Error;
}

}  // namespace vdx::cli
