// Small text helpers for the module's 8-bit texts.
#pragma once

#include <string>
#include <vector>

namespace vdx {

// Removes leading and trailing characters with codes 0 to 32.
std::string TrimControl(const std::string& S);
// ASCII letter case folding; module texts are 8-bit and only ASCII letters fold.
std::string UpperCase(const std::string& S);
bool SameTextNoCase(const std::string& A, const std::string& B);
bool EndsWithNoCase(const std::string& S, const std::string& Tail);
bool StartsWithNoCase(const std::string& S, const std::string& Head);
bool EndsWith(const std::string& S, const std::string& Tail);
// Removes Tail from the end of S when S ends with it (exact case); true when removed.
bool RemoveTail(std::string& S, const std::string& Tail);
// Replaces every occurrence of From by To.
std::string ReplaceAll(const std::string& S, const std::string& From, const std::string& To);
// Splits at CR LF, CR or LF.
std::vector<std::string> SplitLines(const std::string& S);
// Joins with a separator.
std::string JoinTexts(const std::vector<std::string>& Parts, const std::string& Separator);

// Module texts are ISO-8859-1; terminals and JSON want UTF-8.
std::string Latin1ToUtf8(const std::string& S);

}  // namespace vdx
