// The firmware update dialog against the virtual module's bootloader: the key page, step and
// short mode on both kinds of line, leaving the bootloader on Cancel, a module without a
// bootloader, a damaged file refused before anything is erased, and a line lost while the
// file goes out. The main window's classic update through the terminal.
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "MainFormBench.h"
#include "TestPaths.h"
#include "app/ToolSettings.h"
#include "app/ui/OptionsDlg.h"
#include "service/ui/FWUpdateDlg.h"

using namespace vdx;
using namespace vdx::testing;
using ui::TFWUpdateDlg;

namespace {

QString Firmware() { return QString::fromStdString(TestDataDir() + "/KV20FW.s19"); }

// One S-record of type S1 at Address with Data, checksum computed.
QByteArray S1(int Address, const QByteArray& Data) {
  QByteArray Bytes;
  Bytes.append(char(Data.size() + 3));
  Bytes.append(char(Address >> 8));
  Bytes.append(char(Address & 0xFF));
  Bytes.append(Data);
  unsigned Sum = 0;
  for (char C : Bytes) Sum += static_cast<unsigned char>(C);
  Bytes.append(char(~Sum & 0xFF));
  return "S1" + Bytes.toHex().toUpper();
}

// A sound file of Records data records; Damaged > 0 spoils the checksum of that line.
QString WriteFirmware(const QTemporaryDir& Dir, int Records, int Damaged = 0) {
  QByteArray Text = "S00600004844521B\r\n";
  for (int I = 0; I < Records; ++I) {
    QByteArray Line = S1(0x1000 + I * 16, QByteArray(16, char(I)));
    if (I + 2 == Damaged) Line[Line.size() - 1] = Line.endsWith('0') ? '1' : '0';
    Text += Line + "\r\n";
  }
  Text += "S9031000EC\r\n";
  const QString Name = Dir.filePath(QStringLiteral("fw%1-%2.s19").arg(Records).arg(Damaged));
  QFile File(Name);
  if (!File.open(QIODevice::WriteOnly)) return {};
  File.write(Text);
  return Name;
}

sim::TSimOptions Line(bool HalfDuplex) {
  sim::TSimOptions Options;
  Options.HalfDuplex = HalfDuplex;
  Options.BaudRate = HalfDuplex ? 19200 : 9600;
  return Options;
}

// The window on the module's line, connected; the dialog prepared but not yet shown.
struct TFWBench : TBench {
  // Classic: the classic update's menu items are shown.
  explicit TFWBench(bool HalfDuplex = false, bool Classic = false)
      : TBench(Line(HalfDuplex), [HalfDuplex, Classic] {
          TApplIni Ini;
          Ini.WriteInteger("Interface", "TranferMode", HalfDuplex ? 1 : 0);
          Ini.WriteBool("Xavo", "TermFWUpdate", Classic);
        }) {
    Connect();
  }
  TFWUpdateDlg& Dlg() { return Form->FWUpdateDlg(); }
  const TFWUpdateDlg::TControls& C() { return Dlg().Controls(); }
  void Open(const QString& LastFile, bool ShortMode) {
    QVERIFY(Dlg().Prepare(&Form->ModProt(), LastFile, ShortMode));
    Dlg().show();
  }
  void Unlock() {
    QTest::keyClick(C().LBoxSecKeyInput, Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier);
  }
};

}  // namespace

class FWUpdateTest : public QObject {
  Q_OBJECT

 private slots:
  // Only F12 with exactly Ctrl and Shift opens page "Main"; any other key locks again.
  void keyPage() {
    TFWBench B;
    B.Open(QString(), false);
    QCOMPARE(B.C().NB->currentIndex(), int(TFWUpdateDlg::pgKey));
    QCOMPARE(B.C().LBoxSecKeyInput->item(2)->text(),
             QString(20, QLatin1Char(' ')) + QStringLiteral("please enter security key"));
    QTest::keyClick(B.C().LBoxSecKeyInput, Qt::Key_F12,
                    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    QVERIFY(!B.C().BtnStart->isEnabled());
    QTest::keyClick(B.C().LBoxSecKeyInput, Qt::Key_F12, Qt::ControlModifier);
    QVERIFY(!B.C().BtnStart->isEnabled());
    B.Unlock();
    QVERIFY(B.C().BtnStart->isEnabled());
    QCOMPARE(B.C().NB->currentIndex(), int(TFWUpdateDlg::pgMain));
    QVERIFY(!B.C().BtnErase->isEnabled());
    QVERIFY(!B.C().BtnProgram->isEnabled());
  }

  void lastFileOffered_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("offered");
    QTest::newRow("existing .s19") << QStringLiteral("fw.s19") << true;
    QTest::newRow("capital extension") << QStringLiteral("FW.S19") << false;
    QTest::newRow("missing file") << QStringLiteral("gone.s19") << false;
  }
  // The stored file is offered only with ".s19" in small letters and when it exists; in short
  // mode it enables Program at once.
  void lastFileOffered() {
    QFETCH(QString, name);
    QFETCH(bool, offered);
    TFWBench B;
    QTemporaryDir Dir;
    const QString File = Dir.filePath(name);
    if (!name.startsWith(QStringLiteral("gone"))) QVERIFY(QFile::copy(Firmware(), File));
    B.Open(File, true);
    QCOMPARE(B.C().LEditFWFile->text(), offered ? File : QString());
    QCOMPARE(B.Dlg().FirmwareFile(), offered ? File : QString());
    QCOMPARE(B.C().BtnProgram->isEnabled(), offered);
  }

  void stepMode_data() {
    QTest::addColumn<bool>("halfDuplex");
    QTest::newRow("full duplex") << false;
    QTest::newRow("half duplex") << true;
  }
  // Start, Erase, a file, Program: the module takes the file and runs its application again,
  // and "Cancel" becomes "Finish".
  void stepMode() {
    QFETCH(bool, halfDuplex);
    TFWBench B(halfDuplex);
    TFileDialogLog Dialogs;
    B.Open(QString(), false);
    B.Unlock();
    B.C().BtnStart->click();
    QVERIFY(B.C().ErrLabelStartUpdate->isHidden());
    QVERIFY(B.C().BtnErase->isEnabled());
    QVERIFY(!B.C().BtnStart->isEnabled());
    B.C().BtnErase->click();
    QVERIFY(!B.C().BtnProgram->isEnabled());  // no file yet
    Dialogs.Answers = {Firmware()};
    B.C().SBtnSelFWFile->click();
    QCOMPARE(Dialogs.Requests.at(0).DefaultSuffix, QStringLiteral("s19"));
    QCOMPARE(B.C().LEditFWFile->text(), Firmware());
    QVERIFY(B.C().BtnProgram->isEnabled());
    B.Sim.Module.ClearReceivedCommands();
    B.C().BtnProgram->click();
    QCOMPARE(B.C().BtnCancel->text(), QStringLiteral("Finish"));
    QVERIFY(B.C().BtnCancel->isEnabled());
    QVERIFY(B.C().ProgressBar->isHidden());
    // The application is back: "G" left the bootloader, "y" answered its question after the
    // firmware change, and the tool's "ID" followed.
    QTRY_COMPARE(B.Sim.Heard().last(), QStringLiteral("GyID\r"));
    B.C().BtnCancel->click();
    QVERIFY(!B.Dlg().isVisible());
    QVERIFY(B.Messages.Entries.empty());
  }

  void backupAndRestore_data() {
    QTest::addColumn<bool>("identified");
    QTest::newRow("module identified") << true;
    QTest::newRow("no module identified") << false;
  }
  // "Start" first saves the identified module's parameters and says where; after "Finish" the
  // restore button writes them into the module, whose firmware change reset them. Without an
  // identified module that is said, and there is nothing to restore.
  void backupAndRestore() {
    QFETCH(bool, identified);
    TFWBench B;
    TFileDialogLog Dialogs;
    B.Sim.Module.SetParameterValue("RA", "321");
    if (identified) B.Form->Actions().IdentifyAct->trigger();
    B.Open(QString(), false);
    B.Unlock();
    QVERIFY(B.C().BackupInfoLabel->isHidden());
    B.C().BtnStart->click();
    QVERIFY(B.C().BtnErase->isEnabled());
    const QString Backups = B.Settings.Folder() + QStringLiteral("/backups/");
    const QString File = QString::fromStdString(B.Dlg().Backup().FileName);
    QVERIFY(B.C().BackupInfoLabel->isVisible());
    if (identified) {
      QVERIFY(File.startsWith(Backups + QStringLiteral("KV20DEMO-")));
      QVERIFY(QFileInfo::exists(File));
      QCOMPARE(B.C().BackupInfoLabel->text(),
               QStringLiteral("Parameter backup saved in \"%1\"").arg(File));
    } else {
      QVERIFY(File.isEmpty());
      QCOMPARE(B.C().BackupInfoLabel->text(),
               QStringLiteral("No parameter backup: no module is identified"));
      QVERIFY(!QDir(Backups).exists());
    }
    B.C().BtnErase->click();
    Dialogs.Answers = {Firmware()};
    B.C().SBtnSelFWFile->click();
    QVERIFY(B.C().BtnRestore->isHidden());
    B.C().BtnProgram->click();
    QCOMPARE(B.C().BtnCancel->text(), QStringLiteral("Finish"));
    QTRY_VERIFY(B.Sim.Heard().last().startsWith(QStringLiteral("Gy")));
    QVERIFY(B.Sim.Module.ParameterValue("RA") != "321");  // the new firmware's default
    QCOMPARE(B.C().BtnRestore->isVisible(), identified);
    if (!identified) return;
    B.C().BtnRestore->click();
    QCOMPARE(B.Sim.Module.ParameterValue("RA"), std::string("321"));
    QCOMPARE(B.C().BackupInfoLabel->text(),
             QStringLiteral("Parameters restored from \"%1\"").arg(File));
    QVERIFY(!B.C().BtnRestore->isEnabled());
    QVERIFY(B.Messages.Entries.empty());
  }

  // The short update closes the dialog at once; the window then tells where the backup went.
  void shortModeTellsTheBackup() {
    TFWBench B;
    B.Form->Actions().IdentifyAct->trigger();
    B.Form->OptionsDlg().Settings().SetLastFirmware(Firmware().toStdString());
    B.Form->OptionsDlg().Settings().SetSFWUpdate(true);
    QTimer::singleShot(100, [&] { B.C().BtnProgram->click(); });
    B.Form->Menus().MMIFirmwareUpdate->trigger();
    QCOMPARE(B.Dlg().result(), int(QDialog::Accepted));
    QCOMPARE(B.Messages.Entries.size(), size_t(1));
    QCOMPARE(B.Messages.Entries[0].Kind, ui::TMessageKind::Information);
    QVERIFY(B.Messages.Entries[0].Text.startsWith(
        QStringLiteral("Parameter backup saved in \"%1\".\n")
            .arg(QString::fromStdString(B.Dlg().Backup().FileName))));
  }

  // One click does the whole update and closes the dialog.
  void shortMode() {
    QFETCH(bool, halfDuplex);
    TFWBench B(halfDuplex);
    B.Open(Firmware(), true);
    QVERIFY(B.C().BtnStart->isHidden());
    QVERIFY(B.C().BtnErase->isHidden());
    QVERIFY(B.C().BtnProgram->isEnabled());
    B.C().BtnProgram->click();
    QVERIFY(!B.Dlg().isVisible());
    QCOMPARE(B.Dlg().result(), int(QDialog::Accepted));
    QVERIFY(B.Messages.Entries.empty());
  }
  void shortMode_data() { stepMode_data(); }

  // "Cancel" after "Start" leaves the bootloader with "G" and comes back at the fixed rate;
  // "Cancel" before "Start" only closes.
  void cancelAfterStartLeavesTheBootloader() {
    TFWBench B;
    B.Open(QString(), false);
    B.Sim.Module.ClearReceivedCommands();
    B.C().BtnCancel->click();
    QVERIFY(!B.Dlg().isVisible());
    QTest::qWait(100);
    QVERIFY(B.Sim.Heard().isEmpty());

    B.Open(QString(), false);
    B.Unlock();
    B.C().BtnStart->click();
    QVERIFY(B.C().BtnErase->isEnabled());
    B.Sim.Module.ClearReceivedCommands();
    B.C().BtnCancel->click();
    QVERIFY(!B.Dlg().isVisible());
    QCOMPARE(B.Form->ModProt().BaudRate(), mb9600);
    // The module's line so far, closed by a carriage return at the application's rate.
    B.Form->ModProt().ComPort().WriteText("\r");
    QTRY_VERIFY(!B.Sim.Heard().isEmpty());
    QVERIFY2(B.Sim.Heard().first().startsWith(QLatin1Char('G')),
             qPrintable(B.Sim.Heard().join('|')));
  }

  // A module that does not answer "BOOTLOADER": the red label, the status still "starting!",
  // and Program and Cancel usable again.
  void silentModuleInShortMode() {
    TFWBench B;
    B.Sim.Module.SetFault(sim::TSimFault::Silence);
    B.Open(Firmware(), true);
    B.C().BtnProgram->click();
    QVERIFY(B.Dlg().isVisible());
    QVERIFY(B.C().ErrLabelStartUpdate->isVisible());
    QCOMPARE(B.C().StatusInfoLabel->text(), QStringLiteral("starting!"));
    QVERIFY(B.C().StatusInfoLabel->isVisible());
    QVERIFY(B.C().BtnProgram->isEnabled());
    QVERIFY(B.C().BtnCancel->isEnabled());
  }

  void damagedFileIsRefusedBeforeErasing_data() {
    QTest::addColumn<bool>("shortMode");
    QTest::newRow("short mode, Program") << true;
    QTest::newRow("step mode, Start") << false;
  }
  // The check names the first bad line and the module hears nothing of the update.
  void damagedFileIsRefusedBeforeErasing() {
    QFETCH(bool, shortMode);
    TFWBench B;
    QTemporaryDir Dir;
    const QString File = WriteFirmware(Dir, 5, 4);
    B.Open(File, shortMode);
    if (!shortMode) B.Unlock();
    B.Sim.Module.ClearReceivedCommands();
    QPushButton* Button = shortMode ? B.C().BtnProgram : B.C().BtnStart;
    Button->click();
    QCOMPARE(B.Messages.Entries.size(), size_t(1));
    QVERIFY2(B.Messages.Entries[0].Text.contains(QStringLiteral("line 4: checksum error")),
             qPrintable(B.Messages.Entries[0].Text));
    QVERIFY(B.Sim.Heard().isEmpty());
    QVERIFY(B.Dlg().isVisible());
    QVERIFY(Button->isEnabled());
    QVERIFY(B.Form->ModProt().PortOpen());  // not even disconnected for the bootloader
  }

  // The line goes while the file is sent: the step ends with a clear failure, Cancel usable.
  void lineLostWhileProgramming() {
    TFWBench B;
    TFileDialogLog Dialogs;
    QTemporaryDir Dir;
    B.Open(WriteFirmware(Dir, 200), false);
    B.Unlock();
    B.C().BtnStart->click();
    B.C().BtnErase->click();
    QVERIFY(B.C().BtnProgram->isEnabled());
    QTimer::singleShot(500, [&] { B.Sim.Module.Stop(); });
    B.C().BtnProgram->click();
    QVERIFY(B.C().StatusInfoLabel->isVisible());
    QVERIFY2(B.C().StatusInfoLabel->text().startsWith(QStringLiteral("Programming failed!")),
             qPrintable(B.C().StatusInfoLabel->text()));
    QCOMPARE(B.C().BtnCancel->text(), QStringLiteral("Cancel"));
    QVERIFY(B.C().BtnCancel->isEnabled());
  }

  // The menu item runs the dialog modally and remembers the file; the window shows the port
  // open afterwards.
  void menuItemRemembersTheFile() {
    TFWBench B;
    B.Form->OptionsDlg();  // settings in place from the first show
    TApplIni().WriteString("Application", "LastFirmware", Firmware().toStdString());
    QTimer::singleShot(100, [&] { B.C().BtnCancel->click(); });
    B.Form->Menus().MMIFirmwareUpdate->trigger();
    QCOMPARE(ReadIniExact(B.Settings.IniPath())["Application"]["LastFirmware"], Firmware());
    QCOMPARE(B.Form->StatusText(ui::spPortState), QStringLiteral("port open"));
    QVERIFY(B.Form->Buttons().SBIdentify->isEnabled());
    QVERIFY(B.Form->Buttons().SBtnConnect->isEnabled());
  }

  // The classic mode: confirmed, the bootloader's menu shows in the terminal; the file goes
  // out with the terminal listening; switching off runs the application again.
  void classicMode() {
    TFWBench B(false, true);
    TFileDialogLog Dialogs;
    QAction* Enable = B.Form->Menus().MMIEnableFWUpdate;
    B.Messages.Answers = {QMessageBox::No};
    Enable->trigger();
    QVERIFY(!Enable->isChecked());
    QVERIFY(!B.Form->ModProt().FirmwareUpdateMode());
    QCOMPARE(B.Messages.Entries.at(0).Text,
             QStringLiteral("Attention! You will start firmware update!!!\nAre you really sure "
                            "that you want to continue?"));

    B.Messages.Answers = {QMessageBox::Yes};
    Enable->trigger();
    QVERIFY(Enable->isChecked());
    QVERIFY(B.Form->ModProt().FirmwareUpdateMode());
    QCOMPARE(B.Form->CurrentPage(), ui::mpTerminal);
    QCOMPARE(B.Form->StatusText(ui::spModuleId), QStringLiteral("Firmware update!!!"));
    QVERIFY(B.Form->Menus().MMISendFirmware->isEnabled());
    QVERIFY(!B.Form->Buttons().SBIdentify->isEnabled());
    QTextEdit* Editor = B.Form->Pages().VDXTermEditor;
    QTRY_VERIFY(Editor->toPlainText().contains(QStringLiteral("X.A.VO.")));

    QTest::keyClick(Editor, '1');  // erase, typed by the technician
    QTRY_VERIFY(Editor->toPlainText().contains(QStringLiteral("Erasing")));
    QTest::keyClick(Editor, '2');
    QTRY_VERIFY(Editor->toPlainText().contains(QStringLiteral("Send file")));
    Dialogs.Answers = {Firmware()};
    B.Form->Menus().MMISendFirmware->trigger();
    QTRY_VERIFY(Editor->toPlainText().contains(QStringLiteral("Programming")));
    QCOMPARE(ReadIniExact(B.Settings.IniPath())["Application"]["FirmwarePath"],
             QString::fromStdString(TestDataDir()) + QLatin1Char('/'));

    Enable->trigger();  // no question when switching off
    QCOMPARE(B.Messages.Entries.size(), size_t(2));
    QVERIFY(!B.Form->ModProt().FirmwareUpdateMode());
    QVERIFY(!B.Form->Menus().MMISendFirmware->isEnabled());
    QVERIFY(B.Form->Buttons().SBIdentify->isEnabled());
  }
};

QTEST_MAIN(FWUpdateTest)
#include "FWUpdateTest.moc"
