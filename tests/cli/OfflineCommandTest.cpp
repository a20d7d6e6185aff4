// vdxctl offline: modules of a command list file shown and changed without any port.
#include "VdxctlFixture.h"

namespace vdx {
namespace {

using testing::FileText;
using testing::TRun;

// A file with the rich module's data (RA 1234, CC point 3 at 300 -400) and then the basic
// module's, both exported from virtual modules.
class OfflineCommandTest : public testing::VdxctlTest {
 protected:
  void SetUp() override {
    VdxctlTest::SetUp();
    Two = (FDir / "two.vdx").string();
    sim::TModuleSim& Rich = Module();
    Rich.SetParameterValue("RA", "1234");
    Rich.SetParameterValue("CC:3", "300 -400");
    RichId = Rich.IdText();
    RichRa = Run("--json" + At9600() + "get RA").Out;
    RichCc = Run("--json" + At9600() + "get CC").Out;
    ASSERT_EQ(Run(At9600() + "export " + Two).Exit, 0);
    sim::TSimOptions Options;
    Options.ModuleType = "basic";
    sim::TModuleSim& Basic = Module(Options);
    BasicId = Basic.IdText();
    ASSERT_EQ(Run(At9600() + "export " + Two).Exit, 0);
  }

  // Whether the JSON output holds the parameter object Get printed (without its line end).
  static bool Holds(const std::string& Json, const std::string& Get) {
    return !Get.empty() && Json.find(Get.substr(0, Get.size() - 1)) != std::string::npos;
  }

  std::string Two, RichId, BasicId, RichRa, RichCc;
};

std::string Quoted(const std::string& Text) { return " '" + Text + "' "; }

TEST_F(OfflineCommandTest, PrintsAModuleOfTheFileAsIdentifyDoes) {
  TRun R = Run("offline " + Two);
  EXPECT_EQ(R.Exit, 2);
  EXPECT_EQ(R.Err, "vdxctl: " + Two + " holds 2 modules; choose one with --module ID:\n  " +
                       RichId + "\n  " + BasicId + "\n");
  EXPECT_EQ(R.Out, "");

  R = Run("offline " + Two + " --module nope");
  EXPECT_EQ(R.Exit, 2);
  EXPECT_EQ(R.Err, "vdxctl: no module nope in " + Two + "; it holds:\n  " + RichId + "\n  " +
                       BasicId + "\n");

  R = Run("offline " + Two + " --module" + Quoted(BasicId));
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_TRUE(R.Out.starts_with("ID:             " + BasicId + "\nBaud rate:      offline\n"))
      << R.Out;
  EXPECT_NE(R.Out.find("\nParameters\nNAME "), std::string::npos) << R.Out;

  R = Run("--json offline" + Quoted(Two) + "--module" + Quoted(RichId));
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_TRUE(
      R.Out.starts_with("{\"id\":\"" + RichId + "\",\"module\":\"KV20DEMO\",\"baud\":null,"))
      << R.Out;
  EXPECT_TRUE(Holds(R.Out, RichRa)) << RichRa;
  EXPECT_TRUE(Holds(R.Out, RichCc)) << RichCc;
}

TEST_F(OfflineCommandTest, SetChangesTheModuleAndSavesItAs) {
  const std::string Before = FileText(Two);
  const std::string Changed = (FDir / "changed.vdx").string();
  TRun R = Run("offline " + Two + " --module" + Quoted(RichId) +
               "--set ra 4321 --set CC 3 -5 6 -10 -1 -2 --save-as " + Changed);
  ASSERT_EQ(R.Exit, 0) << R.Err;
  EXPECT_EQ(R.Out, "Data saved in \"" + Changed + "\"\n");
  EXPECT_EQ(FileText(Two), Before);

  // The new file holds the rich module alone, under its ID, with the new values.
  R = Run("--json offline " + Changed);
  ASSERT_EQ(R.Exit, 0) << R.Err;
  EXPECT_TRUE(R.Out.starts_with("{\"id\":\"" + RichId + "\"")) << R.Out;
  EXPECT_FALSE(Holds(R.Out, RichRa));
  EXPECT_NE(R.Out.find("{\"name\":\"RA\""), std::string::npos);
  EXPECT_NE(R.Out.find("\"value\":\"4321\""), std::string::npos) << R.Out;
  EXPECT_NE(R.Out.find("[-1,-2],[-9000,-9000]"), std::string::npos) << R.Out;  // points -10, -9
  EXPECT_NE(R.Out.find("[2000,2000],[-5,6],[4000,4000]"), std::string::npos) << R.Out;
}

TEST_F(OfflineCommandTest, SetIsCheckedAsSetChecksIt) {
  const std::string Before = FileText(Two);
  const std::string Out = (FDir / "out.vdx").string();
  struct TCase {
    std::string Sets;
    std::string Error;
  } const Cases[] = {
      {"--set RA 1000 --set RA 0", "value 0 is outside the range 1..5000 of RA"},
      {"--set HOURS 5", "HOURS cannot be written (read only)"},
      {"--set NOPE 1", "no parameter NOPE in module KV20DEMO"},
      {"--set W 5", "W is a process value, not a parameter"},
      {"--set DIR SIDEWAYS", "'SIDEWAYS' is not a value of DIR: NORMAL|INVERS"},
  };
  for (const auto& C : Cases) {
    const TRun R =
        Run("offline " + Two + " --module" + Quoted(RichId) + C.Sets + " --save-as " + Out);
    EXPECT_EQ(R.Exit, 2) << C.Sets;
    EXPECT_EQ(R.Err, "vdxctl: " + C.Error + "\n") << C.Sets;
    EXPECT_FALSE(std::filesystem::exists(Out)) << C.Sets;
  }
  EXPECT_EQ(FileText(Two), Before);
}

// Saving into the file it came from replaces the module there, after the overwrite question;
// the file's other module stays.
TEST_F(OfflineCommandTest, SaveAsTheSameFileAsksBeforeReplacing) {
  const std::string Before = FileText(Two);
  const std::string Args =
      "offline " + Two + " --module" + Quoted(RichId) + "--set RA 4321 --save-as " + Two;
  TRun R = Run(Args);
  EXPECT_EQ(R.Exit, 3);
  EXPECT_EQ(R.Err,
            "vdxctl: " + Two + " already holds module " + RichId + "; use --yes to overwrite\n");
  EXPECT_EQ(FileText(Two), Before);

  R = Run(Args + " --yes");
  EXPECT_EQ(R.Exit, 0) << R.Err;
  R = Run("--json offline " + Two + " --module" + Quoted(RichId));
  EXPECT_NE(R.Out.find("\"value\":\"4321\""), std::string::npos) << R.Out;
  EXPECT_EQ(Run("offline " + Two + " --module" + Quoted(BasicId)).Exit, 0);
}

}  // namespace
}  // namespace vdx
