// One readout line, as a module or a ".rdd" file delivers it: the command it describes, its value
// list, and the texts the tool makes of that command.
#include <algorithm>

#include "FuzzSupport.h"
#include "comm/ReadoutLine.h"
#include "params/ParameterLines.h"

using namespace vdx;
using fuzz::Check;

namespace {

// Readout fields never keep control characters: names and help texts go into files and lines.
bool HasControl(const std::string& S) {
  return std::any_of(S.begin(), S.end(), [](char C) {
    const auto U = static_cast<unsigned char>(C);
    return U < 32 || U == 127;
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Line = fuzz::AsText(Data, Size);
  for (const std::string& Value : SplitValueList(Line))
    Check(!HasControl(Value), "a value list entry holds a control character");

  const auto Cmd = ParseReadoutLine(Line);
  if (!Cmd) return 0;
  Check(!HasControl(Cmd->Name) && !HasControl(Cmd->Help),
        "a command name or help text holds a control character");
  if (const auto* Ctrl = dynamic_cast<const TModCtrlCommand*>(Cmd.get()))
    for (const std::string& Value : Ctrl->VList)
      Check(!HasControl(Value), "a value list entry holds a control character");

  std::string Text;
  Cmd->GetValueText(Text);
  Cmd->GetGroupNames(Text);
  for (const std::string& L : ParameterLines(*Cmd))
    Check(L.find_first_of("\r\n") == std::string::npos, "a parameter line holds a line break");
  if (const auto Copy = Cmd->Clone())
    Check(Copy->Name == Cmd->Name && Copy->Type == Cmd->Type && Copy->GCode == Cmd->GCode,
          "a clone differs from its command");
  return 0;
}
