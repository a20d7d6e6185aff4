// vdxctl as a user runs it: the real executable against a virtual module on a pseudo-terminal.
#include "VdxctlFixture.h"

namespace vdx {
namespace {

namespace fs = std::filesystem;
using testing::TRun;
using testing::VdxctlTest;

TEST_F(VdxctlTest, UsageErrorsExitWithTwo) {
  for (const char* Args : {"", "--bogus identify", "--baud 1234 identify", "--port",
                           "--port COM1 password", "--baud 9600 --switch-to 57600 identify",
                           "frobnicate", "--port COM1 get", "--port COM1 get RA MAX",
                           "--port COM1 set RA", "--port COM1 save now", "--port COM1 remote",
                           "--port COM1 remote flip", "--port COM1 remote din 256",
                           "--port COM1 remote din low", "--port COM1 remote ain",
                           "--port COM1 remote ain 1 high",
                           // File commands: names, extensions and options that do not fit.
                           "--port COM1 export", "--port COM1 export a.txt",
                           "--port COM1 export a.VDX", "--port COM1 import a.vdx --force",
                           "--port COM1 import a.par --module X", "--port COM1 identify --yes",
                           "--port COM1 get RA --force", "offline a.vdx --port COM1",
                           "offline a.par", "offline a.vdx --set RA 5", "offline a.vdx --set RA",
                           "offline a.vdx --set RA 5 --save-as b.par", "offline a.vdx --module"}) {
    const TRun R = Run(Args);
    EXPECT_EQ(R.Exit, 2) << Args;
    EXPECT_NE(R.Err.find("vdxctl: "), std::string::npos) << Args;
  }
  EXPECT_EQ(Run("--help").Exit, 0);
}

TEST_F(VdxctlTest, PortsThatDoNotExistAreToldInWords) {
  TRun R = Run("--port COM77 identify");
  EXPECT_EQ(R.Exit, 1);
  EXPECT_NE(R.Err.find("no port COM77"), std::string::npos) << R.Err;

  R = Run("--port /dev/null identify");  // not a serial line
  EXPECT_EQ(R.Exit, 1);
  EXPECT_NE(R.Err.find("/dev/null: "), std::string::npos) << R.Err;
  EXPECT_NE(R.Err.find("(win error code: "), std::string::npos) << R.Err;
}

TEST_F(VdxctlTest, IdentifyPrintsTheModuleAsJson) {
  sim::TModuleSim& M = Module();
  const TRun R = Run("--json --baud 9600" + Port() + "identify");
  ASSERT_EQ(R.Exit, 0) << R.Err;
  for (const std::string& Part :
       {"\"id\":\"" + M.IdText() + "\"", std::string("\"module\":\"KV20DEMO\""),
        std::string("\"baud\":9600"), std::string("\"remoteSupported\":true"),
        std::string("\"points\":[["), std::string("\"processData\":[{"),
        std::string("\"statusBits\":[{"), std::string("\"remoteInputs\":[{")})
    EXPECT_NE(R.Out.find(Part), std::string::npos) << Part << "\n" << R.Out;
}

TEST_F(VdxctlTest, IdentifyDetectsAndSwitchesTheRate) {
  sim::TSimOptions Options;
  Options.BaudRate = 19200;
  sim::TModuleSim& M = Module(Options);
  const TRun R = Run("--json --switch-to 115200" + Port() + "identify");
  ASSERT_EQ(R.Exit, 0) << R.Err;
  EXPECT_NE(R.Out.find("\"baud\":115200"), std::string::npos);
  EXPECT_EQ(M.CurrentBaudRate(), 115200);
}

TEST_F(VdxctlTest, ReadoutFallsBackToTheDescriptionFile) {
  sim::TSimOptions Options;
  Options.ReadoutFails = true;
  sim::TModuleSim& M = Module(Options);

  TRun R = Run("--baud 9600 --rdd-dir " + FDir.string() + Port() + "identify");
  EXPECT_EQ(R.Exit, 1);
  EXPECT_NE(R.Err.find("the module's readout failed and no KV20DEMO.rdd was found in " +
                       FDir.string()),
            std::string::npos)
      << R.Err;

  std::ofstream(FDir / "KV20DEMO.rdd") << [&] {
    std::string Text;
    for (const auto& Line : M.ReadoutLines()) Text += Line + "\n";
    return Text;
  }();
  R = Run("--baud 9600 --rdd-dir " + FDir.string() + Port() + "identify");
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_NE(R.Out.find("Parameters"), std::string::npos);
}

TEST_F(VdxctlTest, PasswordAndWireTrace) {
  Module();
  TRun R = Run("--baud 9600 --verbose" + Port() + "password kv20pass");
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_EQ(R.Out, "password accepted\n");
  EXPECT_NE(R.Err.find("-> PASSWORD kv20pass\\r"), std::string::npos) << R.Err;

  R = Run("--baud 9600" + Port() + "password wrong");
  EXPECT_EQ(R.Exit, 1);
  EXPECT_EQ(R.Out, "password not accepted\n");
}

TEST_F(VdxctlTest, SilentModuleFailsWithoutHanging) {
  sim::TModuleSim& M = Module();
  M.SetFault(sim::TSimFault::Silence);
  TRun R = Run("--baud 9600" + Port() + "identify");
  EXPECT_EQ(R.Exit, 1);
  EXPECT_NE(R.Err.find("the module did not answer the identification"), std::string::npos)
      << R.Err;
}

}  // namespace
}  // namespace vdx
