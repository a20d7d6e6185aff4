// Typed settings: first-start defaults, the rules for stored values, and every key written
// under its exact name.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "AppTestFolders.h"
#include "app/ExecutableDir.h"
#include "app/ToolSettings.h"

namespace vdx {
namespace {

namespace fs = std::filesystem;

class ToolSettingsTest : public ::testing::Test {
 protected:
  testing::TSettingsFolderScope Scope;
  TApplIni Ini{"vdxtool"};
  TToolSettings Settings{&Ini};
};

void ExpectFirstStartValues(const TToolSettings& S) {
  EXPECT_EQ(S.Port(), "");
  EXPECT_EQ(S.TransferMode(), tmFullDuplex);
  EXPECT_FALSE(S.AutoBRDetection());
  EXPECT_EQ(S.FixBR(), mb9600);
  EXPECT_FALSE(S.AutoSetBR());
  EXPECT_EQ(S.AutoBR(), mb38400);
  EXPECT_EQ(S.DelayOnFirmwareUpdate(), 0);
  EXPECT_EQ(S.DisplayColor(), -16777201);
  EXPECT_EQ(S.GridColor(), 16711680);
  EXPECT_EQ(S.ChannelColor(1), 16711680);
  EXPECT_EQ(S.ChannelColor(2), 255);
  EXPECT_EQ(S.ChannelColor(3), 32768);
  EXPECT_EQ(S.ChannelColor(4), 0);
  EXPECT_EQ(S.SignalLineWidth(), 0);
  EXPECT_FALSE(S.ULimLLimManually());
  EXPECT_EQ(S.VisParaKind(), 0);
  EXPECT_EQ(S.VisParaCnt(), 4);
  EXPECT_FALSE(S.ShowCmdGrpInfo());
  EXPECT_FALSE(S.VDXFileViewer());
  EXPECT_FALSE(S.SFWUpdate());
  EXPECT_FALSE(S.TermFWUpdate());
  EXPECT_FALSE(S.ShowDecimals());
  EXPECT_FALSE(S.AinCommandUI());
  EXPECT_EQ(S.FirmwarePath(), ExecutableDir() + "/");
  EXPECT_EQ(S.LastFirmware(), "");
  EXPECT_EQ(S.ParaFilePath(), ExecutableDir() + "/");
}

TEST_F(ToolSettingsTest, FirstStartGivesTheDefaultsWithAndWithoutTheFile) {
  ExpectFirstStartValues(Settings);
  ExpectFirstStartValues(TToolSettings());
  EXPECT_FALSE(fs::exists(Ini.FullPath())) << "reading writes nothing";
}

TEST_F(ToolSettingsTest, StoredValuesFollowTheirRules) {
  using TGet = std::function<int(const TToolSettings&)>;
  const TGet FixBR = [](const TToolSettings& S) { return int(S.FixBR()); };
  const TGet AutoBR = [](const TToolSettings& S) { return int(S.AutoBR()); };
  const TGet Width = [](const TToolSettings& S) { return S.SignalLineWidth(); };
  const TGet Count = [](const TToolSettings& S) { return S.VisParaCnt(); };
  const TGet Kind = [](const TToolSettings& S) { return S.VisParaKind(); };
  const TGet Delay = [](const TToolSettings& S) { return S.DelayOnFirmwareUpdate(); };
  const TGet Mode = [](const TToolSettings& S) { return int(S.TransferMode()); };
  const TGet Face = [](const TToolSettings& S) { return S.DisplayColor(); };
  const struct {
    const char *Section, *Key, *Stored;
    const TGet& Get;
    int Expected;
  } Cases[] = {
      {"Interface", "FixBR", "19200", FixBR, mb19200},
      {"Interface", "FixBR", "115200", FixBR, mb115200},
      {"Interface", "FixBR", "1", FixBR, mb9600},
      {"Interface", "FixBR", "fast", FixBR, mb9600},
      {"Interface", "AutoBR", "4", AutoBR, mb38400},
      {"Interface", "AutoBR", "57600", AutoBR, mb57600},
      {"Scope", "SignalLineWidth", "5", Width, 0},
      {"Scope", "SignalLineWidth", "-1", Width, 0},
      {"Scope", "SignalLineWidth", "2", Width, 2},
      {"Monitor", "VisParaCnt", "15", Count, 10},
      {"Monitor", "VisParaCnt", "0", Count, 1},
      {"Monitor", "VisParaCnt", "7", Count, 7},
      {"Monitor", "VisParaKind", "3", Kind, 0},
      {"Monitor", "VisParaKind", "2", Kind, 2},
      {"Interface", "DelayOnFirmwareUpdate", "150", Delay, 100},
      {"Interface", "DelayOnFirmwareUpdate", "-3", Delay, 0},
      {"Interface", "TranferMode", "1", Mode, tmHalfDuplex},
      {"Interface", "TranferMode", "7", Mode, tmFullDuplex},
      {"scope", "backgoundcolor", "-16777201", Face, -16777201},
      {"Scope", "BackgoundColor", "65280", Face, 65280},
  };
  for (const auto& C : Cases) {
    Ini.WriteString(C.Section, C.Key, C.Stored);
    EXPECT_EQ(C.Get(Settings), C.Expected) << C.Key << "=" << C.Stored;
  }
}

// A stored number that is no valid value gives what was last set, not the first-start value.
TEST_F(ToolSettingsTest, InvalidStoredValuesGiveTheInMemoryValue) {
  Settings.SetFixBR(mb57600);
  Settings.SetAutoBR(mb115200);
  Settings.SetSignalLineWidth(1);
  Settings.SetTransferMode(tmHalfDuplex);
  Ini.WriteString("Interface", "FixBR", "1");
  Ini.WriteString("Interface", "AutoBR", "2");
  Ini.WriteString("Scope", "SignalLineWidth", "9");
  Ini.WriteString("Interface", "TranferMode", "x");
  EXPECT_EQ(Settings.FixBR(), mb57600);
  EXPECT_EQ(Settings.AutoBR(), mb115200);
  EXPECT_EQ(Settings.SignalLineWidth(), 1);
  EXPECT_EQ(Settings.TransferMode(), tmHalfDuplex);
}

TEST_F(ToolSettingsTest, SettersWriteEveryKeyUnderItsNameAndReadBack) {
  TToolSettings& S = Settings;
  S.SetAutoSetBR(true);
  S.SetPort("COM3");
  S.SetAutoBR(mb115200);
  S.SetAutoBRDetection(true);
  S.SetFixBR(mb19200);
  S.SetTransferMode(tmHalfDuplex);
  S.SetDelayOnFirmwareUpdate(50);
  S.SetDisplayColor(clBtnFace);
  S.SetGridColor(MakeColor(1, 2, 3));
  for (int Channel = 1; Channel <= 4; ++Channel) S.SetChannelColor(Channel, Channel);
  S.SetSignalLineWidth(2);
  S.SetULimLLimManually(true);
  S.SetVisParaKind(1);
  S.SetVisParaCnt(10);
  S.SetShowCmdGrpInfo(true);
  S.SetVDXFileViewer(true);
  S.SetSFWUpdate(true);
  S.SetTermFWUpdate(true);
  S.SetShowDecimals(true);
  S.SetAinCommandUI(true);
  S.SetFirmwarePath("/fw/");
  S.SetLastFirmware("/fw/Module 1.s19");
  S.SetParaFilePath("/par/");
  EXPECT_EQ(testing::FileText(Ini.FullPath()),
            "[Interface]\nAutoSetBR=1\nPort=COM3\nAutoBR=115200\nAutoBRDetection=1\n"
            "FixBR=19200\nTranferMode=1\nDelayOnFirmwareUpdate=50\n\n"
            "[Scope]\nBackgoundColor=-16777201\nGridColor=197121\nCha1Color=1\nCha2Color=2\n"
            "Cha3Color=3\nCha4Color=4\nSignalLineWidth=2\nULimLLimManually=1\n\n"
            "[Monitor]\nVisParaKind=1\nVisParaCnt=10\n\n"
            "[Xavo]\nShowCmdGrpInfo=1\nVDXFileViewer=1\nSFWUpdate=1\nTermFWUpdate=1\n\n"
            "[TableInput]\nShowDecimals=1\nAinCommandUI=1\n\n"
            "[Application]\nFirmwarePath=/fw/\nLastFirmware=/fw/Module 1.s19\n"
            "ParaFilePath=/par/\n");

  // A fresh reader over the same file sees every value.
  const TToolSettings R(&Ini);
  EXPECT_EQ(R.Port(), "COM3");
  EXPECT_EQ(R.TransferMode(), tmHalfDuplex);
  EXPECT_TRUE(R.AutoBRDetection());
  EXPECT_EQ(R.FixBR(), mb19200);
  EXPECT_TRUE(R.AutoSetBR());
  EXPECT_EQ(R.AutoBR(), mb115200);
  EXPECT_EQ(R.DelayOnFirmwareUpdate(), 50);
  EXPECT_EQ(R.DisplayColor(), clBtnFace);
  EXPECT_EQ(R.GridColor(), 197121);
  EXPECT_EQ(R.ChannelColor(4), 4);
  EXPECT_EQ(R.SignalLineWidth(), 2);
  EXPECT_TRUE(R.ULimLLimManually());
  EXPECT_EQ(R.VisParaKind(), 1);
  EXPECT_EQ(R.VisParaCnt(), 10);
  EXPECT_TRUE(R.ShowCmdGrpInfo() && R.VDXFileViewer() && R.SFWUpdate() && R.TermFWUpdate());
  EXPECT_TRUE(R.ShowDecimals() && R.AinCommandUI());
  EXPECT_EQ(R.FirmwarePath(), "/fw/");
  EXPECT_EQ(R.LastFirmware(), "/fw/Module 1.s19");
  EXPECT_EQ(R.ParaFilePath(), "/par/");
}

TEST_F(ToolSettingsTest, WithoutTheFileSettersKeepValuesInMemoryOnly) {
  TToolSettings S;
  S.SetPort("COM7");
  S.SetAutoBR(mb57600);
  S.SetVisParaCnt(12);
  S.SetSFWUpdate(true);
  EXPECT_EQ(S.Port(), "COM7");
  EXPECT_EQ(S.AutoBR(), mb57600);
  EXPECT_EQ(S.VisParaCnt(), 10);
  EXPECT_TRUE(S.SFWUpdate());
  EXPECT_FALSE(fs::exists(Ini.FullPath()));
  EXPECT_THROW(S.ChannelColor(5), std::out_of_range);
}

}  // namespace
}  // namespace vdx
