// The firmware update dialog: behind a key page for service staff, it drives the module's
// bootloader step by step (Start, Erase, Program) or, in short mode, in one click, and sends
// the chosen S-record file. A damaged file is refused before the module is touched. Before the
// bootloader is entered the identified module's parameters are saved, and after a finished
// update they can be written back.
#pragma once

#include <QDialog>
#include <QKeyCombination>
#include <QString>
#include <functional>

#include "params/ParameterBackup.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace vdx {
class TVDXModCommProt;
}

namespace vdx::ui {

// True when FileName is a sound S-record file; otherwise tells the user which line is damaged
// and returns false. Runs before anything of the file reaches the bootloader.
bool FirmwareFileSound(const QString& FileName);

class TFWUpdateDlg : public QDialog {
 public:
  // The chord that unlocks "Start" on the key page: F12 with exactly Ctrl and Shift held.
  static constexpr QKeyCombination kUnlockChord{Qt::ControlModifier | Qt::ShiftModifier,
                                                Qt::Key_F12};
  enum { pgKey = 0, pgMain = 1 };

  struct TControls {
    QStackedWidget* NB = nullptr;
    QListWidget* LBoxSecKeyInput = nullptr;
    QLineEdit* LEditFWFile = nullptr;
    QToolButton* SBtnSelFWFile = nullptr;
    QLabel* ErrLabelStartUpdate = nullptr;
    QLabel* StatusInfoLabel = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* BtnStart = nullptr;
    QPushButton* BtnErase = nullptr;
    QPushButton* BtnProgram = nullptr;
    QPushButton* BtnCancel = nullptr;
    QLabel* BackupInfoLabel = nullptr;  // where the parameter backup went, or why there is none
    QPushButton* BtnRestore = nullptr;  // shown after "Finish" when a backup was saved
  };

  explicit TFWUpdateDlg(QWidget* Parent = nullptr);

  // Prepares the dialog and shows it modally; false, without showing it, when Prot is null.
  bool Execute(TVDXModCommProt* Prot, const QString& LastFile, bool ShortMode);
  // The preparation of Execute without showing the dialog.
  bool Prepare(TVDXModCommProt* Prot, const QString& LastFile, bool ShortMode);

  const QString& FirmwareFile() const { return FFirmwareFile; }
  const TControls& Controls() const { return FC; }
  // Starting folder of the file selection when the selected file's folder does not exist.
  void SetToolFolder(const QString& Folder) { FToolFolder = Folder; }
  // Identifies the module before a restore; true when it is identified. Without one the
  // protocol component identifies it alone.
  void SetIdentifyAction(std::function<bool()> Identify) { FIdentify = std::move(Identify); }
  // The parameter backup of this run of the dialog.
  const TParameterBackup& Backup() const { return FBackup; }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void showEvent(QShowEvent* Event) override;

 private:
  void SecKeyPressed(QKeyCombination Key);
  void SBtnSelFWFileClick();
  void BtnStartClick();
  void BtnEraseClick();
  void BtnProgramClick();
  void ProgramStepMode();
  void ProgramShortMode();
  void BtnCancelClick();
  // Saves the parameters once per run of the dialog, before the bootloader is first entered.
  void BackUpParameters();
  void BtnRestoreClick();
  void SetBackupInfo(const QString& Text, bool Error);
  // Sends the firmware file with the progress bar moving; false when the transfer failed.
  bool SendFirmware();
  // FirmwareFileSound for the selected file; with AllowNone also true when none is selected.
  bool SelectedFileSound(bool AllowNone) const;
  bool FirmwareFileExists() const;
  void SetStatus(const QString& Text, bool Error);
  void FocusIfEnabled(QPushButton* Button);

  TControls FC;
  TVDXModCommProt* FProt = nullptr;
  QString FFirmwareFile;
  QString FToolFolder;
  std::function<bool()> FIdentify;
  TParameterBackup FBackup;
  bool FShortMode = false;
  int FEraseTag = 0;   // 1 after a successful erase in this run
  int FCancelTag = 0;  // 1 while the bootloader entered by "Start" must be left on cancel
};

}  // namespace vdx::ui
