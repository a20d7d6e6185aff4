// How the input dialog reads typed numbers, and which keys its number fields let through.
#pragma once

#include <cstdint>
#include <string>

class QKeyEvent;
class QLineEdit;

namespace vdx::ui {

// The decimal separator the two-decimal display uses (the user's locale).
char LocaleDecimalSeparator();

// The number rule: a text without a decimal separator is read by the integer rule; a text with
// one (the comma, or the locale's own separator) is a decimal number whose value times 100 is
// taken, further decimals cut off toward zero ("12,5" gives 1250, "-1,239" gives -123).
// False (Value untouched) for any other text or a result beyond 32 signed bits.
bool ReadNumberText(const std::string& Text, int32_t& Value);

// The text an integer kept in hundredths is shown with: two decimals, locale separator.
std::string HundredthsText(int32_t Value);

// Key filter of the number fields: digits, Backspace and the decimal separators pass, the minus
// sign only at the first position; control keys (Enter, Escape, Tab) are left alone. True when
// the key must be discarded.
bool RejectNumberKey(const QKeyEvent& Key, const QLineEdit& Edit);

}  // namespace vdx::ui
