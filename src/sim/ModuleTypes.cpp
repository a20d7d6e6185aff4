#include "sim/ModuleTypes.h"

#include <fstream>
#include <sstream>

#include "sim/ModuleSim.h"

namespace vdx::sim {

namespace {

// Lines end at CR LF, LF or CR; blank lines are left out.
std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> Lines;
  std::string Line;
  auto Flush = [&] {
    if (Line.find_first_not_of(" \t") != std::string::npos) Lines.push_back(Line);
    Line.clear();
  };
  for (size_t I = 0; I < Text.size(); ++I) {
    const char C = Text[I];
    if (C == '\r' || C == '\n') {
      if (C == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
      Flush();
    } else {
      Line += C;
    }
  }
  Flush();
  return Lines;
}

std::string BaseName(const std::string& Path) {
  const size_t Slash = Path.find_last_of('/');
  std::string Name = Slash == std::string::npos ? Path : Path.substr(Slash + 1);
  const size_t Dot = Name.find_last_of('.');
  if (Dot != std::string::npos && Dot > 0) Name.erase(Dot);
  return Name;
}

}  // namespace

bool LoadModuleType(const std::string& NameOrPath, TModuleType& Type, std::string& Error) {
  if (BuiltInModuleType(NameOrPath, Type)) return true;
  std::ifstream File(NameOrPath, std::ios::binary);
  if (!File) {
    std::string Names;
    for (const std::string& Name : BuiltInTypes()) Names += (Names.empty() ? "" : ", ") + Name;
    Error = "module type \"" + NameOrPath + "\" is neither a built-in type (" + Names +
            ") nor a readable .rdd file";
    return false;
  }
  std::ostringstream Text;
  Text << File.rdbuf();
  Type = TModuleType{};
  Type.Name = BaseName(NameOrPath);
  if (Type.Name.empty() || Type.Name.find_first_of(" ,\t") != std::string::npos) {
    Error = "the file name of \"" + NameOrPath + "\" does not give a module type name";
    return false;
  }
  Type.IdText = Type.Name + ", V1.00, SN000001, 2026";
  Type.Lines = SplitLines(Text.str());
  if (Type.Lines.empty()) {
    Error = "\"" + NameOrPath + "\" holds no readout lines";
    return false;
  }
  return true;
}

}  // namespace vdx::sim
