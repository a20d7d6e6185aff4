#include "params/ParamPrintoutPages.h"

#include "comm/ModCommProt.h"
#include "params/ParameterLines.h"

namespace vdx {

std::string PrintoutDateTime(const std::tm& Time) {
  char Text[128];
  const size_t N = std::strftime(Text, sizeof Text, "%a, %d.%m.%Y - %H:%M:%S", &Time);
  return std::string(Text, N);
}

bool PrintoutListsCommand(const TModCtrlCommand& Cmd, uint16_t AccessCode) {
  if (Cmd.GCode & gbXAVO) return false;
  return !(Cmd.GCode & PrintoutPasswordGroup) || (AccessCode & PrintoutPasswordGroup);
}

std::vector<std::string> PrintoutLines(const TModCommandList& List, uint16_t AccessCode) {
  std::vector<std::string> Lines;
  for (int I = 0; I < List.Count(); ++I) {
    const auto* Cmd = dynamic_cast<const TModCtrlCommand*>(List.Objects(I));
    if (!Cmd || !PrintoutListsCommand(*Cmd, AccessCode)) continue;
    for (std::string& Line : ParameterLines(*Cmd)) Lines.push_back(std::move(Line));
  }
  return Lines;
}

std::vector<TPrintoutPage> ComposePrintoutPages(const std::vector<std::string>& Lines,
                                                const TPrintoutHeader& Header) {
  auto Page = [&](int Number, auto First, auto Last) {
    return TPrintoutPage{Header.CompanyName + "   - " + Header.ProductName + "   - Page " +
                             std::to_string(Number),
                         "Parameter List at: " + Header.DateTime, "Module: " + Header.ModuleId,
                         std::vector<std::string>(First, Last)};
  };
  if (Lines.size() <= PrintoutFirstPageLines) return {Page(1, Lines.begin(), Lines.end())};
  const auto Split = Lines.begin() + PrintoutFirstPageLines;
  return {Page(1, Lines.begin(), Split), Page(2, Split, Lines.end())};
}

std::vector<TPrintoutPage> ComposeParameterPrintout(TVDXModCommProt& Prot,
                                                    const std::string& CompanyName,
                                                    const std::string& ProductName,
                                                    const std::tm& Now) {
  if (Prot.CmdList().Count() == 0) return {};
  uint16_t AccessCode;
  if (!Prot.ReadAccessCode(AccessCode)) AccessCode = 0xFFFF;
  return ComposePrintoutPages(PrintoutLines(Prot.CmdList(), AccessCode),
                              {CompanyName, ProductName, PrintoutDateTime(Now), Prot.ModuleId()});
}

}  // namespace vdx
