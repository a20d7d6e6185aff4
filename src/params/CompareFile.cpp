// The file side of a parameter comparison, and writing chosen file values into the module.
#include <fstream>
#include <memory>
#include <sstream>

#include "comm/ModCommProt.h"
#include "comm/ReplyParser.h"
#include "comm/TextUtil.h"
#include "params/ParameterComparison.h"
#include "params/VdxCmdDom.h"

namespace vdx {

namespace {

// The identification line of a ".par" file without every "CMD>" and "ID" in it, trimmed.
std::string ParIdLine(const std::string& Line) {
  return TrimControl(ReplaceAll(ReplaceAll(Line, "CMD>", ""), "ID", ""));
}

bool ReadLines(const std::string& FileName, std::vector<std::string>& Lines) {
  std::ifstream In(FileName, std::ios::binary);
  if (!In) return false;
  std::ostringstream Content;
  Content << In.rdbuf();
  Lines = SplitLines(Content.str());
  return true;
}

}  // namespace

TCompareFile::TLoadResult TCompareFile::Load(TVDXModCommProt& Prot, const std::string& FileName) {
  FFileName = FileName;
  FModuleId.clear();
  FError.clear();
  FSet.Clear();
  if (!Prot.ModuleDataValid()) {
    FError = "It was no module identified!";
    return lrNoModule;
  }
  if (EndsWith(FileName, ".vdx")) return LoadVdx(Prot);
  if (EndsWith(FileName, ".par")) return LoadPar(Prot);
  FError = FileName + " is neither a .vdx nor a .par file";
  return lrNotUsable;
}

TCompareFile::TLoadResult TCompareFile::LoadVdx(TVDXModCommProt& Prot) {
  TVDXCmdDOM Dom(&FSet.CmdList, &FSet.ProcessData, &FSet.StatusInfo, &FSet.RemoteCtrlList);
  std::vector<std::string> Ids;
  if (!Dom.GetModuleIds(FFileName, &Ids)) {
    FError = Dom.LastError().empty() ? FFileName + " is not a command list file" : Dom.LastError();
    return lrNotUsable;
  }
  int Index = -1;
  for (size_t I = 0; I < Ids.size() && Index < 0; ++I)
    if (SameTextNoCase(Ids[I], Prot.ModuleId())) Index = static_cast<int>(I);
  if (Index < 0 && Prot.OnInfoMsg && Prot.OnModIdSelRequest) {
    int Answer = 0;
    Prot.OnInfoMsg(Prot, cpmkImpFktNoValidModulId, Answer);
    if (Answer == 1) Prot.OnModIdSelRequest(Prot, Ids, Index);
  }
  if (Index < 0 || Index >= static_cast<int>(Ids.size())) {
    FError = FFileName + " holds no data for module " + Prot.ModuleId();
    return lrNotInFile;
  }
  FModuleId = Ids[static_cast<size_t>(Index)];
  if (!Dom.LoadModule(FFileName, FModuleId)) {
    FError = Dom.LastError().empty() ? "module " + FModuleId + " in " + FFileName + " is incomplete"
                                     : Dom.LastError();
    FSet.Clear();
    return lrNotUsable;
  }
  return lrDone;
}

// The lines are read as the import reads them: each value goes into a copy of the module's
// parameter of that name, so what an import would leave unchanged compares equal. Names the
// module lacks keep their value texts as they stand in the file.
TCompareFile::TLoadResult TCompareFile::LoadPar(TVDXModCommProt& Prot) {
  std::vector<std::string> Lines;
  if (!ReadLines(FFileName, Lines)) {
    FError = "cannot read " + FFileName;
    return lrNotUsable;
  }
  if (Lines.size() < 3) {
    FError = FFileName + " is not a parameter file (fewer than 3 lines)";
    return lrNotUsable;
  }
  FModuleId = ParIdLine(Lines[0]);
  std::string FileModule, Module;
  Prot.GetModuleName(Module);
  if (!TVDXModCommProt::ParseModuleId(FModuleId, FileModule) || FileModule != Module) {
    FError = FFileName + " holds parameters of module " + FModuleId + ", not of module " + Module;
    return lrNotInFile;
  }
  size_t Line = 1;
  while (Line < Lines.size() && Lines[Line] != "##") ++Line;
  if (Line == Lines.size()) {
    FError =
        FFileName + " holds no parameter lines between \"##\" (a data block cannot be compared)";
    return lrNotUsable;
  }

  const TModCommandList& ModuleList = Prot.CmdList();
  for (++Line; Line < Lines.size() && Lines[Line] != "##"; ++Line) {
    std::string Name;
    std::vector<std::string> Values;
    if (!ParseReply(Lines[Line], Name, &Values)) continue;
    const TModBaseCommand* Cmd = ModuleList.Objects(ModuleList.IndexOf(Name));
    if (const auto Colon = Name.find(':'); !Cmd && Colon != std::string::npos) {
      Cmd = dynamic_cast<const TModCCParaCmd*>(
          ModuleList.Objects(ModuleList.IndexOf(Name.substr(0, Colon))));
      if (Cmd) Values.insert(Values.begin(), Name.substr(Colon + 1));
    }
    if (!dynamic_cast<const TModCtrlCommand*>(Cmd)) {
      auto Unknown = std::make_unique<TModTextParaCmd>();
      Unknown->Name = Name;
      Unknown->Txt = JoinTexts(Values, " ");
      Unknown->VList = {Unknown->Txt};
      FSet.CmdList.Add(std::move(Unknown));
      continue;
    }
    TModBaseCommand* Copy = FSet.CmdList.Objects(FSet.CmdList.IndexOf(Cmd->Name));
    if (!Copy) Copy = FSet.CmdList.Objects(FSet.CmdList.Add(Cmd->Clone()));
    TVDXModCommProt::SetCmdValues(Copy, &Values);
  }
  return lrDone;
}

std::vector<std::string> WriteFileValues(TVDXModCommProt& Prot, const TCompareFile& File,
                                         const TParameterComparison& Comparison,
                                         const std::vector<std::string>& Names) {
  std::vector<std::string> Failed;
  const TModCommandList& FileList = File.Parameters();
  for (const auto& Name : Names) {
    const TCompareRow* Row = Comparison.Find(Name);
    auto* Param =
        dynamic_cast<TModCtrlCommand*>(Prot.CmdList().Objects(Prot.CmdList().IndexOf(Name)));
    const TModBaseCommand* Source = FileList.Objects(FileList.IndexOf(Name));
    if (!Row || !Row->Writable || !Param || !Source) {
      Failed.push_back(Name);
      continue;
    }
    const auto Before = ValueTextSets(*Param);
    for (const auto& Set : ValueTextSets(*Source)) TVDXModCommProt::SetCmdValues(Param, &Set);
    if (!Prot.PortOpen()) {
      Param->DoChange();
      continue;
    }
    if (Prot.SendParameter(Param)) continue;
    Failed.push_back(Name);
    // The module did not take the value: the parameter shows again what the module holds.
    if (!Param->IsReadable() || !Prot.ReadParameter(Param))
      for (const auto& Set : Before) TVDXModCommProt::SetCmdValues(Param, &Set);
    Param->DoChange();
  }
  return Failed;
}

}  // namespace vdx
