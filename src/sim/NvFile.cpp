#include "sim/NvFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "app/AtomicFile.h"

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
  return WriteFileAtomically(Path, Text, Error);
}

}  // namespace vdx::sim
