// Splitting of delimited texts with double-quoted entries: the comma-text rule of module
// replies and ID texts, and the field splitting of readout lines.
#pragma once

#include <string>
#include <vector>

namespace vdx {

// Characters with codes 1 to 32 and the delimiter separate entries. An entry that begins with a
// double quote runs to the next quote that is not doubled (a doubled quote stands for one);
// other entries run up to the next separator. A delimiter at the very end adds an empty entry.
// The text ends at a NUL character.
std::vector<std::string> SplitDelimited(const std::string& Text, char Delimiter);

// The comma-text rule: SplitDelimited with the comma.
inline std::vector<std::string> SplitCommaText(const std::string& Text) {
  return SplitDelimited(Text, ',');
}

}  // namespace vdx
