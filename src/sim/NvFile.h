// The file that keeps a module's non-volatile copy between runs: plain text lines.
#pragma once

#include <string>
#include <vector>

namespace vdx::sim {

// False with Error when the file exists but cannot be read; Exists tells whether it exists.
bool ReadNvFile(const std::string& Path, std::vector<std::string>& Lines, bool& Exists,
                std::string& Error);
// Writes through a temporary file in the same folder that is renamed over Path.
bool WriteNvFile(const std::string& Path, const std::vector<std::string>& Lines,
                 std::string& Error);

}  // namespace vdx::sim
