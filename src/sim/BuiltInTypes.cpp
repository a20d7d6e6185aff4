// The table of built-in module types.
#include "sim/ModuleSim.h"
#include "sim/ModuleTypes.h"

namespace vdx::sim {

namespace {

constexpr struct {
  const char* Name;
  TModuleType (*Make)();
} BuiltIns[] = {{"rich", RichModuleType},
                {"basic", BasicModuleType},
                {"locked", LockedModuleType},
                {"noreadout", NoReadoutModuleType}};

}  // namespace

bool BuiltInModuleType(const std::string& Name, TModuleType& Type) {
  for (const auto& B : BuiltIns) {
    if (Name == B.Name) {
      Type = B.Make();
      return true;
    }
  }
  return false;
}

std::vector<std::string> BuiltInTypes() {
  std::vector<std::string> Names;
  for (const auto& B : BuiltIns) Names.push_back(B.Name);
  return Names;
}

}  // namespace vdx::sim
