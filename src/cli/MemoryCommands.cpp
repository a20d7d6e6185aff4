// vdxctl save, default and loadback: the module's memory commands with the main window's
// messages.
#include <cstdio>

#include "cli/CliSession.h"
#include "cli/Commands.h"

namespace vdx::cli {

namespace {

struct TMemoryCommand {
  const char* Word;
  bool (TVDXModCommProt::*Run)();
  const char* Done;
  const char* Failed;
};

// Identifies first: a module that lists the command (perhaps as read only) is asked through
// its own entry, and the values read afterwards need the parameter list.
int RunMemory(const TCliOptions& Options, const TMemoryCommand& M) {
  if (!Options.Args.empty()) {
    PrintError(std::string("usage: vdxctl ") + M.Word);
    return exUsage;
  }
  TCliSession Session(Options);
  if (int Code = Session.Identify(); Code != exDone) return Code;
  if (!(Session.Prot().*M.Run)()) {
    PrintError(M.Failed);
    return exLinkFailed;
  }
  std::printf("%s\n", M.Done);
  return exDone;
}

}  // namespace

int RunSave(const TCliOptions& Options) {
  return RunMemory(Options,
                   {"save", &TVDXModCommProt::SaveParameters, "Data saved!", "Couldn`t save!!!"});
}

int RunDefault(const TCliOptions& Options) {
  return RunMemory(Options, {"default", &TVDXModCommProt::LoadDefaults, "Data set to default!",
                             "Couldn`t set to default!!!"});
}

int RunLoadBack(const TCliOptions& Options) {
  return RunMemory(Options, {"loadback", &TVDXModCommProt::LoadBack, "Data loadback ok!",
                             "Couldn`t loadback data!!!"});
}

}  // namespace vdx::cli
