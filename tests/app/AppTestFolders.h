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

}  // namespace vdx::testing
