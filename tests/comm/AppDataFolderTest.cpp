// Where the settings folder (and with it the COM number map) lies.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "TestScopes.h"
#include "app/AppDataFolder.h"

namespace vdx {
namespace {

TEST(AppDataFolder, FollowsTheEnvironmentInOrder) {
  using TVar = std::optional<std::string>;
  struct TCase {
    TVar Appdata, APPDATA, Xdg, Home;
    std::string Expected;
  };
  const TCase Cases[] = {
      {"/win/roaming/", "/other", "/xdg", "/home/u", "/win/roaming/Xavo"},
      {std::nullopt, "/other", "/xdg", "/home/u", "/other/Xavo"},
      {"", "", "/xdg/", "/home/u", "/xdg/Xavo"},
      {std::nullopt, std::nullopt, "relative/xdg", "/home/u", "/home/u/.config/Xavo"},
      {std::nullopt, std::nullopt, std::nullopt, "/home/u", "/home/u/.config/Xavo"},
  };
  for (const auto& C : Cases) {
    testing::TEnvScope Env({{"appdata", C.Appdata},
                         {"APPDATA", C.APPDATA},
                         {"XDG_CONFIG_HOME", C.Xdg},
                         {"HOME", C.Home}});
    EXPECT_EQ(AppDataFolder(), C.Expected);
  }
}

}  // namespace
}  // namespace vdx
