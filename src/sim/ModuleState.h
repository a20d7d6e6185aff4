// What the module remembers: parameter values, their non-volatile copy and defaults, the
// access code, the remote-control inputs, and the process values and status word it reports.
// Not thread-safe; the owner locks.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sim/ModuleTypes.h"
#include "sim/ReadoutLine.h"

namespace vdx::sim {

struct TParamValue {
  std::string Text;                                      // text parameters
  int32_t Number = 0;                                    // numbers and remote inputs
  std::array<int32_t, 3> Ain{};                          // A, B, C
  int AinCurrent = 0;                                    // X: 0 voltage, 1 current
  std::array<std::pair<int32_t, int32_t>, 21> Points{};  // curve points -10 ... 10
};

class TModuleState {
 public:
  explicit TModuleState(TModuleType Type);

  const TModuleType& Type() const { return FType; }
  const std::vector<TSimCommand>& Commands() const { return FCommands; }
  // Index of the first command named Name (letter case ignored), or -1.
  int IndexOf(const std::string& Name) const;

  // The value as the module answers a read: a text (quoted when it holds blanks or commas),
  // a decimal integer, "A B C X" for analogue inputs, the moving raw value of a process
  // value, the status word for status bits. Empty for commands without a value.
  std::string ValueText(int Index) const;
  // Point -10 ... 10 of a curve as "X Y"; false when Point is out of range.
  bool PointText(int Index, int Point, std::string& Text) const;

  // Writes as the module takes them: Args is the text after the command word. False when
  // the value is not allowed (not in the list, malformed, out of limits when the type
  // refuses such values; see TLimitHandling).
  bool WriteValue(int Index, const std::string& Args);
  bool WritePoint(int Index, int Point, const std::string& Args);

  void Save() { FNonVolatile = FValues; }
  void LoadDefaults() { FValues = FDefaults; }
  void Loadback() { FValues = FNonVolatile; }

  // The stored copy as lines "NAME value" / "NAME:i X Y", and taking such lines back into
  // both the stored copy and the values (the module powering up). False on lines it rejects.
  std::vector<std::string> NonVolatileLines() const;
  bool RestoreNonVolatile(const std::vector<std::string>& Lines, std::string& Error);

  uint16_t AccessCode() const;
  bool TryPassword(const std::string& Password);

  bool RemoteMode() const { return FRemoteMode; }
  void SetRemoteMode(bool On) { FRemoteMode = On; }
  uint8_t DigitalInputs() const { return FDigitalInputs; }
  void SetDigitalInputs(uint8_t State) { FDigitalInputs = State; }

  uint16_t StatusWord() const;

 private:
  std::string FormatValue(const TSimCommand& Cmd, const TParamValue& V) const;
  // Value as the module takes it under its type's limit handling; nothing when refused.
  std::optional<int32_t> Limited(const TSimCommand& Cmd, int32_t Value) const;
  int32_t ProcessValue(int Index) const;
  int64_t ElapsedMs() const;

  TModuleType FType;
  std::vector<TSimCommand> FCommands;  // one per parsed readout line, in line order
  std::vector<TParamValue> FValues;
  std::vector<TParamValue> FNonVolatile;
  std::vector<TParamValue> FDefaults;
  bool FUnlocked = false;
  bool FRemoteMode = false;
  uint8_t FDigitalInputs = 0;
  std::chrono::steady_clock::time_point FStart = std::chrono::steady_clock::now();
};

}  // namespace vdx::sim
