// vdxctl identify: the module's ID, its commands with their attributes and values.
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/ModuleOutput.h"

namespace vdx::cli {

int RunIdentify(const TCliOptions& Options) {
  TCliSession Session(Options);
  if (int Code = Session.Identify(); Code != exDone) return Code;
  PrintModule(Session.Prot(), Session.AccessCode(), true, Options.Json);
  return exDone;
}

}  // namespace vdx::cli
