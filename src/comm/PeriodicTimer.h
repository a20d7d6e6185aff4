// A periodic high-resolution timer: a thread of its own that sleeps to absolute deadlines on
// the monotonic clock and calls its callback there at every deadline. Deadlines lie on the
// grid start + k x interval; a callback that overruns skips the deadlines it missed instead of
// running a burst of late ticks.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace vdx {

// Gives the calling thread the highest priority the process is allowed; a refusal is ignored.
void RaiseThreadPriority();

class TPeriodicTimer {
 public:
  using TClock = std::chrono::steady_clock;  // CLOCK_MONOTONIC
  // Called in the timer thread with the deadline the tick was due at.
  using TCallback = std::function<void(TClock::time_point Deadline)>;

  TPeriodicTimer() = default;
  ~TPeriodicTimer();  // stops and waits for the thread
  TPeriodicTimer(const TPeriodicTimer&) = delete;
  TPeriodicTimer& operator=(const TPeriodicTimer&) = delete;

  // Starts ticking every IntervalMs (at least 1), the first tick one interval from now. False
  // when already running, or when called from the timer's own callback.
  bool Start(uint32_t IntervalMs, TCallback Callback);
  // Stops the ticks. From another thread it returns once a tick in progress has ended and the
  // thread is gone; from inside the callback it only marks the stop, and the thread ends when
  // the callback returns.
  void Stop();
  bool Running() const { return FRunning.load(); }

  // A sleep is cut into slices of at most this, so a stop takes effect quickly also at long
  // intervals; the last slice still ends on the deadline itself.
  static constexpr int SleepSliceMs = 50;

 private:
  void Run(std::chrono::nanoseconds Interval, TCallback Callback);

  std::mutex FControl;  // serialises Start and Stop from outside the timer thread
  std::thread FThread;
  std::atomic<bool> FRunning{false};
};

}  // namespace vdx
