// A private settings folder per test: "appdata" points into a fresh temp folder.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "TestScopes.h"

namespace vdx::testing {

class TSettingsFolderScope {
 public:
  TSettingsFolderScope() : FEnv({{"appdata", Temp / "appdata"}, {"APPDATA", std::nullopt}}) {}

  TTempFolder Temp;
  std::string Folder() const { return Temp / "appdata/Xavo"; }

 private:
  TEnvScope FEnv;
};

inline std::string FileText(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

}  // namespace vdx::testing
