// Small text helpers of the module: 8-bit ASCII, letter case folded for A-Z only.
#pragma once

#include <string>
#include <vector>

namespace vdx::sim {

inline std::string Trim(const std::string& Text) {
  size_t Begin = 0;
  size_t End = Text.size();
  while (Begin < End && static_cast<unsigned char>(Text[Begin]) <= 32) ++Begin;
  while (End > Begin && static_cast<unsigned char>(Text[End - 1]) <= 32) --End;
  return Text.substr(Begin, End - Begin);
}

inline std::string ToUpper(std::string Text) {
  for (char& C : Text)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
  return Text;
}

inline bool EqualNoCase(const std::string& A, const std::string& B) {
  return A.size() == B.size() && ToUpper(A) == ToUpper(B);
}

// Entries separated by blanks, control characters or commas; empty entries are dropped.
inline std::vector<std::string> SplitEntries(const std::string& Text) {
  std::vector<std::string> Entries;
  std::string Entry;
  for (const char C : Text) {
    if (static_cast<unsigned char>(C) <= 32 || C == ',') {
      if (!Entry.empty()) Entries.push_back(Entry);
      Entry.clear();
    } else {
      Entry += C;
    }
  }
  if (!Entry.empty()) Entries.push_back(Entry);
  return Entries;
}

}  // namespace vdx::sim
