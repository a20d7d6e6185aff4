// The hidden "Options" dialog: a check list (ChkLBox) with OK and Cancel.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

class QListWidget;

namespace vdx::ui {

class TApplOptionsDlgForm : public QDialog {
 public:
  // Parent: the window the dialog is centred on.
  explicit TApplOptionsDlgForm(QWidget* Parent = nullptr);

  // One entry per name, checked where Checked says so.
  void SetEntries(const QStringList& Names, const std::vector<bool>& Checked);
  bool IsChecked(int Index) const;

 private:
  QListWidget* FChkLBox;
};

}  // namespace vdx::ui
