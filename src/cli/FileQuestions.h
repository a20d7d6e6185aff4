// vdxctl's answers to the questions the protocol component asks during file operations, in
// place of the desktop tool's dialogs: --yes answers the overwrite question (else a terminal
// is asked, and without one the file is kept), --module picks a module of a ".vdx" file, and
// commands a file holds that the module lacks are reported on standard error.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "comm/ModCommProt.h"

namespace vdx::cli {

class TFileQuestions {
 public:
  // Installs the handlers on Prot; the destructor removes them.
  TFileQuestions(TVDXModCommProt& Prot, const TCliOptions& Options);
  ~TFileQuestions();
  TFileQuestions(const TFileQuestions&) = delete;
  TFileQuestions& operator=(const TFileQuestions&) = delete;

  // Why an export left FileName as it was: the module's data there were not to be replaced.
  // Empty when the question was not asked or answered yes.
  std::string OverwriteRefusal(const std::string& FileName) const;
  // Why no module of FileName could be chosen: --module names none of them, or there are
  // several and --module is missing. Empty when none was asked for or the choice worked.
  // LoadedId: the module taken from the file without a choice (an offline load of a file with
  // one module), checked against --module.
  std::string ChoiceProblem(const std::string& FileName, const std::string& LoadedId = "") const;
  // The file held no data for the identified module, and without --module none other was
  // taken.
  bool OtherModuleDeclined() const { return FOtherModuleDeclined; }

 private:
  bool AskOverwrite(const std::string& ModuleId);
  int ChooseModule(const std::vector<std::string>& Ids);

  TVDXModCommProt& FProt;
  const bool FYes;
  const std::optional<std::string> FModule;
  enum { owNotAsked, owYes, owNoTerminal, owDeclined } FOverwrite = owNotAsked;
  std::string FOverwriteId;
  bool FOtherModuleDeclined = false;
  bool FChoiceFailed = false;
  std::vector<std::string> FIds;  // the file's modules, when a choice was asked
};

}  // namespace vdx::cli
