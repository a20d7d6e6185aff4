#include "comm/ModCommandLists.h"

namespace vdx {

TModCtrlCommand* TModCommandList::FindCtrl(const std::string& Name) const {
  return dynamic_cast<TModCtrlCommand*>(Objects(IndexOf(Name)));
}

void TModProcessData::CopyTo(TModProcessData& Dest) const {
  Dest.Clear();
  for (int I = 0; I < Count(); ++I)
    if (const auto* Cmd = Items(I)) {
      std::unique_ptr<TModBaseCommand> Copy = Cmd->Clone();
      Dest.Add(std::unique_ptr<TModProcCommand>(static_cast<TModProcCommand*>(Copy.release())));
    }
}

bool TModStatusInfoData::SetStatusWord(uint16_t W, uint16_t& Mask) {
  Mask = 0;
  for (int I = 0; I < Count(); ++I)
    if (auto* Bit = Items(I)) {
      Bit->StatusWord = W;
      if (Bit->IsActive() && I < 16) Mask |= static_cast<uint16_t>(1u << I);
    }
  return Count() > 0;
}

TModRemoteCtrlCmd* TModRemoteCtrlCommandList::FindByPin(int Pin) const {
  for (int I = 0; I < Count(); ++I)
    if (auto* Cmd = Items(I); Cmd && Cmd->PinCode() == Pin) return Cmd;
  return nullptr;
}

bool TModRemoteCtrlCommandList::GetPinRange(int Pin, int32_t& Min, int32_t& Max) const {
  const auto* Cmd = FindByPin(Pin);
  if (!Cmd) return false;
  Min = Cmd->Min;
  Max = Cmd->Max;
  return true;
}

void TModCommandSet::Clear() {
  CmdList.Clear();
  ProcessData.Clear();
  StatusInfo.Clear();
  RemoteCtrlList.Clear();
}

template <class C>
static std::unique_ptr<C> Downcast(std::unique_ptr<TModBaseCommand>& Cmd) {
  return std::unique_ptr<C>(static_cast<C*>(Cmd.release()));
}

void TModCommandSet::Place(std::unique_ptr<TModBaseCommand> Cmd) {
  if (!Cmd) return;
  if (dynamic_cast<TModProcCommand*>(Cmd.get())) {
    ProcessData.Add(Downcast<TModProcCommand>(Cmd));
  } else if (auto* Bit = dynamic_cast<TModStatusBitCommand*>(Cmd.get())) {
    if (Bit->BActive) StatusInfo.Add(Downcast<TModStatusBitCommand>(Cmd));
  } else if (auto* Input = dynamic_cast<TModRemoteCtrlCmd*>(Cmd.get())) {
    if (Input->PinCode() >= 1 && Input->PinCode() <= 5)
      RemoteCtrlList.Add(Downcast<TModRemoteCtrlCmd>(Cmd));
  } else {
    CmdList.Add(std::move(Cmd));
  }
}

}  // namespace vdx
