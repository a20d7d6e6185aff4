#include "cli/ParameterLookup.h"

#include "cli/CliSession.h"
#include "cli/SetValues.h"

namespace vdx::cli {

TModCtrlCommand* FindParameter(TVDXModCommProt& P, const std::string& Name) {
  if (auto* Cmd = dynamic_cast<TModCtrlCommand*>(P.CmdList().Objects(P.CmdList().IndexOf(Name))))
    return Cmd;
  std::string Module;
  P.GetModuleName(Module);
  if (P.ProcessData().IndexOf(Name) >= 0)
    PrintError(Name + " is a process value, not a parameter");
  else if (P.StatusInfo().IndexOf(Name) >= 0)
    PrintError(Name + " is a status bit, not a parameter");
  else if (P.RemoteCtrlList().IndexOf(Name) >= 0)
    PrintError(Name + " is a remote input, not a parameter; use 'vdxctl remote ain " + Name + "'");
  else
    PrintError("no parameter " + Name + " in module " + Module);
  return nullptr;
}

TModCtrlCommand* CheckWrite(TVDXModCommProt& P, const std::string& Name,
                            const std::vector<std::string>& Args,
                            std::vector<std::vector<std::string>>& Writes) {
  TModCtrlCommand* Cmd = FindParameter(P, Name);
  if (!Cmd) return nullptr;
  if (!Cmd->IsWritable()) {
    PrintError(Cmd->Name + " cannot be written (read only)");
    return nullptr;
  }
  if (std::string Error = CheckSetValues(*Cmd, Args, Writes); !Error.empty()) {
    PrintError(Error);
    return nullptr;
  }
  return Cmd;
}

}  // namespace vdx::cli
