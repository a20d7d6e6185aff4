// The periodic timer: deadlines on a fixed grid, overruns skipped rather than caught up, and
// stopping from outside (waiting for a tick in progress) and from inside its own callback.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "comm/PeriodicTimer.h"

namespace vdx {
namespace {

using namespace std::chrono_literals;
using Clock = TPeriodicTimer::TClock;

// Waits until Done() holds, at most 5 s.
template <class F>
bool WaitFor(F Done) {
  const auto Limit = Clock::now() + 5s;
  while (!Done() && Clock::now() < Limit) std::this_thread::sleep_for(1ms);
  return Done();
}

TEST(PeriodicTimer, TicksOnAGridAndSkipsTheDeadlinesAnOverrunMissed) {
  TPeriodicTimer Timer;
  std::mutex Lock;
  std::vector<Clock::time_point> Due, Began;
  const auto Started = Clock::now();
  ASSERT_TRUE(Timer.Start(20, [&](Clock::time_point D) {
    {
      std::lock_guard L(Lock);
      Due.push_back(D);
      Began.push_back(Clock::now());
    }
    if (Due.size() == 3) std::this_thread::sleep_for(50ms);  // overruns 2.5 intervals
  }));
  EXPECT_FALSE(Timer.Start(5, [](Clock::time_point) {}));  // already running
  ASSERT_TRUE(WaitFor([&] {
    std::lock_guard L(Lock);
    return Due.size() >= 6;
  }));
  Timer.Stop();
  std::lock_guard L(Lock);
  EXPECT_GE(Due[0], Started + 20ms);
  for (size_t I = 0; I < Due.size(); ++I) {
    EXPECT_GE(Began[I], Due[I]) << I;
    EXPECT_EQ((Due[I] - Due[0]) % 20ms, 0ns) << I;  // on the grid of the first deadline
  }
  EXPECT_EQ(Due[1] - Due[0], 20ms);
  // After the overrun of tick 3 the next deadline is the first one still ahead: no burst.
  EXPECT_EQ(Due[3] - Due[2], 60ms);
  EXPECT_GE(Began[3], Began[2] + 50ms);
}

TEST(PeriodicTimer, StopFromOutsideWaitsForTheTickInProgress) {
  TPeriodicTimer Timer;
  std::atomic<bool> Entered{false}, Left{false};
  Timer.Start(5, [&](Clock::time_point) {
    Entered = true;
    std::this_thread::sleep_for(100ms);
    Left = true;
  });
  ASSERT_TRUE(WaitFor([&] { return Entered.load(); }));
  Timer.Stop();
  EXPECT_TRUE(Left);
  EXPECT_FALSE(Timer.Running());
}

TEST(PeriodicTimer, StopFromItsOwnCallbackEndsTheTicksAndAllowsANewStart) {
  TPeriodicTimer Timer;
  std::atomic<int> Ticks{0};
  std::atomic<bool> RestartRefused{false};
  Timer.Start(5, [&](Clock::time_point) {
    if (++Ticks == 3) {
      Timer.Stop();
      RestartRefused = !Timer.Start(5, [](Clock::time_point) {});
    }
  });
  ASSERT_TRUE(WaitFor([&] { return !Timer.Running(); }));
  std::this_thread::sleep_for(30ms);
  EXPECT_EQ(Ticks, 3);
  EXPECT_TRUE(RestartRefused);

  ASSERT_TRUE(Timer.Start(5, [&](Clock::time_point) { ++Ticks; }));
  EXPECT_TRUE(WaitFor([&] { return Ticks >= 5; }));
  Timer.Stop();
}

}  // namespace
}  // namespace vdx
