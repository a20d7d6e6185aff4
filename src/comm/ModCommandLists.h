// The four lists a module's commands are kept in: parameters, process values, status bits and
// remote-controlled inputs. All four own their commands.
#pragma once

#include <cstdint>
#include <memory>

#include "comm/ModCommands.h"
#include "comm/ObjStringList.h"

namespace vdx {

// A list of commands of class C with the typed item access and Add.
template <class C>
class TModTypedList : public TBaseObjStringList<TModBaseCommand> {
 public:
  // Appends (Cmd.Name, Cmd); -1 and nothing added when Cmd is missing.
  int Add(std::unique_ptr<C> Cmd) {
    if (!Cmd) return -1;
    const std::string Name = Cmd->Name;
    return AddPair(Name, Cmd.release());
  }
  // The object of entry I when it is a C; nothing otherwise or out of range.
  C* Items(int I) const { return dynamic_cast<C*>(Objects(I)); }
};

class TModCommandList : public TModTypedList<TModBaseCommand> {
 public:
  // The first entry named Name (without regard to case) that is a control command.
  TModCtrlCommand* FindCtrl(const std::string& Name) const;
};

class TModProcessData : public TModTypedList<TModProcCommand> {
 public:
  // Clears Dest and adds a copy of every process command.
  void CopyTo(TModProcessData& Dest) const;
};

class TModStatusInfoData : public TModTypedList<TModStatusBitCommand> {
 public:
  // Stores W in every status bit command; bit I of Mask is set when the command at entry I is
  // active (entries 16 and above have no bit). True when the list is not empty.
  bool SetStatusWord(uint16_t W, uint16_t& Mask);
};

class TModRemoteCtrlCommandList : public TModTypedList<TModRemoteCtrlCmd> {
 public:
  TModRemoteCtrlCmd* FindByPin(int Pin) const;
  bool GetPinRange(int Pin, int32_t& Min, int32_t& Max) const;
};

// The four lists of one module together.
struct TModCommandSet {
  TModCommandList CmdList;
  TModProcessData ProcessData;
  TModStatusInfoData StatusInfo;
  TModRemoteCtrlCommandList RemoteCtrlList;

  void Clear();
  // Sorts a command into its list: process values and parameters always; status bits only when
  // active; remote-controlled inputs only for a known pin. Others are dropped.
  void Place(std::unique_ptr<TModBaseCommand> Cmd);
};

}  // namespace vdx
