// A horizontal track bar whose tick marks are set one by one in code.
#pragma once

#include <QSlider>
#include <vector>

namespace vdx::ui {

class TTrackBar : public QSlider {
 public:
  explicit TTrackBar(QWidget* Parent = nullptr);

  const std::vector<int>& Ticks() const { return FTicks; }
  void SetTicks(std::vector<int> Ticks);

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  std::vector<int> FTicks;
};

}  // namespace vdx::ui
