#include "cli/FileSteps.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "params/VdxCmdDom.h"

namespace vdx::cli {

namespace {

// Why FileName cannot be read as a file, in words; empty when it can.
std::string UnreadableReason(const std::string& FileName) {
  std::error_code Error;
  if (std::filesystem::is_directory(FileName, Error))
    return "cannot read " + FileName + ": it is a folder";
  std::ifstream In(FileName, std::ios::binary);
  if (!In) return "cannot read " + FileName + ": " + std::strerror(errno);
  return "";
}

}  // namespace

TFileKind FileKindOf(const std::string& FileName) {
  const std::string Extension = std::filesystem::path(FileName).extension().string();
  if (Extension == ".vdx") return TFileKind::Vdx;
  if (Extension == ".par") return TFileKind::Par;
  return TFileKind::Other;
}

std::string FileKindError(const std::string& FileName, const std::string& Allowed) {
  return FileName + ": the file name must end in " + Allowed;
}

bool TakeFileArgument(const TCliOptions& Options, const std::string& Usage,
                      std::string& FileName, TFileKind& Kind) {
  if (Options.Args.size() != 1) {
    PrintError(Usage);
    return false;
  }
  FileName = Options.Args[0];
  Kind = FileKindOf(FileName);
  if (Kind != TFileKind::Other) return true;
  PrintError(FileKindError(FileName, ".vdx or .par"));
  return false;
}

bool TakeModuleFileArgument(const TCliOptions& Options, const std::string& Usage,
                            std::string& FileName, TFileKind& Kind) {
  if (!TakeFileArgument(Options, Usage, FileName, Kind)) return false;
  if (Kind != TFileKind::Par || !Options.Module) return true;
  PrintError("--module applies to .vdx files");
  return false;
}

std::string ModulesOfFile(const std::string& FileName) {
  std::vector<std::string> Ids;
  TVDXCmdDOM(nullptr).GetModuleIds(FileName, &Ids);
  std::string Text;
  for (const auto& Id : Ids) Text += "\n  " + Id;
  return Text;
}

int CheckReadable(const std::string& FileName) {
  const std::string Reason = UnreadableReason(FileName);
  if (Reason.empty()) return exDone;
  PrintError(Reason);
  return exFileFailed;
}

int SaveModuleFile(TVDXModCommProt& Prot, const TFileQuestions& Questions,
                   const std::string& FileName, TFileKind Kind) {
  const bool Saved =
      Kind == TFileKind::Vdx ? Prot.ExportVdxFile(FileName) : Prot.ExportParFile(FileName);
  if (Saved) {
    std::printf("Data saved in \"%s\"\n", FileName.c_str());
    return exDone;
  }
  if (std::string Refusal = Questions.OverwriteRefusal(FileName); !Refusal.empty())
    PrintError(Refusal);
  else if (!Prot.FileError().empty())
    PrintError(Prot.FileError());
  else
    PrintError("cannot write " + FileName);
  return exFileFailed;
}

}  // namespace vdx::cli
