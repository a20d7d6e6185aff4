// Finding the parameter a command line names in the module's lists, with the reason in words
// when it is none (or cannot take the value given).
#pragma once

#include <string>
#include <vector>

#include "comm/ModCommProt.h"

namespace vdx::cli {

// The parameter named Name (without regard to case, first match). Prints why there is none:
// process values, status bits and remote inputs are named as such.
TModCtrlCommand* FindParameter(TVDXModCommProt& Prot, const std::string& Name);

// The writable parameter Name with Args checked against it (SetValues.h); Writes receives the
// value lists to put into it. Prints why not and returns nullptr; nothing is changed.
TModCtrlCommand* CheckWrite(TVDXModCommProt& Prot, const std::string& Name,
                            const std::vector<std::string>& Args,
                            std::vector<std::vector<std::string>>& Writes);

}  // namespace vdx::cli
