// vdxctl record against the virtual module.
#include <algorithm>
#include <atomic>
#include <regex>
#include <thread>

#include "VdxctlFixture.h"

namespace vdx {
namespace {

using testing::TRun;

class RecordCommandTest : public testing::VdxctlTest {
 protected:
  size_t Heard(const std::string& Line) const {
    const auto Lines = FModule->ReceivedCommands();
    return static_cast<size_t>(std::count(Lines.begin(), Lines.end(), Line));
  }
};

TEST_F(RecordCommandTest, WritesTheRecordingFileAndASummary) {
  Module();
  const std::string Out = (FDir / "rec.txt").string();
  const TRun R = Run(At9600() + "record --channel x --channel W --duration 1 --out " + Out);
  ASSERT_EQ(R.Exit, 0) << R.Err;
  // At 9600 bit/s the interval is 20 + 60 ms.
  std::smatch M;
  ASSERT_TRUE(std::regex_match(
      R.Out, M,
      std::regex(R"((\d+) cycles, 0 failed, mean interval (\d+\.\d\d) ms \(set 80 ms\)\n)")))
      << R.Out;
  const int Cycles = std::stoi(M[1]);
  EXPECT_GE(Cycles, 8);
  EXPECT_NEAR(std::stod(M[2]), 80, 8);

  const std::string Stamp = R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d:\d{3})";
  const std::string Rule(63, '=');
  const std::string Text = testing::FileText(Out);
  const std::regex Header("\r\n" + Rule + "\r\n" + Stamp +
                          "         X         W       ---       ---\r\n" + Rule + "\r\n");
  ASSERT_TRUE(std::regex_search(Text, M, Header, std::regex_constants::match_continuous)) << Text;
  const std::regex Data(Stamp + "( {0,9}-?\\d{1,10}){2}       ---       ---\r\n");
  const std::string Lines = M.suffix();
  EXPECT_EQ(
      std::distance(std::sregex_iterator(Lines.begin(), Lines.end(), Data), std::sregex_iterator()),
      Cycles);
  EXPECT_EQ(Lines.size(), static_cast<size_t>(Cycles) * 65);
  // Only the shown values were asked.
  EXPECT_EQ(Heard("X\r"), static_cast<size_t>(Cycles));
  EXPECT_EQ(Heard("W\r"), static_cast<size_t>(Cycles));
  EXPECT_EQ(Heard("E\r"), 0u);
}

TEST_F(RecordCommandTest, ASilentModuleEndsTheRunWithExitCode1) {
  Module();
  std::atomic<bool> Done{false};
  std::thread Silencer([&] {
    while (!Done && Heard("W\r") == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    FModule->SetFault(sim::TSimFault::Silence);
  });
  const TRun R = Run(At9600() + "record --channel W --interval 40");
  Done = true;
  Silencer.join();
  EXPECT_EQ(R.Exit, 1);
  EXPECT_NE(R.Err.find("sampling stopped: four cycles in a row failed"), std::string::npos)
      << R.Err;
  // Without --out the recording goes to standard output and the summary to standard error.
  EXPECT_TRUE(R.Out.starts_with("\r\n" + std::string(63, '='))) << R.Out;
  EXPECT_NE(R.Err.find(" failed, mean interval "), std::string::npos) << R.Err;
}

TEST_F(RecordCommandTest, UsageAndFileErrors) {
  Module();
  struct {
    std::string Args;
    int Exit;
    std::string Err;
  } const Cases[] = {
      {"record", 2, ""},
      {"record --channel W --channel X --channel E --channel IA --channel P", 2, ""},
      {"record --channel NOPE --duration 1", 2, "no process value 'NOPE'"},
      {"record --channel W --duration 0", 2, ""},
      {"monitor --channel W", 2, "--channel does not apply to monitor"},
      {"record --channel W --out " + (FDir / "no/dir/rec.txt").string(), 3,
       "Datei " + (FDir / "no/dir/rec.txt").string() + " konnte nicht erstellt werden."},
  };
  for (const auto& C : Cases) {
    const TRun R = Run(At9600() + C.Args);
    EXPECT_EQ(R.Exit, C.Exit) << C.Args << "\n" << R.Err;
    EXPECT_NE(R.Err.find(C.Err), std::string::npos) << R.Err;
  }
  EXPECT_EQ(Heard("W\r"), 0u);
}

}  // namespace
}  // namespace vdx
