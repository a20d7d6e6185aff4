#include "sim/WireFramer.h"

namespace vdx::sim {

TWireFramer::TStep TWireFramer::Receive(char C) {
  TStep Step;
  const auto Code = static_cast<unsigned char>(C);
  if (C == '\r') {
    Step.Echo = FLineEnd;
    Step.LineDone = true;
    Step.Line.swap(FLine);
    FAtLineStart = true;
    return Step;
  }
  if (Code == 0x08 || Code == 0x7F) {
    if (!FLine.empty()) FLine.pop_back();
    Step.Echo = std::string(1, C);
    FAtLineStart = FLine.empty();
    return Step;
  }
  if (Code < 32) return Step;
  if (FLine.size() < MaxLine) FLine += C;
  Step.Echo = std::string(1, C);
  FAtLineStart = false;
  return Step;
}

std::string TWireFramer::Answer(const std::vector<std::string>& Lines) const {
  std::string Out;
  for (const std::string& Line : Lines) Out += Line + FLineEnd;
  return Out + FPrompt;
}

}  // namespace vdx::sim
