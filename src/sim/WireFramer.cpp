#include "sim/WireFramer.h"

namespace vdx::sim {

TWireFramer::TStep TWireFramer::Receive(char C) {
  TStep Step;
  const auto Code = static_cast<unsigned char>(C);
  if (C == '\r') {
    Step.Echo = FLineEnd;
    Step.LineDone = true;
    Step.Line.swap(FLine);
    Step.Overlong = FOverlong;
    FOverlong = false;
    FLimit = MaxLine;
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
  if (FLine.size() < FLimit)
    FLine += C;
  else
    FOverlong = true;
  Step.Echo = std::string(1, C);
  FAtLineStart = false;
  return Step;
}

std::string TWireFramer::Answer(const std::vector<std::string>& Lines, bool WithPrompt) const {
  std::string Out;
  for (size_t I = 0; I < Lines.size(); ++I)
    Out += Lines[I] + (WithPrompt || I + 1 < Lines.size() ? FLineEnd : "");
  return WithPrompt ? Out + FPrompt : Out;
}

}  // namespace vdx::sim
