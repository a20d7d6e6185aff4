// Legacy parameter files (".par") imported offline into a module's parameters from disk. After
// each import the parameters are exported and imported again: that must change no value.
#include "FuzzSupport.h"
#include "comm/ModCommProt.h"
#include "params/VdxCmdDom.h"

using namespace vdx;
using fuzz::Check;

namespace {

const char* const ModuleId = "KV20DEMO, V2.14, SN004711, 2026";
const char* const Readout =
    "3\\1\\DIR\\NORMAL|INVERS\\Output direction\\0\\0\\0\\12\r\n"
    "3\\1\\TAG\\\\Loop name\\0\\0\\0\\12\r\n"
    "3\\2\\RA\\\\Ramp up time in ms\\1\\1\\5000\\36\r\n"
    "3\\6\\CC\\\\Characteristic curve\\1\\-10000\\10000\\24\r\n"
    "3\\7\\AIN:W\\\\Setpoint input\\1\\0\\0\\36\r\n"
    "2\\0\\W\\%\\Setpoint\\1\\0\\100\r\n";

// The module's lists as a command list file, so each input starts from the same offline module.
const fuzz::TScratchFile& OfflineModule() {
  static const fuzz::TScratchFile File("module.vdx");
  static const bool Written = [] {
    TVDXModCommProt Source;
    Source.ParseReadoutList(Readout);
    TVDXCmdDOM Dom(&Source.CmdList(), &Source.ProcessData(), &Source.StatusInfo(),
                   &Source.RemoteCtrlList());
    File.Remove();
    return Dom.SaveModule(File.Path(), ModuleId);
  }();
  Check(Written, "the offline module cannot be written");
  return File;
}

std::string Values(TVDXModCommProt& Prot) {
  std::string Out;
  for (int I = 0; I < Prot.CmdList().Count(); ++I) {
    const TModBaseCommand* Cmd = Prot.CmdList().Objects(I);
    std::string Text;
    Cmd->GetValueText(Text);
    Out += Cmd->Name + '=' + Text;
    if (const auto* Curve = dynamic_cast<const TModCCParaCmd*>(Cmd))
      for (int P = TModCCParaCmd::FirstPoint; P <= TModCCParaCmd::LastPoint; ++P) {
        Curve->GetPointText(P, Text);
        Out += '|' + Text;
      }
    Out += '\n';
  }
  return Out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static TVDXModCommProt Prot;
  static const fuzz::TScratchFile Input("input.par");
  static const fuzz::TScratchFile Exported("exported.par");
  Check(Prot.LoadOfflineCmdList(OfflineModule().Path()), "the offline module does not load");
  Input.Write(fuzz::AsText(Data, Size));

  uint8_t Result = Prot.ImportParFile(Input.Path(), false);
  if (Result == irOtherModule) Result = Prot.ImportParFile(Input.Path(), true);
  Check(Result == irDone || Result == irNotUsable, "an offline import gave an odd result");

  const std::string Before = Values(Prot);
  Check(Prot.ExportParFile(Exported.Path()), "the parameters cannot be exported");
  Check(Prot.ImportParFile(Exported.Path(), false) == irDone, "our own export is refused");
  Check(Values(Prot) == Before, "importing our own export changed a value");
  return 0;
}
