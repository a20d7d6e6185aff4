// The settings file: where it lies, typed reads with defaults, encodings and the write error.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "AppTestFolders.h"
#include "app/ApplIni.h"

namespace vdx {
namespace {

namespace fs = std::filesystem;

TEST(ApplIni, FirstStartCreatesTheFolderAndNamesTheFileAfterTheExecutable) {
  testing::TTempFolder Temp;
  testing::TEnvScope Env({{"appdata", Temp / "missing/parents"}, {"APPDATA", std::nullopt}});
  const std::string Folder = Temp / "missing/parents/Xavo";
  const struct {
    std::string ExeName, FileName;
  } Cases[] = {{"/usr/bin/vdxtool", "vdxtool.ini"},
               {"vdxtool.exe", "vdxtool.ini"},
               {"my.tool.exe", "my.tool.ini"},
               {TApplIni::RunningExecutableName(), "test_app.ini"}};
  for (const auto& C : Cases) {
    fs::remove_all(Temp.Path() / "missing");
    const TApplIni Ini(C.ExeName);
    EXPECT_EQ(Ini.FileName(), C.FileName);
    EXPECT_EQ(Ini.FullPath(), Folder + "/" + C.FileName);
    EXPECT_TRUE(fs::is_directory(Folder)) << C.ExeName;
    EXPECT_FALSE(fs::exists(Ini.FullPath())) << "nothing written yet";
  }
}

TEST(ApplIni, TypedReadsFallBackToTheDefault) {
  testing::TSettingsFolderScope Scope;
  TApplIni Ini("vdxtool");
  std::ofstream(Ini.FullPath()) << "[S]\n"
                                   "One=1\nZero=0\nNegative=-3\nHex=$10\nBlank= 42 \n"
                                   "Word=yes\nEmpty=\nHuge=2147483648\n";
  const struct {
    const char* Key;
    int Integer;  // read with default 7
    bool Bool;    // read with default true; false shows the stored value was used
  } Cases[] = {{"One", 1, true},   {"Zero", 0, false},  {"Negative", -3, true},
               {"Hex", 16, true},  {"Blank", 42, true}, {"Word", 7, true},
               {"Empty", 7, true}, {"Huge", 7, true},   {"Missing", 7, true}};
  for (const auto& C : Cases) {
    EXPECT_EQ(Ini.ReadInteger("S", C.Key, 7), C.Integer) << C.Key;
    EXPECT_EQ(Ini.ReadBool("S", C.Key, true), C.Bool) << C.Key;
  }
  EXPECT_FALSE(Ini.ReadBool("S", "Word", false));
  EXPECT_EQ(Ini.ReadString("S", "Empty", "default"), "");
  EXPECT_EQ(Ini.ReadString("S", "Missing", "default"), "default");
  EXPECT_EQ(Ini.ReadString("Other", "One", "default"), "default");
}

TEST(ApplIni, WritesBooleansAsDigitsAndIntegersSigned) {
  testing::TSettingsFolderScope Scope;
  TApplIni Ini("vdxtool");
  Ini.WriteBool("S", "On", true);
  Ini.WriteBool("S", "Off", false);
  Ini.WriteInteger("S", "Face", static_cast<int32_t>(0xFF00000F));
  Ini.WriteString("S", "Port", "COM3");
  EXPECT_EQ(testing::FileText(Ini.FullPath()), "[S]\nOn=1\nOff=0\nFace=-16777201\nPort=COM3\n");
  EXPECT_TRUE(Ini.ReadBool("S", "On", false));
  EXPECT_EQ(Ini.ReadInteger("S", "Face", 0), -16777201);
}

TEST(ApplIni, FailedWriteThrowsTheMessageWithTheFullFileName) {
  testing::TTempFolder Temp;
  std::ofstream(Temp / "blocker") << "a file where the settings folder should be";
  for (const std::string& Base : {Temp / "appdata", Temp / "blocker"}) {
    testing::TEnvScope Env({{"appdata", Base}, {"APPDATA", std::nullopt}});
    TApplIni Ini("vdxtool");
    if (Base == Temp / "appdata") fs::create_directory(Ini.FullPath());  // a folder in the way
    EXPECT_EQ(Ini.ReadInteger("S", "K", 5), 5);
    try {
      Ini.WriteInteger("S", "K", 1);
      ADD_FAILURE() << "no error for " << Ini.FullPath();
    } catch (const TApplIniWriteError& E) {
      EXPECT_STREQ(E.what(), ("In " + Ini.FullPath() + " kann nicht geschrieben werden").c_str());
      EXPECT_FALSE(E.Reason().empty());
    }
  }
}

}  // namespace
}  // namespace vdx
