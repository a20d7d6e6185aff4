// The readout line grammar: one command description per line, fields separated by
// backslashes, as a module delivers them on "Readout" and as ".rdd" files hold them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "comm/ModCommands.h"

namespace vdx {

// A new command from one readout line, or nothing for a line that describes none.
std::unique_ptr<TModBaseCommand> ParseReadoutLine(const std::string& Line);

// Splits a value list field at "|" (quotes and blanks as in readout fields).
std::vector<std::string> SplitValueList(const std::string& Field);

}  // namespace vdx
