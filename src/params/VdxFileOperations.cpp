// Moving a module's parameter set between the protocol component and command list files
// (".vdx"), and working offline from such a file.
#include "comm/ModCommProt.h"
#include "comm/TextUtil.h"
#include "params/VdxCmdDom.h"
#include "params/XmlNodes.h"

namespace vdx {

bool TVDXModCommProt::ExportVdxFile(const std::string& FileName) {
  FFileError.clear();
  TVDXCmdDOM Dom(&FLists.CmdList, &FLists.ProcessData, &FLists.StatusInfo, &FLists.RemoteCtrlList);
  if (Dom.ModuleIdExists(FileName, FModuleId) && OnInfoMsg) {
    int Answer = 0;
    OnInfoMsg(*this, cpmkImpFktOverWriteQuestion, Answer);
    if (Answer != 1) return false;  // the user kept the file as it is
  }
  if (Dom.SaveModule(FileName, FModuleId)) return true;
  FFileError = Dom.LastError();
  return false;
}

uint8_t TVDXModCommProt::ImportVdxFile(const std::string& FileName) {
  FFileError.clear();
  if (!FModuleDataValid) return irNoModule;
  TVDXCmdDOM Dom(&FLists.CmdList);
  std::vector<std::string> Ids;
  if (!Dom.GetModuleIds(FileName, &Ids)) {
    FFileError = Dom.LastError();
    return irNotUsable;
  }
  int Index = -1;
  for (size_t I = 0; I < Ids.size() && Index < 0; ++I)
    if (SameTextNoCase(Ids[I], xml::StoredText(FModuleId))) Index = static_cast<int>(I);
  if (Index < 0 && OnInfoMsg && OnModIdSelRequest) {
    int Answer = 0;
    OnInfoMsg(*this, cpmkImpFktNoValidModulId, Answer);
    if (Answer == 1) OnModIdSelRequest(*this, Ids, Index);
  }
  if (Index < 0 || Index >= static_cast<int>(Ids.size())) return irOtherModule;

  std::vector<std::string> ErrList;
  if (!Dom.ApplyModuleValues(FileName, Ids[static_cast<size_t>(Index)], &ErrList)) {
    FFileError = Dom.LastError();
    return irOtherModule;
  }
  if (PortOpen()) {
    // Values the module refused or did not take are reported with the names it lacks, so an
    // import is never shown as complete when it was not.
    std::vector<std::string> NotWritten;
    SendAllParameters(&NotWritten);
    ErrList.insert(ErrList.end(), NotWritten.begin(), NotWritten.end());
  } else if (FParameterList) {
    FParameterList->RefreshValues();
  }
  if (!ErrList.empty() && OnParaDownloadError) OnParaDownloadError(*this, ErrList);
  return irDone;
}

bool TVDXModCommProt::LoadOfflineCmdList(const std::string& FileName) {
  FFileError.clear();
  if (PortOpen()) {
    FFileError = "the port is open";
    return false;
  }
  TVDXCmdDOM Dom(&FLists.CmdList, &FLists.ProcessData, &FLists.StatusInfo, &FLists.RemoteCtrlList);
  std::vector<std::string> Ids;
  if (!Dom.GetModuleIds(FileName, &Ids)) {
    FFileError = Dom.LastError();
    return false;
  }
  int Index = 0;
  if (Ids.size() > 1 && OnModIdSelRequest) OnModIdSelRequest(*this, Ids, Index);
  if (Index < 0 || Index >= static_cast<int>(Ids.size())) return false;
  const std::string& Id = Ids[static_cast<size_t>(Index)];

  const bool Loaded = Dom.LoadModule(FileName, Id);
  FRemoteCtrlActive = false;
  FRemoteCtrlSupported = Loaded && FLists.RemoteCtrlList.Count() > 0;
  if (!Loaded) {
    // The lists may have been emptied or partly filled: the grid must not keep rows of the
    // commands that are gone.
    FFileError = Dom.LastError().empty() ? FileName + ": module " + Id + " is incomplete"
                                         : Dom.LastError();
    FModuleDataValid = false;
    RefillGrid(0);
    return false;
  }
  FModuleId = Id;
  FModuleDataValid = true;
  RefillGrid(0xFFFF);
  if (FMonitor) {
    FMonitor->SetProcessData(&FLists.ProcessData);
    FMonitor->SetStatusInfo(&FLists.StatusInfo);
  }
  if (FScope) FScope->SetProcessData(&FLists.ProcessData);
  return true;
}

}  // namespace vdx
