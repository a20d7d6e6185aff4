#include "live/ui/NamedLed.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <map>

namespace vdx::ui {

TNamedLed::TNamedLed(QWidget* Parent)
    : QFrame(Parent), FImage(new QLabel(this)), FLabel(new QLabel(QStringLiteral("LED"), this)) {
  setFrameStyle(QFrame::NoFrame);
  FImage->setObjectName(QStringLiteral("Image"));
  FLabel->setObjectName(QStringLiteral("Label"));
  FLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  FLabel->setIndent(4);
  setFixedHeight(kLampSize + 2);
  resize(120, kLampSize + 2);
  ShowLamp();
}

QString TNamedLed::LedText() const { return FLabel->text(); }

void TNamedLed::SetLedText(const QString& Text) { FLabel->setText(Text); }

void TNamedLed::SetState(int Value) {
  if (Value != lsOn && Value != lsOff) return;
  FState = static_cast<TLedState>(Value);
  ShowLamp();
}

void TNamedLed::SetColor(int Value) {
  if (Value < lcRed || Value > lcGreen) return;
  FColor = static_cast<TLedColor>(Value);
  ShowLamp();
}

TLedColor StatusBitLampColor(uint8_t Code) {
  return Code == 2 ? lcGreen : Code == 3 ? lcYellow : lcRed;
}

void TNamedLed::ShowLamp() { FImage->setPixmap(LampPicture(FColor, FState)); }

void TNamedLed::resizeEvent(QResizeEvent* Event) {
  QFrame::resizeEvent(Event);
  FImage->setGeometry(0, 0, kLampSize, kLampSize);
  FLabel->setGeometry(kLampSize, 0, std::max(0, width() - kLampSize), kLampSize);
}

void TNamedLed::mouseReleaseEvent(QMouseEvent* Event) {
  QFrame::mouseReleaseEvent(Event);
  if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()) && OnClick)
    OnClick(*this);
}

QPixmap TNamedLed::LampPicture(TLedColor Color, TLedState State) {
  static std::map<std::pair<int, int>, QPixmap> Pictures;
  QPixmap& Picture = Pictures[{Color, State}];
  if (!Picture.isNull()) return Picture;

  static const QColor Lit[] = {QColor(255, 40, 30), QColor(60, 120, 255), QColor(255, 225, 40),
                               QColor(40, 230, 60)};
  const QColor Base = Lit[Color];
  const QColor Body = State == lsOn ? Base : Base.darker(330);
  Picture = QPixmap(kLampSize, kLampSize);
  Picture.fill(Qt::transparent);
  QPainter P(&Picture);
  P.setRenderHint(QPainter::Antialiasing);
  const QRectF Bezel(1.5, 1.5, kLampSize - 3, kLampSize - 3);
  P.setPen(QPen(QColor(90, 90, 90), 1.5));
  QRadialGradient Glass(Bezel.center() - QPointF(3, 3), Bezel.width() / 1.6);
  Glass.setColorAt(0, State == lsOn ? Body.lighter(170) : Body.lighter(140));
  Glass.setColorAt(1, Body);
  P.setBrush(Glass);
  P.drawEllipse(Bezel);
  // A small highlight makes the lamp read as round glass.
  P.setPen(Qt::NoPen);
  P.setBrush(QColor(255, 255, 255, State == lsOn ? 170 : 70));
  P.drawEllipse(QRectF(6, 5, 6, 4));
  return Picture;
}

}  // namespace vdx::ui
