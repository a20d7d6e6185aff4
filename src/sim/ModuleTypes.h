// Module types: what a module of a type says about itself (ID text, readout lines) and the
// few behaviours that tie its parameters together.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vdx::sim {

// A periodic process value over time, in raw units.
struct TWave {
  enum TShape { Sine, Ramp, Triangle, Square };
  TShape Shape = Sine;
  int32_t Offset = 0;
  int32_t Amplitude = 0;
  int PeriodMs = 1000;
  int PhaseMs = 0;
};

// Writing entry i of the text parameter Param sets the parameter Target to TargetValues[i]
// (for example a sensor range that rescales an analogue input).
struct TValueLink {
  std::string Param;
  std::string Target;
  std::vector<std::string> TargetValues;
};

// What the module does with a number outside a parameter's Min..Max. Remote-controlled
// inputs always refuse such values, whatever their type says.
enum class TLimitHandling {
  Refuse,  // the write answers "command error" and the value stays
  Clamp,   // the value is taken at the nearest limit; the read-back shows it
};

struct TModuleType {
  std::string Name;
  std::string IdText;
  std::vector<std::string> Lines;  // readout lines, as delivered on "Readout"
  bool ReadoutFails = false;
  TLimitHandling Limits = TLimitHandling::Refuse;

  std::map<std::string, std::string> Defaults;  // parameter name -> value as written
  std::string Password = "kv20pass";
  uint16_t AccessCode = 0x003C;      // All, Appli, PLX, Basic
  uint16_t PasswordAccess = 0x00C0;  // X.A.VO. and Password, added by the password

  std::string ExpertParam;  // a text parameter whose value ExpertValue ...
  std::string ExpertValue;
  uint16_t ExpertAccess = 0;  // ... adds these groups to the access code
  std::vector<TValueLink> Links;
  std::map<std::string, TWave> Waves;  // process value name -> waveform
  std::string SetpointProcess;         // follows SetpointInput while remote control is on
  std::string SetpointInput;
};

// A built-in type by name (BuiltInTypes()), or the type described by an ".rdd" file (readout
// lines; the type name is the file's base name; out-of-range numbers are refused).
bool LoadModuleType(const std::string& NameOrPath, TModuleType& Type, std::string& Error);

// The built-in type of that name; false when there is none.
bool BuiltInModuleType(const std::string& Name, TModuleType& Type);

TModuleType RichModuleType();
TModuleType BasicModuleType();
TModuleType LockedModuleType();
TModuleType NoReadoutModuleType();

}  // namespace vdx::sim
