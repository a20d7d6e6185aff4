// What the fuzz targets share: invariant checks that stop the run (so libFuzzer keeps the input
// and the corpus replay fails), the input as text, and scratch files for parsers that read files.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

namespace vdx::fuzz {

// Aborts with Message when an invariant does not hold.
inline void Check(bool Holds, const char* Message) {
  if (Holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", Message);
  std::abort();
}

inline std::string AsText(const uint8_t* Data, size_t Size) {
  return std::string(reinterpret_cast<const char*>(Data), Size);
}

// A file of this process in the temporary folder, rewritten per input and removed at exit.
class TScratchFile {
 public:
  explicit TScratchFile(const std::string& Name)
      : FPath((std::filesystem::temp_directory_path() /
               ("vdxfuzz-" + std::to_string(getpid()) + "-" + Name))
                  .string()) {}
  ~TScratchFile() { std::remove(FPath.c_str()); }
  TScratchFile(const TScratchFile&) = delete;
  TScratchFile& operator=(const TScratchFile&) = delete;

  const std::string& Path() const { return FPath; }
  void Write(const std::string& Text) const {
    std::ofstream Out(FPath, std::ios::binary | std::ios::trunc);
    Out.write(Text.data(), static_cast<std::streamsize>(Text.size()));
    Check(static_cast<bool>(Out.flush()), "the scratch file cannot be written");
  }
  void Remove() const { std::remove(FPath.c_str()); }

 private:
  std::string FPath;
};

}  // namespace vdx::fuzz
