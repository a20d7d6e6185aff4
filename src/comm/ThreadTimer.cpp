#include "comm/ThreadTimer.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "comm/MainThreadSync.h"
#include "comm/PeriodicTimer.h"

namespace vdx {

void TBaseTimerThread::SetOnTimer(TTimerEvent Handler) {
  std::lock_guard Lock(FLock);
  FOnTimer = std::move(Handler);
}

bool TBaseTimerThread::StartTimer(uint32_t IntervalMs) {
  if (FRunning.exchange(true)) return false;
  {
    std::lock_guard Lock(FLock);
    FIntervals.push_back(IntervalMs);
  }
  PostMessage(StartMessage);
  return true;
}

void TBaseTimerThread::StopTimer() { FRunning = false; }

void TBaseTimerThread::Execute() {
  uint32_t Interval;
  while (!Terminated()) WaitStartRequest(Interval);
}

bool TBaseTimerThread::WaitStartRequest(uint32_t& IntervalMs) {
  int Msg;
  while (WaitMessage(Msg)) {
    if (Msg == QuitMessage) return false;
    if (Msg != StartMessage) continue;
    std::lock_guard Lock(FLock);
    if (FIntervals.empty()) continue;
    IntervalMs = FIntervals.front();
    FIntervals.pop_front();
    return true;
  }
  return false;
}

void TBaseTimerThread::Tick() {
  TTimerEvent Handler;
  {
    std::lock_guard Lock(FLock);
    Handler = FOnTimer;
  }
  if (!Handler) return;
  if (Synchronized)
    RunInMainThread([&] { Handler(*this); });
  else
    Handler(*this);
}

TThreadTimer_SL::TThreadTimer_SL() { Start(); }

TThreadTimer_SL::~TThreadTimer_SL() {
  StopTimer();
  Stop();
}

void TThreadTimer_SL::Execute() {
  RaiseThreadPriority();
  using Clock = std::chrono::steady_clock;
  uint32_t IntervalMs;
  while (!Terminated()) {
    if (!WaitStartRequest(IntervalMs)) continue;
    const auto Interval = std::chrono::milliseconds(IntervalMs);
    auto Next = Clock::now() + Interval;
    while (!Terminated() && FRunning) {
      const auto Now = Clock::now();
      if (Next > Now) {
        std::this_thread::sleep_until(
            std::min(Next, Now + std::chrono::milliseconds(SleepSliceMs)));
        continue;
      }
      Next = Now + Interval;
      Tick();
    }
  }
}

}  // namespace vdx
