// The hidden options: editing them in the "Options" dialog and the state change event.
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "app/ui/ApplOptions.h"

using namespace vdx::ui;

class ApplOptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void editOptions_data() {
    QTest::addColumn<QList<bool>>("Before");
    QTest::addColumn<QList<int>>("Toggles");  // rows clicked in the dialog, in this order
    QTest::addColumn<bool>("Ok");
    QTest::addColumn<QStringList>("Events");  // "name index id enabled-when-raised"
    QTest::addColumn<QList<bool>>("After");
    QTest::newRow("check Xavo") << QList<bool>{false, false} << QList<int>{0} << true
                                << QStringList{"Xavo 0 1 1"} << QList<bool>{true, false};
    QTest::newRow("uncheck Xavo") << QList<bool>{true, false} << QList<int>{0} << true
                                  << QStringList{"Xavo 0 1 0"} << QList<bool>{false, false};
    QTest::newRow("two changes come in list order")
        << QList<bool>{false, true} << QList<int>{1, 0} << true
        << QStringList{"Xavo 0 1 1", "Halden Vers 1 2 0"} << QList<bool>{true, false};
    QTest::newRow("checked and unchecked again: no change")
        << QList<bool>{false, false} << QList<int>{0, 0} << true << QStringList{}
        << QList<bool>{false, false};
    QTest::newRow("cancel changes nothing") << QList<bool>{true, false} << QList<int>{0, 1} << false
                                            << QStringList{} << QList<bool>{true, false};
  }

  void editOptions() {
    QFETCH(QList<bool>, Before);
    QFETCH(QList<int>, Toggles);
    QFETCH(bool, Ok);
    QFETCH(QStringList, Events);
    QFETCH(QList<bool>, After);
    TApplOptions Options;
    // An earlier list makes the Ids differ from the indices.
    Options.AddOption("Earlier");
    Options.SetOptions({{"Xavo", Before[0]}, {"Halden Vers", Before[1]}});
    QStringList Seen;
    Options.OnOptionStateChanged = [&](TApplOptions& Sender, const QString& Name, int Index,
                                       int Id) {
      QCOMPARE(&Sender, &Options);
      Seen << QString("%1 %2 %3 %4")
                  .arg(Name)
                  .arg(Index)
                  .arg(Id)
                  .arg(Sender.Options()[Index].Enabled);
    };
    QTimer::singleShot(0, qApp, [&] {
      QPointer<QDialog> Dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(Dlg);
      auto* List = Dlg->findChild<QListWidget*>("ChkLBox");
      for (int Row = 0; Row < 2; ++Row)
        QCOMPARE(List->item(Row)->checkState() == Qt::Checked, Before[Row]);
      for (int Row : Toggles) {
        QListWidgetItem* Item = List->item(Row);
        Item->setCheckState(Item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
      }
      Dlg->findChild<QPushButton*>(Ok ? "BtnOk" : "BtnCancel")->click();
    });
    QCOMPARE(Options.EditOptions(), Ok);
    QCOMPARE(Seen, Events);
    QCOMPARE(Options.Options()[0].Enabled, After[0]);
    QCOMPARE(Options.Options()[1].Enabled, After[1]);
  }
};

QTEST_MAIN(ApplOptionsTest)
#include "ApplOptionsTest.moc"
