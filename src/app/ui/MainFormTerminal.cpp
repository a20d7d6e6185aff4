// The terminal page and the firmware update as the main window drives them: the terminal
// view and its receive notifier, the terminal's files, clipboard and printout, the firmware
// update dialog and the classic update through the terminal.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextEdit>
#include <QToolButton>

#include "app/ToolSettings.h"
#include "app/ui/BusyCursor.h"
#include "app/ui/ErrorGuard.h"
#include "app/ui/FileDialogs.h"
#include "app/ui/MainForm.h"
#include "app/ui/MessageService.h"
#include "app/ui/OptionsDlg.h"
#include "service/RtfCodec.h"
#include "service/ui/FWUpdateDlg.h"
#include "service/ui/VDXPTerminal.h"

namespace vdx::ui {

namespace {

const QStringList kTerminalFilters = {QStringLiteral("Terminalfenster (*.rtf)")};
const QStringList kFirmwareFilters = {QStringLiteral("Firmware - Files (*.s19)"),
                                      QStringLiteral("All (*.*)")};

}  // namespace

void TVDXMainForm::SetupTerminal() {
  FVDXPTerminal = std::make_unique<TVDXPTerminal>();
  FVDXPTerminal->SetTerminalEditor(FPages.VDXTermEditor);
  FModProt->SetTerminal(FVDXPTerminal.get());
  FTerminalRx = std::make_unique<TTerminalRxNotifier>(*FModProt);
}

void TVDXMainForm::ReleaseTerminal() {
  FTerminalRx.reset();
  FModProt->SetTerminal(nullptr);
  FVDXPTerminal.reset();
}

void TVDXMainForm::UpdateTerminalRx() { FTerminalRx->Update(); }

bool TVDXMainForm::TerminalRxEnabled() const { return FTerminalRx->Enabled(); }

void TVDXMainForm::ClearTerminalActExecute() {
  FTerminalFile.clear();
  FPages.VDXTermEditor->clear();
}

void TVDXMainForm::OpenTerminalActExecute() {
  TFileDialogRequest Request;
  Request.Kind = TFileDialogRequest::fdOpen;
  Request.Filters = kTerminalFilters;
  const QString FileName = AskFileName(Request, this);
  if (FileName.isEmpty()) return;
  FTerminalFile = FileName;
  FPages.VDXTermEditor->clear();
  std::string Text, Error;
  bool Loaded;
  {
    TBusyCursor Busy;
    Loaded = LoadTerminalFile(FileName.toStdString(), Text, Error);
  }
  if (!Loaded) {
    ShowMessage(TMessageKind::Error, QString::fromStdString(Error));
    return;
  }
  FPages.VDXTermEditor->setPlainText(QString::fromLatin1(Text));
  FPages.VDXTermEditor->moveCursor(QTextCursor::End);
}

void TVDXMainForm::SaveTerminalActExecute() {
  if (FTerminalFile.isEmpty())
    SaveTerminalAs();
  else
    WriteTerminalFile(FTerminalFile);
}

void TVDXMainForm::SaveTerminalAs() {
  TFileDialogRequest Request;
  Request.Kind = TFileDialogRequest::fdSave;
  Request.Filters = kTerminalFilters;
  Request.DefaultSuffix = QStringLiteral("rtf");
  Request.ConfirmOverwrite = true;
  const QString FileName = AskFileName(Request, this);
  if (!FileName.isEmpty()) WriteTerminalFile(FileName);
}

void TVDXMainForm::WriteTerminalFile(const QString& FileName) {
  std::string Error;
  bool Saved;
  {
    TBusyCursor Busy;
    // The editor holds 8-bit text with one LF per line end, as the files keep it.
    Saved = SaveTerminalFile(FileName.toStdString(),
                             FPages.VDXTermEditor->toPlainText().toLatin1().toStdString(), Error);
  }
  if (!Saved) ShowMessage(TMessageKind::Error, QString::fromStdString(Error));
}

bool TVDXMainForm::PrintTerminal(QPrinter& Printer) { return FVDXPTerminal->Print(Printer); }

void TVDXMainForm::SetFirmwareUpdateState(bool On, bool ShowTerminal, bool StatusText) {
  FButtons.SBtnConnect->setEnabled(!On);
  if (On) {
    FConnected = true;
    FStatus->SetText(spPortState, QStringLiteral("port open"));
    FStatus->SetText(spModuleId, StatusText ? QStringLiteral("Firmware update!!!") : QString());
    SetConnectGlyph(true);
    FButtons.SBtnMonitor->setEnabled(false);
    FButtons.SBtnScope->setEnabled(false);
    if (ShowTerminal) SelectPage(mpTerminal);
    FOptionsDlg->SetPortSettingsEnabled(false);
  } else {
    FStatus->SetText(spModuleId, QString());
  }
  FStatus->SetText(spBaudrate, QString::fromStdString(BaudrateName(FModProt->BaudRate())));
  FButtons.CBoxPortSel->setEnabled(!On);
  FButtons.SBIdentify->setEnabled(!On);
  FButtons.SBtnParamList->setEnabled(!On && CurrentPage() != mpParameter);
  FButtons.SBtnTerminal->setEnabled(!On && CurrentPage() != mpTerminal);
  UpdateTerminalRx();
}

void TVDXMainForm::MMIFWUAssClick() {
  TToolSettings& Settings = FOptionsDlg->Settings();
  SetFirmwareUpdateState(true, false, false);
  FFWUpdateDlg->SetToolFolder(QString::fromStdString(FToolFolder));
  // The bootloader dialogue owns every received byte while the dialog is open.
  FTerminalRx->SetSuspended(true);
  // A restore from the parameter backup identifies the module as the Identify button does.
  bool Reidentified = false;
  FFWUpdateDlg->SetIdentifyAction([this, &Reidentified] {
    IdentifyActExecute();
    Reidentified = FModProt->ModuleDataValid();
    return Reidentified;
  });
  const bool Shown = FFWUpdateDlg->Execute(
      FModProt.get(), QString::fromStdString(Settings.LastFirmware()), Settings.SFWUpdate());
  FFWUpdateDlg->SetIdentifyAction({});
  FTerminalRx->SetSuspended(false);
  if (Shown)
    RunGuarded([&] { Settings.SetLastFirmware(FFWUpdateDlg->FirmwareFile().toStdString()); });
  SetFirmwareUpdateState(false, false, false);
  if (Reidentified) FStatus->SetText(spModuleId, QString::fromLatin1(FModProt->ModuleId()));
  // The short update closes the dialog at once; what became of the backup is told here.
  if (Shown && FFWUpdateDlg->result() == QDialog::Accepted) {
    const TParameterBackup& Backup = FFWUpdateDlg->Backup();
    ShowMessage(Backup.Saved ? TMessageKind::Information : TMessageKind::Warning,
                QString::fromStdString(Backup.Message) +
                    (Backup.Saved ? QStringLiteral(".\nAfter identifying the module, \"Export "
                                                   "parameter to Modul\" with this file restores "
                                                   "the parameters.")
                                  : QStringLiteral(".")));
  }
}

void TVDXMainForm::MMIFirmwareUpdClick() {
  QAction* Item = FMenus.MMIEnableFWUpdate;
  // The item has toggled its check mark already; switching on needs a confirmation.
  if (Item->isChecked() &&
      ShowMessage(TMessageKind::Warning,
                  QStringLiteral("Attention! You will start firmware update!!!\nAre you really "
                                 "sure that you want to continue?"),
                  TMessageButtons::YesNo) != QMessageBox::Yes) {
    Item->setChecked(false);
    return;
  }
  {
    TBusyCursor Busy;
    FModProt->SetFirmwareUpdateMode(Item->isChecked());
  }
  const bool On = FModProt->FirmwareUpdateMode();
  Item->setChecked(On);
  SetFirmwareUpdateState(On, true, true);
  FMenus.MMISendFirmware->setEnabled(On);
}

void TVDXMainForm::MMISendFirmwareClick() {
  TToolSettings& Settings = FOptionsDlg->Settings();
  const QString Stored = QString::fromStdString(Settings.FirmwarePath());
  TFileDialogRequest Request;
  Request.Kind = TFileDialogRequest::fdOpen;
  Request.Directory =
      !Stored.isEmpty() && QDir(Stored).exists() ? Stored : QString::fromStdString(FToolFolder);
  Request.Filters = kFirmwareFilters;
  Request.DefaultSuffix = QStringLiteral("s19");
  const QString FileName = AskFileName(Request, this);
  if (FileName.isEmpty() || !FirmwareFileSound(FileName)) return;
  {
    TBusyCursor Busy;
    // The bootloader's answers keep coming to the terminal while the file goes out.
    FModProt->SendFirmwareClassic(FileName.toStdString(),
                                  [](size_t, size_t) { QCoreApplication::processEvents(); });
  }
  UpdateTerminalRx();
  Settings.SetFirmwarePath((QFileInfo(FileName).absolutePath() + QLatin1Char('/')).toStdString());
}

}  // namespace vdx::ui
