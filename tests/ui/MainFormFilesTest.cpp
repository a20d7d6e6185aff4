// The parameter file workflows of the main window against a virtual module: export and
// import through the two buttons, offline data, and the messages and questions on the way.
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "MainFormBench.h"
#include "TestPaths.h"
#include "params/ui/ParamList.h"

using namespace vdx;
using namespace vdx::ui;
using namespace vdx::testing;

namespace {

QString ReadText(const QString& Path) {
  QFile File(Path);
  return File.open(QIODevice::ReadOnly) ? QString::fromLatin1(File.readAll()) : QString();
}

void WriteText(const QString& Path, const QString& Text) {
  QFile File(Path);
  QVERIFY(File.open(QIODevice::WriteOnly));
  File.write(Text.toLatin1());
}

void Click(TBench& B, const char* Button) {
  auto* Found = B.Form->findChild<QPushButton*>(QString::fromLatin1(Button));
  QVERIFY(Found);
  Found->click();
}

// Picks the first entry of the module selection dialog once it is open.
void ChooseFirstModuleWhenAsked(QObject* Context) {
  QTimer::singleShot(0, Context, [] {
    auto* Dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    QVERIFY(Dlg);
    auto* List = Dlg->findChild<QListWidget*>();
    QVERIFY(List && List->count() > 0);
    List->setCurrentRow(0);
    Dlg->accept();
  });
}

}  // namespace

class MainFormFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void exportThroughTheUploadButton_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("written");
    QTest::newRow("command list file") << "set.vdx" << true;
    QTest::newRow("legacy file") << "set.par" << true;
    QTest::newRow("other extension") << "set.txt" << false;
    QTest::newRow("upper-case extension") << "set.VDX" << false;
  }
  void exportThroughTheUploadButton() {
    QFETCH(QString, name);
    QFETCH(bool, written);
    TBench B;
    TFileDialogLog Dialogs;
    QTemporaryDir Folder;
    const QString File = Folder.filePath(name);
    Dialogs.Answers.push_back(File);
    B.Identify();
    Click(B, "BBtnUpload");

    QCOMPARE(Dialogs.Requests.size(), size_t(1));
    const TFileDialogRequest& R = Dialogs.Requests[0];
    QCOMPARE(R.Kind, TFileDialogRequest::fdSave);
    QVERIFY(!R.ConfirmOverwrite);
    QCOMPARE(R.Filters[R.SelectedFilter], "Modulparameter *.vdx (new) (*.vdx)");
    QCOMPARE(QFile::exists(File), written);
    if (!written) {
      QVERIFY(B.Messages.Entries.empty());
      return;
    }
    QCOMPARE(B.Messages.Texts(), QStringList{"Data saved in \"" + File + "\""});
    QCOMPARE(B.Messages.Entries[0].Kind, TMessageKind::Information);
    QVERIFY(ReadText(File).contains("KV20DEMO"));
    // The next dialog starts in the folder just used.
    QCOMPARE(QString::fromStdString(TApplIni().ReadString("Application", "ParaFilePath", "")),
             Folder.path() + "/");
  }

  void importThroughTheDownloadButton_data() {
    QTest::addColumn<bool>("identified");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("content");  // empty: a file exported from the module
    QTest::addColumn<QStringList>("messages");
    const QString NotUsable = "The selected file is not correct or empty!";
    QTest::newRow("vdx, no module") << false << "a.vdx"
                                    << "x" << QStringList{"It was no module identified!"};
    QTest::newRow("par, no module") << false << "a.par"
                                    << "x" << QStringList{"It was no modul identified!"};
    QTest::newRow("vdx, not usable") << true << "a.vdx"
                                     << "garbage" << QStringList{NotUsable};
    QTest::newRow("par, not usable") << true << "a.par"
                                     << "garbage" << QStringList{NotUsable};
    QTest::newRow("vdx, round trip") << true << "a.vdx"
                                     << "" << QStringList{};
    QTest::newRow("par, round trip") << true << "a.par"
                                     << "" << QStringList{};
  }
  void importThroughTheDownloadButton() {
    QFETCH(bool, identified);
    QFETCH(QString, name);
    QFETCH(QString, content);
    QFETCH(QStringList, messages);
    TBench B;
    TFileDialogLog Dialogs;
    QTemporaryDir Folder;
    const QString File = Folder.filePath(name);
    if (identified) B.Identify();
    const std::string Exported = B.Sim.Module.ParameterValue("CURRENT");
    if (content.isEmpty()) {
      Dialogs.Answers.push_back(File);
      Click(B, "BBtnUpload");
      B.Messages.Clear();
      // Changed on the module after the export; the import brings the exported value back.
      B.Sim.Module.SetParameterValue("CURRENT", Exported == "2000" ? "2100" : "2000");
    } else {
      WriteText(File, content);
    }
    Dialogs.Answers.push_back(File);
    Click(B, "BBtnDownload2");
    QCOMPARE(B.Messages.Texts(), messages);
    if (content.isEmpty()) QCOMPARE(B.Sim.Module.ParameterValue("CURRENT"), Exported);
    // The folder is remembered in every case.
    QCOMPARE(QString::fromStdString(TApplIni().ReadString("Application", "ParaFilePath", "")),
             Folder.path() + "/");
  }

  void fileOfAnotherModule_data() {
    QTest::addColumn<bool>("chooseOther");
    QTest::newRow("declined") << false;
    QTest::newRow("other module's data taken") << true;
  }
  void fileOfAnotherModule() {
    QFETCH(bool, chooseOther);
    TBench B;
    TFileDialogLog Dialogs;
    QTemporaryDir Folder;
    const QString File = Folder.filePath("other.vdx");
    QString Content = ReadText(QString::fromStdString(TestDataDir() + "/vdx/apply_values.vdx"));
    Content.replace("KV20DEMO, V2.14, SN004711, 2026", "KV20OTHER, V1.00, SN000001, 2020");
    WriteText(File, Content);
    B.Identify();
    Dialogs.Answers.push_back(File);
    B.Messages.Answers = {chooseOther ? QMessageBox::Ok : QMessageBox::Cancel};
    if (chooseOther) ChooseFirstModuleWhenAsked(B.Form.get());
    Click(B, "BBtnDownload");

    QVERIFY(B.Messages.Entries.size() >= 2);
    QCOMPARE(B.Messages.Entries[0].Text,
             "The selected file do not include 100% compatible module data (please check it "
             "after loading)! Do you want try to load other data?");
    QCOMPARE(B.Messages.Entries[0].Buttons, TMessageButtons::OkCancel);
    const TMessageLog::TEntry& Last = B.Messages.Entries.back();
    if (!chooseOther) {
      QCOMPARE(Last.Kind, TMessageKind::Warning);
      QCOMPARE(Last.Text,
               "The selected file is not 100 % compatible to the identified module "
               "(please check it after loading!");
    } else {
      // Names the module does not have are told in one message.
      QCOMPARE(Last.Kind, TMessageKind::Error);
      QVERIFY2(Last.Text.startsWith("The commands ") && Last.Text.contains("GONE\n") &&
                   Last.Text.endsWith(" are not valid!"),
               qPrintable(Last.Text));
    }
  }

  void legacyFileOfAnotherModuleAsks_data() {
    QTest::addColumn<bool>("load");
    QTest::newRow("Yes loads it") << true;
    QTest::newRow("No keeps the module") << false;
  }
  void legacyFileOfAnotherModuleAsks() {
    QFETCH(bool, load);
    TBench B;
    TFileDialogLog Dialogs;
    QTemporaryDir Folder;
    const QString File = Folder.filePath("other.par");
    B.Identify();
    Dialogs.Answers.push_back(File);
    Click(B, "BBtnUpload");
    WriteText(File, ReadText(File).replace("KV20DEMO", "KV20OTHR"));
    B.Messages.Clear();
    B.Sim.Module.ClearReceivedCommands();
    B.Messages.Answers = {load ? QMessageBox::Yes : QMessageBox::No};
    Dialogs.Answers.push_back(File);
    Click(B, "BBtnDownload");
    QCOMPARE(B.Messages.Texts(),
             QStringList{"The selected file is not 100 % compatible to the identified module "
                         "(please check it after loading! Do you want to load it?"});
    QCOMPARE(B.Messages.Entries[0].Buttons, TMessageButtons::YesNo);
    QCOMPARE(B.Sim.Heard().isEmpty(), !load);
  }

  void overwriteQuestionOnExport_data() {
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
  }
  void overwriteQuestionOnExport() {
    QFETCH(bool, overwrite);
    TBench B;
    TFileDialogLog Dialogs;
    QTemporaryDir Folder;
    const QString File = Folder.filePath("set.vdx");
    B.Identify();
    Dialogs.Answers = {File, File};
    Click(B, "BBtnUpload");
    B.Messages.Clear();
    B.Messages.Answers = {overwrite ? QMessageBox::Ok : QMessageBox::Cancel};
    Click(B, "BBtnUpload2");
    const QString Question = "Do you want to overwrite the existing data for the module: " +
                             QString::fromStdString(B.Sim.Module.IdText()) + " ?";
    QStringList Expected{Question};
    if (overwrite) Expected << "Data saved in \"" + File + "\"";
    QCOMPARE(B.Messages.Texts(), Expected);
    QCOMPARE(B.Messages.Entries[0].Kind, TMessageKind::Warning);
  }

  void offlineData() {
    TBench B;
    TFileDialogLog Dialogs;
    QTemporaryDir Folder;
    const QString Saved = Folder.filePath("offline.vdx");
    B.Identify();
    Dialogs.Answers.push_back(Saved);
    B.Form->Menus().MMISaveCmdList->trigger();
    QCOMPARE(B.Messages.Texts(), QStringList{"Data saved in \"" + Saved + "\""});
    QCOMPARE(Dialogs.Requests.back().Filters, QStringList{"Offline Modulparameter (*.vdx)"});

    B.Form->Actions().ConnectAct->trigger();  // offline data load with the port closed only
    QVERIFY(B.Form->Menus().MMILoadOfflineCmdList->isEnabled());
    Dialogs.Answers.push_back(Saved);
    B.Form->Menus().MMILoadOfflineCmdList->trigger();
    QCOMPARE(B.Form->StatusText(spModuleId), QString::fromStdString(B.Sim.Module.IdText()));
    QVERIFY(B.Form->ModProt().ModuleDataValid());
    QVERIFY(B.Form->Buttons().SBtnMonitor->isEnabled());
    QVERIFY(B.Form->Buttons().SBtnScope->isEnabled());
    QVERIFY(B.Form->Buttons().SBtnPrint->isEnabled());
    // The monitor page works on offline data too.
    B.Form->Actions().ShowMonitorAct->trigger();
    QCOMPARE(B.Form->CurrentPage(), mpMonitor);

    // A file that is no command list file clears the module ID panel.
    const QString Broken = Folder.filePath("broken.vdx");
    WriteText(Broken, "not xml");
    Dialogs.Answers.push_back(Broken);
    B.Form->Menus().MMILoadOfflineCmdList->trigger();
    QCOMPARE(B.Form->StatusText(spModuleId), QString());
  }

  // Offline, an edit confirmed in the grid changes the value, shows in its row and is kept by
  // "Save Offline Data"; nothing goes to the module.
  void offlineEditIsSavedWithTheOfflineData() {
    TBench B;
    TFileDialogLog Dialogs;
    QTemporaryDir Folder;
    const QString Saved = Folder.filePath("offline.vdx");
    B.Identify();
    Dialogs.Answers.push_back(Saved);
    B.Form->Menus().MMISaveCmdList->trigger();
    B.Form->Actions().ConnectAct->trigger();
    Dialogs.Answers.push_back(Saved);
    B.Form->Menus().MMILoadOfflineCmdList->trigger();
    QVERIFY(B.Form->ModProt().ModuleDataValid());

    vdx::ui::TVDXParamList& Grid = B.Form->ParamList();
    int Row = 0;
    while (Grid.RowCommand(Row) && Grid.RowCommand(Row)->Name != "RA") ++Row;
    auto* Ra = dynamic_cast<vdx::TModNumParaCmd*>(Grid.RowCommand(Row));
    QVERIFY(Ra);
    const std::string Before = B.Sim.Module.ParameterValue("RA");
    Ra->Val = 4321;
    Grid.OnCmdSendRequest(Grid, Ra);  // what the input dialog's OK leads to
    QCOMPARE(Grid.ParamGrid()->item(Row, 1)->text().trimmed(), QString("4321"));
    QCOMPARE(B.Sim.Module.ParameterValue("RA"), Before);

    Dialogs.Answers.push_back(Saved);
    B.Form->Menus().MMISaveCmdList->trigger();
    Dialogs.Answers.push_back(Saved);
    B.Form->Menus().MMILoadOfflineCmdList->trigger();
    auto* Reloaded = dynamic_cast<vdx::TModNumParaCmd*>(B.Form->ModProt().CmdList().FindCtrl("RA"));
    QVERIFY(Reloaded);
    QCOMPARE(Reloaded->Val, 4321);
  }
};

QTEST_MAIN(MainFormFilesTest)
#include "MainFormFilesTest.moc"
