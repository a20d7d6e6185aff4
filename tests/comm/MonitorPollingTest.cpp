// The monitor polling cycle: on a scripted line for exact replies and failures, and against
// the virtual module with the polling timer running through a main-thread dispatcher.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedLine.h"
#include "SimLink.h"
#include "comm/MainThreadSync.h"
#include "comm/ProcessSamples.h"

namespace vdx {
namespace {

using testing::TScriptedLine;

// What the monitor and the main window were handed.
struct TMonitorLog : IMonitorView {
  void SetProcessData(const TModProcessData*) override {}
  void SetStatusInfo(const TModStatusInfoData*) override {}
  void NewProcData(const TASCIIProcDataObj& Sample) override {
    Samples.push_back({Sample.Index, Sample.Value});
    Stamps.push_back(Sample.TimeStamp);
  }
  void DoNewStatusInfo(uint16_t Mask) override { Masks.push_back(Mask); }
  std::vector<std::pair<int, int>> Samples;  // index, raw value
  std::vector<TDateTime> Stamps;
  std::vector<uint16_t> Masks;
  std::vector<int> Inputs;
};

// A component identified on a scripted module with the parameter P, the process values P1 ...
// PN, the status bits ST:A (bit 0) and ST:B (bit 2), and remote control; in the monitor mode
// with a timer too slow to tick during a test, so the test runs the cycles itself.
struct ScriptedMonitor : ::testing::Test {
  void Identify(int ProcessValues) {
    Prot.SetAutoBaudDetection(false);
    Prot.ComPort().SetPort(Line.Path());
    ASSERT_TRUE(Prot.Connect());
    std::string Readout;
    for (int I = 1; I <= ProcessValues; ++I)
      Readout += "2\\0\\P" + std::to_string(I) + "\\bar\\h\\1\\0\\10\r\n";
    Readout += "2\\10\\ST:A\\\\a\\1\\0\\9\r\n2\\10\\ST:B\\\\b\\1\\2\\9\r\n";
    Line.AnswerIdentification(Readout);
    std::string Id;
    ASSERT_TRUE(Prot.Identify(Id));
    Prot.SetMonitor(&View);
    Prot.OnDigitalInputStateInfo = [this](TVDXModCommProt&, uint8_t S) {
      View.Inputs.push_back(S);
    };
    Prot.SetMonitorIntervalMs(600000);
    Prot.SetOperatingMode(omMonitor);
    Sent = Line.Received().size();
  }
  // Queues the replies of one cycle: one per process value ("" for silence), status, inputs.
  void Script(const std::vector<std::string>& Values, const std::string& Status = "ST:A\r\n5\r\n>",
              const std::string& Inputs = "RC:S\r\n3\r\n>") {
    for (const auto& V : Values) Line.Answer(V);
    Line.Answer(Status);
    Line.Answer(Inputs);
  }
  std::string SentSince() { return Line.Received().substr(Sent); }

  TScriptedLine Line;
  TVDXModCommProt Prot;
  TMonitorLog View;
  size_t Sent = 0;
};

TEST_F(ScriptedMonitor, ACycleHandsOverValuesStatusMaskAndInputs) {
  Identify(2);
  Script({"P1\r\n-250\r\n>", "P2\r\n$10\r\n>"});
  const TDateTime Before = NowDateTime();
  Prot.PollMonitor();
  EXPECT_EQ(SentSince(), "P1\rP2\rST:A\rRC:S\r");
  EXPECT_EQ(View.Samples, (std::vector<std::pair<int, int>>{{0, -250}, {1, 16}}));
  ASSERT_EQ(View.Stamps.size(), 2u);
  EXPECT_GE(View.Stamps[0], Before);
  EXPECT_LT(View.Stamps[1] - Before, 1.0 / 86400);     // within a second
  EXPECT_EQ(View.Masks, std::vector<uint16_t>{0b11});  // word 5: bits 0 and 2 -> ST:A, ST:B
  EXPECT_EQ(View.Inputs, std::vector<int>{3});
  EXPECT_EQ(Prot.PollingStopped(), 0);
  EXPECT_TRUE(Prot.PollTimer().Running());
}

TEST_F(ScriptedMonitor, RepliesThatAreNotOneWholeNumberGiveNoSampleAndNoError) {
  Identify(5);
  Script({"P1\r\n1,2\r\n>", "P2\r\n1.5\r\n>", "P3\r\ncommand error\r\n>", "P4\r\nabc\r\n>",
          "P5\r\n7\r\n>"});
  Prot.PollMonitor();
  EXPECT_EQ(View.Samples, (std::vector<std::pair<int, int>>{{4, 7}}));
  EXPECT_EQ(Prot.PollingStopped(), 0);
  EXPECT_TRUE(Prot.PollTimer().Running());
}

TEST_F(ScriptedMonitor, OnlyACycleInWhichEveryValueFailedStopsThePolling) {
  Identify(5);
  Script({"", "", "P3\r\n30\r\n>", "", ""});
  Prot.PollMonitor();
  EXPECT_EQ(View.Samples, (std::vector<std::pair<int, int>>{{2, 30}}));
  EXPECT_TRUE(Prot.PollTimer().Running());
  EXPECT_EQ(Prot.PollingStopped(), 0);

  // All five silent: the timer stops, yet status word and inputs are still asked.
  Sent = Line.Received().size();
  Script({"", "", "", "", ""});
  Prot.PollMonitor();
  EXPECT_FALSE(Prot.PollTimer().Running());
  EXPECT_EQ(Prot.PollingStopped(), 1);
  EXPECT_EQ(SentSince(), "P1\rP2\rP3\rP4\rP5\rST:A\rRC:S\r");
  EXPECT_EQ(View.Masks.size(), 2u);
  EXPECT_EQ(View.Inputs.size(), 2u);

  // The next cycle starts alive again.
  Script({"P1\r\n1\r\n>", "", "", "", ""});
  Prot.PollMonitor();
  EXPECT_EQ(Prot.PollingStopped(), 0);
}

TEST_F(ScriptedMonitor, WithoutProcessValuesOnlyStatusAndInputsAreAsked) {
  Identify(0);
  for (int Cycle = 0; Cycle < 2; ++Cycle) {
    Script({});
    Prot.PollMonitor();
  }
  EXPECT_EQ(SentSince(), "ST:A\rRC:S\rST:A\rRC:S\r");
  EXPECT_TRUE(Prot.PollTimer().Running());
  EXPECT_EQ(Prot.PollingStopped(), 0);
  EXPECT_EQ(View.Masks.size(), 2u);
}

TEST_F(ScriptedMonitor, FailedStatusOrInputQueriesAreSkippedForTheCycle) {
  Identify(1);
  Script({"P1\r\n4\r\n>"}, "ST:A\r\n1 2\r\n>", "");
  Prot.PollMonitor();
  EXPECT_EQ(View.Samples.size(), 1u);
  EXPECT_TRUE(View.Masks.empty());
  EXPECT_TRUE(View.Inputs.empty());
  EXPECT_EQ(Prot.PollingStopped(), 0);
}

TEST_F(ScriptedMonitor, NothingIsSentOutsideTheMonitorModeOrWithoutAMonitor) {
  Identify(2);
  Prot.SetOperatingMode(omScope);
  EXPECT_FALSE(Prot.PollTimer().Running());
  Prot.PollMonitor();
  Prot.SetOperatingMode(omMonitor);
  Prot.SetMonitor(nullptr);
  Prot.PollMonitor();
  EXPECT_EQ(SentSince(), "");
  EXPECT_EQ(Prot.PollingStopped(), 0);
}

// The whole path against the virtual module: the mode starts the timer, whose ticks run the
// cycle in the thread that plays the main thread; leaving the mode stops it.
TEST(MonitorPolling, TheModeSwitchStartsAndStopsThePollingOfTheModule) {
  testing::TSimLink L;
  ASSERT_TRUE(L.ConnectAt(mb9600));
  std::string Id;
  ASSERT_TRUE(L.Prot.Identify(Id));
  TMonitorLog View;
  L.Prot.SetMonitor(&View);
  const int Values = L.Prot.ProcessData().Count();
  ASSERT_GT(Values, 0);

  TMainThreadDispatcher Main;
  SetMainThreadRunner(Main.Runner());
  L.Prot.SetOperatingMode(omMonitor);
  EXPECT_TRUE(L.Prot.PollTimer().Running());
  const auto Begin = std::chrono::steady_clock::now();
  Main.ProcessFor(10000, [&] { return View.Masks.size() >= 2; });
  const auto Took = std::chrono::steady_clock::now() - Begin;
  ASSERT_GE(View.Masks.size(), 2u);
  EXPECT_GE(Took, std::chrono::milliseconds(2 * 500 - 20));  // 9600 bit/s: every 500 ms
  EXPECT_GE(View.Samples.size(), 2u * Values);
  for (const auto& [Index, Value] : View.Samples) EXPECT_GE(Index, 0);
  EXPECT_EQ(L.Prot.PollingStopped(), 0);

  L.Prot.SetOperatingMode(omIdle);
  EXPECT_FALSE(L.Prot.PollTimer().Running());
  Main.ProcessFor(TThreadTimer_SL::SleepSliceMs + 600);  // a tick already begun may still run
  const size_t Seen = View.Samples.size();
  Main.ProcessFor(700);
  EXPECT_EQ(View.Samples.size(), Seen);
  Main.Close();
  SetMainThreadRunner({});
}

}  // namespace
}  // namespace vdx
