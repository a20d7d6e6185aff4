#include "app/ui/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace vdx::ui {

namespace {

// One palette for every glyph, so the tool bar reads as one set.
const QColor kInk(0x37, 0x47, 0x4f);
const QColor kBlue(0x1e, 0x7b, 0xd4);
const QColor kGreen(0x2e, 0x9d, 0x4a);
const QColor kRed(0xd8, 0x3a, 0x34);
const QColor kAmber(0xf2, 0xa2, 0x1b);
const QColor kScreen(0x26, 0x32, 0x38);
const QColor kPaper(0xfb, 0xfc, 0xfd);

QPen Ink(qreal Width = 1.2, const QColor& Color = kInk) {
  QPen P(Color, Width);
  P.setJoinStyle(Qt::RoundJoin);
  P.setCapStyle(Qt::RoundCap);
  return P;
}

// A chip with pins on two sides, the glyphs' picture of the module.
void Chip(QPainter& P, const QRectF& R) {
  P.setPen(Ink(1.0));
  const int Pins = 3;
  for (int I = 0; I < Pins; ++I) {
    const qreal Y = R.top() + R.height() * (I + 1) / (Pins + 1);
    P.drawLine(QPointF(R.left() - 1.6, Y), QPointF(R.left(), Y));
    P.drawLine(QPointF(R.right(), Y), QPointF(R.right() + 1.6, Y));
  }
  P.setBrush(kInk);
  P.drawRoundedRect(R, 1.2, 1.2);
  P.setBrush(kAmber);
  P.setPen(Qt::NoPen);
  P.drawEllipse(QPointF(R.left() + 2.0, R.top() + 2.0), 0.9, 0.9);
}

// A sheet with a folded corner.
void Sheet(QPainter& P, const QRectF& R, const QColor& Fill = kPaper) {
  const qreal F = R.width() * 0.32;
  QPainterPath Path;
  Path.moveTo(R.topLeft());
  Path.lineTo(R.right() - F, R.top());
  Path.lineTo(R.right(), R.top() + F);
  Path.lineTo(R.bottomRight());
  Path.lineTo(R.bottomLeft());
  Path.closeSubpath();
  P.setPen(Ink(1.0));
  P.setBrush(Fill);
  P.drawPath(Path);
  P.drawLine(QPointF(R.right() - F, R.top()), QPointF(R.right() - F, R.top() + F));
  P.drawLine(QPointF(R.right() - F, R.top() + F), QPointF(R.right(), R.top() + F));
}

// A bent arrow from From to To, bending through Via, with its head at To.
void BentArrow(QPainter& P, QPointF From, QPointF Via, QPointF To, const QColor& Color) {
  QPainterPath Path;
  Path.moveTo(From);
  Path.quadTo(Via, To);
  P.setPen(Ink(1.8, Color));
  P.setBrush(Qt::NoBrush);
  P.drawPath(Path);
  const qreal A = std::atan2(To.y() - Via.y(), To.x() - Via.x());
  const qreal L = 4.4;
  const QPointF Tip = To + QPointF(1.6 * std::cos(A), 1.6 * std::sin(A));
  QPolygonF Head;
  Head << Tip << Tip - QPointF(L * std::cos(A - 0.6), L * std::sin(A - 0.6))
       << Tip - QPointF(L * std::cos(A + 0.6), L * std::sin(A + 0.6));
  P.setPen(Ink(0.8, Color));
  P.setBrush(Color);
  P.drawPolygon(Head);
}

void Plug(QPainter& P, bool Joined) {
  const qreal Shift = Joined ? 0 : -2.5;
  P.setPen(Ink(1.6));
  P.drawLine(QPointF(1, 10), QPointF(6 + Shift, 10));
  P.drawLine(QPointF(17, 10), QPointF(19, 10));
  P.setPen(Ink(1.4));
  P.drawLine(QPointF(11 + Shift, 7.8), QPointF(13.6 + Shift, 7.8));
  P.drawLine(QPointF(11 + Shift, 12.2), QPointF(13.6 + Shift, 12.2));
  P.setPen(Ink(1.0));
  P.setBrush(Joined ? kGreen : QColor(0x90, 0x9c, 0xa4));
  P.drawRoundedRect(QRectF(6 + Shift, 5.5, 5, 9), 1.2, 1.2);
  P.setBrush(kInk);
  P.drawRoundedRect(QRectF(13 + (Joined ? 0 : 1.5), 4.5, 4.5 - (Joined ? 0 : 1.5) + 0.2, 11), 1.2,
                    1.2);
  if (!Joined) {
    P.setPen(Ink(1.4, kRed));
    P.drawLine(QPointF(11.2, 2.5), QPointF(13.0, 4.3));
    P.drawLine(QPointF(11.2, 17.5), QPointF(13.0, 15.7));
  }
}

void Draw(QPainter& P, TGlyph Glyph) {
  switch (Glyph) {
    case TGlyph::Connected:
      Plug(P, true);
      break;
    case TGlyph::Disconnected:
      Plug(P, false);
      break;
    case TGlyph::Identify: {
      Chip(P, QRectF(3, 3, 9, 9));
      P.setPen(Ink(2.2, kBlue));
      P.drawLine(QPointF(14.3, 14.3), QPointF(18.3, 18.3));
      P.setPen(Ink(1.6, kBlue));
      P.setBrush(QColor(255, 255, 255, 170));
      P.drawEllipse(QPointF(11.5, 11.5), 4.4, 4.4);
      break;
    }
    case TGlyph::ParamList: {
      const QRectF R(2, 3, 16, 14);
      P.setPen(Qt::NoPen);
      P.setBrush(kPaper);
      P.drawRect(R);
      P.setBrush(kBlue);
      P.drawRect(QRectF(2, 3, 16, 3.5));
      P.setPen(Ink(0.8, QColor(0x90, 0x9c, 0xa4)));
      for (qreal Y : {10.0, 13.5}) P.drawLine(QPointF(2, Y), QPointF(18, Y));
      P.drawLine(QPointF(7.5, 6.5), QPointF(7.5, 17));
      P.setPen(Ink(1.0));
      P.setBrush(Qt::NoBrush);
      P.drawRect(R);
      break;
    }
    case TGlyph::Monitor: {
      P.setPen(Ink(1.2));
      P.setBrush(kPaper);
      P.drawChord(QRectF(1.5, 3, 17, 17), 0, 180 * 16);
      P.setPen(Ink(1.8, kGreen));
      P.drawArc(QRectF(3.5, 5, 13, 13), 110 * 16, 70 * 16);
      P.setPen(Ink(1.8, kAmber));
      P.drawArc(QRectF(3.5, 5, 13, 13), 55 * 16, 55 * 16);
      P.setPen(Ink(1.8, kRed));
      P.drawArc(QRectF(3.5, 5, 13, 13), 0, 55 * 16);
      P.setPen(Ink(1.6));
      P.drawLine(QPointF(10, 11.5), QPointF(14.2, 6.6));
      P.setBrush(kInk);
      P.drawEllipse(QPointF(10, 11.5), 1.5, 1.5);
      P.setPen(Ink(1.2));
      P.drawLine(QPointF(3, 15), QPointF(17, 15));
      break;
    }
    case TGlyph::Scope: {
      P.setPen(Ink(1.0));
      P.setBrush(kScreen);
      P.drawRoundedRect(QRectF(1.5, 3, 17, 13), 1.5, 1.5);
      P.setPen(Ink(0.6, QColor(0x54, 0x6e, 0x7a)));
      P.drawLine(QPointF(10, 4), QPointF(10, 15));
      P.drawLine(QPointF(2.5, 9.5), QPointF(17.5, 9.5));
      QPainterPath Wave;
      for (int I = 0; I <= 28; ++I) {
        const qreal X = 3 + I * 0.5;
        const qreal Y = 9.5 - 4.2 * std::sin(I * 0.45);
        if (I == 0)
          Wave.moveTo(X, Y);
        else
          Wave.lineTo(X, Y);
      }
      P.setPen(Ink(1.4, QColor(0x5c, 0xe0, 0x7a)));
      P.setBrush(Qt::NoBrush);
      P.drawPath(Wave);
      P.setPen(Ink(1.4));
      P.drawLine(QPointF(7, 18), QPointF(13, 18));
      break;
    }
    case TGlyph::Terminal: {
      P.setPen(Ink(1.0));
      P.setBrush(kScreen);
      P.drawRoundedRect(QRectF(1.5, 3, 17, 14), 1.5, 1.5);
      P.setPen(Ink(1.6, QColor(0xe8, 0xee, 0xf1)));
      P.drawPolyline(QPolygonF({QPointF(4.5, 7), QPointF(7.5, 10), QPointF(4.5, 13)}));
      P.setPen(Ink(1.6, QColor(0x5c, 0xe0, 0x7a)));
      P.drawLine(QPointF(9, 13.2), QPointF(14, 13.2));
      break;
    }
    case TGlyph::ClearTerminal: {
      Sheet(P, QRectF(4, 2, 12, 16));
      P.setPen(Ink(1.5, kAmber));
      const QPointF C(14.5, 14.5);
      for (int I = 0; I < 4; ++I) {
        const qreal A = I * M_PI / 4;
        const QPointF D(3.0 * std::cos(A), 3.0 * std::sin(A));
        P.drawLine(C - D, C + D);
      }
      break;
    }
    case TGlyph::OpenTerminal: {
      P.setPen(Ink(1.0));
      P.setBrush(QColor(0xd9, 0x9a, 0x22));
      P.drawPolygon(QPolygonF({QPointF(1.5, 4), QPointF(7, 4), QPointF(8.5, 6), QPointF(16, 6),
                               QPointF(16, 16), QPointF(1.5, 16)}));
      P.setBrush(QColor(0xf6, 0xc3, 0x4d));
      P.drawPolygon(
          QPolygonF({QPointF(4.5, 9), QPointF(19, 9), QPointF(16, 16), QPointF(1.5, 16)}));
      break;
    }
    case TGlyph::SaveTerminal: {
      P.setPen(Ink(1.0));
      P.setBrush(kBlue);
      P.drawPolygon(QPolygonF({QPointF(2.5, 2.5), QPointF(15, 2.5), QPointF(17.5, 5),
                               QPointF(17.5, 17.5), QPointF(2.5, 17.5)}));
      P.setBrush(kPaper);
      P.drawRect(QRectF(5, 10.5, 10, 7));
      P.setBrush(QColor(0xcf, 0xd8, 0xdc));
      P.drawRect(QRectF(6, 2.5, 7, 5));
      P.setBrush(kInk);
      P.drawRect(QRectF(10.5, 3.3, 1.5, 3.4));
      break;
    }
    case TGlyph::Print: {
      P.setPen(Ink(1.0));
      P.setBrush(kPaper);
      P.drawRect(QRectF(5.5, 2, 9, 6));
      P.setBrush(QColor(0x78, 0x90, 0x9c));
      P.drawRoundedRect(QRectF(1.5, 7, 17, 8), 1.5, 1.5);
      P.setBrush(kPaper);
      P.drawRect(QRectF(5.5, 12, 9, 6.5));
      P.setPen(Ink(0.8, QColor(0x90, 0x9c, 0xa4)));
      P.drawLine(QPointF(7, 14.5), QPointF(13, 14.5));
      P.drawLine(QPointF(7, 16.5), QPointF(11.5, 16.5));
      P.setPen(Qt::NoPen);
      P.setBrush(kGreen);
      P.drawEllipse(QPointF(15.8, 9.6), 0.9, 0.9);
      break;
    }
    case TGlyph::Settings: {
      const QPointF C(10, 10);
      QPainterPath Gear;
      const int Teeth = 8;
      for (int I = 0; I < Teeth * 4; ++I) {
        const qreal A = I * 2 * M_PI / (Teeth * 4);
        const qreal R = (I % 4 < 2) ? 8.3 : 6.2;
        const QPointF Pt = C + QPointF(R * std::cos(A), R * std::sin(A));
        if (I == 0)
          Gear.moveTo(Pt);
        else
          Gear.lineTo(Pt);
      }
      Gear.closeSubpath();
      Gear.addEllipse(C, 2.6, 2.6);
      Gear.setFillRule(Qt::OddEvenFill);
      P.setPen(Ink(0.9));
      P.setBrush(QColor(0x78, 0x90, 0x9c));
      P.drawPath(Gear);
      break;
    }
    case TGlyph::Password: {
      P.setPen(Ink(1.0));
      P.setBrush(kAmber);
      QPainterPath Key;
      Key.addEllipse(QPointF(6, 10), 4.3, 4.3);
      Key.addRect(QRectF(9.5, 8.9, 9, 2.4));
      Key.addRect(QRectF(14.5, 11, 1.8, 3));
      Key.addRect(QRectF(17, 11, 1.5, 2.2));
      Key.setFillRule(Qt::WindingFill);
      P.drawPath(Key.simplified());
      P.setBrush(kPaper);
      P.drawEllipse(QPointF(5, 10), 1.4, 1.4);
      break;
    }
    case TGlyph::Upload: {
      // From the module into a file.
      Chip(P, QRectF(2.5, 1.5, 7, 7));
      Sheet(P, QRectF(11, 10, 7.5, 8.5));
      BentArrow(P, QPointF(10.8, 5), QPointF(14.8, 5), QPointF(14.8, 7.6), kGreen);
      break;
    }
    case TGlyph::Download: {
      // From a file into the module.
      Sheet(P, QRectF(1.5, 1.5, 7.5, 9));
      Chip(P, QRectF(11.5, 11.5, 7, 7));
      BentArrow(P, QPointF(10, 5), QPointF(15, 5), QPointF(15, 8), kBlue);
      break;
    }
  }
}

QPixmap Render(TGlyph Glyph, int Size, qreal Ratio) {
  QPixmap Pixmap(QSize(Size, Size) * Ratio);
  Pixmap.setDevicePixelRatio(Ratio);
  Pixmap.fill(Qt::transparent);
  QPainter P(&Pixmap);
  P.setRenderHint(QPainter::Antialiasing);
  P.scale(Size / 20.0, Size / 20.0);
  Draw(P, Glyph);
  return Pixmap;
}

}  // namespace

QIcon GlyphIcon(TGlyph Glyph) {
  QIcon Icon;
  for (int Size : {16, 20, 24, 32}) {
    Icon.addPixmap(Render(Glyph, Size, 1.0));
    Icon.addPixmap(Render(Glyph, Size, 2.0));
  }
  return Icon;
}

}  // namespace vdx::ui
