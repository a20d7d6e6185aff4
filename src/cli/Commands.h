// vdxctl's commands. Each returns the exit code.
#pragma once

#include "cli/CliOptions.h"

namespace vdx::cli {

int RunPorts(const TCliOptions& Options);
int RunIdentify(const TCliOptions& Options);
int RunPassword(const TCliOptions& Options);
int RunGet(const TCliOptions& Options);
int RunSet(const TCliOptions& Options);
int RunSave(const TCliOptions& Options);
int RunDefault(const TCliOptions& Options);
int RunLoadBack(const TCliOptions& Options);
int RunRemote(const TCliOptions& Options);
int RunExport(const TCliOptions& Options);
int RunImport(const TCliOptions& Options);
int RunDiff(const TCliOptions& Options);
int RunOffline(const TCliOptions& Options);
int RunMonitor(const TCliOptions& Options);
int RunFirmware(const TCliOptions& Options);
int RunTerminal(const TCliOptions& Options);
int RunRecord(const TCliOptions& Options);

}  // namespace vdx::cli
