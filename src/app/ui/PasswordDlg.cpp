#include "app/ui/PasswordDlg.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/MessageService.h"

namespace vdx::ui {

TSimplePasswForm::TSimplePasswForm()
    : FLEditPassword(new QLineEdit(this)),
      FBBtnOk(new QPushButton("OK", this)),
      FBBtnCancel(new QPushButton("Cancel", this)) {
  setWindowTitle("Enter Password");
  setFont(QFont("Arial", 8));
  FLEditPassword->setObjectName("LEditPassword");
  FBBtnOk->setObjectName("BBtnOk");
  FBBtnCancel->setObjectName("BBtnCancel");
  FBBtnOk->setDefault(true);

  auto* Label = new QLabel("Password", this);
  Label->setBuddy(FLEditPassword);
  auto* Buttons = new QHBoxLayout;
  Buttons->addStretch();
  Buttons->addWidget(FBBtnOk);
  Buttons->addWidget(FBBtnCancel);
  auto* Layout = new QVBoxLayout(this);
  Layout->addWidget(Label);
  Layout->addWidget(FLEditPassword);
  Layout->addStretch();
  Layout->addLayout(Buttons);
  setFixedSize(303, 157);

  connect(FBBtnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(FBBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TSimplePasswForm::done(int Result) {
  if (Result == QDialog::Accepted && OnCloseQuery && !OnCloseQuery()) return;
  QDialog::done(Result);
}

void TSimplePasswForm::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (FLEditPassword->isEnabled()) FLEditPassword->setFocus();
}

TPasswordDlg::TPasswordDlg() : FForm(std::make_unique<TSimplePasswForm>()) {
  FForm->LEditPassword()->installEventFilter(this);
  FForm->OnCloseQuery = [this] { return CheckOnClose(); };
}

// The filter goes before the form: events sent while the form is being destroyed must not
// reach a half-destroyed form.
TPasswordDlg::~TPasswordDlg() { FForm->LEditPassword()->removeEventFilter(this); }

bool TPasswordDlg::Execute(QString& Password) {
  FPassword.clear();
  Password.clear();
  ClearInput();
  if (FForm->exec() != QDialog::Accepted) return false;
  Password = FPassword;
  return true;
}

// Character keys in the field build the password: backspace drops its last character and
// reaches the field as it is; any other character is kept and reaches the field as "*".
// Keys without a printable character (Delete, arrows, shortcuts, Enter) pass unchanged.
bool TPasswordDlg::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched != FForm->LEditPassword() || Event->type() != QEvent::KeyPress) return false;
  const auto* Key = static_cast<QKeyEvent*>(Event);
  if (Key->key() == Qt::Key_Backspace) {
    if (!FPassword.isEmpty()) FPassword.chop(1);
    return false;
  }
  const QString Text = Key->text();
  if (Text.isEmpty()) return false;
  for (const QChar Char : Text)
    if (Char.category() == QChar::Other_Control) return false;
  FPassword += Text;
  FForm->LEditPassword()->insert(QString(Text.size(), QChar('*')));
  return true;
}

bool TPasswordDlg::CheckOnClose() {
  if (!OnPasswordCheckReq) return true;
  bool CheckOk = false;
  OnPasswordCheckReq(*this, FPassword, CheckOk);
  if (CheckOk) return true;
  if (ShowMessage(TMessageKind::Confirmation, "The password is incorrect! Retry?",
                  TMessageButtons::OkCancel) != QMessageBox::Ok)
    return true;
  FPassword.clear();
  ClearInput();
  FForm->LEditPassword()->setFocus();
  return false;
}

void TPasswordDlg::ClearInput() { FForm->LEditPassword()->clear(); }

}  // namespace vdx::ui
