#include "params/ui/ParamListEditDlgCurvePlot.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vdx::ui {

namespace {

// v / 50 + 0.5, truncated toward zero: 10000 gives 200, -10000 gives -199.
int ScaleToPixels(int32_t V) { return static_cast<int>(std::trunc(V / 50.0 + 0.5)); }

constexpr int kGrabRadius = 6;
constexpr int kTop = 10;
constexpr int kBottom = 410;
constexpr int kFirstX = 445;  // point 0, curve X 10000
constexpr int kLastX = 45;    // point 20, curve X -10000

}  // namespace

TCCPlot::TCCPlot(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("PBoxCC"));
  setFixedSize(kWidth, kHeight);
  setFont(QFont(QStringLiteral("Arial"), 8));
  BuildBackdrop();
}

int TCCPlot::ValueToPx(int32_t X) { return 245 + ScaleToPixels(X); }
int TCCPlot::ValueToPy(int32_t Y) { return 210 - ScaleToPixels(Y); }

void TCCPlot::SetPoint(int K, QPoint Pixel) {
  if (K < 0 || K >= kPointCount) return;
  FPoints[static_cast<size_t>(K)] = Pixel;
  update();
}

void TCCPlot::BuildBackdrop() {
  constexpr int W = kWidth, H = kHeight;
  FBackdrop = QPixmap(W, H);
  FBackdrop.fill(palette().color(QPalette::Button));
  QPainter P(&FBackdrop);
  P.setFont(font());
  P.setPen(QPen(Qt::blue, 1, Qt::DotLine));
  const auto Label = [&P](int X, int Y, int Value) {
    P.drawText(QRect(X, Y, 60, 16), Qt::AlignLeft | Qt::AlignTop, QString::number(Value));
  };
  // 40 pixels between lines: (H - 40) / 10 down, (W - 55) / 10 across.
  for (int I = 0; I <= 10; ++I) {
    P.drawLine(45, 40 * I + 10, W - 10, 40 * I + 10);
    Label(5, 40 * I, 10000 - 2000 * I);
    P.drawLine(40 * I + 45, 10, 40 * I + 45, H - 30);
    Label(I == 5 ? 40 * I + 40 : 40 * I + 25, 415, 2000 * I - 10000);
  }
  P.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  P.drawLine(245, 5, 245, H - 25);
  P.drawLine(40, 210, W - 5, 210);
}

void TCCPlot::paintEvent(QPaintEvent*) {
  QPainter P(this);
  P.drawPixmap(0, 0, FBackdrop);
  P.setRenderHint(QPainter::Antialiasing);
  P.setPen(QPen(QColor(0, 0, 128), 2));
  P.drawPolyline(FPoints.data(), kPointCount);
  P.setPen(QPen(Qt::red, 1));
  P.setBrush(Qt::NoBrush);
  for (const QPoint& Pt : FPoints) P.drawEllipse(Pt, 4, 4);
}

void TCCPlot::mousePressEvent(QMouseEvent* Event) {
  FSelPoint = -1;
  if (Event->button() != Qt::LeftButton) return;
  const QPoint Pointer = Event->position().toPoint();
  for (int K = 0; K < kPointCount; ++K) {
    const QPoint D = FPoints[static_cast<size_t>(K)] - Pointer;
    if (std::hypot(D.x(), D.y()) <= kGrabRadius) {
      FSelPoint = K;
      break;
    }
  }
}

void TCCPlot::mouseMoveEvent(QMouseEvent* Event) {
  if (FSelPoint < 0 || !(Event->buttons() & Qt::LeftButton)) return;
  MoveSelected(Event->position().toPoint());
}

void TCCPlot::mouseReleaseEvent(QMouseEvent* Event) {
  if (Event->button() == Qt::LeftButton) FSelPoint = -1;
}

void TCCPlot::MoveSelected(QPoint Pointer) {
  const int K = FSelPoint;
  int X = Pointer.x();
  if (K == 0) {
    X = kFirstX;
  } else if (K == kPointCount - 1) {
    X = kLastX;
  } else {
    // Keep the order along X: between the right-hand and the left-hand neighbour.
    const int Lo = FPoints[static_cast<size_t>(K + 1)].x();
    const int Hi = FPoints[static_cast<size_t>(K - 1)].x();
    X = std::min(std::max(X, Lo), Hi);
  }
  const int Y = std::clamp(Pointer.y(), kTop, kBottom);
  SetPoint(K, QPoint(X, Y));
  if (OnPointMoved) OnPointMoved(K, PxToValue(X), PyToValue(Y));
}

}  // namespace vdx::ui
