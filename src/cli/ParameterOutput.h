// How vdxctl shows one parameter: its value text, its points, its JSON object.
#pragma once

#include <string>

#include "cli/Json.h"
#include "comm/ModCommands.h"

namespace vdx::cli {

std::string ValueText(const TModBaseCommand& Cmd);
// The value as get and set print it: the value text, or for a curve 21 lines "i x y" from
// point -10 to 10 (the form set takes back). Ends with a line end.
std::string ValueLines(const TModBaseCommand& Cmd);
// One entry of identify's "parameters" array.
void WriteParameterJson(TJsonWriter& J, const TModBaseCommand& Cmd);

}  // namespace vdx::cli
