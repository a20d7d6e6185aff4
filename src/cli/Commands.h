// vdxctl's commands. Each returns the exit code.
#pragma once

#include "cli/CliOptions.h"

namespace vdx::cli {

int RunPorts(const TCliOptions& Options);
int RunIdentify(const TCliOptions& Options);
int RunPassword(const TCliOptions& Options);

}  // namespace vdx::cli
