// A titled group of radio buttons with one selected item, addressed by index.
#pragma once

#include <QGroupBox>
#include <QStringList>
#include <functional>

class QButtonGroup;
class QRadioButton;

namespace vdx::ui {

class TRadioGroup : public QGroupBox {
 public:
  TRadioGroup(const QString& Title, const QStringList& Items, QWidget* Parent = nullptr);

  // -1 when no item is selected.
  int ItemIndex() const;
  void SetItemIndex(int Index);
  int Count() const;
  QRadioButton* Button(int Index) const;

  // Raised when the user selects an item.
  std::function<void(int Index)> OnClick;

 private:
  QButtonGroup* FGroup;
};

}  // namespace vdx::ui
