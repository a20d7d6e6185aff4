#include "app/ExecutableDir.h"

#include <filesystem>
#include <system_error>

namespace vdx {

std::string ExecutableDir() {
  std::error_code Ec;
  const auto Exe = std::filesystem::read_symlink("/proc/self/exe", Ec);
  if (Ec) return {};
  return Exe.parent_path().string();
}

}  // namespace vdx
