// System facts from fixture files and from this machine, and the port list on request.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "AppTestFolders.h"
#include "app/SysInfo.h"
#include "comm/SerialPortList.h"

namespace vdx {
namespace {

class SysInfoTest : public ::testing::Test {
 protected:
  std::string Fixture(const std::string& Name, const std::string& Text) {
    std::ofstream(Folders.Temp / Name) << Text;
    return Folders.Temp / Name;
  }
  TSysInfoSources Missing() {
    return {{Folders.Temp / "none"}, Folders.Temp / "none", Folders.Temp / "none"};
  }

  testing::TSettingsFolderScope Folders;  // the port list writes its map beside the settings
  testing::TPortRootsScope Ports{Folders.Temp};
};

TEST_F(SysInfoTest, OsReleaseValues) {
  const struct {
    const char* Text;
    const char *Name, *Version;
  } Cases[] = {
      {"NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
       "VERSION_ID=\"12\"\n",
       "Debian GNU/Linux 12 (bookworm)", "12"},
      {"# no pretty name\nNAME=Fedora\nVERSION='39 (Workstation Edition)'\nVERSION_ID=39\n",
       "Fedora 39 (Workstation Edition)", "39"},
      {"PRETTY_NAME=\"A \\\"quoted\\\" \\\\ name\"\r\n", "A \"quoted\" \\ name", ""},
      {"garbage\n", "", ""},
  };
  for (const auto& C : Cases) {
    TSysInfoSources Sources = Missing();
    Sources.OsRelease = {Folders.Temp / "none", Fixture("os-release", C.Text)};
    const TSysInfo Info(Sources);
    EXPECT_EQ(Info.OsName(), C.Name) << C.Text;
    EXPECT_EQ(Info.OsVersion(), C.Version) << C.Text;
  }
}

TEST_F(SysInfoTest, ProcessorNameOfEachArchitecture) {
  const struct {
    const char *Text, *Name;
  } Cases[] = {
      {"processor\t: 0\ncpu family\t: 6\nmodel name\t: Example CPU @ 2.00GHz\n"
       "processor\t: 1\nmodel name\t: Example CPU @ 2.00GHz\n",
       "Example CPU @ 2.00GHz"},
      {"Processor\t: ARMv7 Processor rev 4 (v7l)\nHardware\t: Board\n",
       "ARMv7 Processor rev 4 (v7l)"},
      {"processor\t: 0\ncpu\t\t: POWER9, altivec supported\n", "POWER9, altivec supported"},
      {"processor\t: 0\nBogoMIPS\t: 50.00\n", ""},
  };
  for (const auto& C : Cases) {
    TSysInfoSources Sources = Missing();
    Sources.CpuInfo = Fixture("cpuinfo", C.Text);
    EXPECT_EQ(TSysInfo(Sources).ProcessorName(), C.Name);
  }
}

TEST_F(SysInfoTest, MissingSourcesLeaveTextsEmptyAndMemoryComesFromTheKernel) {
  const TSysInfo Info(Missing());
  EXPECT_EQ(Info.OsName(), "");
  EXPECT_EQ(Info.ProcessorName(), "");
  EXPECT_GT(Info.TotalPhysMem(), 0u);
  EXPECT_GT(Info.AvailPhysMem(), 0u);
}

TEST_F(SysInfoTest, ThisMachineHasFacts) {
  const TSysInfo Info;
  EXPECT_NE(Info.OsName(), "");
  EXPECT_NE(Info.KernelRelease(), "");
  EXPECT_NE(Info.Machine(), "");
  EXPECT_GT(Info.TotalPhysMem(), 0u);
  EXPECT_GT(Info.AvailPhysMem(), 0u);
  EXPECT_LE(Info.AvailPhysMem(), Info.TotalPhysMem());
}

TEST_F(SysInfoTest, PortListIsReadWhenCreatedAndAgainOnRequest) {
  const std::string Device = Folders.Temp / "pty-fixture";
  const std::string Com = AddTransientPort(Device);
  TSysInfo Info(Missing());
  auto Listed = [&](const std::string& Name) {
    const auto& L = Info.SerialCommPorts();
    return std::find(L.begin(), L.end(), Name) != L.end();
  };
  EXPECT_TRUE(Listed(Com));
  RemoveTransientPort(Device);
  EXPECT_TRUE(Listed(Com)) << "kept until read again";
  Info.ReReadSerialPorts();
  EXPECT_FALSE(Listed(Com));
}

}  // namespace
}  // namespace vdx
