// One row panel of the monitor: a process value's name on the left, its value in the middle,
// its unit on the right, all in large print, and its help text along the bottom edge.
#pragma once

#include <QFont>
#include <QFrame>

class QLabel;

namespace vdx::ui {

class TVDXMonitorInfoPanel : public QFrame {
 public:
  static constexpr int kDefaultWidth = 300;
  static constexpr int kDefaultHeight = 50;

  explicit TVDXMonitorInfoPanel(QWidget* Parent = nullptr);

  QLabel* Info() const { return FInfo; }
  QLabel* Para() const { return FPara; }
  QLabel* PUnit() const { return FPUnit; }
  QLabel* Data() const { return FData; }

  const QFont& ParaFont() const { return FParaFont; }
  void SetParaFont(const QFont& Font);
  const QFont& InfoFont() const { return FInfoFont; }
  void SetInfoFont(const QFont& Font);
  // Widths of the name and unit labels at the two edges.
  void SetParaWidth(int Width);
  void SetPUnitWidth(int Width);

 protected:
  void resizeEvent(QResizeEvent* Event) override;

 private:
  void PlaceLabels();

  QFont FParaFont;
  QFont FInfoFont;
  QLabel* FInfo;
  QLabel* FPara;
  QLabel* FPUnit;
  QLabel* FData;
  int FParaWidth = 70;
  int FPUnitWidth = 50;
};

}  // namespace vdx::ui
