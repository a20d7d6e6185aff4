#include "service/ui/FWUpdateDlg.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppDataFolder.h"
#include "app/ui/BusyCursor.h"
#include "app/ui/FileDialogs.h"
#include "app/ui/MessageService.h"
#include "comm/LocalTime.h"
#include "comm/ModCommProt.h"
#include "service/SRecordFile.h"

namespace vdx::ui {

namespace {

const char* const kGreen = "color: green;";
const char* const kRed = "color: red;";

QLabel* NewLabel(const QString& Text, const char* Name, QWidget* Parent) {
  auto* Label = new QLabel(Text, Parent);
  Label->setObjectName(QString::fromLatin1(Name));
  return Label;
}

QPushButton* NewButton(const QString& Caption, const char* Name, QWidget* Parent) {
  auto* Button = new QPushButton(Caption, Parent);
  Button->setObjectName(QString::fromLatin1(Name));
  Button->setAutoDefault(false);
  return Button;
}

}  // namespace

TFWUpdateDlg::TFWUpdateDlg(QWidget* Parent) : QDialog(Parent) {
  setObjectName(QStringLiteral("FWUpdateDlg"));
  setWindowTitle(QStringLiteral("Firmware update"));
  resize(417, 255);
  auto* Layout = new QVBoxLayout(this);

  QLabel* Warning = NewLabel(QStringLiteral("Warning!"), "WarningLabel", this);
  QFont Large = Warning->font();
  Large.setPointSize(16);
  Large.setBold(true);
  Warning->setFont(Large);
  Warning->setStyleSheet(QString::fromLatin1(kRed));
  Warning->setAlignment(Qt::AlignCenter);
  QLabel* Unusable =
      NewLabel(QStringLiteral("The execution of firmware update could make the module unusable!!!"),
               "WarningText", this);
  Unusable->setAlignment(Qt::AlignCenter);
  Layout->addWidget(Warning);
  Layout->addWidget(Unusable);

  FC.NB = new QStackedWidget(this);
  FC.NB->setObjectName(QStringLiteral("NB"));
  FC.LBoxSecKeyInput = new QListWidget(FC.NB);
  FC.LBoxSecKeyInput->setObjectName(QStringLiteral("LBoxSecKeyInput"));
  QFont KeyFont = FC.LBoxSecKeyInput->font();
  KeyFont.setPointSize(12);
  KeyFont.setBold(true);
  FC.LBoxSecKeyInput->setFont(KeyFont);
  FC.LBoxSecKeyInput->setStyleSheet(QString::fromLatin1(kGreen));
  FC.LBoxSecKeyInput->addItems(
      {QString(), QString(),
       QString(20, QLatin1Char(' ')) + QStringLiteral("please enter security key"), QString()});
  FC.LBoxSecKeyInput->installEventFilter(this);
  FC.NB->addWidget(FC.LBoxSecKeyInput);

  auto* Main = new QWidget(FC.NB);
  auto* MainLayout = new QVBoxLayout(Main);
  MainLayout->addWidget(NewLabel(QStringLiteral("Selected Firmware"), "LblFWFile", Main));
  auto* FileRow = new QHBoxLayout;
  FC.LEditFWFile = new QLineEdit(Main);
  FC.LEditFWFile->setObjectName(QStringLiteral("LEditFWFile"));
  FC.LEditFWFile->setReadOnly(true);
  FC.SBtnSelFWFile = new QToolButton(Main);
  FC.SBtnSelFWFile->setObjectName(QStringLiteral("SBtnSelFWFile"));
  FC.SBtnSelFWFile->setText(QStringLiteral("..."));
  FileRow->addWidget(FC.LEditFWFile, 1);
  FileRow->addWidget(FC.SBtnSelFWFile);
  MainLayout->addLayout(FileRow);
  FC.ErrLabelStartUpdate = NewLabel(
      QStringLiteral("Firmware update could not start! Check port settings or availability of "
                     "the bootloader. Restart the module and try it again! "),
      "ErrLabelStartUpdate", Main);
  FC.ErrLabelStartUpdate->setWordWrap(true);
  FC.ErrLabelStartUpdate->setStyleSheet(QString::fromLatin1(kRed));
  FC.StatusInfoLabel = NewLabel(QString(), "StatusInfoLabel", Main);
  FC.BackupInfoLabel = NewLabel(QString(), "BackupInfoLabel", Main);
  FC.BackupInfoLabel->setWordWrap(true);
  FC.BackupInfoLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  FC.ProgressBar = new QProgressBar(Main);
  FC.ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  FC.ProgressBar->setTextVisible(false);
  MainLayout->addWidget(FC.ErrLabelStartUpdate);
  MainLayout->addWidget(FC.StatusInfoLabel);
  MainLayout->addWidget(FC.BackupInfoLabel);
  MainLayout->addWidget(FC.ProgressBar);
  MainLayout->addStretch(1);
  FC.NB->addWidget(Main);
  Layout->addWidget(FC.NB, 1);

  auto* Buttons = new QHBoxLayout;
  FC.BtnStart = NewButton(QStringLiteral("Start"), "BtnStart", this);
  FC.BtnErase = NewButton(QStringLiteral("Erase"), "BtnErase", this);
  FC.BtnProgram = NewButton(QStringLiteral("Program"), "BtnProgram", this);
  FC.BtnCancel = NewButton(QStringLiteral("Cancel"), "BtnCancel", this);
  FC.BtnRestore = NewButton(QStringLiteral("Restore parameters from backup"), "BtnRestore", this);
  for (QPushButton* Button : {FC.BtnRestore, FC.BtnStart, FC.BtnErase, FC.BtnProgram, FC.BtnCancel})
    Buttons->addWidget(Button);
  Layout->addLayout(Buttons);

  connect(FC.SBtnSelFWFile, &QToolButton::clicked, this, [this] { SBtnSelFWFileClick(); });
  connect(FC.BtnStart, &QPushButton::clicked, this, [this] { BtnStartClick(); });
  connect(FC.BtnErase, &QPushButton::clicked, this, [this] { BtnEraseClick(); });
  connect(FC.BtnProgram, &QPushButton::clicked, this, [this] { BtnProgramClick(); });
  connect(FC.BtnCancel, &QPushButton::clicked, this, [this] { BtnCancelClick(); });
  connect(FC.BtnRestore, &QPushButton::clicked, this, [this] { BtnRestoreClick(); });
}

bool TFWUpdateDlg::Execute(TVDXModCommProt* Prot, const QString& LastFile, bool ShortMode) {
  if (!Prepare(Prot, LastFile, ShortMode)) return false;
  exec();
  return true;
}

bool TFWUpdateDlg::Prepare(TVDXModCommProt* Prot, const QString& LastFile, bool ShortMode) {
  FProt = Prot;
  FFirmwareFile.clear();
  FC.LEditFWFile->clear();
  FShortMode = ShortMode;
  FEraseTag = 0;
  FCancelTag = 0;
  FC.BtnCancel->setEnabled(true);
  FC.ProgressBar->hide();
  if (LastFile.endsWith(QStringLiteral(".s19")) && QFileInfo::exists(LastFile)) {
    FFirmwareFile = LastFile;
    FC.LEditFWFile->setText(LastFile);
    FC.LEditFWFile->setCursorPosition(LastFile.size());
  }
  FC.ErrLabelStartUpdate->hide();
  SetStatus(QString(), false);
  FC.StatusInfoLabel->hide();
  FC.BtnCancel->setText(QStringLiteral("Cancel"));
  FBackup = {};
  SetBackupInfo(QString(), false);
  FC.BackupInfoLabel->hide();
  FC.BtnRestore->hide();
  FC.BtnRestore->setEnabled(true);
  if (!Prot) return false;
  FC.BtnStart->setVisible(!ShortMode);
  FC.BtnErase->setVisible(!ShortMode);
  if (ShortMode) {
    FC.NB->setCurrentIndex(pgMain);
    FC.BtnProgram->setEnabled(FirmwareFileExists());
  } else {
    for (QPushButton* Button : {FC.BtnStart, FC.BtnErase, FC.BtnProgram}) Button->setEnabled(false);
    FC.NB->setCurrentIndex(pgKey);
  }
  return true;
}

void TFWUpdateDlg::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (FShortMode)
    FC.BtnProgram->setFocus();
  else
    FC.LBoxSecKeyInput->setFocus();
}

bool TFWUpdateDlg::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FC.LBoxSecKeyInput && Event->type() == QEvent::KeyPress &&
      FC.NB->currentIndex() == pgKey) {
    const auto* Key = static_cast<QKeyEvent*>(Event);
    // The keypad flag says where a key sits, not which modifiers are held.
    SecKeyPressed(
        QKeyCombination(Key->modifiers() & ~Qt::KeypadModifier, static_cast<Qt::Key>(Key->key())));
    return true;
  }
  return QDialog::eventFilter(Watched, Event);
}

void TFWUpdateDlg::SecKeyPressed(QKeyCombination Key) {
  FC.BtnStart->setEnabled(Key == kUnlockChord);
  if (!FC.BtnStart->isEnabled()) return;
  FC.NB->setCurrentIndex(pgMain);
  FC.BtnStart->setFocus();
}

bool TFWUpdateDlg::FirmwareFileExists() const {
  return !FFirmwareFile.isEmpty() && QFileInfo::exists(FFirmwareFile);
}

bool FirmwareFileSound(const QString& FileName) {
  const TSRecordCheck Check = CheckSRecordFile(FileName.toStdString());
  if (Check.Ok) return true;
  const QString Where = Check.Line > 0 ? QStringLiteral(" in line %1").arg(Check.Line) : QString();
  ShowMessage(TMessageKind::Error,
              QStringLiteral("The firmware file \"%1\" is damaged%2: %3. Nothing was sent to "
                             "the module.")
                  .arg(FileName, Where, QString::fromStdString(Check.Reason)));
  return false;
}

bool TFWUpdateDlg::SelectedFileSound(bool AllowNone) const {
  if (FFirmwareFile.isEmpty() && AllowNone) return true;
  return FirmwareFileSound(FFirmwareFile);
}

void TFWUpdateDlg::SetStatus(const QString& Text, bool Error) {
  FC.StatusInfoLabel->setStyleSheet(QString::fromLatin1(Error ? kRed : kGreen));
  FC.StatusInfoLabel->setText(Text);
}

void TFWUpdateDlg::SetBackupInfo(const QString& Text, bool Error) {
  FC.BackupInfoLabel->setStyleSheet(QString::fromLatin1(Error ? kRed : kGreen));
  FC.BackupInfoLabel->setText(Text);
  FC.BackupInfoLabel->setVisible(!Text.isEmpty());
}

void TFWUpdateDlg::BackUpParameters() {
  if (FBackup.Saved) return;
  FBackup = SaveParameterBackup(*FProt, AppDataFolder(), LocalNow());
  SetBackupInfo(QString::fromStdString(FBackup.Message), !FBackup.Saved);
  QApplication::processEvents();
}

void TFWUpdateDlg::BtnRestoreClick() {
  FC.BtnRestore->setEnabled(false);
  FC.BtnCancel->setEnabled(false);
  const QString File = QString::fromStdString(FBackup.FileName);
  bool Restored = false;
  {
    TBusyCursor Busy;
    std::string Id;
    if (FIdentify ? FIdentify() : FProt->Identify(Id)) {
      const uint8_t Result = RestoreParameterBackup(*FProt, FBackup.FileName);
      Restored = Result == irDone;
      SetBackupInfo(
          QString::fromStdString(RestoreMessage(Result, FBackup.FileName, FProt->FileError())),
          !Restored);
    } else {
      SetBackupInfo(QStringLiteral("The module could not be identified; nothing was restored. "
                                   "The backup stays in \"%1\".")
                        .arg(File),
                    true);
    }
  }
  FC.BtnRestore->setEnabled(!Restored);
  FC.BtnCancel->setEnabled(true);
  FC.BtnCancel->setFocus();
}

void TFWUpdateDlg::FocusIfEnabled(QPushButton* Button) {
  if (Button->isVisible() && Button->isEnabled()) Button->setFocus();
}

void TFWUpdateDlg::SBtnSelFWFileClick() {
  TFileDialogRequest Request;
  Request.Kind = TFileDialogRequest::fdOpen;
  const QString Folder = QFileInfo(FFirmwareFile).absolutePath();
  Request.Directory = !FFirmwareFile.isEmpty() && QDir(Folder).exists() ? Folder : FToolFolder;
  Request.Filters = {QStringLiteral("Firmware - Files (*.s19)"), QStringLiteral("All (*.*)")};
  Request.DefaultSuffix = QStringLiteral("s19");
  const QString File = AskFileName(Request, this);
  if (File.isEmpty()) return;
  if (!QFileInfo::exists(File)) {
    FC.LEditFWFile->clear();
    FFirmwareFile.clear();
    return;
  }
  FC.LEditFWFile->setText(File);
  FC.LEditFWFile->setCursorPosition(File.size());
  FFirmwareFile = File;
  FC.BtnProgram->setEnabled(FEraseTag == 1 || FShortMode);
  FocusIfEnabled(FC.BtnProgram);
}

void TFWUpdateDlg::BtnStartClick() {
  if (!SelectedFileSound(true)) return;
  FC.BtnCancel->setEnabled(false);
  FC.ErrLabelStartUpdate->hide();
  QApplication::processEvents();
  bool Ok;
  {
    TBusyCursor Busy;
    BackUpParameters();
    Ok = FProt->BootloaderStep(bsStart);
  }
  FC.BtnErase->setEnabled(Ok);
  if (Ok) FCancelTag = 1;
  FC.BtnCancel->setEnabled(true);
  FC.BtnStart->setEnabled(!Ok);
  FC.ErrLabelStartUpdate->setVisible(!Ok);
  FocusIfEnabled(FC.BtnErase);
}

void TFWUpdateDlg::BtnEraseClick() {
  if (!SelectedFileSound(true)) return;
  FC.BtnCancel->setEnabled(false);
  FC.BtnErase->setEnabled(false);
  bool Ok;
  {
    TBusyCursor Busy;
    Ok = FProt->BootloaderStep(bsErase);
  }
  if (Ok) {
    FEraseTag = 1;
    FC.BtnProgram->setEnabled(FirmwareFileExists());
    FocusIfEnabled(FC.BtnProgram);
  } else {
    FC.BtnErase->setEnabled(true);
  }
  FC.BtnCancel->setEnabled(true);
}

void TFWUpdateDlg::BtnProgramClick() {
  if (FShortMode)
    ProgramShortMode();
  else
    ProgramStepMode();
}

bool TFWUpdateDlg::SendFirmware() {
  FC.ProgressBar->setRange(0, 0);
  FC.ProgressBar->setValue(0);
  FC.ProgressBar->show();
  const bool Ok =
      FProt->SendFirmwareFile(FFirmwareFile.toStdString(), [this](size_t Done, size_t Total) {
        if (FC.ProgressBar->maximum() != static_cast<int>(Total))
          FC.ProgressBar->setRange(0, static_cast<int>(Total));
        FC.ProgressBar->setValue(static_cast<int>(Done));
        QCoreApplication::processEvents();
      });
  FC.ProgressBar->hide();
  return Ok;
}

void TFWUpdateDlg::ProgramStepMode() {
  FC.BtnProgram->setEnabled(false);
  if (!SelectedFileSound(false)) {
    FC.BtnProgram->setEnabled(FirmwareFileExists());
    return;
  }
  TBusyCursor Busy;
  if (!FProt->BootloaderStep(bsProgram)) return;
  FC.BtnCancel->setEnabled(false);
  if (SendFirmware()) {
    if (FProt->BootloaderStep(bsRunApplication)) {
      FC.BtnCancel->setText(QStringLiteral("Finish"));
      FCancelTag = 0;
      FC.BtnRestore->setVisible(FBackup.Saved);
    } else {
      FC.BtnCancel->setText(QStringLiteral("Cancel"));
    }
  } else {
    // A lost line or a bootloader that did not confirm: the module still needs a firmware.
    SetStatus(QStringLiteral("Programming failed! The firmware was not taken completely."), true);
    FC.StatusInfoLabel->show();
  }
  FC.BtnCancel->setEnabled(true);
  FC.BtnCancel->setFocus();
}

void TFWUpdateDlg::ProgramShortMode() {
  FC.BtnProgram->setEnabled(false);
  FC.ErrLabelStartUpdate->hide();
  FC.StatusInfoLabel->hide();
  FC.BtnCancel->setText(QStringLiteral("Cancel"));
  FC.BtnCancel->setEnabled(false);
  QApplication::processEvents();
  bool Ok = SelectedFileSound(false);
  if (Ok) {
    TBusyCursor Busy;
    BackUpParameters();
    SetStatus(QStringLiteral("starting!"), false);
    FC.StatusInfoLabel->show();
    Ok = FProt->BootloaderStep(bsStart);
    if (Ok) {
      SetStatus(QStringLiteral("erasing!"), false);
      bool Sent = true;
      if (FProt->BootloaderStep(bsErase) && FProt->BootloaderStep(bsProgram)) {
        SetStatus(QStringLiteral("programming!"), false);
        Sent = SendFirmware();
        if (Sent)
          SetStatus(QStringLiteral("Ready!"), false);
        else
          SetStatus(QStringLiteral("Programming failed! The firmware was not taken completely."),
                    true);
      }
      Ok = FProt->BootloaderStep(bsRunApplication);
      if (!Ok && Sent) SetStatus(QStringLiteral("checksum error!"), true);
    } else {
      FC.ErrLabelStartUpdate->show();
    }
  }
  if (Ok) {
    FC.StatusInfoLabel->hide();
    accept();
    return;
  }
  FC.BtnCancel->setEnabled(true);
  FC.BtnProgram->setEnabled(true);
  FC.BtnProgram->setFocus();
}

void TFWUpdateDlg::BtnCancelClick() {
  if (FCancelTag == 1) {
    TBusyCursor Busy;
    FProt->BootloaderStep(bsRunApplication);
  }
  reject();
}

}  // namespace vdx::ui
