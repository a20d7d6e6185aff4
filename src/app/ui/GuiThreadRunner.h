// Hands work of worker threads (the monitor's polling tick) to the GUI thread and waits for it.
// Close releases every waiting worker without running its work, so the window can shut down
// and join its threads without waiting on a tick that waits on the GUI thread.
#pragma once

#include <QObject>

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
  // Lives in the GUI thread; each wake-up event runs the work handed over so far. The work
  // itself passes only through the dispatcher, under its lock, never inside a Qt event.
  class TWakeReceiver : public QObject {
   public:
    explicit TWakeReceiver(TMainThreadDispatcher& Dispatcher) : FDispatcher(Dispatcher) {}
    void PostWake();

   protected:
    bool event(QEvent* Event) override;

   private:
    TMainThreadDispatcher& FDispatcher;
  };

  TMainThreadDispatcher FDispatcher;
  TWakeReceiver FReceiver{FDispatcher};  // destroyed first, with its pending wake-ups
};

}  // namespace vdx::ui
