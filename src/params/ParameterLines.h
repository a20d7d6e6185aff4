// The fixed-column lines of a parameter and its value, as the legacy parameter file and the
// parameter printout lay them out.
#pragma once

#include <string>
#include <vector>

namespace vdx {

class TModBaseCommand;

// Text and numeric parameters: one line, the name from column 1 and the value ending in column
// 24 of a 25-column line. Curves: 21 lines "NAME:k" with the point text in columns 19 to 31.
// Analogue inputs: one line with the scaling text in columns 19 to 40. Other commands: none.
std::vector<std::string> ParameterLines(const TModBaseCommand& Cmd);

}  // namespace vdx
