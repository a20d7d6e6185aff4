// A one-line edit with its caption above it; the caption shows and hides with the edit. The
// tag carries a number the owner attaches to the edit.
#pragma once

#include <QLineEdit>

class QLabel;

namespace vdx::ui {

class TLabeledEdit : public QLineEdit {
 public:
  TLabeledEdit(const QString& Caption, QWidget* Parent);

  QLabel* EditLabel() const { return FEditLabel; }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  // Places the edit at Rect and its caption just above it.
  void Place(const QRect& Rect);

  void setVisible(bool Visible) override;

 private:
  QLabel* FEditLabel;
  int FTag = 0;
};

}  // namespace vdx::ui
