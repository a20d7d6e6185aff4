// The module's ID text ("NAME, version, serial, year" by the comma-text rule): the name taken
// from it, which decides whether a ".par" file fits the module, and the ID as the key of the
// module's data in a command list file, which must find that data again.
#include "FuzzSupport.h"
#include "comm/DelimitedText.h"
#include "comm/ModCommProt.h"
#include "comm/TextUtil.h"
#include "params/VdxCmdDom.h"

using namespace vdx;
using fuzz::Check;

namespace {

std::string Quoted(const std::string& Entry) {
  return "\"" + ReplaceAll(Entry, "\"", "\"\"") + "\"";
}

// Saves an empty module under the ID as a reply gives it (trimmed), twice, as two exports of the
// same module do: the file then holds one module, found and loaded by that ID.
void CheckIdInFile(const std::string& IdText) {
  static const fuzz::TScratchFile File("ids.vdx");
  const std::string Id = TrimControl(IdText);
  TModCommandList CmdList;
  TModProcessData ProcessData;
  TModStatusInfoData StatusInfo;
  TModRemoteCtrlCommandList RemoteCtrlList;
  TVDXCmdDOM Dom(&CmdList, &ProcessData, &StatusInfo, &RemoteCtrlList);
  File.Remove();
  Check(Dom.SaveModule(File.Path(), Id) && Dom.SaveModule(File.Path(), Id),
        "a module cannot be saved");
  std::vector<std::string> Ids;
  Check(Dom.GetModuleIds(File.Path(), &Ids) && Ids.size() == 1,
        "saving a module twice did not keep one module");
  Check(Dom.ModuleIdExists(File.Path(), Id), "a saved module's ID is not found");
  Check(Dom.LoadModule(File.Path(), Id), "a saved module does not load by its ID");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string IdText = fuzz::AsText(Data, Size);
  CheckIdInFile(IdText);
  std::string Name = "stale";
  const bool Ok = TVDXModCommProt::ParseModuleId(IdText, Name);
  if (!Ok) {
    Check(Name.empty(), "a refused ID text left a module name");
    return 0;
  }

  // The same ID written with every entry quoted names the same module.
  std::vector<std::string> Entries = SplitCommaText(TrimControl(IdText));
  std::string Requoted;
  for (const std::string& Entry : Entries)
    Requoted += (Requoted.empty() ? "" : ", ") + Quoted(Entry);
  std::string Again;
  Check(TVDXModCommProt::ParseModuleId(Requoted, Again) && Again == Name,
        "the requoted ID text names another module");
  return 0;
}
