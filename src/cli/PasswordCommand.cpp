#include <cstdio>

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/Json.h"

namespace vdx::cli {

int RunPassword(const TCliOptions& Options) {
  if (Options.Args.size() != 1) {
    PrintError("usage: vdxctl password TEXT");
    return exUsage;
  }
  TCliSession Session(Options);
  if (int Code = Session.Connect(); Code != exDone) return Code;
  const bool Accepted = Session.Prot().SendPassword(Options.Args[0]);
  if (Options.Json)
    std::printf("%s\n", TJsonWriter().BeginObject().Key("accepted").Value(Accepted).EndObject()
                            .Text().c_str());
  else
    std::printf("%s\n", Accepted ? "password accepted" : "password not accepted");
  return Accepted ? exDone : exLinkFailed;
}

}  // namespace vdx::cli
