// A module's whole readout text, sorted into the protocol component's four command lists.
#include "FuzzSupport.h"
#include "comm/ModCommProt.h"

using namespace vdx;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static TVDXModCommProt Prot;
  Prot.ParseReadoutList(fuzz::AsText(Data, Size));

  const TModCommandList& Params = Prot.CmdList();
  for (int I = 0; I < Params.Count(); ++I) {
    const TModBaseCommand* Cmd = Params.Objects(I);
    Check(Cmd && !dynamic_cast<const TModProcCommand*>(Cmd) &&
              !dynamic_cast<const TModStatusBitCommand*>(Cmd) &&
              !dynamic_cast<const TModRemoteCtrlCmd*>(Cmd),
          "the parameter list holds a command of another list");
  }

  TModStatusInfoData& Bits = Prot.StatusInfo();
  for (int I = 0; I < Bits.Count(); ++I)
    Check(Bits.Items(I) && Bits.Items(I)->BActive, "the status list holds an inactive bit");
  uint16_t Mask = 0;
  Bits.SetStatusWord(0xFFFF, Mask);
  if (Bits.Count() < 16)
    Check((Mask >> Bits.Count()) == 0, "the status mask has a bit beyond the list");

  const TModRemoteCtrlCommandList& Inputs = Prot.RemoteCtrlList();
  for (int I = 0; I < Inputs.Count(); ++I) {
    const TModRemoteCtrlCmd* Input = Inputs.Items(I);
    Check(Input && Input->PinCode() >= 1 && Input->PinCode() <= 5,
          "the remote list holds an unknown pin");
    Check(!Input->PinName().empty(), "a remote input has no pin name");
  }

  TModProcessData Copy;
  Prot.ProcessData().CopyTo(Copy);
  Check(Copy.Count() == Prot.ProcessData().Count(), "a copy of the process values lost some");
  for (int I = 0; I < Copy.Count(); ++I) {
    Check(Copy.Names(I) == Prot.ProcessData().Names(I), "a process value copy has another name");
    std::string Text;
    Copy.Items(I)->GetValueText(Text);
  }
  return 0;
}
