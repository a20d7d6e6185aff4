// The about box: product, version and company texts, the company's e-mail and web links and a
// summary of the computer. Typing the hidden input text right after the box opens leads to the
// hidden options.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <functional>

#include "app/ApplInfo.h"

class QLabel;
class QPlainTextEdit;

namespace vdx::ui {

class TApplOptions;

// The form. Labels: LabProdukt, LabVersion, LabCopyRight, MemoProduktDes, CompanyLogo,
// AdrLabel, EMailLabel, WebLabel, LabelSysInfo, LabelMemInfo; button BtnOk.
class TAboutDlgForm : public QDialog {
 public:
  explicit TAboutDlgForm(QWidget* Parent = nullptr);

  void SetTexts(const TAboutTexts& Texts);
  void SetLogo(const QPixmap& Logo);

  // Every key that gives a character (backspace included) while the box is shown is added to
  // a buffer emptied when the box is shown; whenever the buffer equals Text exactly, Callback
  // runs. There is no second chance after a wrong key until the box is shown again.
  void SetHiddenInput(const QString& Text, std::function<void()> Callback);
  const QString& TypedText() const { return FTyped; }

 protected:
  void showEvent(QShowEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  QLabel* FLabProdukt;
  QLabel* FLabVersion;
  QLabel* FLabCopyRight;
  QPlainTextEdit* FMemoProduktDes;
  QLabel* FCompanyLogo;
  QLabel* FAdrLabel;
  QLabel* FEMailLabel;
  QLabel* FWebLabel;
  QLabel* FLabelSysInfo;
  QLabel* FLabelMemInfo;
  QString FHiddenText;
  std::function<void()> FHiddenCallback;
  QString FTyped;
};

// Shows the about box for the application information and routes the hidden input.
class TAboutBox {
 public:
  // Info: not owned, must outlive this. Owner: the window the box is centred on; may be null.
  TAboutBox(TApplInfo& Info, QWidget* Owner = nullptr);
  ~TAboutBox();
  TAboutBox(const TAboutBox&) = delete;
  TAboutBox& operator=(const TAboutBox&) = delete;

  // The options the hidden input edits; the link is cleared when they are destroyed.
  void SetApplOptions(TApplOptions* Options);
  TApplOptions* ApplOptions() const;
  // Raised instead of editing options when the hidden input is typed and no options are set.
  std::function<void(TAboutBox& Sender)> OnHiddenOptSetReq;

  // The logo starts as a drawn default.
  void SetCompanyLogo(const QPixmap& Logo);
  const QPixmap& CompanyLogo() const { return FCompanyLogo; }

  // Fills the box from the application information and runs it modally; true when it closes
  // with OK. After the hidden input the box closes (false) and the hidden options dialog runs,
  // or OnHiddenOptSetReq is raised.
  bool ShowAboutBox();

  TAboutDlgForm& Form() { return *FForm; }

 private:
  void FillAboutBox();
  void HiddenInputEntered();

  TApplInfo& FInfo;
  QPointer<TAboutDlgForm> FForm;
  QPointer<TApplOptions> FApplOptions;
  QPixmap FCompanyLogo;
  std::function<void()> FAfterClose;
};

}  // namespace vdx::ui
