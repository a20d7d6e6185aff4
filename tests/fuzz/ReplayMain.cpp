// Replays fuzz inputs without libFuzzer: every file of the folders (or the files) given on the
// command line goes once through the target, in name order. Fails when there is nothing to
// replay; an input that breaks an invariant aborts the run.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  std::vector<fs::path> Files;
  for (int I = 1; I < argc; ++I) {
    if (fs::is_directory(argv[I])) {
      for (const auto& Entry : fs::directory_iterator(argv[I]))
        if (Entry.is_regular_file()) Files.push_back(Entry.path());
    } else {
      Files.emplace_back(argv[I]);
    }
  }
  std::sort(Files.begin(), Files.end());
  if (Files.empty()) {
    std::fprintf(stderr, "no inputs to replay\n");
    return 1;
  }
  for (const fs::path& File : Files) {
    std::ifstream In(File, std::ios::binary);
    if (!In) {
      std::fprintf(stderr, "cannot read %s\n", File.c_str());
      return 1;
    }
    const std::string Data{std::istreambuf_iterator<char>(In), {}};
    std::fprintf(stderr, "%s\n", File.c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(Data.data()), Data.size());
  }
  std::printf("replayed %zu inputs\n", Files.size());
  return 0;
}
