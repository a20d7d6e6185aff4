#include "app/ui/GuiThreadRunner.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

namespace vdx::ui {

namespace {
QEvent::Type WakeEventType() {
  static const auto Type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return Type;
}
}  // namespace

TGuiThreadRunner::TGuiThreadRunner() : FDispatcher([this] { FReceiver.PostWake(); }) {}

void TGuiThreadRunner::Run(const TMainThreadWork& Work) {
  QCoreApplication* App = QCoreApplication::instance();
  if (!App || QThread::currentThread() == App->thread()) {
    Work();
    return;
  }
  FDispatcher.Run(Work);
}

void TGuiThreadRunner::TWakeReceiver::PostWake() {
  QCoreApplication::postEvent(this, new QEvent(WakeEventType()));
}

bool TGuiThreadRunner::TWakeReceiver::event(QEvent* Event) {
  if (Event->type() != WakeEventType()) return QObject::event(Event);
  FDispatcher.ProcessFor(0);
  return true;
}

}  // namespace vdx::ui
