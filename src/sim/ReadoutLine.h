// The module's own reading of its readout lines: which commands it has and their limits.
// Fields are separated by backslashes: access, type, name, value list (or unit), help, value
// type, min (or bit index), max (or factor, or bit flags), and an optional group mask.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vdx::sim {

// Command type codes as the readout lines give them.
enum class TCmdKind : uint8_t {
  Process = 0,
  Text = 1,
  Number = 2,
  Dummy = 3,
  In = 4,
  NoPara = 5,
  Curve = 6,
  Ain = 7,
  AinS = 8,
  L = 9,
  StatusBit = 10,
  RemoteInput = 11,
};

struct TSimCommand {
  std::string Name;
  TCmdKind Kind = TCmdKind::NoPara;
  int Access = 2;                   // 1 write only, 2 read only, 3 read and write
  int ValueType = 1;                // 21 and 22: hundredths
  std::vector<std::string> Values;  // value list of a text parameter
  std::string Unit;                 // process values
  std::string Help;
  bool HasLimits = false;  // the line gave min and max
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Factor = 1;        // process values: raw / factor = physical value
  int BitIndex = 0;          // status bits
  int BitFlags = 0;          // status bits: bit 0 active, bit 1 inverted, bits 2-3 colour
  uint16_t Groups = 0xFFBC;  // every group but NewTab, NewData and X.A.VO. when absent

  bool Readable() const { return Access == 2 || Access == 3; }
  bool Writable() const { return Access == 1 || Access == 3; }
};

// Integer text: optional blanks and sign, decimal digits or hex after "$", "x" or "0x".
std::optional<int32_t> ParseInteger(const std::string& Text);

// Splits Text at Separator; a field that begins with a double quote runs to the next single
// double quote (doubled quotes stand for one) and loses its quotes.
std::vector<std::string> SplitQuoted(const std::string& Text, char Separator);

// The command a readout line describes; nothing for blank or malformed lines and for types
// without a command (3, above 11).
std::optional<TSimCommand> ParseReadoutLine(const std::string& Line);

}  // namespace vdx::sim
