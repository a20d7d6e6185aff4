#include "comm/TextUtil.h"

namespace vdx {

namespace {
unsigned char Fold(unsigned char C) { return (C >= 'a' && C <= 'z') ? C - 32 : C; }
bool IsControl(char C) { return static_cast<unsigned char>(C) <= 32; }
}  // namespace

std::string TrimControl(const std::string& S) {
  size_t B = 0, E = S.size();
  while (B < E && IsControl(S[B])) ++B;
  while (E > B && IsControl(S[E - 1])) --E;
  return S.substr(B, E - B);
}

std::string UpperCase(const std::string& S) {
  std::string R = S;
  for (char& C : R) C = static_cast<char>(Fold(static_cast<unsigned char>(C)));
  return R;
}

bool SameTextNoCase(const std::string& A, const std::string& B) {
  if (A.size() != B.size()) return false;
  for (size_t I = 0; I < A.size(); ++I)
    if (Fold(static_cast<unsigned char>(A[I])) != Fold(static_cast<unsigned char>(B[I])))
      return false;
  return true;
}

bool EndsWithNoCase(const std::string& S, const std::string& Tail) {
  return S.size() >= Tail.size() && SameTextNoCase(S.substr(S.size() - Tail.size()), Tail);
}

bool StartsWithNoCase(const std::string& S, const std::string& Head) {
  return S.size() >= Head.size() && SameTextNoCase(S.substr(0, Head.size()), Head);
}

bool EndsWith(const std::string& S, const std::string& Tail) {
  return S.size() >= Tail.size() && S.compare(S.size() - Tail.size(), Tail.size(), Tail) == 0;
}

bool RemoveTail(std::string& S, const std::string& Tail) {
  if (!EndsWith(S, Tail)) return false;
  S.erase(S.size() - Tail.size());
  return true;
}

std::string ReplaceAll(const std::string& S, const std::string& From, const std::string& To) {
  if (From.empty()) return S;
  std::string R;
  size_t Pos = 0;
  for (size_t Hit; (Hit = S.find(From, Pos)) != std::string::npos; Pos = Hit + From.size())
    R.append(S, Pos, Hit - Pos).append(To);
  return R.append(S, Pos, std::string::npos);
}

std::vector<std::string> SplitLines(const std::string& S) {
  std::vector<std::string> Lines;
  std::string Line;
  for (size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '\r' || S[I] == '\n') {
      if (S[I] == '\r' && I + 1 < S.size() && S[I + 1] == '\n') ++I;
      Lines.push_back(Line);
      Line.clear();
    } else {
      Line += S[I];
    }
  }
  if (!Line.empty()) Lines.push_back(Line);
  return Lines;
}

std::string JoinTexts(const std::vector<std::string>& Parts, const std::string& Separator) {
  std::string R;
  for (size_t I = 0; I < Parts.size(); ++I) {
    if (I) R += Separator;
    R += Parts[I];
  }
  return R;
}

std::string Latin1ToUtf8(const std::string& S) {
  std::string R;
  R.reserve(S.size());
  for (char C : S) {
    const auto U = static_cast<unsigned char>(C);
    if (U < 0x80) {
      R += C;
    } else {
      R += static_cast<char>(0xC0 | (U >> 6));
      R += static_cast<char>(0x80 | (U & 0x3F));
    }
  }
  return R;
}

}  // namespace vdx
