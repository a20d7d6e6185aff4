// The polling timer thread: tick timing, start/stop, and the hand-over to the main thread.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "comm/MainThreadSync.h"
#include "comm/ThreadTimer.h"

namespace vdx {
namespace {

using Clock = std::chrono::steady_clock;

// Records when and on which thread each tick ran; HandlerMs makes the handler slow. Declared
// before the timer, so the timer (and its ticks) end first.
struct TTickLog {
  void Attach(TThreadTimer_SL& Timer, int HandlerMs = 0) {
    Timer.SetOnTimer([this, HandlerMs](TBaseTimerThread&) {
      if (HandlerMs) std::this_thread::sleep_for(std::chrono::milliseconds(HandlerMs));
      std::lock_guard Lock(Mutex);
      Starts.push_back(Clock::now() - std::chrono::milliseconds(HandlerMs));
      Threads.push_back(std::this_thread::get_id());
    });
  }
  size_t Count() {
    std::lock_guard Lock(Mutex);
    return Starts.size();
  }
  // Waits until N ticks ran (at most TimeoutMs).
  bool WaitFor(size_t N, int TimeoutMs = 5000) {
    const auto End = Clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (Count() < N && Clock::now() < End)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return Count() >= N;
  }
  long GapMs(size_t I) {
    std::lock_guard Lock(Mutex);
    return std::chrono::duration_cast<std::chrono::milliseconds>(Starts[I + 1] - Starts[I]).count();
  }
  std::mutex Mutex;
  std::vector<Clock::time_point> Starts;
  std::vector<std::thread::id> Threads;
};

TEST(ThreadTimer, StartWhileRunningKeepsTheIntervalOfTheRun) {
  TTickLog Log;
  TThreadTimer_SL Timer;
  Timer.Synchronized = false;
  Log.Attach(Timer);
  EXPECT_TRUE(Timer.StartTimer(300));
  EXPECT_FALSE(Timer.StartTimer(20));
  ASSERT_TRUE(Log.WaitFor(3));
  EXPECT_GE(Log.GapMs(0), 290);
  EXPECT_GE(Log.GapMs(1), 290);
}

TEST(ThreadTimer, StopEndsTheRunAndANewStartTakesItsOwnInterval) {
  TTickLog Log;
  TThreadTimer_SL Timer;
  Timer.Synchronized = false;
  Log.Attach(Timer);
  ASSERT_TRUE(Timer.StartTimer(30));
  ASSERT_TRUE(Log.WaitFor(2));
  Timer.StopTimer();
  EXPECT_FALSE(Timer.Running());
  // The thread notices the stop within one sleep slice; no tick follows after that.
  std::this_thread::sleep_for(std::chrono::milliseconds(TThreadTimer_SL::SleepSliceMs + 50));
  const size_t Stopped = Log.Count();
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(Log.Count(), Stopped);

  ASSERT_TRUE(Timer.StartTimer(250));
  ASSERT_TRUE(Log.WaitFor(Stopped + 2));
  EXPECT_GE(Log.GapMs(Stopped), 240);
}

TEST(ThreadTimer, ASlowHandlerIsFollowedAtOnceWithoutCatchingUp) {
  TTickLog Log;
  TThreadTimer_SL Timer;
  Timer.Synchronized = false;
  Log.Attach(Timer, 150);
  const auto Begin = Clock::now();
  ASSERT_TRUE(Timer.StartTimer(40));
  ASSERT_TRUE(Log.WaitFor(4));
  Timer.StopTimer();
  // Ticks start one handler time apart: missed ticks are dropped, not run in a burst.
  for (size_t I = 0; I + 1 < 4; ++I) EXPECT_GE(Log.GapMs(I), 145) << I;
  const auto Elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Begin);
  EXPECT_LE(Log.Count(), static_cast<size_t>(Elapsed.count() / 150 + 1));
}

TEST(ThreadTimer, SynchronizedTicksRunInTheMainThreadWhileTheTimerWaits) {
  TMainThreadDispatcher Main;
  SetMainThreadRunner(Main.Runner());
  {
    TTickLog Log;
    TThreadTimer_SL Timer;
    Log.Attach(Timer);
    ASSERT_TRUE(Timer.StartTimer(20));
    Main.ProcessFor(5000, [&] { return Log.Count() >= 3; });
    ASSERT_GE(Log.Count(), 3u);
    for (const auto& Id : Log.Threads) EXPECT_EQ(Id, std::this_thread::get_id());
    // A main thread that stops taking work releases the timer, so destroying it cannot hang.
    Main.Close();
  }
  SetMainThreadRunner({});
}

}  // namespace
}  // namespace vdx
