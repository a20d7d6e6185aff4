// "Modul Selection": the index chosen with OK, -1 otherwise.
#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "app/ui/ModulIdSelDlg.h"

using namespace vdx::ui;

namespace {

// Runs Steps on the modal dialog once it is open; a dialog still open afterwards is cancelled
// so a failed step cannot hang the test. Shown tells whether a dialog was open at all.
void WhenOpen(bool& Shown, const std::function<void(QDialog&)>& Steps) {
  Shown = false;
  QTimer::singleShot(0, qApp, [&Shown, Steps] {
    auto* Dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!Dlg) return;
    Shown = true;
    Steps(*Dlg);
    if (Dlg->isVisible()) {
      Dlg->reject();
      QFAIL("the dialog is still open");
    }
  });
}

}  // namespace

class ModulIdSelDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void selection_data() {
    QTest::addColumn<QStringList>("Ids");
    QTest::addColumn<int>("Row");  // -1: nothing selected
    QTest::addColumn<QString>("Close");
    QTest::addColumn<int>("Expected");
    const QStringList Three{"VDX-A,1,2,3", "VDX-B,1,2,3", "VDX-C,1,2,3"};
    QTest::newRow("OK returns the index") << Three << 2 << "ok" << 2;
    QTest::newRow("double click confirms") << Three << 1 << "double click" << 1;
    QTest::newRow("Cancel gives -1") << Three << 1 << "cancel" << -1;
    QTest::newRow("window closed gives -1") << Three << 0 << "escape" << -1;
    QTest::newRow("OK without a selection gives -1") << Three << -1 << "ok" << -1;
    QTest::newRow("empty list gives -1 without a dialog") << QStringList{} << -1 << "ok" << -1;
  }

  void selection() {
    QFETCH(QStringList, Ids);
    QFETCH(int, Row);
    QFETCH(QString, Close);
    QFETCH(int, Expected);
    bool Shown = false;
    WhenOpen(Shown, [&](QDialog& Dlg) {
      auto* List = Dlg.findChild<QListWidget*>();
      QVERIFY(List);
      QCOMPARE(List->count(), Ids.size());
      QCOMPARE(List->currentRow(), -1);
      if (Row >= 0) List->setCurrentRow(Row);
      if (Close == "ok")
        Dlg.findChild<QPushButton*>("BtnOk")->click();
      else if (Close == "cancel")
        Dlg.findChild<QPushButton*>("BtnCancel")->click();
      else if (Close == "escape")
        QTest::keyClick(&Dlg, Qt::Key_Escape);
      else {  // the view takes a double click only on the item pressed before
        const QPoint At = List->visualItemRect(List->item(Row)).center();
        QTest::mousePress(List->viewport(), Qt::LeftButton, {}, At);
        QTest::mouseDClick(List->viewport(), Qt::LeftButton, {}, At);
      }
    });
    QCOMPARE(TModulIdSelDlg::SelectModulId(Ids), Expected);
    QCoreApplication::processEvents();
    QCOMPARE(Shown, !Ids.isEmpty());
  }

  void showsLatin1IdsAndTheGivenTexts() {
    bool Shown = false;
    WhenOpen(Shown, [](QDialog& Dlg) {
      QCOMPARE(Dlg.windowTitle(), QString("Modul Selection"));
      QCOMPARE(Dlg.findChild<QGroupBox*>()->title(), QString("Available Modul Data"));
      QCOMPARE(Dlg.findChild<QPushButton*>("BtnCancel")->text(), QString("Cancel"));
      QCOMPARE(Dlg.minimumSize(), Dlg.maximumSize());  // fixed size
      auto* List = Dlg.findChild<QListWidget*>();
      QCOMPARE(List->item(1)->text(), QString("Dr\u00fcck,1,2,3"));
      List->setCurrentRow(1);
      Dlg.accept();
    });
    const std::vector<std::string> Ids{"VDX-A,1,2,3",
                                       "Dr\xfc"
                                       "ck,1,2,3"};
    QCOMPARE(TModulIdSelDlg::SelectModulId(Ids), 1);
    QVERIFY(Shown);
  }
};

QTEST_MAIN(ModulIdSelDlgTest)
#include "ModulIdSelDlgTest.moc"
