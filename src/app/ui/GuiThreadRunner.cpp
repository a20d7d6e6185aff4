#include "app/ui/GuiThreadRunner.h"

#include <QCoreApplication>
#include <QThread>

namespace vdx::ui {

TGuiThreadRunner::TGuiThreadRunner() = default;

void TGuiThreadRunner::Run(const TMainThreadWork& Work) {
  QCoreApplication* App = QCoreApplication::instance();
  if (!App || QThread::currentThread() == App->thread()) {
    Work();
    return;
  }
  auto HandOver = std::make_shared<THandOver>();
  {
    std::lock_guard Lock(FLock);
    if (FClosed) return;
    FPending.push_back(HandOver);
  }
  // The queued call holds only the hand-over; it runs Work only while its worker still waits,
  // which Close (in this same GUI thread) ends by marking it cancelled.
  QMetaObject::invokeMethod(
      App,
      [HandOver, &Work] {
        {
          std::lock_guard Lock(HandOver->Lock);
          if (HandOver->Cancelled) return;
        }
        Work();
        std::lock_guard Lock(HandOver->Lock);
        HandOver->Done = true;
        HandOver->Finished.notify_all();
      },
      Qt::QueuedConnection);
  {
    std::unique_lock Lock(HandOver->Lock);
    HandOver->Finished.wait(Lock, [&] { return HandOver->Done || HandOver->Cancelled; });
  }
  std::lock_guard Lock(FLock);
  FPending.remove(HandOver);
}

void TGuiThreadRunner::Close() {
  std::lock_guard Lock(FLock);
  FClosed = true;
  for (const auto& HandOver : FPending) {
    std::lock_guard HandOverLock(HandOver->Lock);
    HandOver->Cancelled = true;
    HandOver->Finished.notify_all();
  }
}

}  // namespace vdx::ui
