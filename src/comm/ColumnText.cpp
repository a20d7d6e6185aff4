#include "comm/ColumnText.h"

namespace vdx {

std::string PlaceText(const std::string& Line, const std::string& T, int EndPos) {
  const int Keep = EndPos - static_cast<int>(T.size());
  std::string R = Keep > 0 ? Line.substr(0, static_cast<size_t>(Keep)) : std::string();
  R += T;
  if (static_cast<size_t>(EndPos) < Line.size()) R += Line.substr(static_cast<size_t>(EndPos));
  return R;
}

std::array<std::string, 2>& AinKindLetters() {
  static std::array<std::string, 2> Letters{"V", "C"};
  return Letters;
}

std::array<std::string, 6>& PinNames() {
  static std::array<std::string, 6> Names{"", "PIN 9/10", "Pin 6", "PIN 13", "Pin 14", "PIN 29"};
  return Names;
}

}  // namespace vdx
