// vdxctl get and set against the virtual module.
#include <algorithm>

#include "VdxctlFixture.h"

namespace vdx {
namespace {

using testing::TRun;

class ParameterCommandsTest : public testing::VdxctlTest {};

int LineCount(const std::string& Text) {
  return static_cast<int>(std::count(Text.begin(), Text.end(), '\n'));
}

TEST_F(ParameterCommandsTest, GetPrintsTheValueTextOfEachKind) {
  sim::TModuleSim& M = Module();
  M.SetParameterValue("RA", "1234");
  M.SetParameterValue("SENS", "4 - 20 mA");
  M.SetParameterValue("AIN:W", "1250 1000 -2000 C");
  M.SetParameterValue("CC:-10", "-9000 -8000");
  M.SetParameterValue("CC:10", "9000 8000");

  struct TCase {
    const char* Name;
    const char* Out;
  } const Cases[] = {
      {"ra", "1234\n"},  // names without regard to case
      {"SENS", "4 - 20 mA\n"},
      {"AIN:W", "  1250   1000  -2000 C\n"},
  };
  for (const auto& C : Cases) {
    const TRun R = Run(At9600() + "get " + C.Name);
    EXPECT_EQ(R.Exit, 0) << C.Name << ": " << R.Err;
    EXPECT_EQ(R.Out, C.Out) << C.Name;
  }

  const TRun R = Run(At9600() + "get CC");
  ASSERT_EQ(R.Exit, 0) << R.Err;
  EXPECT_EQ(LineCount(R.Out), 21) << R.Out;
  EXPECT_EQ(R.Out.rfind("-10 -9000 -8000\n-9 ", 0), 0u) << R.Out;
  EXPECT_NE(R.Out.find("\n9 "), std::string::npos) << R.Out;
  EXPECT_TRUE(R.Out.ends_with("\n10 9000 8000\n")) << R.Out;
}

TEST_F(ParameterCommandsTest, GetJsonIsTheParameterAsIdentifyListsIt) {
  sim::TModuleSim& M = Module();
  M.SetParameterValue("CC:3", "300 -400");
  const TRun Identify = Run("--json" + At9600() + "identify");
  ASSERT_EQ(Identify.Exit, 0) << Identify.Err;
  for (const char* Name : {"RA", "SENS", "CC", "AIN:X"}) {
    const TRun R = Run("--json" + At9600() + "get " + Name);
    ASSERT_EQ(R.Exit, 0) << Name << ": " << R.Err;
    ASSERT_TRUE(R.Out.starts_with(std::string("{\"name\":\"") + Name + "\"")) << R.Out;
    ASSERT_TRUE(R.Out.ends_with("}\n")) << R.Out;
    EXPECT_NE(Identify.Out.find(R.Out.substr(0, R.Out.size() - 1)), std::string::npos) << R.Out;
  }
}

TEST_F(ParameterCommandsTest, GetRefusesWhatIsNoReadableParameter) {
  Module();
  struct TCase {
    const char* Name;
    const char* Error;
  } const Cases[] = {
      {"NOPE", "vdxctl: no parameter NOPE in module KV20DEMO\n"},
      {"IA", "vdxctl: IA is a process value, not a parameter\n"},
      {"st:ready", "vdxctl: st:ready is a status bit, not a parameter\n"},
      {"rc:6", "vdxctl: rc:6 is a remote input, not a parameter; use 'vdxctl remote ain rc:6'\n"},
      {"RESET", "vdxctl: RESET is a control command and has no value\n"},
  };
  for (const auto& C : Cases) {
    const TRun R = Run(At9600() + "get " + C.Name);
    EXPECT_EQ(R.Exit, 2) << C.Name;
    EXPECT_EQ(R.Err, C.Error);
    EXPECT_EQ(R.Out, "");
  }
}

TEST_F(ParameterCommandsTest, SetWritesEachKindAndPrintsTheValueReadBack) {
  sim::TModuleSim& M = Module();
  struct TCase {
    const char* Args;
    const char* Out;
    const char* Probe;  // the module's value afterwards
    const char* Value;
  } const Cases[] = {
      {"RA 2500", "2500\n", "RA", "2500"},
      {"offset -1500", "-1500\n", "OFFSET", "-1500"},  // a negative number is no option
      {"KP 0x10", "16\n", "KP", "16"},
      {"sens '+/- 10 v'", "+/- 10 V\n", "SENS", "\"+/- 10 V\""},  // the list's spelling
      {"AIN:X 1250 1000 2000 i", "  1250   1000   2000 C\n", "AIN:X", "1250 1000 2000 C"},
      {"AIN:X '-500 1000 0 U'", "  -500   1000      0 V\n", "AIN:X", "-500 1000 0 V"},
  };
  for (const auto& C : Cases) {
    const TRun R = Run(At9600() + "set " + C.Args);
    EXPECT_EQ(R.Exit, 0) << C.Args << ": " << R.Err;
    EXPECT_EQ(R.Out, C.Out) << C.Args;
    EXPECT_EQ(M.ParameterValue(C.Probe), C.Value) << C.Args;
  }
}

TEST_F(ParameterCommandsTest, SetOfCurvePointsKeepsTheOtherPoints) {
  sim::TModuleSim& M = Module();
  M.SetParameterValue("CC:-10", "-9000 -8000");
  const TRun R = Run(At9600() + "set CC '0 100 200' 5 300 -400");
  ASSERT_EQ(R.Exit, 0) << R.Err;
  EXPECT_EQ(LineCount(R.Out), 21) << R.Out;
  for (const char* Line : {"-10 -9000 -8000\n", "\n0 100 200\n", "\n5 300 -400\n"})
    EXPECT_NE(R.Out.find(Line), std::string::npos) << Line << "\n" << R.Out;
  EXPECT_EQ(M.ParameterValue("CC:0"), "100 200");
  EXPECT_EQ(M.ParameterValue("CC:5"), "300 -400");
  EXPECT_EQ(M.ParameterValue("CC:-10"), "-9000 -8000");
}

TEST_F(ParameterCommandsTest, SetRefusesBeforeSendingAnything) {
  sim::TModuleSim& M = Module();
  struct TCase {
    const char* Args;
    const char* Error;
  } const Cases[] = {
      {"NOPE 1", "no parameter NOPE in module KV20DEMO"},
      {"W 5", "W is a process value, not a parameter"},
      {"HOURS 5", "HOURS cannot be written (read only)"},
      {"RESET 1", "RESET is a control command and takes no value"},
      {"SENS '1 - 5 V'", "'1 - 5 V' is not a value of SENS: 0 - 10 V|4 - 20 mA|+/- 10 V"},
      {"SENS 0 - 10 V", "SENS takes one text (quote a text with blanks)"},
      {"RA fast", "'fast' is not an integer"},
      {"RA 1.5", "'1.5' is not an integer"},
      {"RA 5001", "value 5001 is outside the range 1..5000 of RA"},
      {"RA 0", "value 0 is outside the range 1..5000 of RA"},
      {"RA 1 2", "RA takes one integer in 1..5000; got 2 values"},
      {"CC 0 100", "CC takes points as triples 'I X Y'"},
      {"CC 11 0 0", "point 11 is outside -10..10"},
      {"CC 0 0 0 1 10001 0", "X 10001 is outside the range -10000..10000 of CC"},
      {"AIN:W 1 2 3", "AIN:W takes four values 'A B C X'"},
      {"AIN:W 1 2 -10001 V", "C -10001 is outside the range -10000..10000 of AIN:W"},
      {"AIN:W 1 2 3 A", "input kind 'A' of AIN:W is not one of V, C, U, I"},
  };
  const std::string RaBefore = M.ParameterValue("RA");
  for (const auto& C : Cases) {
    M.ClearReceivedCommands();
    const TRun R = Run(At9600() + "set " + C.Args);
    EXPECT_EQ(R.Exit, 2) << C.Args;
    EXPECT_EQ(R.Err.rfind(std::string("vdxctl: ") + C.Error, 0), 0u) << C.Args << "\n" << R.Err;
    EXPECT_EQ(R.Out, "") << C.Args;
    EXPECT_EQ(ReceivedWrites(), std::vector<std::string>{}) << C.Args;
  }
  EXPECT_EQ(M.ParameterValue("RA"), RaBefore);
}

TEST_F(ParameterCommandsTest, SetThatTheModuleRefusesFails) {
  sim::TModuleSim& M = Module();
  M.SetFault(sim::TSimFault::RefuseWrites);
  for (const char* Args : {"RA 2500", "CC 0 100 200"}) {
    const TRun R = Run(At9600() + "set " + Args);
    EXPECT_EQ(R.Exit, 1) << Args;
    EXPECT_NE(R.Err.find("vdxctl: the module refused "), std::string::npos) << R.Err;
    EXPECT_EQ(R.Out, "") << Args;
  }
  EXPECT_NE(M.ParameterValue("RA"), "2500");
}

// A module that takes a write but keeps another value (here: it clamps to a tighter range than
// its description file claims) must not be reported as set.
TEST_F(ParameterCommandsTest, SetFailsWhenTheModuleKeepsAnotherValue) {
  sim::TSimOptions Options;
  Options.ModuleType = "basic";
  Options.ReadoutFails = true;
  sim::TModuleSim& M = Module(Options);
  std::ofstream Rdd(FDir / "KV20BASIC.rdd");
  for (std::string Line : M.ReadoutLines()) {
    if (Line.starts_with(R"(3\2\RA\)")) Line = R"(3\2\RA\\Ramp up time in ms\1\1\9000\36)";
    Rdd << Line << "\n";
  }
  Rdd.close();

  const TRun R = Run("--rdd-dir " + FDir.string() + At9600() + "set RA 7000");
  EXPECT_EQ(R.Exit, 1);
  EXPECT_EQ(R.Out, "5000\n");
  EXPECT_NE(R.Err.find("vdxctl: the module did not take the value"), std::string::npos) << R.Err;
}

}  // namespace
}  // namespace vdx
