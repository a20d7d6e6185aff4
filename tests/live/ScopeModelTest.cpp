// The oscilloscope model: channel settings, buffers and their capacity, binding to process
// values, the mapping of points to pixels and the cursor readings.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "comm/ModCommands.h"
#include "live/ScopeModel.h"

namespace vdx {
namespace {

TASCIIProcDataObj Sample(int32_t Value) { return TASCIIProcDataObj(45000.0, Value); }

// Process values W (CompFactor 10) and X.
void FillProcessData(TModProcessData& List) {
  for (const char* Name : {"W", "X"}) {
    auto Cmd = std::make_unique<TModProcCommand>();
    Cmd->Name = Name;
    Cmd->CompFactor = Name[0] == 'W' ? 10 : 1;
    List.Add(std::move(Cmd));
  }
}

TEST(ScopeChannels, BufferCapacityIsOneScreenWidth) {
  struct {
    uint16_t TimePerDiv;
    uint32_t Period;
    size_t Capacity;
  } const Cases[] = {{1000, 25, 401},
                     {10000, 25, 4001},
                     {1000, 30, 334},
                     {1000, 65536 + 25, 401},  // taken as 16 bits
                     {1000, 0, 10001}};        // no division by zero
  for (const auto& C : Cases)
    EXPECT_EQ(ScopeBufferCapacity(C.TimePerDiv, C.Period), C.Capacity) << C.Period;
}

TEST(ScopeChannels, PointsMapToTheGridAndOutsideValuesToItsBorder) {
  const TScopeGrid G(1000, 600);
  EXPECT_EQ((std::vector<int>{G.cw, G.rh, G.x0, G.y0}), (std::vector<int>{86, 50, 70, 50}));
  TScopeChannel C;  // YScale 20, YOffset 100
  for (double V : {1e12, 100.0, 0.0, -100.0, -1e12}) C.FPoints.push_back({0, V});
  const auto P = BuildPoints(C, G, 100, 1000);
  ASSERT_EQ(P.size(), 5u);
  const int Ys[] = {50, 50, 300, 550, 550};
  const int Xs[] = {896, 904, 913, 921, 930};  // 8.6 pixels apart, the newest on the right edge
  for (size_t I = 0; I < 5; ++I) {
    EXPECT_EQ(P[I].Y, Ys[I]) << I;
    EXPECT_EQ(P[I].X, Xs[I]) << I;
  }
  C.Divisor = 10;
  C.FPoints = {{0, 1000}};
  EXPECT_EQ(BuildPoints(C, G, 100, 1000)[0].Y, 50);
}

TEST(ScopeChannels, DegenerateScalesAndLongBuffersMapWithoutFault) {
  const TScopeGrid G(1000, 600);
  TScopeChannel C;
  C.FPoints.assign(70000, {0, 5});
  // 69999 x 65535 x 86 exceeds 32 bits: the oldest point still lies on the left edge.
  EXPECT_EQ(BuildPoints(C, G, 65535, 1000).front().X, 70);
  C.YScale = 0;
  EXPECT_TRUE(BuildPoints(C, G, 100, 1000).empty());
  C.YScale = 20;
  C.Divisor = 0;
  EXPECT_TRUE(BuildPoints(C, G, 100, 1000).empty());
  C.Divisor = 1;
  EXPECT_TRUE(BuildPoints(C, G, 100, 0).empty());
  // A paint box too small for a grid: the points stay inside it, nothing faults.
  C.FPoints.resize(3);
  for (const auto& P : BuildPoints(C, TScopeGrid(10, 5), 100, 1000)) {
    EXPECT_TRUE(P.X >= 0 && P.X <= 10) << P.X;
    EXPECT_TRUE(P.Y >= 0 && P.Y <= 5) << P.Y;
  }
}

// The runs must cover what a one-pixel polyline through the points covers: every column's full
// extent, a one-sample spike included, and every line between points split among the columns
// it crosses, each pixel once.
TEST(ScopeChannels, ColumnRunsKeepSpikesAndSteps) {
  using R = std::vector<std::tuple<int, int, int>>;
  struct TCase {
    const char* What;
    std::vector<TScopePoint> Points;
    R Runs;
  };
  const TCase Cases[] = {
      {"nothing", {}, {}},
      {"a lone point is still drawn", {{5, 7}}, {{5, 7, 7}}},
      // Column 10: 40, a spike to 5, 60, 30; column 11: flat 30; column 12: 50.
      {"spike and steps",
       {{10, 40}, {10, 5}, {10, 60}, {10, 30}, {11, 30}, {11, 30}, {12, 50}},
       {{10, 5, 60}, {11, 30, 39}, {12, 40, 50}}},
      {"steep line shares its rows out", {{0, 0}, {2, 3}}, {{0, 0, 0}, {1, 1, 2}, {2, 3, 3}}},
      {"flat line one pixel per column",
       {{0, 10}, {4, 8}},
       {{0, 10, 10}, {1, 9, 9}, {2, 9, 9}, {3, 8, 8}, {4, 8, 8}}},
      {"upwards", {{0, 10}, {1, 0}}, {{0, 6, 10}, {1, 0, 5}}},
      {"wide steep step", {{0, 0}, {3, 10}}, {{0, 0, 1}, {1, 2, 4}, {2, 5, 8}, {3, 9, 10}}},
  };
  for (const TCase& C : Cases) {
    R Out;
    for (const TScopeRun& Run : ColumnRuns(C.Points)) Out.emplace_back(Run.X, Run.Top, Run.Bottom);
    EXPECT_EQ(Out, C.Runs) << C.What;
  }
}

TEST(ScopeModel, SettingsRaiseTheirEventsOnlyOnChange) {
  TVDXScopeModel M;
  EXPECT_EQ(M.Channel(1).Name(), "Cha. 0");
  EXPECT_EQ(M.Channel(4).Name(), "Cha. 3");
  EXPECT_EQ(M.Channel(3).Color(), clGreen);
  std::vector<int> Changed;
  M.OnChannelChanged = [&](TVDXScopeModel&, int N) { Changed.push_back(N); };
  M.Channel(2).SetYScalePerDiv(20);  // the value it has
  M.Channel(2).SetYZeroOffset(100);
  M.Channel(2).SetColor(clRed);
  EXPECT_TRUE(Changed.empty());
  M.Channel(2).SetYScalePerDiv(50);
  M.Channel(2).SetColor(clBlack);
  EXPECT_EQ(Changed, (std::vector<int>{1, 1}));
  EXPECT_EQ(M.ChannelState(1).YScale, 50u);
  EXPECT_EQ(M.ChannelState(1).LineColor, clBlack);
}

TEST(ScopeModel, BindingAChannelToAProcessValue) {
  TVDXScopeModel M;
  std::vector<std::string> Names;
  M.OnProcessDataChanged = [&](TVDXScopeModel&, const std::vector<std::string>& N) { Names = N; };
  TModProcessData List;
  FillProcessData(List);
  M.SetProcessData(&List);
  EXPECT_EQ(Names, (std::vector<std::string>{"W", "X"}));

  M.Channel(1).SetSignal("W");
  EXPECT_EQ(M.ChannelState(0).SourceIndex, 0);
  EXPECT_EQ(M.ChannelState(0).Divisor, 10);
  EXPECT_EQ(M.ChannelSignals()[0], "W");
  const auto S = Sample(7);
  M.AddSamples(&S, nullptr, nullptr, nullptr);
  M.Channel(1).SetSignal("W");  // the same: points kept
  EXPECT_EQ(M.ChannelState(0).FPoints.size(), 1u);
  M.Channel(1).SetSignal("X");  // another: points dropped
  EXPECT_TRUE(M.ChannelState(0).FPoints.empty());
  EXPECT_EQ(M.ChannelState(0).Divisor, 1);
  M.AddSamples(&S, nullptr, nullptr, nullptr);
  M.Channel(1).SetSignal("NOPE");  // not a process value: not drawn
  EXPECT_EQ(M.ChannelState(0).SourceIndex, -1);
  EXPECT_EQ(M.ChannelState(0).Divisor, 1);
  EXPECT_TRUE(M.BuildTraces(1000, 600).empty());
}

TEST(ScopeModel, IntakeFollowsRunScopeAndEnablingEmptiesTheBuffers) {
  TVDXScopeModel M;
  int Raised = 0;
  M.OnScopeData = [&](auto...) { ++Raised; };
  const auto A = Sample(1), B = Sample(2);
  M.AddScopeSamples(&A, nullptr, &B, nullptr);  // not running: dropped
  EXPECT_TRUE(M.ChannelState(0).FPoints.empty());
  EXPECT_EQ(Raised, 0);
  M.SetRunScope(true);
  M.AddScopeSamples(&A, nullptr, &B, nullptr);
  EXPECT_EQ(Raised, 1);
  EXPECT_EQ(M.ChannelState(0).FPoints.size(), 1u);
  EXPECT_EQ(M.ChannelState(2).FPoints.back().Value, 2.0);
  EXPECT_TRUE(M.ChannelState(1).FPoints.empty());
  M.SetEnabled(true);
  EXPECT_TRUE(M.ChannelState(0).FPoints.empty());
  EXPECT_TRUE(M.ChannelState(2).FPoints.empty());
}

TEST(ScopeModel, AFrameTrimsEachBoundBufferToItsCapacity) {
  TVDXScopeModel M;
  TModProcessData List;
  FillProcessData(List);
  M.SetProcessData(&List);
  M.Channel(2).SetSignal("X");
  M.Channel(2).SetColor(clBlue);
  M.SetDataSampleRate(25);
  M.SetRunScope(true);
  for (int I = 0; I < 500; ++I) {
    const auto S = Sample(I);
    M.AddScopeSamples(&S, &S, nullptr, nullptr);
  }
  const auto Traces = M.BuildTraces(1000, 600);
  ASSERT_EQ(Traces.size(), 1u);
  EXPECT_EQ(Traces[0].Number, 1);
  EXPECT_EQ(Traces[0].LineColor, clBlue);
  EXPECT_EQ(Traces[0].Points.size(), 401u);
  EXPECT_EQ(M.ChannelState(1).FPoints.front().Value, 99.0);  // the oldest 99 went
  EXPECT_EQ(M.ChannelState(0).FPoints.size(), 500u);         // unbound: not drawn, not trimmed
}

TEST(ScopeCursors, ReadingsOnTheGridAndAsText) {
  TVDXScopeModel M;
  M.Cursors().FAmpCursor1.PosY = 50;
  M.Cursors().FAmpCursor2.PosY = 550;
  M.Cursors().FTimeCursor1.PosX = 930;
  M.Cursors().FTimeCursor2.PosX = 70;
  TCursorInfo I;
  M.GetCursorInfo(std::make_pair(1000, 600), I);
  EXPECT_EQ((std::vector<double>{I.Y1, I.Y2, I.DY, I.T1, I.T2, I.DT}),
            (std::vector<double>{100, -100, 200, 0, 10000, 10000}));
  EXPECT_EQ(AmplitudeReadingText(1, I), "Cha. 1   y1: 100.00   y2: -100.00   dy: 200.00");
  EXPECT_EQ(AmplitudeReadingText(1, I, ','), "Cha. 1   y1: 100,00   y2: -100,00   dy: 200,00");
  EXPECT_EQ(TimeReadingText(1, I), "Cha. 1   t1: 0 ms   t2: 10000 ms   dt: 10000 ms");

  // Channel 2's scale; a channel out of range leaves the values as they were.
  M.Channel(2).SetYScalePerDiv(10);
  M.Channel(2).SetYZeroOffset(0);
  M.SetCursorChannel(2);
  M.GetCursorInfo(std::make_pair(1000, 600), I);
  EXPECT_EQ(I.Y1, 100);
  EXPECT_EQ(I.Y2, 0);
  M.SetCursorChannel(0);
  M.SetTimeScalePerDiv(200);
  M.GetCursorInfo(std::make_pair(1000, 600), I);
  EXPECT_EQ(I.Y1, 100);
  EXPECT_EQ(I.T2, 2000);

  M.GetCursorInfo(std::nullopt, I);
  EXPECT_EQ((std::vector<double>{I.T1, I.T2, I.Y1, I.Y2, I.DT, I.DY}),
            (std::vector<double>{-1, -1, -1, -1, 0, 0}));
  // No grid inside a paint box of 140 x 11: finite readings of 0, no fault.
  M.SetCursorChannel(1);
  M.GetCursorInfo(std::make_pair(140, 11), I);
  EXPECT_EQ((std::vector<double>{I.T1, I.T2, I.Y1, I.Y2}), (std::vector<double>{0, 0, 0, 0}));
}

TEST(ScopeCursors, HitTestPrefersAmplitudeCursors) {
  TScopeCusors C;  // time at x 200 and 300, amplitude at y 200 and 300
  EXPECT_EQ(C.HitTest(200, 205), &C.FAmpCursor1);
  EXPECT_EQ(C.HitTest(296, 10), &C.FTimeCursor2);
  EXPECT_EQ(C.HitTest(300, 296), &C.FAmpCursor2);
  EXPECT_EQ(C.HitTest(206, 10), nullptr);
}

}  // namespace
}  // namespace vdx
