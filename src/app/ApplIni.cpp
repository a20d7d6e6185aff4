#include "app/ApplIni.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "app/AppDataFolder.h"
#include "comm/IntegerText.h"
#include "comm/TextUtil.h"

namespace vdx {

namespace {

std::string IniFileName(const std::string& ExeName) {
  return std::filesystem::path(ExeName).stem().string() + ".ini";
}

std::string PrepareFolder() {
  const std::string Folder = AppDataFolder();
  std::error_code Ec;
  std::filesystem::create_directories(Folder, Ec);
  return Folder;
}

}  // namespace

TApplIniWriteError::TApplIniWriteError(const std::string& FullPath, std::string Reason)
    : std::runtime_error("In " + FullPath + " kann nicht geschrieben werden"),
      FReason(std::move(Reason)) {}

std::string TApplIni::RunningExecutableName() {
  std::error_code Ec;
  std::string Name = std::filesystem::read_symlink("/proc/self/exe", Ec).filename().string();
  // A running executable that was replaced on disk reads as "name (deleted)".
  RemoveTail(Name, " (deleted)");
  return Name.empty() ? "vdxtool" : Name;
}

TApplIni::TApplIni(const std::string& ExeName)
    : FFileName(IniFileName(ExeName)), FIni(PrepareFolder() + "/" + FFileName) {}

bool TApplIni::ReadBool(const std::string& Section, const std::string& Key, bool Default) const {
  const auto Text = FIni.Read(Section, Key);
  int32_t Value;
  return Text && TryStrToInt(*Text, Value) ? Value != 0 : Default;
}

int32_t TApplIni::ReadInteger(const std::string& Section, const std::string& Key,
                              int32_t Default) const {
  const auto Text = FIni.Read(Section, Key);
  int32_t Value;
  return Text && TryStrToInt(*Text, Value) ? Value : Default;
}

std::string TApplIni::ReadString(const std::string& Section, const std::string& Key,
                                 const std::string& Default) const {
  return FIni.Read(Section, Key).value_or(Default);
}

void TApplIni::WriteBool(const std::string& Section, const std::string& Key, bool Value) {
  WriteString(Section, Key, Value ? "1" : "0");
}

void TApplIni::WriteInteger(const std::string& Section, const std::string& Key, int32_t Value) {
  WriteString(Section, Key, std::to_string(Value));
}

void TApplIni::WriteString(const std::string& Section, const std::string& Key,
                           const std::string& Value) {
  std::string Error;
  if (!FIni.Write(Section, Key, Value, Error)) throw TApplIniWriteError(FullPath(), Error);
}

}  // namespace vdx
