// A combo box that announces the opening of its list, so the list can be filled just then.
#pragma once

#include <QComboBox>
#include <functional>

namespace vdx::ui {

class TDropDownComboBox : public QComboBox {
 public:
  using QComboBox::QComboBox;
  // Runs before the list opens.
  std::function<void()> OnDropDown;

  void showPopup() override {
    if (OnDropDown) OnDropDown();
    QComboBox::showPopup();
  }
};

}  // namespace vdx::ui
