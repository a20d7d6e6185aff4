// The one rule by which every integer text from a module or a file is read.
#pragma once

#include <cstdint>
#include <string>

namespace vdx {

// Optional leading blanks, an optional sign, then decimal digits or hexadecimal digits after
// "$", "x", "X", "0x" or "0X"; nothing may follow and the value must fit 32 signed bits.
// Returns false (Value untouched) for any other text.
bool TryStrToInt(const std::string& Text, int32_t& Value);

}  // namespace vdx
