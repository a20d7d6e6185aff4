#include "cli/FileQuestions.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "cli/CliSession.h"
#include "comm/TextUtil.h"

namespace vdx::cli {

namespace {

constexpr int ResultOk = 1;
constexpr int ResultCancel = 2;

std::string IdLines(const std::vector<std::string>& Ids) {
  std::string Text;
  for (const auto& Id : Ids) Text += "\n  " + Id;
  return Text;
}

}  // namespace

TFileQuestions::TFileQuestions(TVDXModCommProt& Prot, const TCliOptions& Options)
    : FProt(Prot), FYes(Options.Yes), FModule(Options.Module) {
  Prot.OnInfoMsg = [this](TVDXModCommProt& Sender, TVDXCommProtMsgKind Kind, int& Result) {
    if (Kind == cpmkImpFktOverWriteQuestion) {
      Result = AskOverwrite(Sender.ModuleId()) ? ResultOk : ResultCancel;
    } else {
      // Another module's data are taken only when the command line names one.
      Result = FModule ? ResultOk : ResultCancel;
      FOtherModuleDeclined = !FModule;
    }
  };
  Prot.OnModIdSelRequest = [this](TVDXModCommProt&, const std::vector<std::string>& Ids,
                                  int& SelIdx) { SelIdx = ChooseModule(Ids); };
  Prot.OnParaDownloadError = [](TVDXModCommProt&, const std::vector<std::string>& Names) {
    std::string Text = "The commands ";
    for (const auto& Name : Names) Text += Name + "\n";
    PrintError(Text + " are not valid!");
  };
}

TFileQuestions::~TFileQuestions() {
  FProt.OnInfoMsg = nullptr;
  FProt.OnModIdSelRequest = nullptr;
  FProt.OnParaDownloadError = nullptr;
}

bool TFileQuestions::AskOverwrite(const std::string& ModuleId) {
  FOverwriteId = ModuleId;
  if (FYes) {
    FOverwrite = owYes;
    return true;
  }
  if (!isatty(STDIN_FILENO)) {
    FOverwrite = owNoTerminal;
    return false;
  }
  std::fprintf(stderr, "Do you want to overwrite the existing data for the module: %s ? [y/N] ",
               Latin1ToUtf8(ModuleId).c_str());
  std::fflush(stderr);
  std::string Answer;
  std::getline(std::cin, Answer);
  Answer = UpperCase(TrimControl(Answer));
  FOverwrite = Answer == "Y" || Answer == "YES" ? owYes : owDeclined;
  return FOverwrite == owYes;
}

int TFileQuestions::ChooseModule(const std::vector<std::string>& Ids) {
  FIds = Ids;
  int Chosen = -1;
  if (FModule) {
    // The exact ID first, then one that differs only in letter case.
    for (size_t I = 0; I < Ids.size() && Chosen < 0; ++I)
      if (Ids[I] == *FModule) Chosen = static_cast<int>(I);
    for (size_t I = 0; I < Ids.size() && Chosen < 0; ++I)
      if (SameTextNoCase(Ids[I], *FModule)) Chosen = static_cast<int>(I);
  }
  FChoiceFailed = Chosen < 0;
  return Chosen;
}

std::string TFileQuestions::OverwriteRefusal(const std::string& FileName) const {
  const std::string Held = FileName + " already holds module " + FOverwriteId;
  switch (FOverwrite) {
    case owNoTerminal:
      return Held + "; use --yes to overwrite";
    case owDeclined:
      return Held + "; left unchanged";
    default:
      return "";
  }
}

std::string TFileQuestions::ChoiceProblem(const std::string& FileName,
                                          const std::string& LoadedId) const {
  // A file with one module is taken without a choice; --module must still name it.
  if (!FChoiceFailed && FModule && !LoadedId.empty() && FIds.empty() &&
      !SameTextNoCase(LoadedId, *FModule))
    return "no module " + *FModule + " in " + FileName + "; it holds:" + IdLines({LoadedId});
  if (!FChoiceFailed) return "";
  if (FModule) return "no module " + *FModule + " in " + FileName + "; it holds:" + IdLines(FIds);
  return FileName + " holds " + std::to_string(FIds.size()) +
         " modules; choose one with --module ID:" + IdLines(FIds);
}

}  // namespace vdx::cli
