// "Compare with File..." against a virtual module: the dialog's rows, writing ticked rows online
// and offline, and the refusals in words.
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "MainFormBench.h"
#include "params/ui/CompareDlg.h"
#include "params/ui/ParamList.h"

using namespace vdx;
using namespace vdx::ui;
using namespace vdx::testing;

namespace {

// Module values away from those of a file exported before: a number, two curve points and one
// field of an analogue input.
void ChangeThreeValues(TBench& B) {
  const std::string Ain = B.Sim.Module.ParameterValue("AIN:X");
  B.Sim.Module.SetParameterValue("RA",
                                 B.Sim.Module.ParameterValue("RA") == "1234" ? "1235" : "1234");
  B.Sim.Module.SetParameterValue("CC:-10", "-9000 -8000");
  B.Sim.Module.SetParameterValue("CC:3", "300 -400");
  B.Sim.Module.SetParameterValue(
      "AIN:X", Ain.substr(0, Ain.rfind(' ')) + (Ain.ends_with("C") ? " V" : " C"));
}

// Opens the dialog through the menu and runs Steps in it while it is shown; false when it did
// not open.
bool InCompareDialog(TBench& B, const std::function<void(TCompareDlg&)>& Steps) {
  bool Opened = false;
  QTimer::singleShot(0, B.Form.get(), [&] {
    auto* Dlg = dynamic_cast<TCompareDlg*>(QApplication::activeModalWidget());
    if (!Dlg) return;
    Opened = true;
    Steps(*Dlg);
    Dlg->accept();
  });
  B.Form->Menus().MMICompareFile->trigger();
  return Opened;
}

QStringList StatesShown(TCompareDlg& Dlg) {
  auto* Grid = Dlg.findChild<QTableWidget*>(QStringLiteral("GridCompare"));
  QStringList States;
  for (int R = 0; R < Grid->rowCount(); ++R)
    if (!Grid->isRowHidden(R)) States << Grid->item(R, TCompareDlg::ccState)->text();
  return States;
}

void ClickWrite(TCompareDlg& Dlg) {
  auto* Button = Dlg.findChild<QPushButton*>(QStringLiteral("BtnWriteSelected"));
  QVERIFY(Button && Button->isEnabled());
  Button->click();
}

}  // namespace

class CompareDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void writesTheTickedRowsAndComparesAgain() {
    TBench B;
    TFileDialogLog Dialogs;
    QTemporaryDir Folder;
    const QString File = Folder.filePath("set.vdx");
    const QList<QAction*> FileItems = B.Form->Menus().File->actions();
    QCOMPARE(FileItems.indexOf(B.Form->Menus().MMICompareFile),
             FileItems.indexOf(B.Form->Menus().MMIViewVDXFile) + 1);
    QVERIFY(!B.Form->Menus().MMICompareFile->isEnabled());
    B.Identify();
    QVERIFY(B.Form->Menus().MMICompareFile->isEnabled());
    QVERIFY(B.Form->ModProt().ExportVdxFile(File.toStdString()));
    const std::string Ra = B.Sim.Module.ParameterValue("RA");
    const std::string Cc3 = B.Sim.Module.ParameterValue("CC:3");
    ChangeThreeValues(B);
    const std::string ChangedAin = B.Sim.Module.ParameterValue("AIN:X");
    B.Form->Actions().ShowParamlistAct->trigger();  // the module's values read again

    Dialogs.Answers.push_back(File);
    const bool Opened = InCompareDialog(B, [&](TCompareDlg& Dlg) {
      const TParameterComparison& C = Dlg.Comparison();
      QCOMPARE(C.DifferenceCount(), 3);
      QCOMPARE(StatesShown(Dlg).mid(0, 4),
               (QStringList{"different", "different", "different", "equal"}));
      QCOMPARE(QString::fromStdString(C.Find("CC")->WhereText()), QString("points -10, 3"));
      QVERIFY(QString::fromStdString(C.Find("AIN:X")->WhereText()).startsWith("fields "));
      QCOMPARE(QString::fromStdString(C.Find("RA")->FileText), QString::fromStdString(Ra));

      // Only the ticked rows are written: RA and the curve, not the analogue input.
      B.Sim.Module.ClearReceivedCommands();
      QVERIFY(Dlg.SetTicked("RA", true));
      QVERIFY(Dlg.SetTicked("CC", true));
      // The manual's picture of the dialog: VDX_COMPARE_SHOT=docs/compare-dialog.png.
      if (qEnvironmentVariableIsSet("VDX_COMPARE_SHOT"))
        Dlg.grab().save(qEnvironmentVariable("VDX_COMPARE_SHOT"), "PNG");
      ClickWrite(Dlg);
      QCOMPARE(Dlg.Comparison().DifferenceCount(), 1);
      QCOMPARE(Dlg.Comparison().Rows[0].Name, std::string("AIN:X"));
      QVERIFY(Dlg.TickedNames().empty());

      // "Differences only" leaves the one row.
      Dlg.findChild<QCheckBox*>(QStringLiteral("CBDifferencesOnly"))->setChecked(true);
      QCOMPARE(StatesShown(Dlg), QStringList{"different"});
    });
    QVERIFY(Opened);
    QCOMPARE(B.Sim.Module.ParameterValue("RA"), Ra);
    QCOMPARE(B.Sim.Module.ParameterValue("CC:3"), Cc3);
    QCOMPARE(B.Sim.Module.ParameterValue("AIN:X"), ChangedAin);
    for (const QString& Line : B.Sim.Heard())
      QVERIFY2(!Line.startsWith("AIN:X "), qPrintable(Line));
    QVERIFY(B.Messages.Entries.empty());
  }

  // With the port closed the offline lists take the values (and the grid shows them); nothing
  // reaches the module and the offline file stays as it was.
  void offlineWriteChangesTheOfflineListsOnly() {
    TBench B;
    TFileDialogLog Dialogs;
    QTemporaryDir Folder;
    const QString Offline = Folder.filePath("offline.vdx");
    const QString Other = Folder.filePath("other.vdx");
    B.Identify();
    QVERIFY(B.Form->ModProt().ExportVdxFile(Offline.toStdString()));
    ChangeThreeValues(B);
    B.Form->Actions().ShowParamlistAct->trigger();
    QVERIFY(B.Form->ModProt().ExportVdxFile(Other.toStdString()));
    const std::string OtherRa = B.Sim.Module.ParameterValue("RA");
    B.Form->Actions().ConnectAct->trigger();
    Dialogs.Answers.push_back(Offline);
    B.Form->Menus().MMILoadOfflineCmdList->trigger();
    QVERIFY(B.Form->Menus().MMICompareFile->isEnabled());
    QFile OfflineFile(Offline);
    QVERIFY(OfflineFile.open(QIODevice::ReadOnly));
    const QByteArray OfflineBytes = OfflineFile.readAll();
    B.Sim.Module.ClearReceivedCommands();

    Dialogs.Answers.push_back(Other);
    QVERIFY(InCompareDialog(B, [&](TCompareDlg& Dlg) {
      QCOMPARE(Dlg.Comparison().DifferenceCount(), 3);
      QVERIFY(Dlg.SetTicked("RA", true));
      ClickWrite(Dlg);
      QCOMPARE(Dlg.Comparison().DifferenceCount(), 2);
    }));
    auto* Ra = dynamic_cast<TModNumParaCmd*>(B.Form->ModProt().CmdList().FindCtrl("RA"));
    QVERIFY(Ra);
    QCOMPARE(std::to_string(Ra->Val), OtherRa);
    TVDXParamList& Grid = B.Form->ParamList();
    int Row = 0;
    while (Grid.RowCommand(Row) && Grid.RowCommand(Row) != Ra) ++Row;
    QCOMPARE(Grid.ParamGrid()->item(Row, 1)->text().trimmed(), QString::fromStdString(OtherRa));
    QVERIFY(B.Sim.Heard().isEmpty());
    QVERIFY(OfflineFile.seek(0));
    QCOMPARE(OfflineFile.readAll(), OfflineBytes);
  }

  void refusalsAreToldInWords_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("content");  // empty: the module exported under another ID
    QTest::addColumn<QString>("message");
    QTest::newRow("not a command list") << "bad.vdx"
                                        << "garbage"
                                        << "bad.vdx";
    QTest::newRow("another module's .par") << "other.par"
                                           << "KV99X V1.0 X Y\r\n##\r\nRA 1\r\n##\r\n"
                                           << "holds parameters of module KV99X V1.0 X Y";
    QTest::newRow("module not chosen") << "other.vdx"
                                       << ""
                                       << "holds no data for module";
    QTest::newRow("unknown extension") << "set.txt"
                                       << "x"
                                       << "is neither a .vdx nor a .par file";
  }
  void refusalsAreToldInWords() {
    QFETCH(QString, name);
    QFETCH(QString, content);
    QFETCH(QString, message);
    TBench B;
    TFileDialogLog Dialogs;
    QTemporaryDir Folder;
    const QString File = Folder.filePath(name);
    B.Identify();
    if (content.isEmpty()) {
      // The module's data stored under another ID: the import's question comes first, and
      // Cancel chooses no module.
      QVERIFY(B.Form->ModProt().ExportVdxFile(File.toStdString()));
      QFile Vdx(File);
      QVERIFY(Vdx.open(QIODevice::ReadOnly));
      QByteArray Text = Vdx.readAll();
      Vdx.close();
      Text.replace(QByteArray::fromStdString(B.Form->ModProt().ModuleId()), "OTHER MODULE 1 2");
      QVERIFY(Vdx.open(QIODevice::WriteOnly));
      Vdx.write(Text);
      Vdx.close();
      B.Messages.Answers.push_back(QMessageBox::Cancel);
    } else {
      QFile Out(File);
      QVERIFY(Out.open(QIODevice::WriteOnly));
      Out.write(content.toLatin1());
    }
    Dialogs.Answers.push_back(File);
    QVERIFY(!InCompareDialog(B, [](TCompareDlg&) {}));
    QVERIFY(!B.Messages.Entries.empty());
    const auto& Last = B.Messages.Entries.back();
    QCOMPARE(Last.Kind, TMessageKind::Error);
    QVERIFY2(Last.Text.contains(message), qPrintable(Last.Text));
    if (content.isEmpty()) QCOMPARE(B.Messages.Entries.size(), size_t(2));
  }
};

QTEST_MAIN(CompareDlgTest)
#include "CompareDlgTest.moc"
