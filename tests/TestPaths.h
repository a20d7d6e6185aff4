// Fixture and executable folders, as the test environment gives them.
#pragma once

#include <cstdlib>
#include <string>

namespace vdx::testing {

inline std::string EnvPath(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value ? Value : "";
}

inline std::string TestDataDir() { return EnvPath("VDX_TEST_DATA"); }
inline std::string BinDir() { return EnvPath("VDX_BIN_DIR"); }

}  // namespace vdx::testing
