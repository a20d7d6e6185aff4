#include "app/ui/MessageService.h"

#include <QApplication>

namespace vdx::ui {

namespace {

TMessageHandler& CurrentHandler() {
  static TMessageHandler Handler;
  return Handler;
}

QMessageBox::StandardButton ShowBox(TMessageKind Kind, const QString& Text,
                                    TMessageButtons Buttons) {
  QMessageBox::Icon Icon = QMessageBox::Information;
  switch (Kind) {
    case TMessageKind::Error: Icon = QMessageBox::Critical; break;
    case TMessageKind::Warning: Icon = QMessageBox::Warning; break;
    case TMessageKind::Information: Icon = QMessageBox::Information; break;
    case TMessageKind::Confirmation: Icon = QMessageBox::Question; break;
  }
  QMessageBox::StandardButtons Set = QMessageBox::Ok;
  if (Buttons == TMessageButtons::YesNo) Set = QMessageBox::Yes | QMessageBox::No;
  if (Buttons == TMessageButtons::OkCancel) Set = QMessageBox::Ok | QMessageBox::Cancel;
  // Texts break their lines with CR (some with CR LF); the box breaks lines at LF.
  QString Shown = Text;
  Shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox Box(Icon, QApplication::applicationDisplayName(), Shown, Set,
                  QApplication::activeWindow());
  return static_cast<QMessageBox::StandardButton>(Box.exec());
}

}  // namespace

QMessageBox::StandardButton ShowMessage(TMessageKind Kind, const QString& Text,
                                        TMessageButtons Buttons) {
  if (CurrentHandler()) return CurrentHandler()(Kind, Text, Buttons);
  return ShowBox(Kind, Text, Buttons);
}

TMessageHandler SetMessageHandler(TMessageHandler Handler) {
  TMessageHandler Previous = std::move(CurrentHandler());
  CurrentHandler() = std::move(Handler);
  return Previous;
}

}  // namespace vdx::ui
