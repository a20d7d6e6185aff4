// The services every window uses: the toolkit's texts through gettext, the message service,
// the busy cursor.
#include <QApplication>
#include <QtTest>

#include <stdexcept>

#include "TestPaths.h"
#include "app/ui/BusyCursor.h"
#include "app/ui/GettextTranslator.h"
#include "app/ui/MessageService.h"

using namespace vdx::ui;

class ShellServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void toolkitTextsComeInGerman() {
    TGettextTranslator Translator(QString::fromStdString(vdx::testing::BinDir() + "/locale"));
    QCOMPARE(Translator.translate("QPlatformTheme", "&Yes", nullptr, -1), QString("&Ja"));
    QCOMPARE(Translator.translate("QPlatformTheme", "no such text", nullptr, -1), QString());
    QApplication::installTranslator(&Translator);
    QCOMPARE(QApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));
    QApplication::removeTranslator(&Translator);
  }

  void messagesGoThroughTheService() {
    QString Seen;
    TMessageKind SeenKind = TMessageKind::Error;
    TMessageButtons SeenButtons = TMessageButtons::Ok;
    const TMessageHandler Previous = SetMessageHandler(
        [&](TMessageKind Kind, const QString& Text, TMessageButtons Buttons) {
          Seen = Text;
          SeenKind = Kind;
          SeenButtons = Buttons;
          return QMessageBox::No;
        });
    QCOMPARE(ShowMessage(TMessageKind::Warning, "Load it?", TMessageButtons::YesNo),
             QMessageBox::No);
    QCOMPARE(Seen, QString("Load it?"));
    QCOMPARE(SeenKind, TMessageKind::Warning);
    QCOMPARE(SeenButtons, TMessageButtons::YesNo);
    SetMessageHandler(Previous);
  }

  void busyCursorIsRestoredWhenAnErrorEscapes() {
    QApplication::setOverrideCursor(Qt::IBeamCursor);
    try {
      TBusyCursor Busy;
      QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
      throw std::runtime_error("failed");
    } catch (const std::runtime_error&) {
    }
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::IBeamCursor);
    QApplication::restoreOverrideCursor();
  }
};

QTEST_MAIN(ShellServicesTest)
#include "ShellServicesTest.moc"
