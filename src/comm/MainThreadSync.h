// "Run this in the main thread and wait": the one hook through which worker threads hand work
// to the thread that owns the views and the exchanges of the user. The desktop tool installs
// a runner that posts to its GUI thread and blocks; vdxctl and tests install their own.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace vdx {

using TMainThreadWork = std::function<void()>;
// Runs Work in the main thread and returns once it has run (or was dropped because the main
// thread no longer takes work).
using TMainThreadRunner = std::function<void(const TMainThreadWork& Work)>;

// Installs the process-wide runner; an empty one makes RunInMainThread run work directly.
void SetMainThreadRunner(TMainThreadRunner Runner);
// Runs Work through the installed runner, or directly in the calling thread without one.
void RunInMainThread(const TMainThreadWork& Work);

// A main thread without an event loop of its own: workers hand work over with Run, the main
// thread runs it inside ProcessFor. Close drops pending and later work and releases the
// waiting workers, so a main thread that goes on to join them cannot deadlock.
class TMainThreadDispatcher {
 public:
  TMainThreadDispatcher() = default;
  // OnWorkPending runs in the worker, under the dispatcher's lock, each time work is handed
  // over: a main thread with an event loop posts itself a wake-up there.
  explicit TMainThreadDispatcher(std::function<void()> OnWorkPending)
      : FOnWorkPending(std::move(OnWorkPending)) {}

  // Blocks until the main thread ran Work or the dispatcher is closed. Never call it from the
  // thread that calls ProcessFor.
  void Run(const TMainThreadWork& Work);
  // Runs handed-over work until TimeoutMs passed or Done() is true (checked after each piece
  // and when woken by Wake). With 0 it runs what is pending and returns.
  void ProcessFor(int TimeoutMs, const std::function<bool()>& Done = {});
  // Wakes ProcessFor so that it checks Done (e.g. from a signal-watching thread).
  void Wake();
  void Close();
  // A runner for SetMainThreadRunner that hands work to this dispatcher.
  TMainThreadRunner Runner() {
    return [this](const TMainThreadWork& Work) { Run(Work); };
  }

 private:
  struct TItem {
    const TMainThreadWork* Work;
    bool Taken = false;
    bool Done = false;
  };
  std::function<void()> FOnWorkPending;
  std::mutex FLock;
  std::condition_variable FChanged;
  std::deque<TItem*> FPending;
  bool FClosed = false;
  bool FWoken = false;
};

}  // namespace vdx
