// vdxctl offline: a module's command lists taken from a command list file (".vdx") without
// any port: printed as identify prints a module, or changed and stored again.
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/FileQuestions.h"
#include "cli/FileSteps.h"
#include "cli/ModuleOutput.h"
#include "cli/ParameterLookup.h"

namespace vdx::cli {

namespace {

std::string CheckOfflineUsage(const TCliOptions& Options) {
  if (Options.Args.size() != 1)
    return "usage: vdxctl offline FILE [--module ID] [--json] | "
           "vdxctl offline FILE [--module ID] --set NAME VALUE... --save-as FILE2";
  if (!Options.Port.empty() || Options.Demo) return "offline uses no port; drop --port and --demo";
  if (FileKindOf(Options.Args[0]) != TFileKind::Vdx) return FileKindError(Options.Args[0], ".vdx");
  if (!Options.Sets.empty() && Options.SaveAs.empty()) return "--set needs --save-as FILE2";
  if (!Options.SaveAs.empty() && FileKindOf(Options.SaveAs) != TFileKind::Vdx)
    return FileKindError(Options.SaveAs, ".vdx");
  return "";
}

}  // namespace

int RunOffline(const TCliOptions& Options) {
  if (std::string Error = CheckOfflineUsage(Options); !Error.empty()) {
    PrintError(Error);
    return exUsage;
  }
  const std::string& FileName = Options.Args[0];
  if (int Code = CheckReadable(FileName); Code != exDone) return Code;
  TCliSession Session(Options);  // never connected: only its lists and printing are used
  TVDXModCommProt& P = Session.Prot();
  TFileQuestions Questions(P, Options);
  const bool Loaded = P.LoadOfflineCmdList(FileName);
  if (std::string Problem = Questions.ChoiceProblem(FileName, Loaded ? P.ModuleId() : "");
      !Problem.empty()) {
    PrintError(Problem);
    return exUsage;
  }
  if (!Loaded) {
    PrintError(P.FileError().empty() ? FileName + " is not a command list file" : P.FileError());
    return exFileFailed;
  }
  if (Options.SaveAs.empty()) {
    PrintModule(P, Session.AccessCode(), false, Options.Json);
    return exDone;
  }

  // Every value is checked before any is changed, so a refused one leaves no half-done set.
  std::vector<std::pair<TModCtrlCommand*, std::vector<std::vector<std::string>>>> Changes;
  for (const TSetArg& Set : Options.Sets) {
    std::vector<std::vector<std::string>> Writes;
    TModCtrlCommand* Cmd = CheckWrite(P, Set.Name, Set.Values, Writes);
    if (!Cmd) return exUsage;
    Changes.emplace_back(Cmd, std::move(Writes));
  }
  for (const auto& [Cmd, Writes] : Changes)
    for (const auto& Values : Writes) TVDXModCommProt::SetCmdValues(Cmd, &Values);
  return SaveModuleFile(P, Questions, Options.SaveAs, TFileKind::Vdx);
}

}  // namespace vdx::cli
