// The characteristic curve drawn over a fixed backdrop of grid lines and axes; its 21 points can
// be dragged with the left mouse button, each point staying between its neighbours along X.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

namespace vdx::ui {

class TCCPlot : public QWidget {
 public:
  static constexpr int kWidth = 455;
  static constexpr int kHeight = 440;
  static constexpr int kPointCount = 21;

  explicit TCCPlot(QWidget* Parent = nullptr);

  // Curve value (-10000..10000) to plot pixel and back. Point k (0..20) belongs to table row
  // k + 1 and to curve index 10 - k.
  static int ValueToPx(int32_t X);
  static int ValueToPy(int32_t Y);
  static int32_t PxToValue(int Px) { return 50 * Px - 12250; }
  static int32_t PyToValue(int Py) { return 10500 - 50 * Py; }

  void SetPoint(int K, QPoint Pixel);
  // Point K at the curve values X and Y.
  void SetValuePoint(int K, int32_t X, int32_t Y) {
    SetPoint(K, QPoint(ValueToPx(X), ValueToPy(Y)));
  }
  QPoint Point(int K) const { return FPoints[static_cast<size_t>(K)]; }
  int SelPoint() const { return FSelPoint; }
  void ClearSelection() { FSelPoint = -1; }

  // Raised while a point is dragged, with its index and its new curve values.
  std::function<void(int K, int32_t X, int32_t Y)> OnPointMoved;

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;

 private:
  void BuildBackdrop();
  void MoveSelected(QPoint Pointer);

  QPixmap FBackdrop;
  std::array<QPoint, kPointCount> FPoints{};
  int FSelPoint = -1;
};

}  // namespace vdx::ui
