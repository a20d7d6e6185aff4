// The main window's creation, first show and shutdown, and its shell actions: settings,
// password, manual, about box, printing.
#include "app/ui/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolButton>

#include "app/ToolSettings.h"
#include "app/ui/AboutBox.h"
#include "app/ui/ApplOptions.h"
#include "app/ui/BusyCursor.h"
#include "app/ui/DocumentViewer.h"
#include "app/ui/ErrorGuard.h"
#include "app/ui/MessageService.h"
#include "app/ui/OptionsDlg.h"
#include "app/ui/PasswordDlg.h"
#include "comm/ColumnText.h"
#include "comm/IntegerText.h"
#include "live/ui/RemoteCtrlPanel.h"
#include "live/ui/VDXMonitor.h"
#include "live/ui/VDXScope.h"
#include "params/ui/ParamPrintout.h"
#include "params/ui/ParamList.h"
#include "service/ui/FWUpdateDlg.h"
#include "service/ui/VDXPTerminal.h"

namespace vdx::ui {

namespace {
constexpr const char* kXavoOption = "Xavo";
}

TVDXMainForm::TVDXMainForm(QWidget* Parent)
    : QMainWindow(Parent),
      FApplIni(std::make_unique<TApplIni>()),
      FApplInfo(std::make_unique<TApplInfo>()),
      FModProt(std::make_unique<TVDXModCommProt>()),
      FPasswordDlg(std::make_unique<TPasswordDlg>()),
      FToolFolder(TToolSettings::ToolFolder()) {
  setObjectName(QStringLiteral("VDXMainForm"));
  setFont(QFont(QStringLiteral("Arial"), 8));
  FApplInfo->HiddenInputText = "/$KMTR";

  FApplOptions = std::make_unique<TApplOptions>(this);
  FApplOptions->AddOption(QString::fromLatin1(kXavoOption));
  FApplOptions->AddOption(QStringLiteral("Halden Vers"));
  FApplOptions->OnOptionStateChanged = [this](TApplOptions& Sender, const QString& Name, int Index,
                                              int) {
    ApplOptOptionStateChanged(Sender, Name, Index);
  };
  FAboutBox = std::make_unique<TAboutBox>(*FApplInfo, this);
  FAboutBox->SetApplOptions(FApplOptions.get());

  // The protocol component as the window's stored layout sets it up; the settings follow at
  // the first show.
  FModProt->SetDelayOnSendFirmwareData(0);
  FModProt->SetPortNo(0);
  FModProt->SetAutoSetBaudrate(false);
  FModProt->SetAutoBaudrate(mb19200);
  FModProt->SetFixBaudrate(mb9600);
  FModProt->SetAutoBaudDetection(true);
  FPasswordDlg->OnPasswordCheckReq = [this](TPasswordDlg&, const QString& Password, bool& CheckOk) {
    PasswordDlgPasswordCheckReq(Password, CheckOk);
  };

  setWindowTitle(QString());
  const QScreen* Screen = QGuiApplication::primaryScreen();
  const QRect Geometry =
      InitialGeometry(Screen ? Screen->availableGeometry() : QRect(0, 0, 1024, 768));
  resize(Geometry.size());
  move(Geometry.topLeft());

  BuildActions();
  BuildToolBars();
  BuildMenus();
  FPages = BuildMainPages(this);
  setCentralWidget(FPages.NbMain);
  FParamList = std::make_unique<TVDXParamList>();
  FParamList->SetParamGrid(FPages.ParamGrid);
  FModProt->SetParameterList(FParamList.get());
  FMonitor = std::make_unique<TVDXMonitor>(this);
  FMonitor->SetParent(FPages.MonitorPanel);
  FModProt->SetMonitor(FMonitor.get());
  FPages.RemoteCtrlPanel->SetModProt(FModProt.get());
  // The page set starts away from "Parameter", so selecting it at the first show runs the
  // page-change steps.
  FPages.NbMain->setCurrentIndex(mpTerminal);
  FStatus = std::make_unique<TStatusPanels>(statusBar());
  FStatus->SetText(spDuplex, QStringLiteral("FDX"));
  ConnectHandlers();
  BuildScope();

  // Dialogs and windows, in the order the tool creates them.
  FOptionsDlg = new TVDXToolOptionsDlg(this);
  FWebBrowserDlg = new TWebBrowserDlg(this);
  FFWUpdateDlg = new TFWUpdateDlg(this);
  SetupTerminal();

  qApp->installEventFilter(this);
}

TVDXMainForm::~TVDXMainForm() {
  qApp->removeEventFilter(this);
  StopScopeSampling(false);
  // The protocol component goes first: it must not call back into a half-destroyed window.
  ReleaseTerminal();
  FModProt.reset();
}

QRect TVDXMainForm::InitialGeometry(const QRect& WorkArea) {
  const QSize Size(std::min(1024, WorkArea.width()), std::min(768, WorkArea.height()));
  if (WorkArea.height() < 768) return QRect(QPoint(0, 0), Size);
  QRect Centred(QPoint(0, 0), Size);
  Centred.moveCenter(WorkArea.center());
  return Centred;
}

TMainPage TVDXMainForm::CurrentPage() const {
  return static_cast<TMainPage>(FPages.NbMain->currentIndex());
}

void TVDXMainForm::showEvent(QShowEvent* Event) {
  QMainWindow::showEvent(Event);
  if (FFirstShow) {
    FFirstShow = false;
    RunGuarded([this] { FirstShow(); });
  }
  if (FMonitor->Parent()) FMonitor->ShowMonitor();
  static const char* const kPins[] = {"PIN 9/10", "PIN 6", "PIN 13", "PIN 14", "PIN 29"};
  for (size_t I = 0; I < 5; ++I) PinNames()[I + 1] = kPins[I];
}

void TVDXMainForm::FirstShow() {
  FOptionsDlg->SetApplIni(FApplIni.get());
  FOptionsDlg->SetApplInfo(FApplInfo.get());
  SelectPage(mpParameter);

  for (QToolButton* Button : {FButtons.SBtnParamList, FButtons.SBtnTerminal, FButtons.SBtnPrint})
    Button->setEnabled(false);
  SetTerminalControlsEnabled(false);
  FActions.PasswordAct->setEnabled(false);
  FMenus.MMIPrint->setEnabled(false);
  FMenus.MMISendFirmware->setEnabled(false);
  ApplyScopeOptions();
  ApplyMonitorOptions();
  FPages.RemoteCtrlPanel->CBoxRemoteCtrlEnable()->setEnabled(false);
  FParamList->LoadCommandList(&FModProt->CmdList(), 0);

  // The port of the settings, when the system still has it.
  QComboBox* PortBox = FButtons.CBoxPortSel;
  PortBox->clear();
  for (const auto& Name : FApplInfo->SystemInfo().SerialCommPorts())
    PortBox->addItem(QString::fromLatin1(Name));
  TToolSettings& Options = FOptionsDlg->Settings();
  const int Index = PortBox->findText(QString::fromLatin1(Options.Port()));
  PortBox->setCurrentIndex(Index);
  if (Index < 0) {
    FStatus->SetText(spPortNo, QString());
    Options.SetPort("");
  } else {
    const QString NumberText = PortBox->itemText(Index).remove(QStringLiteral("COM"));
    int32_t Number = 0;
    FModProt->SetPortNo(
        TryStrToInt(NumberText.toStdString(), Number) ? static_cast<uint16_t>(Number) : 0);
    FStatus->SetText(spPortNo, QStringLiteral("Port: ") + NumberText);
  }

  ApplyLinkOptions();
  ApplyGridOptions();
  ApplyAinUnitLetters();
  ApplyMenuOptions();
  SetConnectState(false);
  FPages.ParamGrid->setFocus();
  ApplyBrandInfo();
}

void TVDXMainForm::ApplyBrandInfo() {
  FApplInfo->ApplyBrand(BuildBrandRecord());
  setWindowTitle(QString::fromLatin1(FApplInfo->WindowCaption()));
}

void TVDXMainForm::ApplyLinkOptions() {
  const TToolSettings& Options = FOptionsDlg->Settings();
  FModProt->SetAutoSetBaudrate(Options.AutoSetBR());
  FModProt->SetAutoBaudrate(Options.AutoBR());
  FModProt->SetAutoBaudDetection(Options.AutoBRDetection());
  FModProt->SetFixBaudrate(Options.FixBR());
  FModProt->SetTransferMode(Options.TransferMode());
}

void TVDXMainForm::ApplyMenuOptions() {
  const TToolSettings& Options = FOptionsDlg->Settings();
  FMenus.MMIViewVDXFile->setVisible(Options.VDXFileViewer());
  const bool Classic = Options.TermFWUpdate();
  for (QAction* Item :
       {FMenus.MMIClassicSeparator, FMenus.MMIEnableFWUpdate, FMenus.MMISendFirmware})
    Item->setVisible(Classic);
  FMenus.MMIFirmwareUpdate->setShortcut(Options.SFWUpdate() ? QKeySequence(Qt::Key_F12)
                                                            : QKeySequence());
}

void TVDXMainForm::ApplyGridOptions() {
  const TToolSettings& Options = FOptionsDlg->Settings();
  FParamList->SetShowCmdGrpInfo(Options.ShowCmdGrpInfo());
  FParamList->SetShowDecimals(Options.ShowDecimals());
  FParamList->SetAinCommandUI(Options.AinCommandUI());
}

void TVDXMainForm::ApplyMonitorOptions() {
  const TToolSettings& Options = FOptionsDlg->Settings();
  FMonitor->SetVisibleParamKind(static_cast<TVisibleParamKind>(Options.VisParaKind()));
  FMonitor->SetVisibleParamCnt(Options.VisParaCnt());
}

void TVDXMainForm::ApplyAinUnitLetters() {
  // The letters shown for analogue inputs follow the grid's AinCommandUI.
  const bool UI = FParamList->AinCommandUI();
  AinKindLetters() =
      UI ? std::array<std::string, 2>{"U", "I"} : std::array<std::string, 2>{"V", "C"};
}

void TVDXMainForm::closeEvent(QCloseEvent* Event) {
  StopScopeSampling(false);
  FModProt->SetOperatingMode(omIdle);
  FModProt->Disconnect();
  FWebBrowserDlg->close();
  QMainWindow::closeEvent(Event);
}

bool TVDXMainForm::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(Watched, Event);
  auto* Key = static_cast<QKeyEvent*>(Event);
  // Only the key's first receiver counts (the focused widget, else the window), not the
  // parents it propagates to.
  QWidget* FirstReceiver = QApplication::focusWidget() ? QApplication::focusWidget() : this;
  if (Key->key() != Qt::Key_Space || Key->isAutoRepeat() || Watched != FirstReceiver ||
      FirstReceiver->window() != this)
    return QMainWindow::eventFilter(Watched, Event);
  const TOperatingMode Mode = FModProt->OperatingMode();
  const uint8_t Stopped = FModProt->PollingStopped();
  if (!((Stopped == 1 && Mode == omMonitor) || (Stopped == 2 && Mode == omScope)))
    return QMainWindow::eventFilter(Watched, Event);
  if (FModProt->CheckModuleId()) {
    RunGuarded([this] { NbMainPageChanged(); });
    return true;
  }
  ShowMessage(TMessageKind::Error,
              QStringLiteral("The module ID has changed! Please press the button \"ID\"!"));
  return QMainWindow::eventFilter(Watched, Event);
}

void TVDXMainForm::ApplOptOptionStateChanged(TApplOptions& Sender, const QString& Name, int Index) {
  if (Name == QLatin1String(kXavoOption))
    FOptionsDlg->SetMakerTabVisible(Sender.Options()[static_cast<size_t>(Index)].Enabled);
}

void TVDXMainForm::SettingsActExecute() {
  if (!FOptionsDlg->Execute()) return;
  ApplyScopeOptions();
  QComboBox* PortBox = FButtons.CBoxPortSel;
  PortBox->setCurrentIndex(PortBox->findText(QString::fromLatin1(FOptionsDlg->Settings().Port())));
  ApplyPortSelection(true);
  ApplyMonitorOptions();
  ApplyGridOptions();
  ApplyMenuOptions();
}

void TVDXMainForm::MMISettingsClick() {
  FActions.SettingsAct->trigger();
  ApplyAinUnitLetters();
  FParamList->RefreshValues();
}

void TVDXMainForm::PasswordActExecute() {
  QString Password;
  FPasswordDlg->Execute(Password);
}

void TVDXMainForm::PasswordDlgPasswordCheckReq(const QString& Password, bool& CheckOk) {
  CheckOk = FModProt->SendPassword(Password.toLatin1().toStdString());
  if (FModProt->OperatingMode() == omIdle) {
    TBusyCursor Busy;
    FModProt->ReloadParameters();
  }
}

void TVDXMainForm::ShowManual() {
  const QString FileName = QString::fromStdString(FToolFolder) + QString::fromLatin1(kManualFile);
  if (!QFileInfo::exists(FileName)) {
    ShowMessage(TMessageKind::Error, QStringLiteral("The manual file \"") + FileName +
                                         QStringLiteral("\" do not exists!"));
    return;
  }
  FWebBrowserDlg->ShowPdf(FileName, QSize(1000, 800));
}

void TVDXMainForm::ShowAbout() { FAboutBox->ShowAboutBox(); }

namespace {
// The print dialog on Printer; true when confirmed. Without an installed printer it warns
// first (the dialog still offers printing to a PDF file).
bool RunPrintDialog(QWidget* Parent, QPrinter& Printer) {
  if (QPrinterInfo::availablePrinters().isEmpty())
    ShowMessage(TMessageKind::Warning,
                QStringLiteral("No printer is installed; the printout can go to a PDF file."));
  QPrintDialog Dialog(&Printer, Parent);
  return Dialog.exec() == QDialog::Accepted;
}
}  // namespace

void TVDXMainForm::PrintActExecute() {
  // Each page prints its own view (parameter list, oscilloscope display, terminal text)
  // through the print dialog.
  // Page "Monitor" prints nothing.
  if (CurrentPage() == mpParameter) {
    QPrinter Printer(QPrinter::HighResolution);
    if (!RunPrintDialog(this, Printer)) return;
    TBusyCursor Busy;
    PrintParameterList(Printer, *FModProt, *FApplInfo);
  } else if (CurrentPage() == mpScope) {
    QPrinter Printer(QPrinter::HighResolution);
    if (!RunPrintDialog(this, Printer)) return;
    PrintScopeDisplay(Printer);
  } else if (CurrentPage() == mpTerminal) {
    QPrinter Printer(QPrinter::HighResolution);
    if (!RunPrintDialog(this, Printer)) return;
    TBusyCursor Busy;
    PrintTerminal(Printer);
  }
}

}  // namespace vdx::ui
