#include "comm/ProcessSnapshot.h"

#include "comm/ModCommProt.h"
#include "comm/ReplyParser.h"

namespace vdx {

namespace {
// One value at a time, asked once: the monitor's short per-character time-out is not needed.
constexpr int ReadingTimeoutMs = 500;
}  // namespace

TProcessSnapshot ReadProcessSnapshot(TVDXModCommProt& Prot) {
  TProcessSnapshot Snapshot;
  Snapshot.Online = Prot.PortOpen() && Prot.ModuleDataValid();
  std::string Reply, Name;
  std::vector<std::string> Scratch;
  int32_t Value;
  TModProcessData& List = Prot.ProcessData();
  for (int I = 0; I < List.Count(); ++I) {
    TModProcCommand* Cmd = List.Items(I);
    if (!Cmd) continue;
    TProcessValueReading Reading{Cmd->Name, Cmd->PhysUnit, "", false};
    if (Snapshot.Online &&
        Prot.SendCommand(Cmd->Name + "\r", Cmd->Name, ">", Reply, ReadingTimeoutMs) &&
        ParseSingleInteger(Reply, Name, Scratch, Value)) {
      // A copy takes the value: the list's commands are shared with the sampling thread.
      TModProcCommand Scaled;
      Cmd->AssignTo(Scaled);
      Scaled.Value = Value;
      Scaled.GetValueText(Reading.Text);
      Reading.Read = true;
    }
    Snapshot.Values.push_back(std::move(Reading));
  }
  TModStatusInfoData& Bits = Prot.StatusInfo();
  uint16_t Mask;
  if (!Snapshot.Online || Bits.Count() == 0) return Snapshot;
  const std::string StatusName = Bits.Items(0)->Name;
  if (!Prot.SendCommand(StatusName + "\r", StatusName, ">", Reply, ReadingTimeoutMs) ||
      !ParseSingleInteger(Reply, Name, Scratch, Value) ||
      !Bits.SetStatusWord(static_cast<uint16_t>(Value), Mask))
    return Snapshot;
  Snapshot.StatusRead = true;
  for (int I = 0; I < Bits.Count() && I < 16; ++I) {
    const TModStatusBitCommand* Bit = Bits.Items(I);
    if (!Bit || !(Mask >> I & 1u)) continue;
    TStatusLampReading Lamp;
    Bit->GetDisplayName(Lamp.Name);
    Lamp.Color = Bit->BColor;
    Snapshot.LitLamps.push_back(std::move(Lamp));
  }
  return Snapshot;
}

}  // namespace vdx
