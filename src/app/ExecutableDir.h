// Folder of the running executable; the locale catalogues and the manual lie beside it.
#pragma once

#include <string>

namespace vdx {

// Absolute folder of the running executable without a trailing slash; empty when unknown.
std::string ExecutableDir();

}  // namespace vdx
