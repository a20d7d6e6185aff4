// Hands work of worker threads (the monitor's polling tick) to the GUI thread and waits for it.
// Close releases every waiting worker without running its work, so the window can shut down
// and join its threads without waiting on a tick that waits on the GUI thread.
#pragma once

#include <condition_variable>
#include <list>
#include <memory>
#include <mutex>

#include "comm/MainThreadSync.h"

namespace vdx::ui {

class TGuiThreadRunner {
 public:
  // Create it in the GUI thread.
  TGuiThreadRunner();
  ~TGuiThreadRunner() { Close(); }
  TGuiThreadRunner(const TGuiThreadRunner&) = delete;
  TGuiThreadRunner& operator=(const TGuiThreadRunner&) = delete;

  // Runs Work in the GUI thread and returns when it ran or the runner was closed.
  void Run(const TMainThreadWork& Work);
  // Call in the GUI thread: pending work is dropped, waiting workers return, later work is
  // dropped at once.
  void Close();
  TMainThreadRunner Runner() {
    return [this](const TMainThreadWork& Work) { Run(Work); };
  }

 private:
  struct THandOver {
    std::mutex Lock;
    std::condition_variable Finished;
    bool Done = false;
    bool Cancelled = false;
  };
  std::mutex FLock;
  std::list<std::shared_ptr<THandOver>> FPending;
  bool FClosed = false;
};

}  // namespace vdx::ui
