#include "params/VdxCmdDom.h"

#include <libxml/parser.h>
#include <sys/stat.h>

#include <cerrno>

#include "comm/ModCommandLists.h"
#include "comm/TextUtil.h"
#include "params/VdxCmdElements.h"
#include "params/XmlFile.h"
#include "params/XmlNodes.h"

namespace vdx {

namespace {

const char* const NewEncoding = "ISO-8859-1";

// A document without a root element: what is left after a failed load.
xmlDocPtr EmptyDocument() {
  xmlDocPtr Doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
  Doc->encoding = xmlStrdup(reinterpret_cast<const xmlChar*>(NewEncoding));
  return Doc;
}

bool FileIsMissing(const std::string& FileName) {
  struct stat St {};
  return stat(FileName.c_str(), &St) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

}  // namespace

// --- TXMLBaseDOM

TXMLBaseDOM::TXMLBaseDOM(const std::string& RootName) : FRootName(RootName) {
  xmlInitParser();
  NewDocument();
}

TXMLBaseDOM::~TXMLBaseDOM() { xmlFreeDoc(FDocument); }

void TXMLBaseDOM::NewDocument() {
  xmlFreeDoc(FDocument);
  FDocument = EmptyDocument();
  xmlNodePtr Root =
      xmlNewDocNode(FDocument, nullptr,
                    reinterpret_cast<const xmlChar*>(xml::Latin1ToXml(FRootName).c_str()), nullptr);
  xmlDocSetRootElement(FDocument, Root);
  xml::SetAttr(Root, "version", "1.0");
}

void TXMLBaseDOM::SetRootName(const std::string& Name) {
  FRootName = Name;
  NewDocument();
}

bool TXMLBaseDOM::LoadFromFile(const std::string& FileName) {
  FLastError.clear();
  xmlFreeDoc(FDocument);
  FDocument = xml::ReadXmlFile(FileName, FLastError);
  if (FDocument) return true;
  FDocument = EmptyDocument();
  return false;
}

bool TXMLBaseDOM::SaveToFile(const std::string& FileName) {
  FLastError.clear();
  return xml::WriteXmlFile(FDocument, FileName, FLastError);
}

// --- TVDXCmdDOM

TVDXCmdDOM::TVDXCmdDOM(TModCommandList* CmdList, TModProcessData* ProcessData,
                       TModStatusInfoData* StatusInfo, TModRemoteCtrlCommandList* RemoteCtrlList)
    : TXMLBaseDOM("Xavo-ModulCmdList"),
      FCmdList(CmdList),
      FProcessData(ProcessData),
      FStatusInfo(StatusInfo),
      FRemoteCtrlList(RemoteCtrlList) {}

bool TVDXCmdDOM::LoadFromFile(const std::string& FileName) {
  if (!TXMLBaseDOM::LoadFromFile(FileName)) return false;
  xmlNodePtr Root = xmlDocGetRootElement(FDocument);
  const std::string Name = xml::ElementName(Root);
  const auto Version = xml::GetAttr(Root, "version");
  if (Name != RootName())
    FLastError = FileName + " is not a command list file: its root element is \"" + Name + "\"";
  else if (Version != "1.0")
    FLastError = FileName + " is not a command list file of version 1.0: " +
                 (Version ? "its version is \"" + *Version + "\"" : "it has no version");
  else
    return true;
  xmlFreeDoc(FDocument);
  FDocument = EmptyDocument();
  return false;
}

bool TVDXCmdDOM::GetModuleIds(const std::string& FileName, std::vector<std::string>* IdList) {
  if (!LoadFromFile(FileName)) return false;
  if (!IdList) {
    FLastError = "no list for the module IDs";
    return false;
  }
  for (xmlNodePtr Modul : xml::ChildElements(xmlDocGetRootElement(FDocument), "Modul"))
    if (auto Id = xml::GetAttr(Modul, "ID")) IdList->push_back(*Id);
  if (IdList->empty()) FLastError = FileName + " holds no module";
  return !IdList->empty();
}

bool TVDXCmdDOM::ModuleIdExists(const std::string& FileName, const std::string& Id) {
  std::vector<std::string> Ids;
  GetModuleIds(FileName, &Ids);
  for (const auto& Each : Ids)
    if (SameTextNoCase(Each, xml::StoredText(Id))) return true;
  return false;
}

xmlNodePtr TVDXCmdDOM::FindSingleModule(const std::string& FileName, const std::string& Id) {
  const auto Found = xml::DescendantsWithAttr(xmlDocGetRootElement(FDocument), "Modul", "ID", Id);
  if (Found.size() == 1) return Found.front();
  FLastError = Found.empty() ? FileName + " holds no module \"" + Id + "\""
                             : FileName + " holds module \"" + Id + "\" " +
                                   std::to_string(Found.size()) + " times";
  return nullptr;
}

bool TVDXCmdDOM::LoadModule(const std::string& FileName, const std::string& Id) {
  FLastError.clear();
  if (!FCmdList || !FProcessData || !FStatusInfo || !FRemoteCtrlList) {
    FLastError = "a module needs all four command lists to be loaded";
    return false;
  }
  if (!LoadFromFile(FileName)) return false;
  FCmdList->Clear();
  FProcessData->Clear();
  FStatusInfo->Clear();
  FRemoteCtrlList->Clear();
  xmlNodePtr Modul = FindSingleModule(FileName, Id);
  if (!Modul) return false;

  TVdxElementReader Reader;
  if (xmlNodePtr Commands = xml::FirstDescendant(Modul, "Commands"))
    for (xmlNodePtr E : xml::ChildElements(Commands, "CCmd")) {
      auto Cmd = Reader.ReadParam(E);
      // Maker-only parameters are never offered offline.
      if (Cmd && !(Cmd->GCode & gbXAVO)) FCmdList->Add(std::move(Cmd));
    }
  if (xmlNodePtr Section = xml::FirstDescendant(Modul, "ProzessData"))
    for (xmlNodePtr E : xml::ChildElements(Section, "PCmd")) FProcessData->Add(Reader.ReadProc(E));
  if (xmlNodePtr Section = xml::FirstDescendant(Modul, "StatusInfo"))
    for (xmlNodePtr E : xml::ChildElements(Section, "SCmd")) FStatusInfo->Add(Reader.ReadStatus(E));
  xmlNodePtr Remote = xml::FirstDescendant(Modul, "RemoteCtrl");
  if (!Remote) {
    FLastError = "module \"" + Id + "\" in " + FileName + " has no remote control section";
    return false;
  }
  for (xmlNodePtr E : xml::ChildElements(Remote, "RCmd"))
    FRemoteCtrlList->Add(Reader.ReadRemote(E));
  return true;
}

bool TVDXCmdDOM::ApplyModuleValues(const std::string& FileName, const std::string& Id,
                                   std::vector<std::string>* ErrList) {
  FLastError.clear();
  if (ErrList) ErrList->clear();
  if (!FCmdList) {
    FLastError = "no parameter list to apply the values to";
    return false;
  }
  if (!LoadFromFile(FileName)) return false;
  xmlNodePtr Modul = FindSingleModule(FileName, Id);
  if (!Modul) return false;
  xmlNodePtr Commands = xml::FirstDescendant(Modul, "Commands");
  if (!Commands) {
    FLastError = "module \"" + Id + "\" in " + FileName + " has no parameter section";
    return false;
  }

  TVdxElementReader Reader;
  for (xmlNodePtr E : xml::ChildElements(Commands, "CCmd")) {
    const auto Name = xml::GetAttr(E, "Name");
    if (!Name) continue;
    auto* Cmd = dynamic_cast<TModCtrlCommand*>(FCmdList->Objects(FCmdList->IndexOf(*Name)));
    if (!Cmd) {
      if (ErrList) ErrList->push_back(*Name);
      continue;
    }
    // The list command's class decides how the values are read; no limits, no change events.
    if (xmlNodePtr Para = xml::FirstDescendant(E, "Para")) Reader.ReadValues(Para, *Cmd);
  }
  return true;
}

bool TVDXCmdDOM::SaveModule(const std::string& FileName, const std::string& Id) {
  FLastError.clear();
  if (!FCmdList || !FProcessData || !FStatusInfo || !FRemoteCtrlList) {
    FLastError = "a module needs all four command lists to be saved";
    return false;
  }
  // An existing file must be a command list file; anything else is left as it is.
  if (FileIsMissing(FileName)) {
    NewDocument();
  } else if (!LoadFromFile(FileName)) {
    FLastError = "module not saved: " + FLastError;
    return false;
  }

  xmlNodePtr Root = xmlDocGetRootElement(FDocument);
  const auto Found = xml::DescendantsWithAttr(Root, "Modul", "ID", Id);
  xmlNodePtr Modul = Found.empty() ? xml::AppendElement(Root, "Modul") : Found.front();
  xml::RemoveChildren(Modul);
  xml::SetAttr(Modul, "ID", Id);

  xmlNodePtr Commands = xml::AppendElement(Modul, "Commands");
  for (int I = 0; I < FCmdList->Count(); ++I) WriteParamElement(Commands, FCmdList->Objects(I));
  xmlNodePtr Section = xml::AppendElement(Modul, "ProzessData");
  for (int I = 0; I < FProcessData->Count(); ++I)
    if (auto* Cmd = FProcessData->Items(I)) WriteProcElement(Section, *Cmd);
  Section = xml::AppendElement(Modul, "StatusInfo");
  for (int I = 0; I < FStatusInfo->Count(); ++I)
    if (auto* Cmd = FStatusInfo->Items(I)) WriteStatusElement(Section, *Cmd);
  Section = xml::AppendElement(Modul, "RemoteCtrl");
  for (int I = 0; I < FRemoteCtrlList->Count(); ++I)
    if (auto* Cmd = FRemoteCtrlList->Items(I)) WriteRemoteElement(Section, *Cmd);

  return SaveToFile(FileName);
}

}  // namespace vdx
