// vdxctl remote against the virtual module.
#include "VdxctlFixture.h"

namespace vdx {
namespace {

using testing::TRun;

class RemoteCommandsTest : public testing::VdxctlTest {};

TEST_F(RemoteCommandsTest, StatusShowsModeDigitalInputsAndAnalogueInputs) {
  Module();
  TRun R = Run(At9600() + "remote status");
  ASSERT_EQ(R.Exit, 0) << R.Err;
  EXPECT_TRUE(R.Out.starts_with("Remote control: off\nDigital inputs: 0 (00000000)\n")) << R.Out;
  EXPECT_NE(R.Out.find("RC:14   Pin 14    -10000  10000"), std::string::npos) << R.Out;

  R = Run("--json" + At9600() + "remote status");
  ASSERT_EQ(R.Exit, 0) << R.Err;
  EXPECT_TRUE(R.Out.starts_with(
      "{\"remote\":false,\"digitalInputs\":0,\"analogInputs\":[{\"pin\":1,\"name\":\"RC:910\","
      "\"pinName\":\"PIN 9/10\",\"min\":-10000,\"max\":10000,\"value\":"))
      << R.Out;
  EXPECT_NE(R.Out.find("{\"pin\":2,\"name\":\"RC:6\",\"pinName\":\"Pin 6\",\"min\":0,"
                       "\"max\":10000,\"value\":"),
            std::string::npos)
      << R.Out;
}

TEST_F(RemoteCommandsTest, WritesWhileOnAreReadBack) {
  sim::TModuleSim& M = Module();
  struct TCase {
    const char* Args;
    const char* Out;
  } const Cases[] = {
      {"on", "Remote control: on\nDigital inputs: 0 (00000000)\n"},
      {"din 165", "165 (10100101)\n"},
      {"din", "165 (10100101)\n"},
      {"ain rc:6 2500", "2500\n"},  // the input's name without regard to case
      {"ain 2", "2500\n"},          // or its pin code
      {"ain 1 -10000", "-10000\n"},
      {"on", "Remote control: on\nDigital inputs: 0 (00000000)\n"},  // clears the inputs
      {"off", "Remote control: off\n"},
  };
  for (const auto& C : Cases) {
    const TRun R = Run(At9600() + "remote " + C.Args);
    EXPECT_EQ(R.Exit, 0) << C.Args << ": " << R.Err;
    EXPECT_EQ(R.Out, C.Out) << C.Args;
  }
  EXPECT_EQ(M.ParameterValue("RC:6"), "2500");
  EXPECT_EQ(M.ParameterValue("RC:910"), "-10000");
}

TEST_F(RemoteCommandsTest, WritesAreRefusedBeforeSending) {
  sim::TModuleSim& M = Module();
  const std::string Off = "remote control is off; use 'vdxctl remote on' first";
  struct TCase {
    const char* Args;
    int Exit;
    std::string Error;
  } const Cases[] = {
      {"din 3", 1, Off},
      {"ain RC:910 5", 1, Off},
      {"ain RC:6 -1", 2, "value -1 is outside the range 0..10000 of RC:6"},
      {"ain 1 10001", 2, "value 10001 is outside the range -10000..10000 of RC:910"},
      {"ain 6 0", 2,
       "no remote input 6; inputs: 1 RC:910 (PIN 9/10), 2 RC:6 (Pin 6), 3 RC:13 (PIN 13), "
       "4 RC:14 (Pin 14), 5 RC:29 (PIN 29)"},
      {"ain pin6", 2, "no remote input pin6; inputs: 1 RC:910"},
  };
  for (const auto& C : Cases) {
    M.ClearReceivedCommands();
    const TRun R = Run(At9600() + "remote " + C.Args);
    EXPECT_EQ(R.Exit, C.Exit) << C.Args;
    EXPECT_EQ(R.Err.rfind("vdxctl: " + C.Error, 0), 0u) << C.Args << "\n" << R.Err;
    EXPECT_EQ(ReceivedWrites(), std::vector<std::string>{}) << C.Args;
  }
}

TEST_F(RemoteCommandsTest, ModuleWithoutRemoteControlIsToldSo) {
  sim::TSimOptions Options;
  Options.AnswersRemote = true;
  Module(Options);
  for (const char* Args : {"on", "status"}) {
    const TRun R = Run(At9600() + "remote " + Args);
    EXPECT_EQ(R.Exit, 1) << Args;
    EXPECT_EQ(R.Err, "vdxctl: the module KV20DEMO has no remote control\n") << Args;
  }
  EXPECT_EQ(ReceivedWrites(), std::vector<std::string>{});
}

}  // namespace
}  // namespace vdx
