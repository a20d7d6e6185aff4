// The "Parameter Input" dialog: edits the value of one parameter command in place, with one
// page per kind of parameter. It only changes the command; sending it is the caller's task.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <memory>

class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace vdx {
class TModCtrlCommand;
}

namespace vdx::ui {

class TAinParaPage;
class TCCParaPage;
class TNumParaPage;
class TTextParaPage;

struct TParamEditOptions {
  bool ShowCmdGrpInfo = false;  // the comment adds the command's group names
  bool ShowDecimals = false;    // hundredths are shown with two decimals
  bool AinCommandUI = false;    // analogue input kinds "U"/"I" instead of "V"/"C"
};

// The dialog window, made once and reused for every command.
class TParamListEditDlgForm : public QDialog {
 public:
  explicit TParamListEditDlgForm(QWidget* Parent = nullptr);

  // Sets caption, size, page and fields for Cmd; false (nothing changed) for a command that is
  // not a text, numeric, curve or analogue input parameter.
  bool Prepare(TModCtrlCommand* Cmd, const TParamEditOptions& Options);
  // Writes the shown page's input into the command.
  void StoreInput();

  // Checks a number field by the number rule and its range; an invalid text is put back to the
  // command's value, an out-of-range one to the violated limit, and the field keeps the focus.
  bool ValidateEdit(QLineEdit* Edit);
  QLineEdit* LastEdit() const { return FLastEdit; }
  TModCtrlCommand* Cmd() const { return FCmd; }

  QStackedWidget* NB = nullptr;
  QPlainTextEdit* MemoComment = nullptr;
  QPushButton* BBtnOK = nullptr;
  QPushButton* BBtnCancel = nullptr;
  TTextParaPage* TextPage = nullptr;
  TNumParaPage* NumPage = nullptr;
  TAinParaPage* AinPage = nullptr;
  TCCParaPage* CCPage = nullptr;

 protected:
  void showEvent(QShowEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  // Closing with OK first validates the number field last used.
  void done(int Result) override;
  // Key filter, entering and leaving of the number fields.
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  bool IsNumberEdit(QObject* Object) const;
  void PlaceButtons();

  TModCtrlCommand* FCmd = nullptr;
  QPointer<QLineEdit> FLastEdit;
};

// The dialog as the grid uses it: the window and the three display options.
class TParamListEditDlg {
 public:
  TParamListEditDlg();
  ~TParamListEditDlg();
  TParamListEditDlg(const TParamListEditDlg&) = delete;
  TParamListEditDlg& operator=(const TParamListEditDlg&) = delete;

  // Runs the dialog modally for Cmd. True when closed with OK and the command was updated;
  // false for a command it does not edit (nothing shown) or when cancelled.
  bool Execute(TModCtrlCommand* Cmd);

  // The window the dialog is centred on (the main window); none: the active window.
  void SetOwnerWindow(QWidget* Window) { FOwner = Window; }
  TParamListEditDlgForm& Form() { return *FForm; }

  TParamEditOptions Options;

 private:
  std::unique_ptr<TParamListEditDlgForm> FForm;
  QPointer<QWidget> FOwner;
};

}  // namespace vdx::ui
