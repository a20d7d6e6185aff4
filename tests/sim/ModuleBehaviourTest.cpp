// What the module does with its commands: parameter reads and writes, curves, password and
// access code, memory commands, remote control, module types.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "sim/ModuleSim.h"
#include "sim/SimClient.h"
#include "TestPaths.h"

namespace vdx::sim {
namespace {

using test::TSimClient;

struct TCase {
  std::string Command;
  std::string Answer;  // the lines between the echo and the prompt, joined by "|"
};

class SimModule : public ::testing::Test {
 protected:
  void Begin(TSimOptions Options = {}) {
    Sim = std::make_unique<TModuleSim>(std::move(Options));
    std::string Error;
    ASSERT_TRUE(Sim->Start(Error)) << Error;
    Client = std::make_unique<TSimClient>(Sim->SlavePath());
  }
  void SetUp() override { Begin(); }

  // The answer to Command: its lines without the echo and the prompt, joined by "|".
  std::string Ask(const std::string& Command) {
    const std::string Reply = Client->Exchange(Command);
    const std::string Head = Command + "\r\n";
    if (Reply.compare(0, Head.size(), Head) != 0 || Reply.back() != '>') return "<" + Reply + ">";
    std::string Body = Reply.substr(Head.size(), Reply.size() - Head.size() - 1);
    std::string Joined;
    for (size_t Pos = 0; Pos < Body.size();) {
      const size_t End = Body.find("\r\n", Pos);
      Joined += (Joined.empty() ? "" : "|") + Body.substr(Pos, End - Pos);
      Pos = End + 2;
    }
    return Joined;
  }

  void Run(const std::vector<TCase>& Cases) {
    for (const auto& C : Cases) EXPECT_EQ(Ask(C.Command), C.Answer) << C.Command;
  }

  std::unique_ptr<TModuleSim> Sim;
  std::unique_ptr<TSimClient> Client;
};

TEST_F(SimModule, ParameterWritesAreCheckedAndReadBack) {
  Run({
      {"RA", "100"},
      {"RA 250", ""},
      {"ra", "250"},
      {"RA 0", "command error"},  // below Min
      {"RA 5001", "command error"},
      {"RA 1x", "command error"},
      {"RA", "250"},
      {"OFFSET -150", ""},
      {"OFFSET", "-150"},
      {"DIR invers", ""},  // list entries match without regard to case
      {"DIR", "INVERS"},
      {"DIR SIDEWAYS", "command error"},
      {"SENS 4 - 20 mA", ""},
      {"SENS", "\"4 - 20 mA\""},
      {"AIN:W", "1250 1000 2000 C"},  // follows the sensor range
      {"AIN:X   1000   -50      0 C", ""},
      {"AIN:X", "1000 -50 0 C"},
      {"AIN:X 1 2 20000 V", "command error"},
      {"HOURS", "1234"},
      {"HOURS 5", "command error"},  // read only
      {"RESET ", ""},
      {"CC", "command error"},
  });
  EXPECT_EQ(Sim->ParameterValue("RA"), "250");
  Sim->SetParameterValue("RA", "42");
  EXPECT_EQ(Ask("RA"), "42");
}

TEST_F(SimModule, CurvePointsAreReadAndWrittenOneByOne) {
  Run({
      {"CC:-3", "-3000 -3000"},
      {"CC:2 150 -250 ", ""},
      {"CC:2", "150 -250"},
      {"CC:11", "command error"},
      {"CC:0 20000 0 ", "command error"},
      {"CC:0 5", "command error"},
      {"CCV:10", "10000 10000"},
  });
  EXPECT_EQ(Sim->ParameterValue("CC:2"), "150 -250");
}

TEST_F(SimModule, PasswordAndExpertModeRaiseTheAccessCode) {
  Run({
      {"ACODE", "60"},
      {"PASSWORD", "PASSWORD ?"},
      {"PASSWORD wrong", "WRONG PASSWORD"},
      {"ACODE", "60"},
      {"PASSWORD kv20pass", "OK"},
      {"ACODE", "252"},  // + X.A.VO. and Password
      {"MODE EXPERT", ""},
      {"ACODE", "764"},  // + Special
  });
}

TEST_F(SimModule, SaveDefaultAndLoadback) {
  Run({
      {"RA 300", ""},
      {"SAVE", ""},
      {"RA 400", ""},
      {"Loadback", ""},
      {"RA", "300"},
      {"DEFAULT", ""},
      {"RA", "100"},
      {"LOADBACK", ""},
      {"RA", "300"},
  });
}

TEST_F(SimModule, RemoteInputsNeedTheRemoteMode) {
  Run({
      {"REMOTE", "command error"},
      {"RC:M", "0"},
      {"RC:S 5", "command error"},
      {"RC:910 2500", "command error"},
      {"RC:M 2", "command error"},
      {"RC:M 1", ""},
      {"RC:M", "1"},
      {"RC:S 5", ""},
      {"RC:S", "5"},
      {"RC:S 256", "command error"},
      {"RC:910 2500", ""},
      {"RC:910", "2500"},
      {"W", "2500"},  // the setpoint follows the remote input
      {"RC:6 -1", "command error"},
  });
  const int Status = std::atoi(Ask("ST:READY").c_str());
  EXPECT_EQ(Status & 0x25, 0x25) << Status;  // ready, enabled by digital input 0, remote
}

TEST_F(SimModule, ProcessValuesMove) {
  const std::string First = Ask("X");
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  const std::string Second = Ask("X");
  EXPECT_NE(First, Second);
  EXPECT_EQ(std::to_string(std::atoi(Second.c_str())), Second);
  EXPECT_EQ(Ask("X 5"), "command error");
}

TEST_F(SimModule, OptionsForReadoutAndRemote) {
  Begin(test::Options([&](TSimOptions& O) {
    O.ReadoutFails = true;
    O.AnswersRemote = true;
  }));
  EXPECT_EQ(Ask("READOUT"), "command error");
  EXPECT_NE(Ask("REMOTE"), "command error");
}

TEST(SimTypes, NoReadoutTypeStillAnswersItsParameters) {
  TModuleSim Sim(test::Options([&](TSimOptions& O) { O.ModuleType = "noreadout"; }));
  std::string Error;
  ASSERT_TRUE(Sim.Start(Error)) << Error;
  TSimClient Client(Sim.SlavePath());
  EXPECT_EQ(Client.Exchange("ID"), "ID\r\nKV20NORD, V1.07, SN000815, 2025\r\n>");
  EXPECT_EQ(Client.Exchange("Readout"), "Readout\r\ncommand error\r\n>");
  EXPECT_EQ(Client.Exchange("RA"), "RA\r\n200\r\n>");
  EXPECT_FALSE(Sim.ReadoutLines().empty());
}

TEST(SimTypes, RddFileGivesTheTypeItsNameAndLines) {
  const std::string Path = vdx::testing::TestDataDir() + "/KV20TEST.rdd";
  TModuleSim Sim(test::Options([&](TSimOptions& O) { O.ModuleType = Path; }));
  std::string Error;
  ASSERT_TRUE(Sim.Start(Error)) << Error;
  TSimClient Client(Sim.SlavePath());
  EXPECT_EQ(Client.Exchange("ID"), "ID\r\nKV20TEST, V1.00, SN000001, 2026\r\n>");
  ASSERT_EQ(Sim.ReadoutLines().size(), 5u);
  EXPECT_EQ(Sim.ReadoutLines()[1], R"(3\2\RA\\Ramp up time in ms\1\1\5000\36)");
  EXPECT_EQ(Client.Exchange("RA 4999"), "RA 4999\r\n>");
  EXPECT_EQ(Client.Exchange("CC:10"), "CC:10\r\n10000 10000\r\n>");

  TModuleSim Missing(
      test::Options([&](TSimOptions& O) { O.ModuleType = "/nonexistent/KV99.rdd"; }));
  EXPECT_FALSE(Missing.Start(Error));
  EXPECT_NE(Error.find("KV99.rdd"), std::string::npos) << Error;
}

TEST(SimTypes, NvFileKeepsSavedValuesAcrossRuns) {
  const auto Folder =
      std::filesystem::temp_directory_path() / ("vdxsim-nv-" + std::to_string(getpid()));
  std::filesystem::create_directories(Folder);
  const std::string NvFile = (Folder / "kv20.nv").string();
  {
    TModuleSim Sim(test::Options([&](TSimOptions& O) { O.NvFile = NvFile; }));
    std::string Error;
    ASSERT_TRUE(Sim.Start(Error)) << Error;
    TSimClient Client(Sim.SlavePath());
    Client.Exchange("RA 321");
    Client.Exchange("SENS +/- 10 V");
    Client.Exchange("CC:1 5 6 ");
    Client.Exchange("SAVE");
    Client.Exchange("RA 999");  // not saved
  }
  {
    TModuleSim Sim(test::Options([&](TSimOptions& O) { O.NvFile = NvFile; }));
    std::string Error;
    ASSERT_TRUE(Sim.Start(Error)) << Error;
    EXPECT_EQ(Sim.ParameterValue("RA"), "321");
    EXPECT_EQ(Sim.ParameterValue("SENS"), "\"+/- 10 V\"");
    EXPECT_EQ(Sim.ParameterValue("CC:1"), "5 6");
  }
  TModuleSim Other(test::Options([&](TSimOptions& O) {
    O.ModuleType = "noreadout";
    O.NvFile = NvFile;
  }));
  std::string Error;
  EXPECT_FALSE(Other.Start(Error));
  EXPECT_NE(Error.find("KV20NORD"), std::string::npos) << Error;
  std::filesystem::remove_all(Folder);
}

}  // namespace
}  // namespace vdx::sim
