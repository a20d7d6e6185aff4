// The parameter block the module takes whole after "DOWNLOAD".
//
// Format: items "NAME=VALUE;" one after the other, nothing between them, for example
// "RA=100;RD=200;MODE=EXPERT;". Old parameter files carry the block over several lines that
// the tool joins without a separator, so every item ends itself with ";". NAME is a parameter
// or a curve point "NAME:i"; VALUE is what a write of it takes ("CC:3=100 200;",
// "SENS=4 - 20 mA;"), so it cannot hold ";". Blanks around names and values do not count;
// the last item may lack its ";", and empty items (";;") are skipped.
#pragma once

#include <string>
#include <vector>

namespace vdx::sim {

struct TBlockItem {
  std::string Name;
  std::string Value;
  bool WellFormed = false;  // it had "=", a name and a value
};

// The items of a block in order; an item without "=", name or value is kept, not well formed.
std::vector<TBlockItem> SplitDataBlock(const std::string& Block);

}  // namespace vdx::sim
