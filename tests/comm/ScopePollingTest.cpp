// The oscilloscope cycle: on a scripted line for exact replies and failures, and against the
// virtual module with the sampling timer running.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "ScriptedLine.h"
#include "SimLink.h"
#include "comm/ProcessSamples.h"

namespace vdx {
namespace {

using namespace std::chrono_literals;
using testing::TScriptedLine;

// A scope view that records the sets of samples it was handed.
struct TScopeLog : IScopeView {
  struct TSet {
    std::array<std::optional<std::pair<int, int>>, 4> Samples;  // index, raw value
    std::array<TDateTime, 4> Stamps{};
  };
  void SetProcessData(const TModProcessData*) override {}
  void SetEnabled(bool Value) override { Enabled = Value; }
  std::array<std::string, 4> ChannelSignals() const override {
    std::lock_guard L(Lock);
    return Signals;
  }
  uint32_t DataSampleRate() const override { return 40; }
  void AddScopeSamples(const TASCIIProcDataObj* Ch1, const TASCIIProcDataObj* Ch2,
                       const TASCIIProcDataObj* Ch3, const TASCIIProcDataObj* Ch4) override {
    TSet Set;
    const TASCIIProcDataObj* All[] = {Ch1, Ch2, Ch3, Ch4};
    for (size_t K = 0; K < 4; ++K)
      if (All[K]) {
        Set.Samples[K] = {All[K]->Index, All[K]->Value};
        Set.Stamps[K] = All[K]->TimeStamp;
      }
    if (OnAdd) OnAdd();
    std::lock_guard L(Lock);
    Sets.push_back(Set);
  }
  size_t Count() const {
    std::lock_guard L(Lock);
    return Sets.size();
  }
  mutable std::mutex Lock;
  std::array<std::string, 4> Signals;
  std::vector<TSet> Sets;
  std::function<void()> OnAdd;
  bool Enabled = false;
};

// A component identified on a scripted module with the parameter P and the process values P1,
// P2, P3, in the oscilloscope mode; the test runs the cycles itself unless it starts the
// sampling timer.
struct ScriptedScope : ::testing::Test {
  void SetUp() override {
    Prot.SetAutoBaudDetection(false);
    Prot.ComPort().SetPort(Line.Path());
    ASSERT_TRUE(Prot.Connect());
    Line.AnswerIdentification(
        "2\\0\\P1\\bar\\h\\1\\0\\10\r\n2\\0\\P2\\bar\\h\\1\\0\\10\r\n"
        "2\\0\\P3\\bar\\h\\1\\0\\10\r\n");
    std::string Id;
    ASSERT_TRUE(Prot.Identify(Id));
    Prot.SetScope(&View);
    Prot.SetOperatingMode(omScope);
    Sent = Line.Received().size();
  }
  std::string SentSince() { return Line.Received().substr(Sent); }

  TScriptedLine Line;
  TVDXModCommProt Prot;
  TScopeLog View;
  size_t Sent = 0;
};

TEST_F(ScriptedScope, OnlyShownValuesAreAskedOnceAndGoToTheFirstChannelShowingThem) {
  EXPECT_TRUE(View.Enabled);
  // P2 is on no channel; P3 on two; "p1" differs from P1 in case.
  View.Signals = {"P3", "P1", "P3", "p1"};
  Line.Answer("P1\r\n-7\r\n>");
  Line.Answer("P3\r\n$10\r\n>");
  EXPECT_TRUE(Prot.PollScope());
  EXPECT_EQ(SentSince(), "P1\rP3\r");
  ASSERT_EQ(View.Sets.size(), 1u);
  const auto& S = View.Sets[0].Samples;
  EXPECT_EQ(S[0], std::make_pair(2, 16));
  EXPECT_EQ(S[1], std::make_pair(0, -7));
  EXPECT_FALSE(S[2]);
  EXPECT_FALSE(S[3]);
}

TEST_F(ScriptedScope, SamplesAreStampedOneSamplePeriodApartFromEnteringTheMode) {
  View.Signals = {"P1", "", "", ""};
  const TDateTime Before = NowDateTime();
  Prot.SetOperatingMode(omScope);
  const TDateTime After = NowDateTime();
  for (int Cycle = 0; Cycle < 3; ++Cycle) {
    Line.Answer("P1\r\n1\r\n>");
    ASSERT_TRUE(Prot.PollScope());
  }
  ASSERT_EQ(View.Sets.size(), 3u);
  const double Period = 40 / 86400000.0;
  EXPECT_GE(View.Sets[0].Stamps[0], Before + Period);
  EXPECT_LE(View.Sets[0].Stamps[0], After + Period);
  // A date-time near today resolves about a microsecond.
  for (size_t I = 1; I < 3; ++I)
    EXPECT_NEAR((View.Sets[I].Stamps[0] - View.Sets[I - 1].Stamps[0]) * 86400000.0, 40, 0.01);
}

TEST_F(ScriptedScope, RepliesDecideBetweenNoSampleAndAFailedCycle) {
  View.Signals = {"P1", "P2", "P3", ""};
  // Not one whole number: no sample, no failure.
  Line.Answer("P1\r\n1,2\r\n>");
  Line.Answer("P2\r\n1.5\r\n>");
  Line.Answer("P3\r\ncommand error\r\n>");
  EXPECT_TRUE(Prot.PollScope());
  ASSERT_EQ(View.Sets.size(), 1u);
  for (const auto& S : View.Sets[0].Samples) EXPECT_FALSE(S);

  // No answer: the walk ends there and the cycle's samples are not handed over.
  Sent = Line.Received().size();
  Line.Answer("P1\r\n5\r\n>");
  Line.Answer("");
  EXPECT_FALSE(Prot.PollScope());
  EXPECT_EQ(SentSince(), "P1\rP2\r");
  EXPECT_EQ(View.Sets.size(), 1u);
}

TEST_F(ScriptedScope, NoExchangeWithoutSignalsOutsideTheModeOrWithoutAModule) {
  EXPECT_TRUE(Prot.PollScope());  // no signal on any channel: four empty samples
  ASSERT_EQ(View.Sets.size(), 1u);
  for (const auto& S : View.Sets[0].Samples) EXPECT_FALSE(S);
  View.Signals = {"P1", "", "", ""};
  Prot.SetOperatingMode(omIdle);
  EXPECT_FALSE(View.Enabled);
  EXPECT_TRUE(Prot.PollScope());
  Prot.SetOperatingMode(omScope);
  Prot.SetScope(nullptr);
  EXPECT_TRUE(Prot.PollScope());
  EXPECT_EQ(SentSince(), "");
}

TEST_F(ScriptedScope, FourFailedCyclesInARowStopTheSamplingWithPollingStopped2) {
  View.Signals = {"P1", "", "", ""};
  // Three failures, a good cycle, three failures: still sampling; the fourth in a row stops.
  for (const char* Reply : {"", "", "", "P1\r\n1\r\n>", "", "", "", ""}) Line.Answer(Reply);
  std::mutex Lock;
  std::vector<bool> Cycles;
  std::vector<int> Stopped;
  Prot.OnScopeCycle = [&](TVDXModCommProt& P, bool Ok, std::chrono::nanoseconds) {
    std::lock_guard L(Lock);
    Cycles.push_back(Ok);
    Stopped.push_back(P.PollingStopped());
  };
  ASSERT_TRUE(Prot.StartScopeSampling(40));
  EXPECT_FALSE(Prot.StartScopeSampling(40));
  const auto Limit = std::chrono::steady_clock::now() + 5s;
  while (Prot.ScopeSampling() && std::chrono::steady_clock::now() < Limit)
    std::this_thread::sleep_for(5ms);
  EXPECT_FALSE(Prot.ScopeSampling());
  std::this_thread::sleep_for(100ms);
  std::lock_guard L(Lock);
  EXPECT_EQ(Cycles, (std::vector<bool>{false, false, false, true, false, false, false, false}));
  EXPECT_EQ(Stopped, (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 2}));
  EXPECT_EQ(Prot.PollingStopped(), 2);
  EXPECT_EQ(View.Sets.size(), 1u);
}

TEST_F(ScriptedScope, DisconnectWaitsForTheCycleInProgress) {
  View.Signals = {"P1", "", "", ""};
  Line.Answer("P1\r\n1\r\n>");
  std::atomic<bool> Entered{false}, Left{false};
  View.OnAdd = [&] {
    Entered = true;
    std::this_thread::sleep_for(200ms);
    Left = true;
  };
  std::thread Sampler([&] { Prot.PollScope(); });
  while (!Entered) std::this_thread::sleep_for(1ms);
  Prot.Disconnect();
  EXPECT_TRUE(Left);
  EXPECT_FALSE(Prot.PortOpen());
  Sampler.join();
}

// The whole path against the virtual module: the sampling timer's cycles ask only the shown
// values; a module that falls silent stops the sampling after four cycles.
TEST(ScopePolling, TheSamplingTimerPollsTheShownValuesOfTheModule) {
  testing::TSimLink L;
  ASSERT_TRUE(L.Identify());
  TScopeLog View;
  View.Signals = {"X", "", "W", ""};
  L.Prot.SetScope(&View);
  L.Prot.SetOperatingMode(omScope);
  L.Module.ClearReceivedCommands();
  ASSERT_TRUE(L.Prot.StartScopeSampling(
      static_cast<uint32_t>(ScopeSamplingIntervalMs(L.Prot.BaudRate(), L.Prot.TransferMode()))));
  const auto Limit = std::chrono::steady_clock::now() + 10s;
  while (View.Count() < 5 && std::chrono::steady_clock::now() < Limit)
    std::this_thread::sleep_for(5ms);
  L.Prot.StopScopeSampling();
  ASSERT_GE(View.Count(), 5u);
  const auto Heard = L.Module.ReceivedCommands();
  for (size_t I = 0; I < Heard.size(); ++I) EXPECT_EQ(Heard[I], I % 2 ? "X\r" : "W\r") << I;
  for (const auto& Set : View.Sets) {
    EXPECT_TRUE(Set.Samples[0]);
    EXPECT_FALSE(Set.Samples[1]);
    EXPECT_TRUE(Set.Samples[2]);
  }
  EXPECT_EQ(L.Prot.PollingStopped(), 0);

  L.Module.SetFault(sim::TSimFault::Silence);
  ASSERT_TRUE(L.Prot.StartScopeSampling(30));
  const auto Limit2 = std::chrono::steady_clock::now() + 10s;
  while (L.Prot.ScopeSampling() && std::chrono::steady_clock::now() < Limit2)
    std::this_thread::sleep_for(5ms);
  EXPECT_FALSE(L.Prot.ScopeSampling());
  EXPECT_EQ(L.Prot.PollingStopped(), 2);
}

TEST(ScopePolling, SamplingIntervalFollowsTheBaudRateAndTheLine) {
  struct {
    TModBaudrate Baud;
    TTransferMode Mode;
    int Ms;
  } const Cases[] = {{mb9600, tmFullDuplex, 80},   {mb57600, tmFullDuplex, 30},
                     {mb115200, tmFullDuplex, 25}, {mb19200, tmHalfDuplex, 80},
                     {mb9600, tmHalfDuplex, 140},  {mb38400, tmFullDuplex, 35}};
  for (const auto& C : Cases) EXPECT_EQ(ScopeSamplingIntervalMs(C.Baud, C.Mode), C.Ms) << C.Baud;
}

}  // namespace
}  // namespace vdx
