// vdxctl firmware and terminal against the virtual module.
#include <gtest/gtest.h>

#include "VdxctlFixture.h"

namespace vdx::testing {
namespace {

std::string FirmwareFile() { return TestDataDir() + "/KV20FW.s19"; }

bool Heard(const sim::TModuleSim& M, const std::string& Line) {
  for (const auto& L : M.ReceivedCommands())
    if (L == Line) return true;
  return false;
}

TEST_F(VdxctlTest, FirmwareUpdateRunsTheBootloaderSteps) {
  sim::TModuleSim& M = Module();
  const TRun R = Run("firmware " + FirmwareFile() + " --yes" + At9600());
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_EQ(R.Out, "Firmware " + FirmwareFile() + " programmed; the module runs it\n");
  const std::string Backup = R.Err.substr(0, R.Err.find('\n') + 1);
  EXPECT_TRUE(Backup.starts_with("Parameter backup saved in \"")) << R.Err;
  EXPECT_EQ(R.Err.substr(Backup.size()),
            "starting!\nerasing!\nprogramming!\nsent   0 %\nsent  10 %\nsent  20 %\nsent  30 %\n"
            "sent  40 %\nsent  50 %\nsent  60 %\nsent  70 %\nsent  80 %\nsent  90 %\n"
            "sent 100 %\nReady!\n");
  EXPECT_TRUE(Heard(M, "BOOTLOADER\r"));
  EXPECT_TRUE(Heard(M, "S9031000EC\r"));
  EXPECT_EQ(M.CurrentBaudRate(), 9600);
}

TEST_F(VdxctlTest, FirmwareRefusesBeforeSendingAnything) {
  const struct {
    std::string Args;
    int Exit;
    std::string Err;
  } Cases[] = {
      {"firmware " + FirmwareFile(), 2, "needs --yes"},  // no terminal to ask
      {"firmware --yes", 2, "usage: vdxctl firmware FILE"},
      {"firmware a.s19 b.s19 --yes", 2, "usage: vdxctl firmware FILE"},
      {"firmware " + TestDataDir() + "/missing.s19 --yes", 3, "cannot read"},
      {"firmware " + TestDataDir() + " --yes", 3, "cannot read"},
  };
  sim::TModuleSim& M = Module();
  for (const auto& C : Cases) {
    const TRun R = Run(C.Args + At9600());
    EXPECT_EQ(R.Exit, C.Exit) << C.Args << "\n" << R.Err;
    EXPECT_NE(R.Err.find(C.Err), std::string::npos) << C.Args << "\n" << R.Err;
  }
  EXPECT_TRUE(M.ReceivedCommands().empty());
}

TEST_F(VdxctlTest, FirmwareWithASilentBootloaderFailsToStart) {
  Module().SetFault(sim::TSimFault::SilentBootloader);
  const TRun R = Run("firmware " + FirmwareFile() + " --yes" + At9600());
  EXPECT_EQ(R.Exit, 1);
  EXPECT_EQ(R.Out, "");
  EXPECT_NE(R.Err.find("vdxctl: Firmware update could not start! Check port settings or "
                       "availability of the bootloader. Restart the module and try it again! \n"),
            std::string::npos)
      << R.Err;
}

TEST_F(VdxctlTest, TerminalSendsKeysAndShowsTheModule) {
  sim::TModuleSim& M = Module();
  const TRun R = Run("terminal" + At9600(), "ID\nACODE\r\n\n");
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_EQ(R.Out.rfind("ID\r\n" + M.IdText() + "\r\n>ACODE\r\n", 0), 0u) << R.Out;
  EXPECT_TRUE(R.Out.ends_with("\r\n>")) << R.Out;
  EXPECT_EQ(M.ReceivedCommands(), (std::vector<std::string>{"ID\r", "ACODE\r", "\r"}));

  // Ctrl-] ends the session once the module is quiet; nothing after it is sent.
  M.ClearReceivedCommands();
  const TRun Ended = Run("terminal" + At9600(),
                         "ID\n\x1d"
                         "ACODE\n");
  EXPECT_EQ(Ended.Exit, 0);
  EXPECT_EQ(Ended.Out, "ID\r\n" + M.IdText() + "\r\n>");
  EXPECT_EQ(M.ReceivedCommands(), std::vector<std::string>{"ID\r"});
}

}  // namespace
}  // namespace vdx::testing
