#include "comm/IntegerText.h"

namespace vdx {

bool TryStrToInt(const std::string& Text, int32_t& Value) {
  size_t I = 0;
  while (I < Text.size() && Text[I] == ' ') ++I;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == '-' || Text[I] == '+')) Negative = Text[I++] == '-';
  int Base = 10;
  if (I < Text.size() && (Text[I] == '$' || Text[I] == 'x' || Text[I] == 'X')) {
    Base = 16;
    ++I;
  } else if (I + 1 < Text.size() && Text[I] == '0' && (Text[I + 1] == 'x' || Text[I + 1] == 'X')) {
    Base = 16;
    I += 2;
  }
  if (I == Text.size()) return false;
  const int64_t Limit = Negative ? 2147483648LL : 2147483647LL;
  int64_t Magnitude = 0;
  for (; I < Text.size(); ++I) {
    const char C = Text[I];
    int Digit;
    if (C >= '0' && C <= '9') Digit = C - '0';
    else if (Base == 16 && C >= 'a' && C <= 'f') Digit = C - 'a' + 10;
    else if (Base == 16 && C >= 'A' && C <= 'F') Digit = C - 'A' + 10;
    else return false;
    Magnitude = Magnitude * Base + Digit;
    if (Magnitude > Limit) return false;
  }
  Value = static_cast<int32_t>(Negative ? -Magnitude : Magnitude);
  return true;
}

}  // namespace vdx
