// vdxctl firmware with the parameter backup: the module's values are saved before the
// bootloader is entered, the update resets them to defaults, and the backup brings every value
// back, with --restore in the same run or later with import.
#include <gtest/gtest.h>

#include <map>

#include "TestScopes.h"
#include "VdxctlFixture.h"

namespace vdx::testing {
namespace {

std::string FirmwareFile() { return TestDataDir() + "/KV20FW.s19"; }

// Every value the module keeps: its parameters of types 1, 2 and 7, and each curve point.
std::map<std::string, std::string> Values(const sim::TModuleSim& M) {
  std::map<std::string, std::string> Found;
  for (const std::string& Line : M.ReadoutLines()) {
    std::vector<std::string> Fields;
    std::stringstream In(Line);
    for (std::string Field; std::getline(In, Field, '\\');) Fields.push_back(Field);
    if (Fields.size() < 3) continue;
    const std::string& Type = Fields[1];
    const std::string& Name = Fields[2];
    if (Type == "1" || Type == "2" || Type == "7") Found[Name] = M.ParameterValue(Name);
    if (Type == "6")
      for (int K = -10; K <= 10; ++K) {
        const std::string Point = Name + ":" + std::to_string(K);
        Found[Point] = M.ParameterValue(Point);
      }
  }
  return Found;
}

// The file named in a line `... "FILE"` of Text.
std::string QuotedFile(const std::string& Text, const std::string& Before) {
  const size_t Start = Text.find(Before + "\"");
  if (Start == std::string::npos) return "";
  const size_t First = Start + Before.size() + 1;
  return Text.substr(First, Text.find('"', First) - First);
}

class FirmwareBackupTest : public VdxctlTest {
 protected:
  std::string Settings() const { return (FDir / "settings").string(); }
};

TEST_F(FirmwareBackupTest, TheBackupRestoresEveryValueAfterTheUpdate) {
  TEnvScope Env({{"appdata", Settings()}});
  sim::TModuleSim& M = Module();
  ASSERT_EQ(Run("set CC 0 100 200 -10 -9000 -9500" + At9600()).Exit, 0);
  M.SetParameterValue("RA", "321");
  M.SetParameterValue("SENS", "\"4 - 20 mA\"");
  M.SetParameterValue("MODE", "EXPERT");
  const auto Before = Values(M);

  const TRun Restored = Run("firmware " + FirmwareFile() + " --yes --restore" + At9600());
  ASSERT_EQ(Restored.Exit, 0) << Restored.Err;
  const std::string Backup = QuotedFile(Restored.Err, "Parameter backup saved in ");
  EXPECT_EQ(std::filesystem::path(Backup).parent_path(),
            std::filesystem::path(Settings()) / "Xavo/backups");
  EXPECT_NE(Restored.Out.find("Parameters restored from \"" + Backup + "\"\n"), std::string::npos)
      << Restored.Out;
  EXPECT_EQ(Values(M), Before);

  // Without --restore the new firmware keeps its defaults; the backup file brings the values
  // back at any later time.
  ASSERT_EQ(Run("firmware " + FirmwareFile() + " --yes" + At9600()).Exit, 0);
  EXPECT_NE(Values(M), Before);
  EXPECT_NE(M.ParameterValue("RA"), "321");
  const TRun Imported = Run("import " + Backup + At9600());
  EXPECT_EQ(Imported.Exit, 0) << Imported.Err;
  EXPECT_EQ(Values(M), Before);
}

// A module that cannot be identified has no backup: that is said, and --restore refuses to
// start an update it could not undo.
TEST_F(FirmwareBackupTest, WithoutAnIdentifiedModuleThereIsNoBackupToRestore) {
  TEnvScope Env({{"appdata", Settings()}});
  sim::TSimOptions NoReadout;
  NoReadout.ModuleType = "noreadout";
  sim::TModuleSim& M = Module(NoReadout);
  const TRun R = Run("firmware " + FirmwareFile() + " --yes --restore" + At9600());
  EXPECT_EQ(R.Exit, 1);
  EXPECT_NE(R.Err.find("vdxctl: No parameter backup: no module is identified\n"), std::string::npos)
      << R.Err;
  EXPECT_NE(R.Err.find("--restore needs a parameter backup; nothing was sent"), std::string::npos);
  for (const auto& Line : M.ReceivedCommands()) EXPECT_NE(Line, "BOOTLOADER\r");
  EXPECT_FALSE(std::filesystem::exists(Settings() + "/Xavo/backups"));
}

}  // namespace
}  // namespace vdx::testing
