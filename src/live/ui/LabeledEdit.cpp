#include "live/ui/LabeledEdit.h"

#include <QLabel>

namespace vdx::ui {

TLabeledEdit::TLabeledEdit(const QString& Caption, QWidget* Parent)
    : QLineEdit(Parent), FEditLabel(new QLabel(Caption, Parent)) {
  FEditLabel->setBuddy(this);
}

void TLabeledEdit::Place(const QRect& Rect) {
  setGeometry(Rect);
  const int Height = FEditLabel->sizeHint().height();
  FEditLabel->setGeometry(Rect.left(), Rect.top() - Height - 2, Rect.width(), Height);
}

void TLabeledEdit::setVisible(bool Visible) {
  QLineEdit::setVisible(Visible);
  FEditLabel->setVisible(Visible);
}

}  // namespace vdx::ui
