// The value arguments of "vdxctl set": checked against the parameter's kind and limits before
// anything is sent, and turned into the value lists a module reply would carry.
#pragma once

#include <string>
#include <vector>

#include "comm/ModCommands.h"

namespace vdx::cli {

// Writes: one value list for a text, numeric or analogue input parameter, one per point for
// a curve. Returns why the arguments are refused, or the empty text when they fit.
// A text is one argument (one entry of the value list, any letter case); numbers may be
// spread over arguments or given in one ("0 100 200").
std::string CheckSetValues(const TModCtrlCommand& Cmd, const std::vector<std::string>& Args,
                           std::vector<std::vector<std::string>>& Writes);

}  // namespace vdx::cli
