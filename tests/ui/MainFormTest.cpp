// The main window against a virtual module on a pseudo-terminal: connect and identify through
// the actions, the status bar and the enabling of the controls in each state, page switching
// and the operating mode, the module commands and the window's messages.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPdfDocument>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "MainFormBench.h"
#include "TestPaths.h"
#include "app/ui/ApplOptions.h"
#include "app/ui/ColorPicker.h"
#include "app/ui/DocumentViewer.h"
#include "app/ui/MainForm.h"
#include "app/ui/OptionsDlg.h"
#include "app/ui/RadioGroup.h"
#include "comm/ComPort.h"
#include "live/ui/VDXScope.h"

using namespace vdx;
using namespace vdx::ui;
using namespace vdx::testing;

namespace {

// States the window is driven into for the table tests.
enum TState {
  stClosed,
  stOpen,
  stIdentified,
  stIdentifiedTerminal,
  stIdentifiedMonitor,
  stOpenTerminal,
  stDisconnected
};

void DriveTo(TBench& B, TState State) {
  if (State == stClosed) {
    B.ChoosePort(B.Sim.ComName);
    return;
  }
  if (State == stOpen || State == stOpenTerminal)
    B.Connect();
  else
    B.Identify();
  if (State == stIdentifiedTerminal || State == stOpenTerminal)
    B.Form->Actions().ShowTerminalAct->trigger();
  if (State == stIdentifiedMonitor) B.Form->Actions().ShowMonitorAct->trigger();
  if (State == stDisconnected) B.Form->Actions().ConnectAct->trigger();
}

void AddStateRows() { QTest::addColumn<int>("state"); }

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { BindPortMessages(BinDir() + "/locale"); }

  void firstStartGivesDefaultsAndCreatesTheFolder() {
    TBench B;
    QVERIFY(QDir(B.Settings.Folder()).exists());
    QCOMPARE(B.Panels(), QStringList({"port closed", "", "FDX", "", ""}));
    QCOMPARE(B.Form->windowTitle(),
             QString::fromStdString("KORVA/20 3.6 - Startup-Tool for digital control modules"
                                    "   -  " +
                                    BuildBrandRecord().CompanyName));
    // No stored port: nothing selected, and the empty port is written.
    QCOMPARE(B.Form->Buttons().CBoxPortSel->currentIndex(), -1);
    QCOMPARE(ReadIniExact(B.Settings.IniPath())["Interface"].value("Port", "missing"), "");
    // The link takes the settings' defaults: full duplex, fixed 9600 bit/s.
    QCOMPARE(B.Form->ModProt().TransferMode(), tmFullDuplex);
    QVERIFY(!B.Form->ModProt().AutoBaudDetection());
    QCOMPARE(B.Form->ModProt().FixBaudrate(), mb9600);
    QCOMPARE(B.Form->ModProt().AutoBaudrate(), mb38400);
    QCOMPARE(B.Form->CurrentPage(), mpParameter);
    QCOMPARE(B.Form->ModProt().OperatingMode(), omIdle);
  }

  void storedPortAtStartUp_data() {
    QTest::addColumn<bool>("present");
    QTest::newRow("present") << true;
    QTest::newRow("absent") << false;
  }
  void storedPortAtStartUp() {
    QFETCH(bool, present);
    TPrivateSettings Settings;
    TSimPort Sim;
    const QString Stored = present ? Sim.ComName : QStringLiteral("COM99");
    TApplIni().WriteString("Interface", "Port", Stored.toStdString());
    TVDXMainForm Form;
    Form.show();
    QComboBox* Box = Form.Buttons().CBoxPortSel;
    if (present) {
      QCOMPARE(Box->currentText(), Sim.ComName);
      QCOMPARE(QStringLiteral("COM%1").arg(Form.ModProt().PortNo()), Sim.ComName);
      QCOMPARE(Form.StatusText(spPortNo), "Port: " + Sim.ComName.mid(3));
      QCOMPARE(TApplIni().ReadString("Interface", "Port", "?"), Sim.ComName.toStdString());
    } else {
      QCOMPARE(Box->currentIndex(), -1);
      QCOMPARE(Form.StatusText(spPortNo), QString());
      QCOMPARE(TApplIni().ReadString("Interface", "Port", "?"), "");
    }
  }

  void connectAndIdentifyThroughTheActions() {
    TBench B;
    B.ChoosePort(B.Sim.ComName);
    // A port chosen in the box is stored by its full name.
    QCOMPARE(ReadIniExact(B.Settings.IniPath())["Interface"]["Port"], B.Sim.ComName);
    QCOMPARE(B.Form->StatusText(spPortNo), "Port: " + B.Sim.ComName.mid(3));

    B.Form->Actions().ConnectAct->trigger();
    QVERIFY(B.Form->Connected());
    QVERIFY(B.Form->ModProt().PortOpen());
    B.Form->Actions().IdentifyAct->trigger();
    QVERIFY(B.Form->ModProt().ModuleDataValid());
    QCOMPARE(B.Form->StatusText(spModuleId), QString::fromStdString(B.Sim.Module.IdText()));
    const QStringList Heard = B.Sim.Heard();
    QVERIFY(Heard.contains("ID\r"));
    QVERIFY(Heard.contains("Readout\r"));

    B.Form->Actions().ConnectAct->trigger();
    QVERIFY(!B.Form->Connected());
    QVERIFY(!B.Form->ModProt().PortOpen());
    QVERIFY(!B.Form->ModProt().ModuleDataValid());
    QVERIFY(B.Messages.Entries.empty());
  }

  void statusPanelsInEachState_data() {
    AddStateRows();
    QTest::addColumn<bool>("halfDuplex");
    // "#" stands for the port number, "<id>" for the module's ID text.
    QTest::addColumn<QStringList>("panels");
    QTest::newRow("closed") << int(stClosed) << false
                            << QStringList{"port closed", "Port: #", "FDX", "", ""};
    QTest::newRow("open") << int(stOpen) << false
                          << QStringList{"port open", "Port: #", "FDX", "9.6 KBaud", ""};
    QTest::newRow("identified") << int(stIdentified) << false
                                << QStringList{"port open", "Port: #", "FDX", "9.6 KBaud", "<id>"};
    QTest::newRow("disconnected") << int(stDisconnected) << false
                                  << QStringList{"port closed", "Port: #", "FDX", "", ""};
    // A half-duplex line always runs at 19200 bit/s.
    QTest::newRow("identified, half duplex")
        << int(stIdentified) << true
        << QStringList{"port open", "Port: #", "HDX", "19.2 KBaud", "<id>"};
  }
  void statusPanelsInEachState() {
    QFETCH(int, state);
    QFETCH(bool, halfDuplex);
    QFETCH(QStringList, panels);
    sim::TSimOptions Line;
    Line.HalfDuplex = halfDuplex;
    Line.BaudRate = halfDuplex ? 19200 : 9600;
    TBench B(Line,
             [&] { TApplIni().WriteInteger("Interface", "TranferMode", halfDuplex ? 1 : 0); });
    DriveTo(B, static_cast<TState>(state));
    panels.replaceInStrings("#", B.Sim.ComName.mid(3));
    panels.replaceInStrings("<id>", QString::fromStdString(B.Sim.Module.IdText()));
    QCOMPARE(B.Panels(), panels);
  }

  void controlsEnabledPerState_data() {
    AddStateRows();
    // Columns: port box, connect, identify, parameter list, monitor, oscilloscope, terminal page,
    // password, print, terminal buttons and items, Load Offline Data, Save Offline Data.
    QTest::addColumn<QString>("enabled");
    QTest::newRow("closed") << int(stClosed) << "110000000010";
    QTest::newRow("open") << int(stOpen) << "011000100000";
    QTest::newRow("identified") << int(stIdentified) << "011011111001";
    QTest::newRow("identified, terminal") << int(stIdentifiedTerminal) << "011111011101";
    QTest::newRow("identified, monitor") << int(stIdentifiedMonitor) << "011101110001";
    QTest::newRow("open, terminal") << int(stOpenTerminal) << "011100001100";
    QTest::newRow("disconnected") << int(stDisconnected) << "110000000010";
  }
  void controlsEnabledPerState() {
    QFETCH(int, state);
    QFETCH(QString, enabled);
    TBench B;
    DriveTo(B, static_cast<TState>(state));
    const TToolButtons& Tb = B.Form->Buttons();
    const TMainMenus& M = B.Form->Menus();
    emit M.File->aboutToShow();
    const bool TerminalControls = Tb.SBtnClearTerminal->isEnabled();
    for (QObject* Other : std::initializer_list<QObject*>{Tb.SBtnOpenTerminal, Tb.SBtnSaveTerminal})
      QCOMPARE(static_cast<QWidget*>(Other)->isEnabled(), TerminalControls);
    for (QAction* Item : {M.MMINew, M.MMIOpen, M.MMISave, M.MMISaveAs, M.MMICut, M.MMICopy,
                          M.MMIPaste, M.Edit->menuAction()})
      QCOMPARE(Item->isEnabled(), TerminalControls);
    const bool Actual[] = {Tb.CBoxPortSel->isEnabled(),
                           Tb.SBtnConnect->isEnabled(),
                           Tb.SBIdentify->isEnabled(),
                           Tb.SBtnParamList->isEnabled(),
                           Tb.SBtnMonitor->isEnabled(),
                           Tb.SBtnScope->isEnabled(),
                           Tb.SBtnTerminal->isEnabled(),
                           B.Form->Actions().PasswordAct->isEnabled(),
                           Tb.SBtnPrint->isEnabled(),
                           TerminalControls,
                           M.MMILoadOfflineCmdList->isEnabled(),
                           M.MMISaveCmdList->isEnabled()};
    QString Seen;
    for (bool E : Actual) Seen += E ? '1' : '0';
    QCOMPARE(Seen, enabled);
    // The password button follows its action; "&Print..." follows the print button.
    QCOMPARE(Tb.SBtnPassword->isEnabled(), B.Form->Actions().PasswordAct->isEnabled());
    QCOMPARE(M.MMIPrint->isEnabled(), Tb.SBtnPrint->isEnabled());
  }

  void pagesSetTheOperatingMode_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("heard");
    QTest::newRow("terminal") << "ShowTerminalAct" << int(mpTerminal) << int(omTerminal)
                              << QStringList{"\r"};
    // The monitor page refreshes the remote-control group (a ping first), then polls.
    QTest::newRow("monitor") << "ShowMonitorAct" << int(mpMonitor) << int(omMonitor)
                             << QStringList{"\r", "RC:M\r"};
    QTest::newRow("scope") << "ShowScopeAct" << int(mpScope) << int(omScope) << QStringList{};
  }
  void pagesSetTheOperatingMode() {
    QFETCH(QString, action);
    QFETCH(int, page);
    QFETCH(int, mode);
    QFETCH(QStringList, heard);
    TBench B;
    B.Identify();
    const TMainActions& A = B.Form->Actions();
    QAction* Show = action == "ShowTerminalAct"  ? A.ShowTerminalAct
                    : action == "ShowMonitorAct" ? A.ShowMonitorAct
                                                 : A.ShowScopeAct;
    B.Sim.Module.ClearReceivedCommands();
    Show->trigger();
    QCOMPARE(int(B.Form->CurrentPage()), page);
    QCOMPARE(int(B.Form->ModProt().OperatingMode()), mode);
    if (mode == omMonitor) {
      QCOMPARE(B.Sim.Heard().mid(0, heard.size()), heard);
    } else {
      // Showing the page again changes nothing and sends nothing more.
      Show->trigger();
      QTRY_COMPARE(B.Sim.Heard(), heard);
      QTest::qWait(50);
      QCOMPARE(B.Sim.Heard(), heard);
    }

    A.ShowParamlistAct->trigger();
    QCOMPARE(B.Form->CurrentPage(), mpParameter);
    QCOMPARE(B.Form->ModProt().OperatingMode(), omIdle);
  }

  void monitorAndScopeNeedAnIdentifiedModule_data() {
    QTest::addColumn<bool>("scope");
    QTest::addColumn<QString>("message");
    QTest::newRow("monitor") << false << "Befor running monitor, the module needed identified!";
    QTest::newRow("scope") << true << "Befor running oscilloscope, the module needed identified!";
  }
  void monitorAndScopeNeedAnIdentifiedModule() {
    QFETCH(bool, scope);
    QFETCH(QString, message);
    TBench B;
    B.Connect();
    // The buttons are disabled; the keys still reach the actions.
    (scope ? B.Form->Actions().ShowScopeAct : B.Form->Actions().ShowMonitorAct)->trigger();
    QCOMPARE(B.Messages.Texts(), QStringList{message});
    QCOMPARE(B.Messages.Entries[0].Kind, TMessageKind::Information);
    QCOMPARE(B.Form->CurrentPage(), mpParameter);
    QCOMPARE(B.Form->ModProt().OperatingMode(), omIdle);
  }

  void connectRefusals_data() {
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("message");
    QTest::newRow("no port selected") << ""
                                      << "No valid com-port selected!";
    // The port layer's message, in German from the "cport" catalogue.
    QTest::newRow("port cannot be opened")
        << "/dev/vdx-no-such-port"
        << "COM-Port kann nicht geöffnet werden (win error code: 2)";
  }
  void connectRefusals() {
    QFETCH(QString, port);
    QFETCH(QString, message);
    TBench B;
    if (!port.isEmpty()) B.ChoosePort(QString::fromStdString(AddTransientPort(port.toStdString())));
    B.Form->Actions().ConnectAct->trigger();
    QCOMPARE(B.Messages.Texts(), QStringList{message});
    QCOMPARE(B.Messages.Entries[0].Kind, TMessageKind::Error);
    QVERIFY(!B.Form->Connected());
    QCOMPARE(B.Form->StatusText(spPortState), "port closed");
    if (!port.isEmpty()) RemoveTransientPort(port.toStdString());
  }

  void moduleCommandButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("command");  // the memory command the module heard
    QTest::addColumn<bool>("identifiesFirst");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("kind");
    QTest::newRow("save") << "BtnSave" << true << "SAVE \r" << false << "Data saved!"
                          << int(TMessageKind::Information);
    QTest::newRow("default") << "BtnDefault" << true << "DEFAULT \r" << true
                             << "Data set to default!" << int(TMessageKind::Information);
    QTest::newRow("loadback on the terminal page")
        << "BtnLoadBack2" << true << "Loadback\r" << true << "Data loadback ok!"
        << int(TMessageKind::Information);
    QTest::newRow("save, port closed")
        << "BtnSave2" << false << "" << false << "Couldn`t save!!!" << int(TMessageKind::Error);
    QTest::newRow("default, port closed")
        << "BtnDefault" << false << "" << false << "Couldn`t set to default!!!"
        << int(TMessageKind::Error);
    QTest::newRow("loadback, port closed")
        << "BtnLoadBack" << false << "" << false << "Couldn`t loadback data!!!"
        << int(TMessageKind::Error);
  }
  void moduleCommandButtons() {
    QFETCH(QString, button);
    QFETCH(bool, connected);
    QFETCH(QString, command);
    QFETCH(bool, identifiesFirst);
    QFETCH(QString, message);
    QFETCH(int, kind);
    TBench B;
    if (connected) B.Identify();
    B.Sim.Module.ClearReceivedCommands();
    auto* Button = B.Form->findChild<QPushButton*>(button);
    QVERIFY(Button);
    Button->click();
    QCOMPARE(B.Messages.Texts(), QStringList{message});
    QCOMPARE(int(B.Messages.Entries[0].Kind), kind);
    if (!connected) return;
    const QStringList Heard = B.Sim.Heard();
    const qsizetype At = Heard.indexOf(command);
    QVERIFY2(At >= 0, qPrintable(Heard.join('|')));
    QCOMPARE(Heard.indexOf("ID\r") >= 0 && Heard.indexOf("ID\r") < At, identifiesFirst);
  }

  void settingsTakeEffectOnlyAfterOk_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
  }
  void settingsTakeEffectOnlyAfterOk() {
    QFETCH(bool, ok);
    TBench B;
    TVDXToolOptionsDlg& Dlg = B.Form->OptionsDlg();
    Dlg.SetMakerTabVisible(true);
    QTimer::singleShot(0, &Dlg, [&] {
      const TOptionsControls& C = Dlg.Controls();
      C.CBPort->setCurrentIndex(C.CBPort->findText(B.Sim.ComName));
      C.RGrpTransferMode->Button(1)->click();
      C.CBoxEnableVDXFileViewer->setChecked(true);
      C.CBoxEnableShortFirmwareUpdate->setChecked(true);
      C.CBoxSigLineWidth->setCurrentIndex(2);
      C.CBoxChaColor[0]->SetColor(clRed);
      C.CBoxGridColor->SetColor(clBlack);
      ok ? Dlg.accept() : Dlg.reject();
    });
    B.Form->Actions().SettingsAct->trigger();
    QCOMPARE(B.Form->ModProt().TransferMode(), ok ? tmHalfDuplex : tmFullDuplex);
    QCOMPARE(B.Form->Buttons().CBoxPortSel->currentText(), ok ? B.Sim.ComName : QString());
    QCOMPARE(B.Form->StatusText(spPortNo), ok ? "Port: " + B.Sim.ComName.mid(3) : QString());
    QCOMPARE(B.Form->Menus().MMIViewVDXFile->isVisible(), ok);
    QCOMPARE(B.Form->Menus().MMIFirmwareUpdate->shortcut(),
             ok ? QKeySequence(Qt::Key_F12) : QKeySequence());
    // The oscilloscope takes its line width and colours, and the channel's swatch shows it.
    TVDXScope& Scope = B.Form->Scope();
    QCOMPARE(Scope.SignalLineWidth(), ok ? swFat : swSmall);
    QCOMPARE(Scope.Channel(1).Color(), ok ? clRed : clBlue);
    QCOMPARE(Scope.GridColor(), ok ? clBlack : clBlue);
    QCOMPARE(B.Form->Pages().ScopeControls.ShapeCustChaCol[0]->styleSheet().contains("#ff0000"),
             ok);
  }

  void xavoOptionShowsTheMakerTab() {
    TBench B;
    QVERIFY(!B.Form->OptionsDlg().MakerTabVisible());
    // The hidden options dialog: check "Xavo" and confirm.
    QTimer::singleShot(0, B.Form.get(), [] {
      QWidget* Dlg = QApplication::activeModalWidget();
      QVERIFY(Dlg);
      auto* List = Dlg->findChild<QListWidget*>();
      QVERIFY(List && List->count() == 2);
      QCOMPARE(List->item(0)->text(), "Xavo");
      List->item(0)->setCheckState(Qt::Checked);
      static_cast<QDialog*>(Dlg)->accept();
    });
    QVERIFY(B.Form->ApplOptions().EditOptions());
    QVERIFY(B.Form->OptionsDlg().MakerTabVisible());
  }

  void passwordGoesToTheModule_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("accepted") << "kv20pass" << QStringList{};
    QTest::newRow("refused, no retry")
        << "guess" << QStringList{"The password is incorrect! Retry?"};
  }
  void passwordGoesToTheModule() {
    QFETCH(QString, password);
    QFETCH(QStringList, messages);
    TBench B;
    B.Identify();
    QVERIFY(B.Form->Actions().PasswordAct->isEnabled());
    B.Sim.Module.ClearReceivedCommands();
    B.Messages.Answers = {QMessageBox::Cancel};
    QTimer::singleShot(0, B.Form.get(), [&] {
      QWidget* Form = QApplication::activeModalWidget();
      QVERIFY(Form);
      auto* Edit = Form->findChild<QLineEdit*>(QStringLiteral("LEditPassword"));
      QVERIFY(Edit);
      QTest::keyClicks(Edit, password);
      Form->findChild<QPushButton*>(QStringLiteral("BBtnOk"))->click();
    });
    B.Form->Actions().PasswordAct->trigger();
    QVERIFY(B.Sim.Heard().contains("PASSWORD " + password + "\r"));
    QCOMPARE(B.Messages.Texts(), messages);
  }

  void readoutDescriptionFile_data() {
    QTest::addColumn<bool>("present");
    QTest::newRow("present") << true;
    QTest::newRow("missing") << false;
  }
  void readoutDescriptionFile() {
    QFETCH(bool, present);
    sim::TSimOptions Type;
    Type.ModuleType = "noreadout";
    TBench B(Type);
    QTemporaryDir Folder;
    const std::string ToolFolder = Folder.path().toStdString() + "/";
    B.Form->SetToolFolder(ToolFolder);
    if (present) {
      QFile File(Folder.filePath("KV20NORD.rdd"));
      QVERIFY(File.open(QIODevice::WriteOnly));
      for (const auto& Line : B.Sim.Module.ReadoutLines())
        File.write(QByteArray::fromStdString(Line) + "\r\n");
    }
    B.Identify();
    if (present) {
      QVERIFY(B.Messages.Entries.empty());
      QCOMPARE(B.Form->StatusText(spModuleId), QString::fromStdString(B.Sim.Module.IdText()));
    } else {
      QCOMPARE(B.Messages.Texts(),
               QStringList{"The file: KV20NORD.rdd could not found in the VDXTOOL working "
                           "directory! Please make sure that the file is located in the \"" +
                           QString::fromStdString(ToolFolder) + "\" directory!"});
      QCOMPARE(B.Form->StatusText(spModuleId), QString());
    }
  }

  void manual() {
    TBench B;
    QTemporaryDir Empty;
    B.Form->SetToolFolder(Empty.path().toStdString() + "/");
    B.Form->Menus().MMIManual->trigger();
    QCOMPARE(B.Messages.Texts(), QStringList{"The manual file \"" + Empty.path() +
                                             "/KORVA 20 3.6 rev2 QMT.pdf\" do not exists!"});
    // The built manual lies beside the executables.
    B.Form->SetToolFolder(BinDir() + "/");
    B.Form->Menus().MMIManual->trigger();
    auto* Viewer =
        dynamic_cast<TWebBrowserDlg*>(B.Form->findChild<QWidget*>(QStringLiteral("WebBrowserDlg")));
    QVERIFY(Viewer && Viewer->isVisible());
    QVERIFY(!Viewer->isModal());
    QCOMPARE(Viewer->windowTitle(),
             QString::fromStdString(BinDir()) + "/KORVA 20 3.6 rev2 QMT.pdf");
    QCOMPARE(Viewer->size(), QSize(1000, 800));
    QVERIFY(Viewer->Document()->pageCount() > 0);
  }

  void closingSetsIdleAndDisconnects() {
    TBench B;
    B.Identify();
    B.Form->Actions().ShowMonitorAct->trigger();
    B.Form->close();
    QCOMPARE(B.Form->ModProt().OperatingMode(), omIdle);
    QVERIFY(!B.Form->ModProt().PortOpen());
  }

  void portListIsReadAgainWhenItOpens() {
    TBench B;
    TSimPort Later;
    QComboBox* Box = B.Form->Buttons().CBoxPortSel;
    QCOMPARE(Box->findText(Later.ComName), -1);
    Box->showPopup();
    Box->hidePopup();
    QVERIFY(Box->findText(Later.ComName) >= 0);
  }

  void initialGeometry_data() {
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<QRect>("window");
    QTest::newRow("large, centred") << QRect(0, 0, 1280, 1024) << QRect(128, 128, 1024, 768);
    QTest::newRow("small, top left") << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 600);
  }
  void initialGeometry() {
    QFETCH(QRect, workArea);
    QFETCH(QRect, window);
    QCOMPARE(TVDXMainForm::InitialGeometry(workArea), window);
  }
};

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
