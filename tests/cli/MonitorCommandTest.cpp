// vdxctl monitor against the virtual module.
#include <algorithm>
#include <atomic>
#include <regex>
#include <sstream>
#include <thread>

#include "VdxctlFixture.h"

namespace vdx {
namespace {

using testing::TRun;

class MonitorCommandTest : public testing::VdxctlTest {
 protected:
  size_t Heard(const std::string& Line) const {
    const auto Lines = FModule->ReceivedCommands();
    return static_cast<size_t>(std::count(Lines.begin(), Lines.end(), Line));
  }
};

std::vector<std::string> Lines(const std::string& Text) {
  std::vector<std::string> Result;
  std::istringstream In(Text);
  for (std::string L; std::getline(In, L);) Result.push_back(L);
  return Result;
}

TEST_F(MonitorCommandTest, PrintsAHeaderAndOneCsvLinePerCycle) {
  Module();
  const TRun R = Run(At9600() + "monitor --count 3 --interval 100");
  ASSERT_EQ(R.Exit, 0) << R.Err;
  const auto Out = Lines(R.Out);
  ASSERT_EQ(Out.size(), 4u) << R.Out;
  EXPECT_EQ(Out[0], "time,W [%],X [%],E [%],IA [A],P [bar],UB [V],status,inputs");
  // Local time, six values scaled by their factors, the status word, the input byte.
  const std::regex Row(
      R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}(,-?\d+\.\d\d){6},0x[0-9A-F]{4},\d+)");
  for (size_t I = 1; I < Out.size(); ++I) EXPECT_TRUE(std::regex_match(Out[I], Row)) << Out[I];
  EXPECT_EQ(Heard("W\r"), 3u);
  EXPECT_EQ(Heard("ST:READY\r"), 3u);
  EXPECT_EQ(Heard("RC:S\r"), 3u);
}

TEST_F(MonitorCommandTest, AModuleThatFallsSilentEndsTheRunWithExitCode1) {
  Module();
  std::atomic<bool> Done{false};
  std::thread Silencer([&] {
    while (!Done && Heard("ST:READY\r") == 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    FModule->SetFault(sim::TSimFault::Silence);
  });
  const TRun R = Run(At9600() + "monitor --interval 50");
  Done = true;
  Silencer.join();
  EXPECT_EQ(R.Exit, 1);
  EXPECT_NE(R.Err.find("polling stopped: no process value answered"), std::string::npos) << R.Err;
  // The cycle that found every value silent still printed its line, with empty values.
  EXPECT_TRUE(R.Out.ends_with(",,,,,,,\n")) << R.Out;
}

TEST_F(MonitorCommandTest, CountAndIntervalMustBePositiveAndBelongToMonitor) {
  for (const char* Args : {"monitor --count 0", "monitor --interval x", "identify --count 2"})
    EXPECT_EQ(Run(std::string("--demo ") + Args).Exit, 2) << Args;
}

}  // namespace
}  // namespace vdx
