#include "app/ui/GuiThreadRunner.h"

#include <QCoreApplication>
#include <QThread>

namespace vdx::ui {

TGuiThreadRunner::TGuiThreadRunner()
    : FDispatcher([this] { QMetaObject::invokeMethod(&FWake, "start", Qt::QueuedConnection); }) {
  FWake.setSingleShot(true);
  FWake.setInterval(0);
  QObject::connect(&FWake, &QTimer::timeout, [this] { FDispatcher.ProcessFor(0); });
}

void TGuiThreadRunner::Run(const TMainThreadWork& Work) {
  QCoreApplication* App = QCoreApplication::instance();
  if (!App || QThread::currentThread() == App->thread()) {
    Work();
    return;
  }
  FDispatcher.Run(Work);
}

}  // namespace vdx::ui
