#include "app/ui/DesktopOpen.h"

#include <QDesktopServices>

namespace vdx::ui {

namespace {

TOpenUrlHandler& CurrentHandler() {
  static TOpenUrlHandler Handler;
  return Handler;
}

}  // namespace

bool OpenWithDesktop(const QUrl& Url) {
  if (CurrentHandler()) return CurrentHandler()(Url);
  return QDesktopServices::openUrl(Url);
}

TOpenUrlHandler SetOpenUrlHandler(TOpenUrlHandler Handler) {
  TOpenUrlHandler Previous = std::move(CurrentHandler());
  CurrentHandler() = std::move(Handler);
  return Previous;
}

}  // namespace vdx::ui
