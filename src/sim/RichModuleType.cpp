// The rich built-in module type.
#include "sim/ModuleTypes.h"

namespace vdx::sim {

// Every kind of command, the memory commands SAVE and DEFAULT listed (type 5, LOADBACK not),
// a NewTab parameter (MODE: EXPERT adds the Special group to the access code) and a NewData
// one (SENS: the sensor range rescales the setpoint input AIN:W).
// Limits: a number outside Min..Max (also each of A, B, C and curve X, Y) is refused with
// "command error" and the value stays.
TModuleType RichModuleType() {
  TModuleType T;
  T.Name = "KV20DEMO";
  T.Limits = TLimitHandling::Refuse;
  T.IdText = "KV20DEMO, V2.14, SN004711, 2026";
  T.Lines = {
      // Control commands. SAVE and DEFAULT are listed, LOADBACK is not.
      R"(1\5\SAVE\\Save parameters in non-volatile memory\0\0\0)",
      R"(1\5\DEFAULT\\Set parameters to default values\0\0\0\6)",
      R"(1\4\RESET\\Reset the error memory\0\0\0\36)",
      R"(1\8\AINCAL\\Calibrate the analogue inputs\0\0\0\64)",
      R"(1\9\LEARN\\Learn the stroke end positions\0\0\0\132)",
      // Text parameters.
      R"(3\1\MODE\STANDARD|EXPERT\Parameter menu, EXPERT shows the special parameters\0\0\0\5)",
      R"(3\1\SENS\"0 - 10 V|4 - 20 mA|+/- 10 V"\Sensor input range\0\0\0\38)",
      R"(3\1\DIR\NORMAL|INVERS\Output direction\0\0\0\12)",
      R"(3\1\ENABLE\OFF|ON\Enable input function\0\0\0)",
      R"(3\1\CTRL\P|PI|PID\Controller structure\0\0\0\24)",
      R"(3\1\SIGTYP\UNIPOLAR|BIPOLAR\Output signal type\0\0\0\64)",
      R"(3\1\LOCK\OFF|ON\Keypad lock\0\0\0\128)",
      // Numeric parameters; VType 21 and 22 hold hundredths.
      R"(3\2\RA\\Ramp up time in ms\1\1\5000\36)",
      R"(3\2\RD\\Ramp down time in ms\1\1\5000\36)",
      R"(3\2\CURRENT\\Nominal solenoid current in mA\1\500\2600\36)",
      R"(3\2\MIN\\Deadband compensation in 0.01 %\22\0\5000\12)",
      R"(3\2\MAX\\Output scaling in 0.01 %\22\5000\10000\12)",
      R"(3\2\TRIGGER\\Response threshold in 0.01 %\21\0\3000\12)",
      R"(3\2\DFREQ\\Dither frequency in Hz\1\60\400\24)",
      R"(3\2\DAMPL\\Dither amplitude in 0.01 %\22\0\3000\24)",
      R"(3\2\KP\\Proportional gain\1\0\10000\16)",
      R"(3\2\OFFSET\\Output offset in 0.01 %\21\-2000\2000\128)",
      R"(3\2\EOUT\\Output on sensor failure in 0.01 %\21\-10000\10000\512)",
      R"(3\2\PRESS\\Pressure range in bar\1\0\400)",
      R"(3\2\PWM\\PWM frequency in Hz\1\61\2604\64)",
      R"(2\2\HOURS\\Operating hours\1\0\2000000000\4)",
      // Characteristic curves and analogue input scalings.
      R"(3\6\CC\\Characteristic curve, X and Y in 0.01 %\1\-10000\10000\24)",
      R"(3\6\CCV\\Valve linearisation, X and Y in 0.01 %\1\-10000\10000\64)",
      R"(3\7\AIN:W\\Setpoint input scaling Y = A / B * (X - C)\1\-10000\10000\36)",
      R"(3\7\AIN:X\\Feedback input scaling Y = A / B * (X - C)\1\-10000\10000\36)",
      // Process values: unit in field 3, divisor in field 7.
      R"(2\0\W\%\Setpoint\1\0\100\4)",
      R"(2\0\X\%\Actual value\1\0\100\4)",
      R"(2\0\E\%\Control error\1\0\100\4)",
      R"(2\0\IA\A\Solenoid current\1\0\1000\4)",
      R"(2\0\P\bar\Pressure\1\0\10)",
      R"(2\0\UB\V\Supply voltage\1\0\100)",
      // Status bits: bit index in field 6; field 7 bit 0 shown, bit 1 inverted, bits 2-3 colour.
      R"(2\10\ST:READY\\Module ready\1\0\9)",
      R"(2\10\ST:ERROR\\Error, sensor signal fails\1\1\5)",
      R"(2\10\ST:ENABLE\\Enable input active\1\2\9)",
      R"(2\10\ST:RAMP\\Ramp running\1\3\13)",
      R"(2\10\ST:CABLE\\Solenoid cable broken\1\4\7)",
      R"(2\10\ST:REMOTE\\Remote control active\1\5\13)",
      R"(2\10\ST:SPARE6\\Not used\1\6\0)",
      R"(2\10\ST:SPARE7\\Not used\1\7\12)",
      // Remote-controlled analogue inputs.
      R"(3\11\RC:910\\Remote setpoint PIN 9/10 in 0.01 %\1\-10000\10000)",
      R"(3\11\RC:6\\Remote input PIN 6 in 0.01 %\1\0\10000)",
      R"(3\11\RC:13\\Remote input PIN 13 in 0.01 %\1\0\10000)",
      R"(3\11\RC:14\\Remote input PIN 14 in 0.01 %\1\-10000\10000)",
      R"(3\11\RC:29\\Remote input PIN 29 in 0.01 %\1\0\10000)",
  };
  T.Defaults = {{"ENABLE", "ON"},    {"CTRL", "PI"},   {"RA", "100"},    {"RD", "100"},
                {"CURRENT", "1600"}, {"MIN", "0"},     {"MAX", "10000"}, {"TRIGGER", "200"},
                {"DFREQ", "120"},    {"DAMPL", "500"}, {"KP", "2500"},   {"PRESS", "250"},
                {"PWM", "2604"},     {"HOURS", "1234"}};
  T.ExpertParam = "MODE";
  T.ExpertValue = "EXPERT";
  T.ExpertAccess = 0x0200;  // Special
  T.Links = {{"SENS", "AIN:W", {"1000 1000 0 V", "1250 1000 2000 C", "500 1000 -10000 V"}}};
  T.Waves = {
      {"W", {TWave::Sine, 5000, 4000, 4000, 0}}, {"X", {TWave::Sine, 5000, 3800, 4000, 250}},
      {"E", {TWave::Sine, 0, 400, 4000, 1250}},  {"IA", {TWave::Triangle, 1000, 600, 3000, 0}},
      {"P", {TWave::Ramp, 1250, 1250, 5000, 0}}, {"UB", {TWave::Sine, 2400, 30, 9000, 0}}};
  T.SetpointProcess = "W";
  T.SetpointInput = "RC:910";
  return T;
}

}  // namespace vdx::sim
