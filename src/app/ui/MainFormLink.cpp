// The link as the user drives it: port box, connect and disconnect, identify, and the page
// switching that sets the protocol component's operating mode.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QStackedWidget>
#include <QTextEdit>
#include <QThread>
#include <QToolButton>

#include "app/ToolSettings.h"
#include "app/ui/BusyCursor.h"
#include "app/ui/Glyphs.h"
#include "app/ui/MainForm.h"
#include "app/ui/MessageService.h"
#include "app/ui/OptionsDlg.h"
#include "comm/IntegerText.h"
#include "comm/SerialPortList.h"
#include "live/ui/RemoteCtrlPanel.h"
#include "live/ui/VDXScope.h"

namespace vdx::ui {

namespace {

// The port number text of a port box item: the item without "COM".
QString PortNumberText(const QString& Item) { return QString(Item).remove(QStringLiteral("COM")); }

}  // namespace

bool TVDXMainForm::ClassicFirmwareMode() const { return FModProt->FirmwareUpdateMode(); }

void TVDXMainForm::SetConnectGlyph(bool Open) {
  FButtons.SBtnConnect->setIcon(GlyphIcon(Open ? TGlyph::Connected : TGlyph::Disconnected));
}

void TVDXMainForm::ConnectActExecute() {
  FActions.PasswordAct->setEnabled(false);
  if (FButtons.CBoxPortSel->currentIndex() < 0) {
    ShowMessage(TMessageKind::Error, QStringLiteral("No valid com-port selected!"));
    return;
  }
  if (FConnected) {
    TBusyCursor Busy;
    StopScopeSampling(false);
    FModProt->Disconnect();
    SetConnectState(false);
    return;
  }
  if (const auto Warning = CheckLatencyTimer("COM" + std::to_string(FModProt->PortNo())))
    ShowMessage(TMessageKind::Information, QString::fromStdString(*Warning));
  bool Open;
  {
    TBusyCursor Busy;
    Open = FModProt->Connect();
  }
  if (!Open && !FModProt->PortOpen()) ReportOpenFailure();
  SetConnectState(Open);
}

void TVDXMainForm::ReportOpenFailure() {
  // The protocol component keeps the port layer's reason to itself; opening the port once
  // more here recovers it, so the user learns why (missing device, port in use, ...).
  TComPort Probe;
  Probe.SetPort(FModProt->ComPort().Port());
  try {
    Probe.OpenPort();
  } catch (const TComPortError& Error) {
    ShowMessage(TMessageKind::Error, QString::fromUtf8(Error.what()));
  }
}

void TVDXMainForm::SetConnectState(bool Open) {
  SelectPage(mpParameter);
  FConnected = Open;
  if (Open) {
    FStatus->SetText(spPortState, QStringLiteral("port open"));
    FStatus->SetText(spBaudrate, QString::fromStdString(BaudrateName(FModProt->BaudRate())));
  } else {
    FStatus->SetText(spPortState, QStringLiteral("port closed"));
    FStatus->SetText(spBaudrate, QString());
  }
  SetConnectGlyph(Open);
  FButtons.SBtnMonitor->setEnabled(false);
  FButtons.SBtnScope->setEnabled(false);
  FButtons.SBtnPrint->setEnabled(false);
  FButtons.SBtnTerminal->setEnabled(Open);
  FStatus->SetText(spDuplex, FModProt->TransferMode() == tmHalfDuplex ? QStringLiteral("HDX")
                                                                      : QStringLiteral("FDX"));
  FStatus->SetText(spModuleId, QString());
  FButtons.CBoxPortSel->setEnabled(!Open);
  FOptionsDlg->SetPortSettingsEnabled(!Open && !ClassicFirmwareMode());
  FButtons.SBIdentify->setEnabled(Open && !ClassicFirmwareMode());
  UpdateFileMenu();
}

void TVDXMainForm::CBoxPortSelDropDown() {
  QComboBox* Box = FButtons.CBoxPortSel;
  const QString Selected = Box->currentText();
  FApplInfo->SystemInfo().ReReadSerialPorts();
  Box->clear();
  for (const auto& Name : FApplInfo->SystemInfo().SerialCommPorts())
    Box->addItem(QString::fromLatin1(Name));
  // The chosen port stays chosen while the system still lists it.
  Box->setCurrentIndex(Box->findText(Selected));
}

void TVDXMainForm::CBoxPortSelChange() { ApplyPortSelection(true); }

bool TVDXMainForm::PreselectPort(const QString& Name) {
  const int Index = FButtons.CBoxPortSel->findText(Name);
  if (Index < 0) return false;
  FButtons.CBoxPortSel->setCurrentIndex(Index);
  ApplyPortSelection(false);
  return true;
}

void TVDXMainForm::ApplyPortSelection(bool Remember) {
  QComboBox* Box = FButtons.CBoxPortSel;
  int32_t Number = 0;
  if (Box->currentIndex() >= 0) {
    const QString NumberText = PortNumberText(Box->currentText());
    if (TryStrToInt(NumberText.toStdString(), Number) && Number != FModProt->PortNo()) {
      if (Remember) FOptionsDlg->Settings().SetPort(Box->currentText().toStdString());
      try {
        FModProt->SetPortOpen(false);
        FModProt->SetPortNo(static_cast<uint16_t>(Number));
      } catch (const std::exception&) {
        // The closed state is shown in any case.
      }
      FStatus->SetText(spPortState, QStringLiteral("port closed"));
      FStatus->SetText(spPortNo, QStringLiteral("Port: ") + NumberText);
      FConnected = false;
      SetConnectGlyph(false);
    }
  }
  ApplyLinkOptions();
}

void TVDXMainForm::IdentifyActExecute() {
  std::string Id;
  bool Identified;
  {
    TBusyCursor Busy;
    Identified = FModProt->Identify(Id);
  }
  if (!Identified) {
    FStatus->SetText(spModuleId, QString());
    UpdateFileMenu();
    return;
  }
  FStatus->SetText(spModuleId, QString::fromLatin1(Id));
  FButtons.SBtnMonitor->setEnabled(true);
  FButtons.SBtnScope->setEnabled(true);
  FPages.RemoteCtrlPanel->PrepareAnalogInputs();
  bool PasswordSupported;
  {
    TBusyCursor Busy;
    PasswordSupported = FModProt->PasswordSupported();
  }
  FActions.PasswordAct->setEnabled(PasswordSupported);
  if (CurrentPage() == mpParameter) FButtons.SBtnPrint->setEnabled(true);
  UpdateFileMenu();
}

void TVDXMainForm::ShowParamlistActExecute() {
  SelectPage(mpParameter);
  TBusyCursor Busy;
  FModProt->ReloadParameters();
}

void TVDXMainForm::ShowMonitorActExecute() {
  if (!FModProt->ModuleDataValid()) {
    ShowMessage(TMessageKind::Information,
                QStringLiteral("Befor running monitor, the module needed identified!"));
    return;
  }
  SelectPage(mpMonitor);
}

void TVDXMainForm::ShowScopeActExecute() {
  if (!FModProt->ModuleDataValid()) {
    ShowMessage(TMessageKind::Information,
                QStringLiteral("Befor running oscilloscope, the module needed identified!"));
    return;
  }
  SelectPage(mpScope);
}

void TVDXMainForm::SelectPage(TMainPage Page) {
  // The page set reports a change only; selecting the page shown does nothing.
  FPages.NbMain->setCurrentIndex(Page);
}

void TVDXMainForm::SetTerminalControlsEnabled(bool Enabled) {
  for (QWidget* Button :
       {FButtons.SBtnClearTerminal, FButtons.SBtnOpenTerminal, FButtons.SBtnSaveTerminal})
    Button->setEnabled(Enabled);
  for (QAction* Item : {FMenus.MMINew, FMenus.MMIOpen, FMenus.MMISave, FMenus.MMISaveAs,
                        FMenus.MMICut, FMenus.MMICopy, FMenus.MMIPaste})
    Item->setEnabled(Enabled);
  FMenus.Edit->menuAction()->setEnabled(Enabled);
}

void TVDXMainForm::NbMainPageChanged() {
  const TMainPage Page = CurrentPage();
  if (Page != mpScope) StopScopeSampling(true);

  switch (Page) {
    case mpParameter:
      FModProt->SetOperatingMode(omIdle);
      SetTerminalControlsEnabled(false);
      FButtons.SBtnPrint->setEnabled(FModProt->ModuleDataValid());
      break;
    case mpMonitor:
      FModProt->SetOperatingMode(omMonitor);
      SetTerminalControlsEnabled(false);
      FButtons.SBtnPrint->setEnabled(false);
      FPages.RemoteCtrlPanel->RefreshRemoteControl();
      break;
    case mpScope:
      FModProt->SetOperatingMode(omScope);
      SetTerminalControlsEnabled(false);
      FButtons.SBtnPrint->setEnabled(true);
      StartScopeSampling();
      break;
    case mpTerminal:
      FModProt->SetOperatingMode(omTerminal);
      SetTerminalControlsEnabled(true);
      FButtons.SBtnPrint->setEnabled(true);
      // Over a half-duplex line the classic firmware update owns the line.
      if (!(ClassicFirmwareMode() && FModProt->TransferMode() == tmHalfDuplex))
        SendTerminalCarriageReturn();
      FPages.VDXTermEditor->setFocus();
      break;
  }
  ScopePageChanged(Page);

  const bool Identified = FModProt->ModuleDataValid();
  FButtons.SBtnParamList->setEnabled(Page != mpParameter && !ClassicFirmwareMode());
  FButtons.SBtnMonitor->setEnabled(Page != mpMonitor && Identified);
  FButtons.SBtnScope->setEnabled(Page != mpScope && Identified);
  FButtons.SBtnTerminal->setEnabled(Page != mpTerminal);
  UpdateTerminalRx();

  // The cursor readouts belong to page "Scope".
  RefreshCursorInfo(FModProt->OperatingMode() == omScope);
  UpdateFileMenu();
}

void TVDXMainForm::SendTerminalCarriageReturn() {
  // One carriage return as a typed terminal key, so the module answers with a fresh prompt.
  // The terminal path sends keys only in terminal mode on an open port and swallows errors.
  FModProt->SendTerminalChar('\r');
}

void TVDXMainForm::StartScopeSampling() {
  // The sampling timer polls the channels' values in its own thread.
  const int Interval = ScopeSamplingIntervalMs(FModProt->BaudRate(), FModProt->TransferMode());
  FScope->SetDataSampleRate(static_cast<uint32_t>(Interval));
  FModProt->StartScopeSampling(static_cast<uint32_t>(Interval));
}

void TVDXMainForm::StopScopeSampling(bool WaitForRound) {
  if (!FModProt->ScopeSampling()) return;
  FModProt->StopScopeSampling();
  // A sampling round already running finishes before the mode changes.
  if (WaitForRound) QThread::msleep(250);
}

void TVDXMainForm::UpdateFileMenu() {
  const bool Identified = FModProt->ModuleDataValid();
  const TMainPage Page = CurrentPage();
  FMenus.MMILoadOfflineCmdList->setEnabled(!FConnected);
  FMenus.MMISaveCmdList->setEnabled(Identified);
  FMenus.MMIExportReport->setEnabled(Identified);
  FMenus.MMICompareFile->setEnabled(Identified);
  FMenus.MMIPrint->setEnabled((Page == mpParameter && Identified) || Page == mpScope ||
                              Page == mpTerminal);
}

}  // namespace vdx::ui
