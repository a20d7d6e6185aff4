// vdxctl export and import: a module's parameter set to and from a command list file (".vdx")
// or a legacy parameter file (".par"), with the desktop tool's messages.
#include <cstdio>

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/FileQuestions.h"
#include "cli/FileSteps.h"

namespace vdx::cli {

namespace {

const char* const NotCompatibleText =
    "The selected file is not 100 % compatible to the identified module (please check it after "
    "loading!";

// Tells the result of an import in the desktop tool's words; returns the exit code.
int ReportImport(TVDXModCommProt& P, const TFileQuestions& Questions, const std::string& FileName,
                 TFileKind Kind, uint8_t Result) {
  switch (Result) {
    case irDone:
      return exDone;
    case irNoModule:
      PrintError(Kind == TFileKind::Vdx ? "It was no module identified!"
                                        : "It was no modul identified!");
      return exLinkFailed;
    case irOtherModule:
      if (Kind == TFileKind::Par) {
        PrintError(std::string(NotCompatibleText) + " Use --force to load it.");
      } else {
        PrintError(NotCompatibleText);
        if (Questions.OtherModuleDeclined())
          PrintError(FileName + " holds no data for module " + P.ModuleId() +
                     "; name the module to load with --module ID:" + ModulesOfFile(FileName));
      }
      return exLinkFailed;
    default:
      PrintError("The selected file is not correct or empty!");
      if (!P.FileError().empty()) PrintError(P.FileError());
      return exLinkFailed;
  }
}

}  // namespace

int RunExport(const TCliOptions& Options) {
  std::string FileName;
  TFileKind Kind;
  if (!TakeFileArgument(Options, "usage: vdxctl export FILE", FileName, Kind)) return exUsage;
  TCliSession Session(Options);
  if (int Code = Session.Identify(); Code != exDone) return Code;
  TFileQuestions Questions(Session.Prot(), Options);
  return SaveModuleFile(Session.Prot(), Questions, FileName, Kind);
}

// A file that cannot be read at all is a file error (3) found before the port is opened; one
// that is read but does not fit the module, or that the module refuses, is told with the
// desktop tool's message and exit code 1.
int RunImport(const TCliOptions& Options) {
  std::string FileName;
  TFileKind Kind;
  if (!TakeModuleFileArgument(Options, "usage: vdxctl import FILE [--force] [--module ID]",
                              FileName, Kind))
    return exUsage;
  if (Kind == TFileKind::Vdx && Options.Force) {
    PrintError("--force applies to .par files");
    return exUsage;
  }
  if (int Code = CheckReadable(FileName); Code != exDone) return Code;
  TCliSession Session(Options);
  if (int Code = Session.Identify(); Code != exDone) return Code;
  TVDXModCommProt& P = Session.Prot();
  TFileQuestions Questions(P, Options);
  const uint8_t Result =
      Kind == TFileKind::Vdx ? P.ImportVdxFile(FileName) : P.ImportParFile(FileName, Options.Force);
  if (std::string Problem = Questions.ChoiceProblem(FileName); !Problem.empty()) {
    PrintError(Problem);
    return exUsage;
  }
  return ReportImport(P, Questions, FileName, Kind, Result);
}

}  // namespace vdx::cli
