#include "params/ParameterBackup.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "comm/ModCommProt.h"

namespace vdx {

namespace {

constexpr int AnswerOk = 1;

// Puts the protocol component's question handlers back however the import ends.
class TQuestionHandlersScope {
 public:
  explicit TQuestionHandlersScope(TVDXModCommProt& Prot)
      : FProt(Prot), FInfoMsg(Prot.OnInfoMsg), FModIdSel(Prot.OnModIdSelRequest) {}
  ~TQuestionHandlersScope() {
    FProt.OnInfoMsg = FInfoMsg;
    FProt.OnModIdSelRequest = FModIdSel;
  }
  TQuestionHandlersScope(const TQuestionHandlersScope&) = delete;
  TQuestionHandlersScope& operator=(const TQuestionHandlersScope&) = delete;

 private:
  TVDXModCommProt& FProt;
  decltype(TVDXModCommProt::OnInfoMsg) FInfoMsg;
  decltype(TVDXModCommProt::OnModIdSelRequest) FModIdSel;
};

std::string Quoted(const std::string& FileName) { return "\"" + FileName + "\""; }

}  // namespace

const char* const NoModuleBackupText = "No parameter backup: no module is identified";

std::string BackupFolder(const std::string& SettingsFolder) { return SettingsFolder + "/backups"; }

std::string BackupFileName(const std::string& ModuleName, const std::tm& Time) {
  std::string Name = ModuleName.empty() ? "module" : ModuleName;
  for (char& C : Name) {
    const auto U = static_cast<unsigned char>(C);
    if (U >= 0x80 || !(std::isalnum(U) || C == '.' || C == '-' || C == '_')) C = '_';
  }
  char Stamp[64];
  std::snprintf(Stamp, sizeof Stamp, "-%04d%02d%02d-%02d%02d%02d.vdx", Time.tm_year + 1900,
                Time.tm_mon + 1, Time.tm_mday, Time.tm_hour, Time.tm_min, Time.tm_sec);
  return Name + Stamp;
}

TParameterBackup SaveParameterBackup(TVDXModCommProt& Prot, const std::string& SettingsFolder,
                                     const std::tm& Now) {
  TParameterBackup Backup;
  // Offline data loaded from a file are no module's own values.
  if (!Prot.ModuleDataValid() || !Prot.PortOpen()) {
    Backup.Message = NoModuleBackupText;
    return Backup;
  }
  namespace fs = std::filesystem;
  const fs::path Folder = BackupFolder(SettingsFolder);
  std::error_code Ec;
  fs::create_directories(Folder, Ec);
  if (Ec) {
    Backup.Message = "No parameter backup: the folder " + Quoted(Folder.string()) +
                     " could not be created (" + Ec.message() + ")";
    return Backup;
  }
  std::string ModuleName;
  Prot.GetModuleName(ModuleName);
  const std::string Base = BackupFileName(ModuleName, Now);
  fs::path File = Folder / Base;
  for (int N = 2; fs::exists(File, Ec); ++N)
    File = Folder / (Base.substr(0, Base.size() - 4) + "-" + std::to_string(N) + ".vdx");
  if (!Prot.ExportVdxFile(File.string())) {
    Backup.Message = "No parameter backup: " + Quoted(File.string()) + " could not be written" +
                     (Prot.FileError().empty() ? "" : " (" + Prot.FileError() + ")");
    return Backup;
  }
  Backup.Saved = true;
  Backup.FileName = File.string();
  Backup.Message = "Parameter backup saved in " + Quoted(Backup.FileName);
  return Backup;
}

uint8_t RestoreParameterBackup(TVDXModCommProt& Prot, const std::string& FileName) {
  TQuestionHandlersScope Scope(Prot);
  // The new firmware may report another ID text; the backup holds exactly this module.
  Prot.OnInfoMsg = [](TVDXModCommProt&, TVDXCommProtMsgKind, int& Result) { Result = AnswerOk; };
  Prot.OnModIdSelRequest = [](TVDXModCommProt&, const std::vector<std::string>& Ids, int& SelIdx) {
    SelIdx = Ids.size() == 1 ? 0 : -1;
  };
  return Prot.ImportVdxFile(FileName);
}

std::string RestoreMessage(uint8_t Result, const std::string& FileName,
                           const std::string& FileError) {
  switch (Result) {
    case irDone:
      return "Parameters restored from " + Quoted(FileName);
    case irNoModule:
      return "It was no module identified!";
    default:
      return "The backup " + Quoted(FileName) + " could not be restored" +
             (FileError.empty() ? ": it holds no usable module data" : ": " + FileError);
  }
}

}  // namespace vdx
