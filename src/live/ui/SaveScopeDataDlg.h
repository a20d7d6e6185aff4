// The recording dialog: the name of the file the oscilloscope appends its samples to while it
// runs; an empty name means no recording. It lives for the whole run, so the name stays.
#pragma once

#include <QDialog>

class QLineEdit;
class QToolButton;

namespace vdx::ui {

class TSaveScopeDataDlg : public QDialog {
 public:
  explicit TSaveScopeDataDlg(QWidget* Parent = nullptr);
  QString FileName() const;

  QLineEdit* EdtFilename = nullptr;
  QToolButton* SBtnFilename = nullptr;

 private:
  void SBtnFilenameClick();
};

}  // namespace vdx::ui
