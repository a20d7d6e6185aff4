// Test helpers: a private temporary folder, the port layer's roots redirected into one, and
// environment variables set for one scope.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "comm/SerialPortList.h"

namespace vdx::testing {

// A fresh folder under the system temp folder, removed with its contents.
class TTempFolder {
 public:
  TTempFolder() {
    std::string Template = (std::filesystem::temp_directory_path() / "vdxtest-XXXXXX").string();
    if (!mkdtemp(Template.data())) throw std::runtime_error("mkdtemp failed");
    FPath = Template;
  }
  ~TTempFolder() {
    std::error_code Ec;
    std::filesystem::remove_all(FPath, Ec);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  std::string operator/(const std::string& Rel) const { return (FPath / Rel).string(); }

 private:
  std::filesystem::path FPath;
};

// Points sysfs, /dev and the COM map into a temp folder for the scope's lifetime, so no test
// reads the machine's ports or writes a map outside it.
class TPortRootsScope {
 public:
  explicit TPortRootsScope(const TTempFolder& Folder) : FSaved(SerialPortRoots()) {
    SerialPortRoots() = {Folder / "sys", Folder / "dev", Folder / "map/vdxtool-ports.ini"};
  }
  ~TPortRootsScope() { SerialPortRoots() = FSaved; }
  TPortRootsScope(const TPortRootsScope&) = delete;
  TPortRootsScope& operator=(const TPortRootsScope&) = delete;

 private:
  TSerialPortRoots FSaved;
};

// Sets (or, for nullopt, removes) environment variables and restores them afterwards.
class TEnvScope {
 public:
  explicit TEnvScope(const std::map<std::string, std::optional<std::string>>& Vars) {
    for (const auto& [Name, Value] : Vars) {
      const char* Old = std::getenv(Name.c_str());
      FSaved[Name] = Old ? std::optional<std::string>(Old) : std::nullopt;
      Set(Name, Value);
    }
  }
  ~TEnvScope() {
    for (const auto& [Name, Value] : FSaved) Set(Name, Value);
  }
  TEnvScope(const TEnvScope&) = delete;
  TEnvScope& operator=(const TEnvScope&) = delete;

 private:
  static void Set(const std::string& Name, const std::optional<std::string>& Value) {
    if (Value)
      setenv(Name.c_str(), Value->c_str(), 1);
    else
      unsetenv(Name.c_str());
  }
  std::map<std::string, std::optional<std::string>> FSaved;
};

// The whole content of a file ("" when it cannot be read).
inline std::string FileText(const std::filesystem::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

}  // namespace vdx::testing
