// The small built-in module types: one without listed memory commands, one whose memory is
// locked, and one whose readout fails.
#include "sim/ModuleTypes.h"

namespace vdx::sim {

// A plain module: a dozen parameters, no memory command listed (SAVE, DEFAULT and Loadback
// are still understood), and no parameter in the NewTab or NewData groups.
// Limits: a number outside Min..Max is clamped to the nearest limit (each of A, B, C and
// curve X, Y on its own); the write succeeds and the read-back shows the clamped value.
TModuleType BasicModuleType() {
  TModuleType T;
  T.Name = "KV20BASIC";
  T.IdText = "KV20BASIC, V1.30, SN002042, 2025";
  T.Limits = TLimitHandling::Clamp;
  T.Lines = {
      R"(1\4\RESET\\Reset the error memory\0\0\0\36)",
      R"(3\1\DIR\NORMAL|INVERS\Output direction\0\0\0\60)",
      R"(3\1\SENS\"0 - 10 V|4 - 20 mA"\Sensor input range\0\0\0\36)",
      R"(3\1\ENABLE\OFF|ON\Enable input function\0\0\0)",
      R"(3\2\RA\\Ramp up time in ms\1\1\5000\36)",
      R"(3\2\RD\\Ramp down time in ms\1\1\5000\36)",
      R"(3\2\CURRENT\\Nominal solenoid current in mA\1\500\2600\36)",
      R"(3\2\MIN\\Deadband compensation in 0.01 %\22\0\5000\12)",
      R"(3\2\MAX\\Output scaling in 0.01 %\22\5000\10000\12)",
      R"(3\2\OFFSET\\Output offset in 0.01 %\21\-2000\2000\12)",
      R"(3\2\DFREQ\\Dither frequency in Hz\1\60\400\24)",
      R"(2\2\HOURS\\Operating hours\1\0\2000000000\4)",
      R"(3\6\CC\\Characteristic curve, X and Y in 0.01 %\1\-10000\10000\24)",
      R"(3\7\AIN:W\\Setpoint input scaling Y = A / B * (X - C)\1\-10000\10000\36)",
      R"(2\0\W\%\Setpoint\1\0\100\4)",
      R"(2\0\X\%\Actual value\1\0\100\4)",
      R"(2\0\IA\A\Solenoid current\1\0\1000\4)",
      R"(2\10\ST:READY\\Module ready\1\0\9)",
      R"(2\10\ST:ERROR\\Error, sensor signal fails\1\1\5)",
      R"(2\10\ST:ENABLE\\Enable input active\1\2\9)",
  };
  T.Defaults = {{"ENABLE", "ON"}, {"RA", "200"},    {"RD", "200"},   {"CURRENT", "1200"},
                {"MAX", "10000"}, {"DFREQ", "100"}, {"HOURS", "567"}};
  return T;
}

// A module whose non-volatile memory is locked: SAVE is listed read only and refused with
// "command error"; DEFAULT (read and write) and LOADBACK (write only) are listed and work,
// LOADBACK bringing back the values stored at the factory.
// Limits: a number outside Min..Max is refused with "command error".
TModuleType LockedModuleType() {
  TModuleType T;
  T.Name = "KV20LOCK";
  T.IdText = "KV20LOCK, V2.01, SN000333, 2026";
  T.Limits = TLimitHandling::Refuse;
  T.Lines = {
      R"(2\5\SAVE\\Save parameters (locked on this module)\0\0\0\4)",
      R"(3\5\DEFAULT\\Set parameters to default values\0\0\0\6)",
      R"(1\5\LOADBACK\\Reload the stored parameters\0\0\0\6)",
      R"(3\1\DIR\NORMAL|INVERS\Output direction\0\0\0\12)",
      R"(3\2\RA\\Ramp up time in ms\1\1\5000\36)",
      R"(3\2\RD\\Ramp down time in ms\1\1\5000\36)",
      R"(3\2\CURRENT\\Nominal solenoid current in mA\1\500\2600\36)",
      R"(2\0\W\%\Setpoint\1\0\100\4)",
      R"(2\10\ST:READY\\Module ready\1\0\9)",
  };
  T.Defaults = {{"RA", "150"}, {"RD", "150"}, {"CURRENT", "1000"}};
  return T;
}

// A module whose readout fails: the tool has to take its commands from a readout file.
// Limits: a number outside Min..Max is refused with "command error".
TModuleType NoReadoutModuleType() {
  TModuleType T;
  T.Name = "KV20NORD";
  T.Limits = TLimitHandling::Refuse;
  T.IdText = "KV20NORD, V1.07, SN000815, 2025";
  T.ReadoutFails = true;
  T.Lines = {
      R"(3\1\DIR\NORMAL|INVERS\Output direction\0\0\0\12)",
      R"(3\1\SENS\"0 - 10 V|4 - 20 mA"\Sensor input range\0\0\0\36)",
      R"(3\2\RA\\Ramp up time in ms\1\1\5000\36)",
      R"(3\2\RD\\Ramp down time in ms\1\1\5000\36)",
      R"(3\2\MIN\\Deadband compensation in 0.01 %\22\0\5000\12)",
      R"(3\2\MAX\\Output scaling in 0.01 %\22\5000\10000\12)",
      R"(3\6\CC\\Characteristic curve, X and Y in 0.01 %\1\-10000\10000\24)",
      R"(3\7\AIN:W\\Setpoint input scaling Y = A / B * (X - C)\1\-10000\10000\36)",
      R"(2\0\W\%\Setpoint\1\0\100)",
      R"(2\0\X\%\Actual value\1\0\100)",
      R"(2\10\ST:READY\\Module ready\1\0\9)",
      R"(2\10\ST:ERROR\\Error, sensor signal fails\1\1\5)",
      R"(3\11\RC:910\\Remote setpoint PIN 9/10 in 0.01 %\1\-10000\10000)",
  };
  T.Defaults = {{"RA", "200"}, {"RD", "200"}, {"MAX", "10000"}};
  T.Waves = {{"W", {TWave::Ramp, 5000, 5000, 3000, 0}},
             {"X", {TWave::Ramp, 5000, 4800, 3000, 150}}};
  T.SetpointProcess = "W";
  T.SetpointInput = "RC:910";
  return T;
}

}  // namespace vdx::sim
