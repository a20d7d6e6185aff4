#include "comm/MainThreadSync.h"

#include <algorithm>
#include <chrono>

namespace vdx {

namespace {
std::mutex RunnerLock;
TMainThreadRunner& InstalledRunner() {
  static TMainThreadRunner Runner;
  return Runner;
}
}  // namespace

void SetMainThreadRunner(TMainThreadRunner Runner) {
  std::lock_guard Lock(RunnerLock);
  InstalledRunner() = std::move(Runner);
}

void RunInMainThread(const TMainThreadWork& Work) {
  TMainThreadRunner Runner;
  {
    std::lock_guard Lock(RunnerLock);
    Runner = InstalledRunner();
  }
  if (Runner)
    Runner(Work);
  else
    Work();
}

void TMainThreadDispatcher::Run(const TMainThreadWork& Work) {
  TItem Item{&Work};
  std::unique_lock Lock(FLock);
  if (FClosed) return;
  FPending.push_back(&Item);
  FChanged.notify_all();
  if (FOnWorkPending) FOnWorkPending();
  // Work the main thread has taken is waited for even when closing: it refers to our caller.
  FChanged.wait(Lock, [&] { return Item.Done || (FClosed && !Item.Taken); });
  if (!Item.Taken) std::erase(FPending, &Item);
}

void TMainThreadDispatcher::ProcessFor(int TimeoutMs, const std::function<bool()>& Done) {
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
  std::unique_lock Lock(FLock);
  while (!FClosed && !(Done && Done())) {
    if (FPending.empty()) {
      FWoken = false;
      if (!FChanged.wait_until(Lock, Deadline,
                               [&] { return !FPending.empty() || FClosed || FWoken; }))
        return;
      continue;
    }
    TItem* Item = FPending.front();
    FPending.pop_front();
    Item->Taken = true;
    Lock.unlock();
    (*Item->Work)();
    Lock.lock();
    Item->Done = true;
    FChanged.notify_all();
  }
}

void TMainThreadDispatcher::Wake() {
  {
    std::lock_guard Lock(FLock);
    FWoken = true;
  }
  FChanged.notify_all();
}

void TMainThreadDispatcher::Close() {
  {
    std::lock_guard Lock(FLock);
    FClosed = true;
  }
  FChanged.notify_all();
}

}  // namespace vdx
