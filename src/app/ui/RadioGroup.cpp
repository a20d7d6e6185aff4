#include "app/ui/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vdx::ui {

TRadioGroup::TRadioGroup(const QString& Title, const QStringList& Items, QWidget* Parent)
    : QGroupBox(Title, Parent), FGroup(new QButtonGroup(this)) {
  auto* Layout = new QVBoxLayout(this);
  Layout->setSpacing(4);
  for (int I = 0; I < Items.size(); ++I) {
    auto* Button = new QRadioButton(Items[I], this);
    FGroup->addButton(Button, I);
    Layout->addWidget(Button);
  }
  connect(FGroup, &QButtonGroup::idClicked, this, [this](int Index) {
    if (OnClick) OnClick(Index);
  });
}

int TRadioGroup::ItemIndex() const { return FGroup->checkedId(); }

void TRadioGroup::SetItemIndex(int Index) {
  if (QAbstractButton* Button = FGroup->button(Index)) {
    Button->setChecked(true);
    return;
  }
  // No item: clear the selection, which an exclusive group does not allow directly.
  FGroup->setExclusive(false);
  for (QAbstractButton* B : FGroup->buttons()) B->setChecked(false);
  FGroup->setExclusive(true);
}

int TRadioGroup::Count() const { return static_cast<int>(FGroup->buttons().size()); }

QRadioButton* TRadioGroup::Button(int Index) const {
  return static_cast<QRadioButton*>(FGroup->button(Index));
}

}  // namespace vdx::ui
