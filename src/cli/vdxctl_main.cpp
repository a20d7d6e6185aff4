// vdxctl: the command-line companion of the desktop tool, on the same protocol core.
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ExecutableDir.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "comm/ComPort.h"

using namespace vdx::cli;

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  vdx::BindPortMessages(vdx::ExecutableDir() + "/locale");

  TCliOptions Options;
  const std::string Error =
      ParseCliOptions(std::vector<std::string>(argv + 1, argv + argc), Options);
  if (!Error.empty()) {
    PrintError(Error);
    std::fprintf(stderr, "Try 'vdxctl --help'.\n");
    return exUsage;
  }
  if (Options.Help) {
    std::fputs(UsageText, stdout);
    return exDone;
  }
  if (Options.Version) {
    std::printf("vdxctl %s\n", VDX_VERSION);
    return exDone;
  }
  struct TCommand {
    const char* Name;
    int (*Run)(const TCliOptions&);
  };
  static const TCommand Commands[] = {
      {"ports", RunPorts},     {"identify", RunIdentify}, {"password", RunPassword},
      {"get", RunGet},         {"set", RunSet},           {"save", RunSave},
      {"default", RunDefault}, {"loadback", RunLoadBack}, {"remote", RunRemote},
      {"export", RunExport},   {"import", RunImport},     {"diff", RunDiff},
      {"offline", RunOffline}, {"monitor", RunMonitor},   {"record", RunRecord},
      {"firmware", RunFirmware}, {"terminal", RunTerminal}};
  for (const auto& C : Commands)
    if (Options.Command == C.Name) return C.Run(Options);
  PrintError("unknown command '" + Options.Command + "'");
  std::fprintf(stderr, "Try 'vdxctl --help'.\n");
  return exUsage;
}
