// A timer on a thread of its own: after StartTimer it calls OnTimer every interval, by default
// in the main thread (through RunInMainThread, the timer thread waiting until it has run).
// The thread lives idle between runs, waiting for the next start request.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

#include "comm/BaseThread.h"

namespace vdx {

class TBaseTimerThread : public TBaseThread {
 public:
  // Message that starts a run; its interval travels beside it.
  static constexpr int StartMessage = 0x0400;

  // Tick handler; Sender is the timer thread.
  using TTimerEvent = std::function<void(TBaseTimerThread& Sender)>;

  // Run OnTimer in the main thread and wait for it (true, the default) or in the timer thread.
  std::atomic<bool> Synchronized{true};
  void SetOnTimer(TTimerEvent Handler);
  bool Running() const { return FRunning.load(); }

  // Requests ticks every IntervalMs. True when started; false (and the interval of the run in
  // progress stays) when already running.
  virtual bool StartTimer(uint32_t IntervalMs);
  // Ends the run; the thread notices within 200 ms and waits for the next start request.
  virtual void StopTimer();

 protected:
  // Waits for messages until the terminate flag is set; derived classes supply the ticks.
  void Execute() override;
  // Next message of the queue: true with the interval for a start request, false for a quit
  // message; other messages are discarded.
  bool WaitStartRequest(uint32_t& IntervalMs);
  // Calls OnTimer as Synchronized says; nothing without a handler.
  void Tick();

  std::atomic<bool> FRunning{false};

 private:
  std::mutex FLock;  // guards the handler and the intervals of pending start requests
  TTimerEvent FOnTimer;
  std::deque<uint32_t> FIntervals;
};

// The tick loop: a tick follows the start of the previous one after the interval, or at once
// when the handler took longer; missed ticks are not caught up. Sleeps in slices of at most
// 200 ms so that a stop takes effect quickly. Created running (idle, waiting for a start).
class TThreadTimer_SL : public TBaseTimerThread {
 public:
  TThreadTimer_SL();
  ~TThreadTimer_SL() override;  // StopTimer, stop request, waits for the thread

  static constexpr int SleepSliceMs = 200;

 protected:
  void Execute() override;
};

}  // namespace vdx
