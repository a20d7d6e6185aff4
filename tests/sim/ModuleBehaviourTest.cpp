// What the module does with its commands: parameter reads and writes, curves, password and
// access code, memory commands, remote control, module types.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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
      {"SENS 4 - 20 MA", ""},
      {"SENS", "\"4 - 20 mA\""},      // stored as listed
      {"AIN:W", "1250 1000 2000 C"},  // follows the sensor range
      // Analogue inputs as 22 columns: A, B, C end at 6, 13, 20, the kind letter at 22.
      {"AIN:X   1000    -50      0 C", ""},
      {"AIN:X", "1000 -50 0 C"},
      {"AIN:X    -20   1000    150 U", ""},
      {"AIN:X", "-20 1000 150 V"},
      {"AIN:X -10000  10000 -10000 I", ""},
      {"AIN:X", "-10000 10000 -10000 C"},
      {"AIN:X      1      2      3 V", ""},
      {"AIN:X", "1 2 3 V"},
      {"AIN:X      1      2  20000 V", "command error"},
      {"AIN:X      1      2      3 Q", "command error"},
      {"AIN:X      1      2", "command error"},
      {"AIN:X", "1 2 3 V"},
      {"HOURS", "1234"},
      {"HOURS 5", "command error"},  // read only
      // Control commands come as the name and a blank; they take no value.
      {"RESET ", ""},
      {"AINCAL ", ""},
      {"LEARN", ""},
      {"RESET 1", "command error"},
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
      {"CC:10 -10000 10000 ", ""},
      {"CC:-10 -1 1 ", ""},
      {"CC:10", "-10000 10000"},
      {"CC:-10", "-1 1"},
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

TEST_F(SimModule, NumbersOutOfRangeAreRefusedOrClampedByType) {
  const struct {
    std::string Type;
    std::vector<TCase> Cases;
  } Types[] = {
      {"rich",
       {{"RA 5001", "command error"},
        {"RA", "100"},
        {"CC:3 -20000 0 ", "command error"},
        {"CC:3", "3000 3000"}}},
      {"locked", {{"RA 0", "command error"}, {"RA", "150"}}},
      {"basic",
       {{"RA 6000", ""},
        {"RA", "5000"},
        {"RA -3", ""},
        {"RA", "1"},
        {"OFFSET -2001", ""},
        {"OFFSET", "-2000"},
        {"AIN:W  20000      0 -20000 C", ""},
        {"AIN:W", "10000 0 -10000 C"},
        {"CC:3 -20000 20000 ", ""},
        {"CC:3", "-10000 10000"},
        // Clamping applies to numbers only: malformed values and texts off the list fail.
        {"RA 7x", "command error"},
        {"RA", "1"},
        {"DIR SIDEWAYS", "command error"}}},
  };
  for (const auto& T : Types) {
    SCOPED_TRACE(T.Type);
    Begin(test::Options([&](TSimOptions& O) { O.ModuleType = T.Type; }));
    Run(T.Cases);
  }
}

// Each type gets the memory commands in the form the tool sends them: a listed one (type 5)
// as its name and a blank, an unlisted one as the bare word.
TEST_F(SimModule, MemoryCommandsAsSentForListedAndUnlistedEntries) {
  const struct {
    std::string Type, Save, Default, Loadback, DefaultRa;
  } Types[] = {{"rich", "SAVE ", "DEFAULT ", "Loadback", "100"},
               {"basic", "SAVE", "DEFAULT", "Loadback", "200"}};
  for (const auto& T : Types) {
    SCOPED_TRACE(T.Type);
    Begin(test::Options([&](TSimOptions& O) { O.ModuleType = T.Type; }));
    Run({
        {"RA 300", ""},
        {T.Save, ""},
        {"RA 400", ""},
        {T.Default, ""},
        {"RA", T.DefaultRa},
        {T.Loadback, ""},
        {"RA", "300"},
        {T.Save + " 1", "command error"},
    });
  }
}

// The locked type lists SAVE read only: the module refuses it and its stored copy stays.
TEST_F(SimModule, LockedModuleRefusesSaveButLoadsBackAndDefaults) {
  const auto Folder =
      std::filesystem::temp_directory_path() / ("vdxsim-lock-" + std::to_string(getpid()));
  std::filesystem::create_directories(Folder);
  const std::string NvFile = (Folder / "lock.nv").string();
  const std::string Stored = "# KV20LOCK\nRA 444\n";
  std::ofstream(NvFile) << Stored;
  Begin(test::Options([&](TSimOptions& O) {
    O.ModuleType = "locked";
    O.NvFile = NvFile;
  }));
  Run({
      {"RA", "444"},
      {"RA 300", ""},
      {"SAVE ", "command error"},
      {"SAVE", "command error"},
      {"RA", "300"},
      {"DEFAULT ", ""},
      {"RA", "150"},
      {"LOADBACK ", ""},
      {"RA", "444"},
      {"RA 300", ""},
      {"Loadback", ""},
      {"RA", "444"},
  });
  std::ifstream File(NvFile);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(File), {}), Stored);
  std::filesystem::remove_all(Folder);
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
  Run({
      {"RC:M 0", ""},
      {"RC:M", "0"},
      {"RC:S", "5"},  // reads keep working
      {"RC:910", "2500"},
      {"RC:S 1", "command error"},
      {"RC:910 0", "command error"},
      {"RC:910", "2500"},
  });
}

TEST_F(SimModule, RemoteAnalogueInputsKeepToTheirRanges) {
  const struct {
    std::string Name;
    int Min, Max;
  } Inputs[] = {{"RC:910", -10000, 10000},
                {"RC:6", 0, 10000},
                {"RC:13", 0, 10000},
                {"RC:14", -10000, 10000},
                {"RC:29", 0, 10000}};
  auto Write = [](const std::string& Name, int Value) {
    return Name + " " + std::to_string(Value);
  };
  ASSERT_EQ(Ask("RC:M 1"), "");
  for (const auto& In : Inputs) {
    Run({
        {In.Name, "0"},
        {Write(In.Name, In.Min - 1), "command error"},
        {Write(In.Name, In.Max + 1), "command error"},
        {In.Name, "0"},
        {Write(In.Name, In.Min), ""},
        {In.Name, std::to_string(In.Min)},
        {Write(In.Name, In.Max), ""},
        {In.Name, std::to_string(In.Max)},
    });
  }
}

TEST_F(SimModule, RefuseWritesFaultRefusesValuesButNotReadsOrRemoteControl) {
  Sim->SetFault(TSimFault::RefuseWrites);
  Run({
      {"RA", "100"},
      {"RA 200", "command error"},
      {"DIR INVERS", "command error"},
      {"AIN:W   1000   1000      0 V", "command error"},
      {"CC:1 5 6 ", "command error"},
      {"CC:1", "1000 1000"},
      {"RESET ", ""},
      {"ACODE", "60"},
      {"RC:M 1", ""},
      {"RC:S 3", ""},
      {"RC:910 100", ""},
      {"RC:910", "100"},
  });
  Sim->SetFault(TSimFault::None);
  Run({{"RA", "100"}, {"DIR", "NORMAL"}, {"RA 200", ""}, {"RA", "200"}});
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
