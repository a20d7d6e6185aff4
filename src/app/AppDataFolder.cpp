#include "app/AppDataFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace vdx {

namespace {

std::string Env(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value ? Value : "";
}

std::string HomeFolder() {
  std::string Home = Env("HOME");
  if (Home.empty()) {
    if (const passwd* Pw = getpwuid(getuid()); Pw && Pw->pw_dir) Home = Pw->pw_dir;
  }
  return Home;
}

}  // namespace

std::string AppDataFolder() {
  std::string Base = Env("appdata");
  if (Base.empty()) Base = Env("APPDATA");
  if (Base.empty()) {
    // Relative values are invalid by the XDG rules and ignored.
    const std::string Xdg = Env("XDG_CONFIG_HOME");
    Base = !Xdg.empty() && Xdg[0] == '/' ? Xdg : HomeFolder() + "/.config";
  }
  while (!Base.empty() && Base.back() == '/') Base.pop_back();
  return Base + "/Xavo";
}

}  // namespace vdx
