#include "comm/DelimitedText.h"

namespace vdx {

namespace {
bool IsBlank(char C) { return C >= 1 && C <= 32; }
}  // namespace

std::vector<std::string> SplitDelimited(const std::string& Input, char Delimiter) {
  const std::string Text = Input.substr(0, Input.find('\0'));
  std::vector<std::string> Entries;
  size_t P = 0;
  const size_t N = Text.size();
  while (P < N && IsBlank(Text[P])) ++P;
  while (P < N) {
    std::string Entry;
    if (Text[P] == '"') {
      ++P;
      while (P < N) {
        if (Text[P] == '"') {
          if (P + 1 < N && Text[P + 1] == '"') {
            Entry += '"';
            P += 2;
            continue;
          }
          ++P;
          break;
        }
        Entry += Text[P++];
      }
    } else {
      while (P < N && !IsBlank(Text[P]) && Text[P] != Delimiter) Entry += Text[P++];
    }
    Entries.push_back(Entry);
    while (P < N && IsBlank(Text[P])) ++P;
    if (P < N && Text[P] == Delimiter) {
      if (P + 1 == N) Entries.emplace_back();
      ++P;
      while (P < N && IsBlank(Text[P])) ++P;
    }
  }
  return Entries;
}

}  // namespace vdx
