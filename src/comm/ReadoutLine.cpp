#include "comm/ReadoutLine.h"

#include "comm/DelimitedText.h"
#include "comm/IntegerText.h"
#include "comm/TextUtil.h"

namespace vdx {

namespace {

// Blanks are protected by this marker while splitting, so they stay inside fields.
const std::string BlankMarker = "~*~*";

std::string ProtectBlanks(const std::string& S) {
  std::string R;
  for (char C : S) {
    const auto U = static_cast<unsigned char>(C);
    if (U == ' ') R += BlankMarker;
    else if (U >= 32 && U != 127) R += C;
  }
  return R;
}

std::vector<std::string> SplitProtected(const std::string& Protected, char Delimiter) {
  std::vector<std::string> Fields = SplitDelimited(Protected, Delimiter);
  for (auto& F : Fields) F = ReplaceAll(F, BlankMarker, " ");
  return Fields;
}

// Sets Target from an integer field; keeps it when the field is not an integer.
template <class I>
void TakeInt(const std::string& Field, I& Target) {
  int32_t V;
  if (TryStrToInt(Field, V)) Target = static_cast<I>(V);
}

}  // namespace

std::vector<std::string> SplitValueList(const std::string& Field) {
  const std::string Trimmed = TrimControl(Field);
  if (Trimmed.empty()) return {};
  return SplitProtected(ProtectBlanks(Trimmed), '|');
}

std::unique_ptr<TModBaseCommand> ParseReadoutLine(const std::string& Line) {
  std::string Text = TrimControl(Line);
  if (Text.empty()) return nullptr;
  if (Text.back() == '\\') Text.pop_back();

  const std::vector<std::string> F = SplitProtected(ProtectBlanks(Text), '\\');
  int32_t TypeField;
  if (F.size() < 6 || !TryStrToInt(F[1], TypeField)) return nullptr;
  auto Cmd = CreateCommand(static_cast<uint8_t>(TypeField));
  if (!Cmd) return nullptr;

  if (F.size() >= 8) {
    if (auto* Proc = dynamic_cast<TModProcCommand*>(Cmd.get())) {
      Proc->PhysUnit = F[3];
      TakeInt(F[7], Proc->CompFactor);
    } else if (auto* Bit = dynamic_cast<TModStatusBitCommand*>(Cmd.get())) {
      TakeInt(F[6], Bit->BIndex);
      int32_t Bits;
      if (TryStrToInt(F[7], Bits)) {
        Bit->BActive = Bits & 1;
        Bit->BInvers = (Bits >> 1) & 1;
        Bit->BColor = static_cast<uint8_t>((Bits >> 2) & 3);
      }
      Bit->BitHint = F[4];
    } else if (auto* Ctrl = dynamic_cast<TModCtrlCommand*>(Cmd.get())) {
      Ctrl->VList = SplitValueList(F[3]);
      TakeInt(F[6], Ctrl->Min);
      TakeInt(F[7], Ctrl->Max);
    }
  }
  TakeInt(F[0], Cmd->AType);
  Cmd->Help = F[4];
  TakeInt(F[5], Cmd->VType);
  Cmd->Name = F[2];
  Cmd->GCode = DefaultReadoutGCode;
  if (F.size() >= 9) TakeInt(F[8], Cmd->GCode);
  return Cmd;
}

}  // namespace vdx
