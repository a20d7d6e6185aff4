#include "cli/TextTable.h"

#include "comm/TextUtil.h"

namespace vdx::cli {

void TTextTable::Print(std::FILE* Out) const {
  std::vector<size_t> Widths(FHeaders.size());
  auto Measure = [&](const std::vector<std::string>& Row) {
    for (size_t I = 0; I < Row.size() && I < Widths.size(); ++I)
      Widths[I] = std::max(Widths[I], Row[I].size());
  };
  Measure(FHeaders);
  for (const auto& Row : FRows) Measure(Row);
  auto PrintRow = [&](const std::vector<std::string>& Row) {
    std::string Line;
    for (size_t I = 0; I < Widths.size(); ++I) {
      const std::string Cell = I < Row.size() ? Row[I] : "";
      Line += Cell;
      if (I + 1 < Widths.size()) Line += std::string(Widths[I] - Cell.size() + 2, ' ');
    }
    while (!Line.empty() && Line.back() == ' ') Line.pop_back();
    std::fprintf(Out, "%s\n", Latin1ToUtf8(Line).c_str());
  };
  PrintRow(FHeaders);
  for (const auto& Row : FRows) PrintRow(Row);
}

}  // namespace vdx::cli
