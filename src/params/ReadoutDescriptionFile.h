// Readout description files: "<module name>.rdd" beside the tool, holding the readout lines of a
// module that cannot deliver its own.
#pragma once

#include <string>
#include <vector>

namespace vdx {

// Path of the description file of ModuleName in Folder.
std::string ReadoutDescriptionPath(const std::string& Folder, const std::string& ModuleName);

// Reads the file's lines (CR LF, LF or CR separated); false when it cannot be read.
bool LoadReadoutDescription(const std::string& Path, std::vector<std::string>& Lines);

}  // namespace vdx
