#include "params/ReadoutDescriptionFile.h"

#include <fstream>
#include <sstream>

#include "comm/TextUtil.h"

namespace vdx {

std::string ReadoutDescriptionPath(const std::string& Folder, const std::string& ModuleName) {
  std::string Path = Folder;
  if (!Path.empty() && Path.back() != '/') Path += '/';
  return Path + ModuleName + ".rdd";
}

bool LoadReadoutDescription(const std::string& Path, std::vector<std::string>& Lines) {
  std::ifstream In(Path, std::ios::binary);
  if (!In) return false;
  std::ostringstream Content;
  Content << In.rdbuf();
  if (In.bad()) return false;
  Lines = SplitLines(Content.str());
  return true;
}

}  // namespace vdx
