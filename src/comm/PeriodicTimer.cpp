#include "comm/PeriodicTimer.h"

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace vdx {

namespace {

// The timer whose thread is the calling thread, if any.
thread_local const TPeriodicTimer* CurrentTimer = nullptr;

timespec ToTimespec(TPeriodicTimer::TClock::time_point T) {
  const auto Ns =
      std::chrono::duration_cast<std::chrono::nanoseconds>(T.time_since_epoch()).count();
  return timespec{static_cast<time_t>(Ns / 1000000000), static_cast<long>(Ns % 1000000000)};
}

}  // namespace

void RaiseThreadPriority() { setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -20); }

TPeriodicTimer::~TPeriodicTimer() { Stop(); }

bool TPeriodicTimer::Start(uint32_t IntervalMs, TCallback Callback) {
  if (CurrentTimer == this) return false;
  std::lock_guard Lock(FControl);
  if (FRunning) return false;
  // A thread that ended by a stop from its own callback is collected here.
  if (FThread.joinable()) FThread.join();
  FRunning = true;
  FThread = std::thread(&TPeriodicTimer::Run, this,
                        std::chrono::milliseconds(std::max<uint32_t>(IntervalMs, 1)),
                        std::move(Callback));
  return true;
}

void TPeriodicTimer::Stop() {
  FRunning = false;
  if (CurrentTimer == this) return;
  std::lock_guard Lock(FControl);
  if (FThread.joinable()) FThread.join();
}

void TPeriodicTimer::Run(std::chrono::nanoseconds Interval, TCallback Callback) {
  CurrentTimer = this;
  RaiseThreadPriority();
  const auto Slice = std::chrono::milliseconds(SleepSliceMs);
  auto Deadline = TClock::now() + Interval;
  while (FRunning) {
    const auto Now = TClock::now();
    if (Now < Deadline) {
      const timespec Until = ToTimespec(std::min(Deadline, Now + Slice));
      // EINTR: the loop sleeps again to the same absolute time.
      clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &Until, nullptr);
      continue;
    }
    Callback(Deadline);
    // The next deadline on the grid that still lies ahead.
    Deadline += Interval;
    const auto After = TClock::now();
    if (Deadline <= After) Deadline += ((After - Deadline) / Interval + 1) * Interval;
  }
}

}  // namespace vdx
