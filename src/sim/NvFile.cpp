#include "sim/NvFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace vdx::sim {

bool ReadNvFile(const std::string& Path, std::vector<std::string>& Lines, bool& Exists,
                std::string& Error) {
  Lines.clear();
  Exists = access(Path.c_str(), F_OK) == 0;
  if (!Exists) return true;
  std::ifstream File(Path, std::ios::binary);
  if (!File) {
    Error = "cannot read " + Path + ": " + std::strerror(errno);
    return false;
  }
  for (std::string Line; std::getline(File, Line);) {
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    Lines.push_back(Line);
  }
  return true;
}

bool WriteNvFile(const std::string& Path, const std::vector<std::string>& Lines,
                 std::string& Error) {
  std::string Text;
  for (const std::string& Line : Lines) Text += Line + "\n";
  const std::string Temp = Path + ".tmp";
  const int Fd = open(Temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  bool Ok = Fd >= 0;
  for (size_t Done = 0; Ok && Done < Text.size();) {
    const ssize_t N = write(Fd, Text.data() + Done, Text.size() - Done);
    if (N < 0 && errno == EINTR) continue;
    Ok = N > 0;
    if (Ok) Done += static_cast<size_t>(N);
  }
  Ok = Ok && fsync(Fd) == 0;
  if (Fd >= 0) Ok = close(Fd) == 0 && Ok;
  Ok = Ok && std::rename(Temp.c_str(), Path.c_str()) == 0;
  if (!Ok) {
    Error = "cannot write " + Path + ": " + std::strerror(errno);
    unlink(Temp.c_str());
  }
  return Ok;
}

}  // namespace vdx::sim
