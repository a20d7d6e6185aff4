#include "sim/ReadoutLine.h"

#include <limits>

#include "sim/SimText.h"

namespace vdx::sim {

namespace {

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<int32_t> ParseInteger(const std::string& Text) {
  size_t I = 0;
  while (I < Text.size() && Text[I] == ' ') ++I;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == '-' || Text[I] == '+')) Negative = Text[I++] == '-';
  int Base = 10;
  if (I < Text.size() && (Text[I] == '$' || Text[I] == 'x' || Text[I] == 'X')) {
    Base = 16;
    ++I;
  } else if (I + 1 < Text.size() && Text[I] == '0' && (Text[I + 1] == 'x' || Text[I + 1] == 'X')) {
    Base = 16;
    I += 2;
  }
  if (I >= Text.size()) return std::nullopt;
  int64_t Value = 0;
  for (; I < Text.size(); ++I) {
    int Digit = HexDigit(Text[I]);
    if (Base == 10 && Digit > 9) Digit = -1;
    if (Digit < 0) return std::nullopt;
    Value = Value * Base + Digit;
    if (Value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
  }
  if (Negative) Value = -Value;
  if (Value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(Value);
}

std::vector<std::string> SplitQuoted(const std::string& Text, char Separator) {
  std::vector<std::string> Fields;
  std::string Field;
  size_t I = 0;
  bool AtFieldStart = true;
  while (I < Text.size()) {
    const char C = Text[I];
    if (AtFieldStart && C == '"') {
      ++I;
      while (I < Text.size()) {
        if (Text[I] == '"') {
          if (I + 1 < Text.size() && Text[I + 1] == '"') {
            Field += '"';
            I += 2;
            continue;
          }
          ++I;
          break;
        }
        Field += Text[I++];
      }
      AtFieldStart = false;
      continue;
    }
    AtFieldStart = false;
    if (C == Separator) {
      Fields.push_back(Field);
      Field.clear();
      AtFieldStart = true;
    } else {
      Field += C;
    }
    ++I;
  }
  if (!Text.empty()) Fields.push_back(Field);
  return Fields;
}

std::optional<TSimCommand> ParseReadoutLine(const std::string& Line) {
  std::string Text = Trim(Line);
  if (!Text.empty() && Text.back() == '\\') Text.pop_back();
  std::string Clean;
  for (const char C : Text) {
    const auto Code = static_cast<unsigned char>(C);
    if (Code >= 32 && Code != 127) Clean += C;
  }
  if (Clean.empty()) return std::nullopt;
  const std::vector<std::string> F = SplitQuoted(Clean, '\\');
  if (F.size() < 6) return std::nullopt;
  const auto TypeCode = ParseInteger(F[1]);
  if (!TypeCode) return std::nullopt;
  const int Kind = *TypeCode & 0xFF;
  if (Kind == 3 || Kind > 11) return std::nullopt;

  TSimCommand Cmd;
  Cmd.Kind = static_cast<TCmdKind>(Kind);
  Cmd.Name = F[2];
  Cmd.Help = F[4];
  if (const auto A = ParseInteger(F[0])) Cmd.Access = *A & 0xFF;
  if (const auto V = ParseInteger(F[5])) Cmd.ValueType = *V & 0xFF;
  if (F.size() >= 8) {
    const auto Six = ParseInteger(F[6]);
    const auto Seven = ParseInteger(F[7]);
    if (Cmd.Kind == TCmdKind::Process) {
      Cmd.Unit = F[3];
      if (Seven && *Seven != 0) Cmd.Factor = *Seven;
    } else if (Cmd.Kind == TCmdKind::StatusBit) {
      if (Six) Cmd.BitIndex = *Six & 0x0F;
      if (Seven) Cmd.BitFlags = *Seven & 0x0F;
    } else {
      const std::string List = Trim(F[3]);
      if (!List.empty()) Cmd.Values = SplitQuoted(List, '|');
      Cmd.HasLimits = Six && Seven;
      if (Six) Cmd.Min = *Six;
      if (Seven) Cmd.Max = *Seven;
    }
  }
  if (F.size() >= 9) {
    if (const auto G = ParseInteger(F[8])) Cmd.Groups = static_cast<uint16_t>(*G & 0xFFFF);
  }
  return Cmd;
}

}  // namespace vdx::sim
