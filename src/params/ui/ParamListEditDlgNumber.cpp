#include "params/ui/ParamListEditDlgNumber.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <clocale>
#include <cstdio>
#include <limits>

#include "comm/IntegerText.h"

namespace vdx::ui {

char LocaleDecimalSeparator() {
  const lconv* Conv = std::localeconv();
  return Conv && Conv->decimal_point && Conv->decimal_point[0] ? Conv->decimal_point[0] : '.';
}

namespace {

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

}  // namespace

bool ReadNumberText(const std::string& Text, int32_t& Value) {
  const size_t Sep = Text.find_first_of(std::string(",") + LocaleDecimalSeparator());
  if (Sep == std::string::npos) return TryStrToInt(Text, Value);

  size_t I = 0;
  while (I < Text.size() && Text[I] == ' ') ++I;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == '-' || Text[I] == '+')) Negative = Text[I++] == '-';
  // Exactly from the digits: integer part, then at most two decimals; the rest only checked.
  int64_t Hundredths = 0;
  int Digits = 0;
  for (; I < Sep; ++I, ++Digits) {
    if (!IsDigit(Text[I])) return false;
    Hundredths = Hundredths * 10 + (Text[I] - '0');
    if (Hundredths > std::numeric_limits<int32_t>::max()) return false;
  }
  Hundredths *= 100;
  int Decimals = 0;
  for (I = Sep + 1; I < Text.size(); ++I, ++Decimals, ++Digits) {
    if (!IsDigit(Text[I])) return false;
    if (Decimals == 0) Hundredths += 10 * (Text[I] - '0');
    if (Decimals == 1) Hundredths += Text[I] - '0';
  }
  if (Digits == 0) return false;
  if (Negative) Hundredths = -Hundredths;
  if (Hundredths > std::numeric_limits<int32_t>::max() ||
      Hundredths < std::numeric_limits<int32_t>::min())
    return false;
  Value = static_cast<int32_t>(Hundredths);
  return true;
}

std::string HundredthsText(int32_t Value) {
  char Buf[32];
  std::snprintf(Buf, sizeof Buf, "%.2f", Value / 100.0);
  return Buf;
}

bool RejectNumberKey(const QKeyEvent& Key, const QLineEdit& Edit) {
  const QString Text = Key.text();
  if (Text.isEmpty() || Text.at(0).unicode() < 32 || Text.at(0).unicode() == 127) return false;
  if (Text.size() != 1) return true;
  const QChar C = Text.at(0);
  if (C.isDigit() && C.unicode() < 128) return false;
  if (C == QLatin1Char(',') || C == QLatin1Char(LocaleDecimalSeparator())) return false;
  // The caret's position; with a selection, where typing would start.
  if (C == QLatin1Char('-'))
    return (Edit.hasSelectedText() ? Edit.selectionStart() : Edit.cursorPosition()) != 0;
  return true;
}

}  // namespace vdx::ui
