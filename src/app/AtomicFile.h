// Writing a whole file so that a crash or a full disk never leaves it half-written: the text
// goes to a temporary file in the same folder, is synced, and is renamed over the target.
#pragma once

#include <string>

namespace vdx {

// False with Error set ("cannot write PATH: reason") when the file could not be written; the
// target is then unchanged.
bool WriteFileAtomically(const std::string& Path, const std::string& Text, std::string& Error);

}  // namespace vdx
