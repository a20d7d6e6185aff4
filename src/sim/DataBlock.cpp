#include "sim/DataBlock.h"

#include "sim/SimText.h"

namespace vdx::sim {

std::vector<TBlockItem> SplitDataBlock(const std::string& Block) {
  std::vector<TBlockItem> Items;
  size_t Pos = 0;
  while (Pos < Block.size()) {
    size_t End = Block.find(';', Pos);
    if (End == std::string::npos) End = Block.size();
    const std::string Text = Trim(Block.substr(Pos, End - Pos));
    Pos = End + 1;
    if (Text.empty()) continue;
    TBlockItem Item;
    const size_t Equals = Text.find('=');
    if (Equals == std::string::npos) {
      Item.Name = Text;
    } else {
      Item.Name = Trim(Text.substr(0, Equals));
      Item.Value = Trim(Text.substr(Equals + 1));
      Item.WellFormed = !Item.Name.empty() && !Item.Value.empty();
    }
    Items.push_back(std::move(Item));
  }
  return Items;
}

}  // namespace vdx::sim
