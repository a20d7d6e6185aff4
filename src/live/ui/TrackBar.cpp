#include "live/ui/TrackBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace vdx::ui {

TTrackBar::TTrackBar(QWidget* Parent) : QSlider(Qt::Horizontal, Parent) {
  setTickPosition(QSlider::NoTicks);
}

void TTrackBar::SetTicks(std::vector<int> Ticks) {
  FTicks = std::move(Ticks);
  update();
}

void TTrackBar::paintEvent(QPaintEvent* Event) {
  QSlider::paintEvent(Event);
  QStyleOptionSlider Option;
  initStyleOption(&Option);
  const QRect Groove =
      style()->subControlRect(QStyle::CC_Slider, &Option, QStyle::SC_SliderGroove, this);
  const QRect Handle =
      style()->subControlRect(QStyle::CC_Slider, &Option, QStyle::SC_SliderHandle, this);
  const int Span = Groove.width() - Handle.width();
  QPainter P(this);
  P.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  const int Bottom = height() - 1;
  // Each tick sits under the centre of the handle at that position.
  for (int Tick : FTicks) {
    const int X = Groove.left() + Handle.width() / 2 +
                  QStyle::sliderPositionFromValue(minimum(), maximum(), Tick, Span);
    P.drawLine(X, Bottom - 4, X, Bottom);
  }
}

}  // namespace vdx::ui
