// Taking value texts (from a module reply or a file) into a command.
#pragma once

#include <string>
#include <vector>

namespace vdx {

class TModCtrlCommand;

// Takes the values as the command's type reads them: a text of the value list, an integer,
// a curve point "index x y", an analogue input scaling "A B C kind", an input value. Values that
// do not fit the type are ignored. No change event is raised.
void ApplyValueTexts(TModCtrlCommand& Cmd, const std::vector<std::string>& V);

// A value text read as a Boolean: an integer (non-zero is true) or True/False in any case.
bool ReadBooleanText(const std::string& Text, bool& Value);

}  // namespace vdx
