// Column-aligned plain text tables for vdxctl's readable output.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace vdx::cli {

class TTextTable {
 public:
  explicit TTextTable(std::vector<std::string> Headers) : FHeaders(std::move(Headers)) {}
  void AddRow(std::vector<std::string> Cells) { FRows.push_back(std::move(Cells)); }
  // Texts are ISO-8859-1 and printed as UTF-8.
  void Print(std::FILE* Out) const;

 private:
  std::vector<std::string> FHeaders;
  std::vector<std::vector<std::string>> FRows;
};

}  // namespace vdx::cli
