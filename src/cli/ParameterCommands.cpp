// vdxctl get and set: one parameter's value, read from the module or written and read back.
#include <cstdio>

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/ParameterLookup.h"
#include "cli/ParameterOutput.h"
#include "comm/TextUtil.h"

namespace vdx::cli {

namespace {

void PrintParameter(const TCliOptions& Options, const TModBaseCommand& Cmd) {
  if (Options.Json) {
    TJsonWriter J;
    WriteParameterJson(J, Cmd);
    std::printf("%s\n", J.Text().c_str());
  } else {
    std::fputs(Latin1ToUtf8(ValueLines(Cmd)).c_str(), stdout);
  }
}

}  // namespace

int RunGet(const TCliOptions& Options) {
  if (Options.Args.size() != 1) {
    PrintError("usage: vdxctl get NAME");
    return exUsage;
  }
  TCliSession Session(Options);
  if (int Code = Session.Identify(); Code != exDone) return Code;
  const TModCtrlCommand* Cmd = FindParameter(Session.Prot(), Options.Args[0]);
  if (!Cmd) return exUsage;
  if (Cmd->Type == ctInPara || Cmd->Type == ctNoPara || Cmd->Type == ctAinSPara ||
      Cmd->Type == ctLPara) {
    PrintError(Cmd->Name + " is a control command and has no value");
    return exUsage;
  }
  if (!Cmd->IsReadable()) {
    PrintError(Cmd->Name + " cannot be read (write only)");
    return exUsage;
  }
  PrintParameter(Options, *Cmd);
  return exDone;
}

int RunSet(const TCliOptions& Options) {
  if (Options.Args.size() < 2) {
    PrintError("usage: vdxctl set NAME VALUE...");
    return exUsage;
  }
  TCliSession Session(Options);
  if (int Code = Session.Identify(); Code != exDone) return Code;
  TVDXModCommProt& P = Session.Prot();
  std::vector<std::vector<std::string>> Writes;
  const std::vector<std::string> Args(Options.Args.begin() + 1, Options.Args.end());
  TModCtrlCommand* Cmd = CheckWrite(P, Options.Args[0], Args, Writes);
  if (!Cmd) return exUsage;

  for (const auto& Values : Writes) TVDXModCommProt::SetCmdValues(Cmd, &Values);
  const std::string Wanted = ValueLines(*Cmd);
  if (!P.SendParameter(Cmd)) {
    PrintError(P.PortOpen() ? "the module refused " + Cmd->Name + " or did not answer"
                            : "the link was lost while writing " + Cmd->Name);
    return exLinkFailed;
  }
  PrintParameter(Options, *Cmd);
  // A module that answers without taking the value still keeps its old one.
  if (Cmd->IsReadable() && !SameTextNoCase(ValueLines(*Cmd), Wanted)) {
    PrintError("the module did not take the value: " + Cmd->Name + " reads back as shown");
    return exLinkFailed;
  }
  return exDone;
}

}  // namespace vdx::cli
