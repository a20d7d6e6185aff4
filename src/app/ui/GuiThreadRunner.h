// Hands work of worker threads (the monitor's polling tick) to the GUI thread and waits for it.
// Close releases every waiting worker without running its work, so the window can shut down
// and join its threads without waiting on a tick that waits on the GUI thread.
#pragma once

#include <QTimer>

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
  void Close() { FDispatcher.Close(); }
  TMainThreadRunner Runner() {
    return [this](const TMainThreadWork& Work) { Run(Work); };
  }

 private:
  // The work passes only through the dispatcher, under its lock. A worker wakes the GUI thread
  // by starting this zero-time timer with a queued call, which Qt itself builds, so nothing a
  // worker allocated reaches the GUI thread and the race checker sees every hand-over.
  TMainThreadDispatcher FDispatcher;
  QTimer FWake;  // destroyed first, with its queued starts
};

}  // namespace vdx::ui
