// Command list files (".vdx") read through libxml2 from disk: module IDs, a module's four lists,
// and its values applied to a module's parameters. A module that loads is saved and loaded
// again: what we write must read back as the same commands; and its values applied to the lists
// loaded from it must agree with them.
#include <set>

#include "FuzzSupport.h"
#include "comm/ModCommProt.h"
#include "comm/TextUtil.h"
#include "params/VdxCmdDom.h"

using namespace vdx;
using fuzz::Check;

namespace {

// A module's readout: one command of each parameter kind, for the values of a file to go into.
const char* const Readout =
    "3\\1\\DIR\\NORMAL|INVERS\\Output direction\\0\\0\\0\\12\r\n"
    "3\\2\\RA\\\\Ramp up time in ms\\1\\1\\5000\\36\r\n"
    "3\\6\\CC\\\\Characteristic curve\\1\\-10000\\10000\\24\r\n"
    "3\\7\\AIN:W\\\\Setpoint input\\1\\0\\0\\36\r\n"
    "2\\0\\W\\%\\Setpoint\\1\\0\\100\r\n";

struct TLists {
  TModCommandList CmdList;
  TModProcessData ProcessData;
  TModStatusInfoData StatusInfo;
  TModRemoteCtrlCommandList RemoteCtrlList;

  TVDXCmdDOM Dom() { return TVDXCmdDOM(&CmdList, &ProcessData, &StatusInfo, &RemoteCtrlList); }
};

void Describe(const TModBaseCommand* Cmd, std::string& Out) {
  if (!Cmd) {
    Out += "null\n";
    return;
  }
  std::string Value;
  Cmd->GetValueText(Value);
  Out += Cmd->Name + '|' + std::to_string(Cmd->Type) + '|' + std::to_string(Cmd->GCode) + '|' +
         std::to_string(Cmd->AType) + '|' + std::to_string(Cmd->VType) + '|' + Cmd->Help + '|' +
         Value;
  if (const auto* Ctrl = dynamic_cast<const TModCtrlCommand*>(Cmd)) {
    Out += '|' + std::to_string(Ctrl->Min) + '|' + std::to_string(Ctrl->Max);
    for (const std::string& V : Ctrl->VList) Out += '|' + V;
  }
  if (const auto* Curve = dynamic_cast<const TModCCParaCmd*>(Cmd))
    for (int I = TModCCParaCmd::FirstPoint; I <= TModCCParaCmd::LastPoint; ++I) {
      Curve->GetPointText(I, Value);
      Out += '|' + Value;
    }
  Out += '\n';
}

template <class L>
void DescribeList(const L& List, std::string& Out) {
  for (int I = 0; I < List.Count(); ++I) Describe(List.Objects(I), Out);
  Out += "--\n";
}

std::string DescribeAll(const TLists& L) {
  std::string Out;
  DescribeList(L.CmdList, Out);
  DescribeList(L.ProcessData, Out);
  DescribeList(L.StatusInfo, Out);
  DescribeList(L.RemoteCtrlList, Out);
  return Out;
}

void CheckRoundTrip(const std::string& Id, TLists& Loaded) {
  static const fuzz::TScratchFile Saved("saved.vdx");
  Saved.Remove();
  TVDXCmdDOM Writer = Loaded.Dom();
  Check(Writer.SaveModule(Saved.Path(), Id), "a loaded module cannot be saved");
  TLists Again;
  TVDXCmdDOM Reader = Again.Dom();
  std::vector<std::string> Ids;
  Check(Reader.GetModuleIds(Saved.Path(), &Ids) && Ids == std::vector<std::string>{Id},
        "the saved file does not hold exactly the module's ID");
  Check(Reader.LoadModule(Saved.Path(), Id), "a saved module does not load");
  Check(DescribeAll(Again) == DescribeAll(Loaded), "a saved module reads back differently");
}

bool UniqueNames(const TModCommandList& List) {
  std::set<std::string> Names;
  for (int I = 0; I < List.Count(); ++I)
    if (List.Names(I).empty() || !Names.insert(UpperCase(List.Names(I))).second) return false;
  return true;
}

// The module's values applied to the parameters just loaded from the same module change nothing:
// both ways of reading a value agree. Compared only when both read the same elements: a curve
// coordinate missing in the file takes the one read last, so an element read by one way only
// (without a name, of a kind the list does not keep, or naming a command twice) changes what
// follows it.
void CheckValuesAgree(const std::string& FileName, const std::string& Id, TLists& Loaded) {
  if (!UniqueNames(Loaded.CmdList)) return;
  const std::string Before = DescribeAll(Loaded);
  TVDXCmdDOM Dom(&Loaded.CmdList);
  std::vector<std::string> ErrList;
  if (!Dom.ApplyModuleValues(FileName, Id, &ErrList) || !ErrList.empty()) return;
  Check(DescribeAll(Loaded) == Before, "applying a module's values to its own lists changed them");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const fuzz::TScratchFile File("input.vdx");
  static TVDXModCommProt Prot;
  File.Write(fuzz::AsText(Data, Size));

  TLists Lists;
  TVDXCmdDOM Dom = Lists.Dom();
  std::vector<std::string> Ids;
  if (!Dom.GetModuleIds(File.Path(), &Ids)) {
    Check(!Dom.LastError().empty(), "a refused file gave no reason");
    return 0;
  }
  if (Ids.size() > 3) Ids.resize(3);
  for (const std::string& Id : Ids) {
    Dom.ModuleIdExists(File.Path(), Id);
    if (Dom.LoadModule(File.Path(), Id)) {
      CheckRoundTrip(Id, Lists);
      CheckValuesAgree(File.Path(), Id, Lists);
    }

    Prot.ParseReadoutList(Readout);
    const int Count = Prot.CmdList().Count();
    TVDXCmdDOM Values(&Prot.CmdList());
    std::vector<std::string> ErrList;
    Values.ApplyModuleValues(File.Path(), Id, &ErrList);
    Check(Prot.CmdList().Count() == Count, "applying values changed the parameter list");
  }
  return 0;
}
