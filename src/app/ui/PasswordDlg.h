// Asks for a module password. The field shows one asterisk per typed character; the real text
// is built key by key and handed to the owner for checking when the user presses OK. A refused
// password offers another try.
#pragma once

#include <QDialog>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLineEdit;
class QPushButton;

namespace vdx::ui {

// The entry form: caption "Enter Password", a labelled field "Password" (LEditPassword), OK
// (BBtnOk, the default button) and "Cancel" (BBtnCancel). Centred on the desktop.
class TSimplePasswForm : public QDialog {
 public:
  TSimplePasswForm();

  QLineEdit* LEditPassword() const { return FLEditPassword; }
  QPushButton* BBtnOk() const { return FBBtnOk; }
  QPushButton* BBtnCancel() const { return FBBtnCancel; }

  // Asked when the form is about to close with OK; returning false keeps it open. Closing with
  // Cancel, Escape or the window's close button never asks.
  std::function<bool()> OnCloseQuery;

  void done(int Result) override;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  QLineEdit* FLEditPassword;
  QPushButton* FBBtnOk;
  QPushButton* FBBtnCancel;
};

class TPasswordDlg : public QObject {
 public:
  // Sender, the typed password, and the answer: CheckOk starts false and the handler sets it.
  using TPasswordCheckRequest =
      std::function<void(TPasswordDlg& Sender, const QString& InputPassw, bool& CheckOk)>;

  TPasswordDlg();
  ~TPasswordDlg() override;

  // Runs the form modally with an empty field. True when it closes with OK; Password is then
  // the typed text (also a refused one when the user declines another try).
  bool Execute(QString& Password);

  // Raised when the user presses OK. Unassigned: OK closes at once without a check.
  TPasswordCheckRequest OnPasswordCheckReq;

  TSimplePasswForm& Form() { return *FForm; }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  bool CheckOnClose();
  void ClearInput();

  QString FPassword;
  std::unique_ptr<TSimplePasswForm> FForm;
};

}  // namespace vdx::ui
