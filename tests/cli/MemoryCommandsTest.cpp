// vdxctl save, default and loadback against the virtual module.
#include "VdxctlFixture.h"

namespace vdx {
namespace {

using testing::TRun;

class MemoryCommandsTest : public testing::VdxctlTest {};

// The rich module lists SAVE and DEFAULT and leaves LOADBACK unlisted, so both ways of sending
// a memory command are taken.
TEST_F(MemoryCommandsTest, SaveLoadBackAndDefaultTellTheMainWindowsMessages) {
  sim::TModuleSim& M = Module();
  M.SetParameterValue("RA", "777");
  TRun R = Run(At9600() + "save");
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_EQ(R.Out, "Data saved!\n");

  M.SetParameterValue("RA", "1");
  R = Run(At9600() + "loadback");
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_EQ(R.Out, "Data loadback ok!\n");
  EXPECT_EQ(M.ParameterValue("RA"), "777");

  R = Run(At9600() + "default");
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_EQ(R.Out, "Data set to default!\n");
  EXPECT_EQ(M.ParameterValue("RA"), "100");
}

// The locked module lists SAVE read only: it is refused without being sent.
TEST_F(MemoryCommandsTest, SaveListedReadOnlyFails) {
  sim::TSimOptions Options;
  Options.ModuleType = "locked";
  sim::TModuleSim& M = Module(Options);
  TRun R = Run(At9600() + "save");
  EXPECT_EQ(R.Exit, 1);
  EXPECT_EQ(R.Out, "");
  EXPECT_EQ(R.Err, "vdxctl: Couldn`t save!!!\n");
  for (const auto& Line : M.ReceivedCommands()) EXPECT_NE(Line.rfind("SAVE", 0), 0u) << Line;

  R = Run(At9600() + "loadback");  // listed write only: works
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_EQ(R.Out, "Data loadback ok!\n");
}

}  // namespace
}  // namespace vdx
