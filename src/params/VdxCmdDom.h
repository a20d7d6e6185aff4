// The command list file (".vdx"): an XML document holding, per module, its four command lists
// with their definitions and values, on libxml2.
#pragma once

#include <libxml/tree.h>

#include <string>
#include <vector>

namespace vdx {

class TModCommandList;
class TModProcessData;
class TModStatusInfoData;
class TModRemoteCtrlCommandList;

// An XML document with a fixed root element name and a version attribute.
class TXMLBaseDOM {
 public:
  explicit TXMLBaseDOM(const std::string& RootName = "Default");
  virtual ~TXMLBaseDOM();
  TXMLBaseDOM(const TXMLBaseDOM&) = delete;
  TXMLBaseDOM& operator=(const TXMLBaseDOM&) = delete;

  // Clears the document and builds the empty one: declaration with ISO-8859-1, the root element
  // with version="1.0".
  void NewDocument();
  const std::string& RootName() const { return FRootName; }
  void SetRootName(const std::string& Name);

  // False when the file does not exist or cannot be parsed (the document is then empty).
  virtual bool LoadFromFile(const std::string& FileName);
  // Writes the document indented in its encoding, atomically; false when that fails.
  virtual bool SaveToFile(const std::string& FileName);

  // Why the last operation failed, in words for the user ("" after success).
  const std::string& LastError() const { return FLastError; }

 protected:
  xmlDocPtr FDocument = nullptr;
  std::string FLastError;

 private:
  std::string FRootName;
};

class TVDXCmdDOM : public TXMLBaseDOM {
 public:
  // The lists are not owned; pass only the parameter list when the others are not needed.
  explicit TVDXCmdDOM(TModCommandList* CmdList, TModProcessData* ProcessData = nullptr,
                      TModStatusInfoData* StatusInfo = nullptr,
                      TModRemoteCtrlCommandList* RemoteCtrlList = nullptr);

  // Also checks the root element name and version="1.0".
  bool LoadFromFile(const std::string& FileName) override;

  // Appends the ID of every module of the file; true when IdList then holds at least one.
  bool GetModuleIds(const std::string& FileName, std::vector<std::string>* IdList);
  // Whether the file holds module Id, compared without regard to case.
  bool ModuleIdExists(const std::string& FileName, const std::string& Id);
  // Replaces the four lists by module Id's command lists (X.A.VO. parameters are dropped).
  // True only when the module's remote-control section exists.
  bool LoadModule(const std::string& FileName, const std::string& Id);
  // Writes module Id's stored values into the parameter list; names the list lacks go to
  // ErrList. No change events.
  bool ApplyModuleValues(const std::string& FileName, const std::string& Id,
                         std::vector<std::string>* ErrList);
  // Stores the four lists as module Id's data, keeping the file's other modules. An existing
  // file that is not a command list file is left untouched and the save fails.
  bool SaveModule(const std::string& FileName, const std::string& Id);

 private:
  // The one "Modul" with exactly this ID anywhere below the root; nullptr (LastError set) when
  // there is none or more than one.
  xmlNodePtr FindSingleModule(const std::string& FileName, const std::string& Id);

  TModCommandList* FCmdList;
  TModProcessData* FProcessData;
  TModStatusInfoData* FStatusInfo;
  TModRemoteCtrlCommandList* FRemoteCtrlList;
};

}  // namespace vdx
