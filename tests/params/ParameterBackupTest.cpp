// The parameter backup around a firmware update: where it goes and under which name, what is
// said when none can be made, and a restore into a module whose new firmware reports another
// ID text and lacks some of the names.
#include <gtest/gtest.h>

#include <filesystem>

#include "SimLink.h"
#include "TestScopes.h"
#include "params/ParameterBackup.h"
#include "params/VdxCmdDom.h"

namespace vdx::testing {
namespace {

namespace fs = std::filesystem;

std::tm At(int Year, int Month, int Day, int Hour, int Min, int Sec) {
  std::tm T{};
  T.tm_year = Year - 1900;
  T.tm_mon = Month - 1;
  T.tm_mday = Day;
  T.tm_hour = Hour;
  T.tm_min = Min;
  T.tm_sec = Sec;
  return T;
}

TEST(ParameterBackup, FileNamesCarryTheModuleNameDateAndTime) {
  const std::tm T = At(2026, 12, 11, 7, 5, 9);
  const struct {
    std::string Module, File;
  } Cases[] = {
      {"KV20DEMO", "KV20DEMO-20261211-070509.vdx"},
      {"KV20 A/B\\x", "KV20_A_B_x-20261211-070509.vdx"},
      {"../up", ".._up-20261211-070509.vdx"},
      {"M\xE4x", "M_x-20261211-070509.vdx"},
      {"", "module-20261211-070509.vdx"},
  };
  for (const auto& C : Cases) EXPECT_EQ(BackupFileName(C.Module, T), C.File) << C.Module;
}

TEST(ParameterBackup, TheIdentifiedModuleGoesIntoANewFileOfTheBackupFolder) {
  TTempFolder Temp;
  TSimLink L;
  ASSERT_TRUE(L.Identify());
  const std::string Settings = Temp / "settings/Xavo";  // does not exist yet
  const std::tm T = At(2026, 12, 11, 7, 30, 0);

  const TParameterBackup First = SaveParameterBackup(L.Prot, Settings, T);
  ASSERT_TRUE(First.Saved) << First.Message;
  EXPECT_EQ(First.FileName, Settings + "/backups/KV20DEMO-20261211-073000.vdx");
  EXPECT_EQ(First.Message, "Parameter backup saved in \"" + First.FileName + "\"");
  std::vector<std::string> Ids;
  ASSERT_TRUE(TVDXCmdDOM(nullptr).GetModuleIds(First.FileName, &Ids));
  EXPECT_EQ(Ids, std::vector<std::string>{L.Prot.ModuleId()});

  // A second backup in the same second neither asks nor replaces the first.
  L.Prot.OnInfoMsg = [](TVDXModCommProt&, TVDXCommProtMsgKind, int&) { FAIL() << "asked"; };
  const auto Before = fs::last_write_time(First.FileName);
  const TParameterBackup Second = SaveParameterBackup(L.Prot, Settings, T);
  ASSERT_TRUE(Second.Saved) << Second.Message;
  EXPECT_EQ(Second.FileName, Settings + "/backups/KV20DEMO-20261211-073000-2.vdx");
  EXPECT_EQ(fs::last_write_time(First.FileName), Before);
}

TEST(ParameterBackup, WithoutABackupTheReasonIsSaid) {
  TTempFolder Temp;
  TVDXModCommProt NotIdentified;
  const TParameterBackup None = SaveParameterBackup(NotIdentified, Temp / "s", {});
  EXPECT_FALSE(None.Saved);
  EXPECT_EQ(None.Message, "No parameter backup: no module is identified");
  EXPECT_TRUE(None.FileName.empty());
  EXPECT_FALSE(fs::exists(Temp / "s"));

  TSimLink L;
  ASSERT_TRUE(L.Identify());
  std::ofstream(Temp / "file") << "in the way";
  const TParameterBackup Blocked = SaveParameterBackup(L.Prot, Temp / "file", {});
  EXPECT_FALSE(Blocked.Saved);
  EXPECT_NE(Blocked.Message.find("No parameter backup: the folder \"" + (Temp / "file/backups") +
                                 "\" could not be created"),
            std::string::npos)
      << Blocked.Message;
}

// The new firmware reports another ID text and lacks some names: the backup's module is taken
// without a question, its values go in by name, and the missing names are reported.
TEST(ParameterBackup, RestoreTakesTheBackupsModuleAndReportsMissingNames) {
  TTempFolder Temp;
  TSimLink Old;
  Old.Module.SetParameterValue("RA", "321");
  Old.Module.SetParameterValue("SENS", "4 - 20 mA");
  ASSERT_TRUE(Old.Identify());
  const TParameterBackup Backup = SaveParameterBackup(Old.Prot, Temp / "cfg", {});
  ASSERT_TRUE(Backup.Saved) << Backup.Message;

  sim::TSimOptions Basic;
  Basic.ModuleType = "basic";
  TSimLink New(Basic);
  ASSERT_TRUE(New.Identify());
  ASSERT_NE(New.Module.ParameterValue("SENS"), Old.Module.ParameterValue("SENS"));
  int Asked = 0;
  New.Prot.OnInfoMsg = [&](TVDXModCommProt&, TVDXCommProtMsgKind, int&) { ++Asked; };
  New.Prot.OnModIdSelRequest = [&](TVDXModCommProt&, const std::vector<std::string>&, int&) {
    ++Asked;
  };
  std::vector<std::string> Missing;
  New.Prot.OnParaDownloadError = [&](TVDXModCommProt&, const std::vector<std::string>& Names) {
    Missing = Names;
  };

  const uint8_t Result = RestoreParameterBackup(New.Prot, Backup.FileName);
  EXPECT_EQ(Result, irDone);
  EXPECT_EQ(RestoreMessage(Result, Backup.FileName, ""),
            "Parameters restored from \"" + Backup.FileName + "\"");
  EXPECT_EQ(New.Module.ParameterValue("RA"), "321");
  EXPECT_EQ(New.Module.ParameterValue("SENS"), Old.Module.ParameterValue("SENS"));
  EXPECT_NE(std::find(Missing.begin(), Missing.end(), "MODE"), Missing.end());
  EXPECT_EQ(std::find(Missing.begin(), Missing.end(), "RA"), Missing.end());
  // The window's own question handlers are back in place.
  int Answer = 0, Index = 0;
  New.Prot.OnInfoMsg(New.Prot, cpmkImpFktNoValidModulId, Answer);
  New.Prot.OnModIdSelRequest(New.Prot, {}, Index);
  EXPECT_EQ(Asked, 2);
}

}  // namespace
}  // namespace vdx::testing
