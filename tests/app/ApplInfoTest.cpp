// Version texts, the brand, and the about box texts over fixture system facts.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "AppTestFolders.h"
#include "app/ApplInfo.h"

namespace vdx {
namespace {

TEST(ApplInfo, VersionFormats) {
  const struct {
    const char* Version;
    const char *Short, *Long;
  } Cases[] = {
      {"3.6.1.9", "3.6", "3.6.1 (Build: 9)"},
      {"10.20.300.4000", "10.20", "10.20.300 (Build: 4000)"},
      {"3.6.1", "", ""},
      {"3.6.1.9.2", "", ""},
      {"", "", ""},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(FormatVersion(C.Version, vfShort), C.Short) << C.Version;
    EXPECT_EQ(FormatVersion(C.Version, vfLong), C.Long) << C.Version;
  }
}

class ApplInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(Folders.Temp / "os-release") << "PRETTY_NAME=\"Fixture OS 1\"\n";
    std::ofstream(Folders.Temp / "meminfo") << "MemTotal:        2097152 kB\n"
                                               "MemFree:          100000 kB\n"
                                               "MemAvailable:    1048576 kB\n";
  }
  TSysInfoSources Sources() {
    return {{Folders.Temp / "os-release"}, Folders.Temp / "cpuinfo", Folders.Temp / "meminfo"};
  }

  testing::TSettingsFolderScope Folders;  // the port list writes its map beside the settings
};

TEST_F(ApplInfoTest, TheBuildCarriesAFourPartVersion) {
  const TApplInfo Info(Sources());
  EXPECT_EQ(Info.VersionInfo().FileVersion, VDX_VERSION);
  EXPECT_NE(Info.FormatVersion(vfLong), "") << "the about box would show no version";
  EXPECT_EQ(Info.AboutTexts().Version, "Version " + FormatVersion(VDX_VERSION, vfLong));
}

TEST_F(ApplInfoTest, AboutTextsBeforeAndAfterTheBrand) {
  TApplInfo Info(Sources());
  EXPECT_EQ(Info.CompanyEMail, "mailto:");
  TAboutTexts T = Info.AboutTexts();
  EXPECT_EQ(T.Product, Info.VersionInfo().ProductName);
  EXPECT_EQ(T.Address, Info.VersionInfo().CompanyName);
  EXPECT_EQ(T.System, "Fixture OS 1  (Build " + Info.SystemInfo().KernelRelease() + ":  " +
                          Info.SystemInfo().Machine() + ")");
  EXPECT_EQ(T.Memory, "Total Physical Memory: 2097152 KB  Free: 1048576 KB");

  TBrandRecord Brand = BuildBrandRecord();
  Brand.CompanyName = "Brand Co";
  Brand.Address = {"Street 1", "Town", "Phone 1  ", ""};
  Info.ApplyBrand(Brand);
  T = Info.AboutTexts();
  EXPECT_EQ(T.Product, "KORVA/20");
  EXPECT_EQ(T.Description, "Startup-Tool for digital control modules");
  EXPECT_EQ(T.CopyRight, Brand.CopyRight);
  EXPECT_EQ(T.Address, "Brand Co\nStreet 1\nTown\nPhone 1") << "trailing blanks and breaks go";
  EXPECT_EQ(T.EMail, Brand.EMail);
  EXPECT_EQ(T.WebAdr, Brand.WebAdr);
  EXPECT_EQ(Info.WindowCaption(), "KORVA/20 " + FormatVersion(VDX_VERSION, vfShort) +
                                      " - Startup-Tool for digital control modules   -  Brand Co");
}

TEST(ApplInfo, BrandRecordIsComplete) {
  const TBrandRecord& B = BuildBrandRecord();
  EXPECT_FALSE(B.CompanyName.empty());
  EXPECT_FALSE(B.CopyRight.empty());
  EXPECT_EQ(B.EMail.rfind("mailto:", 0), 0u);
  EXPECT_EQ(B.WebAdr.rfind("https://", 0), 0u);
  for (const auto& Line : B.Address) EXPECT_FALSE(Line.empty());
}

}  // namespace
}  // namespace vdx
