#include "live/ui/ScopePrintout.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include "app/ui/ColorPicker.h"
#include "live/ui/VDXScope.h"

namespace vdx::ui {

bool PrintScope(QPrinter& Printer, TVDXScope& Scope, const TScopePrintoutTexts& Texts) {
  QImage Bitmap;
  if (!Scope.CopyToBitmap(Bitmap)) return false;
  QPainter P;
  if (!P.begin(&Printer)) return false;
  DrawScopePrintout(P, Printer.resolution(),
                    Printer.pageLayout().paintRectPixels(Printer.resolution()).width(), Bitmap,
                    Scope, Texts);
  return P.end();
}

void DrawScopePrintout(QPainter& P, int Resolution, int PageWidth, const QImage& Bitmap,
                       TVDXScope& Scope, const TScopePrintoutTexts& Texts) {
  P.save();
  // Positions are printer pixels at 300 dpi, scaled to the printer's resolution: at that
  // density the heading and the module line fit above the picture (at 600 dpi the picture
  // covered the module line).
  const double Scale = Resolution / 300.0;
  P.scale(Scale, Scale);
  const int PageW = static_cast<int>(PageWidth / Scale);
  // Arial 10 on paper: the scaling would enlarge the font with it.
  QFont Font(QStringLiteral("Arial"));
  Font.setPointSizeF(10 / Scale);
  P.setFont(Font);
  const int h = QFontMetrics(Font, P.device()).boundingRect(QStringLiteral("Dummy")).height();
  const auto Text = [&](int X, int Y, const QString& S) {
    P.drawText(QRect(X, Y, PageW, h * 2), Qt::AlignLeft | Qt::AlignTop, S);
  };
  const QRect R(QPoint(100, 300), QPoint(PageW - 100, PageW + 100));
  int B = R.bottom();
  Text(100, 100, Texts.Heading);
  Text(100, 100 + 2 * h, QStringLiteral("Module: ") + Texts.ModuleId);
  P.drawImage(R, Bitmap);
  const TCursors Kinds = Scope.CursorEnable();
  if (!Kinds.Empty()) {
    TCursorInfo Info;
    Scope.GetCursorInfo(Info);
    const QString A =
        Kinds.Contains(ckAmplitude)
            ? QString::fromStdString(AmplitudeReadingText(
                  Scope.CursorChannel(), Info, QLocale().decimalPoint().at(0).toLatin1()))
            : QString();
    const QString T = Kinds.Contains(ckTime)
                          ? QString::fromStdString(TimeReadingText(Scope.CursorChannel(), Info))
                          : QString();
    B += 50;
    Text(100, B, (A + QStringLiteral("   ") + T).trimmed());
  }
  B += 2 * h;
  Text(100, B, QStringLiteral("Time base: %1 ms / DIV").arg(Scope.TimeScalePerDiv()));
  for (int N = 1; N <= 4; ++N) {
    const TVDXSCopeChaSettings& S = Scope.Channel(N);
    if (S.Signal().empty()) continue;
    B += 2 * h;
    P.fillRect(QRect(QPoint(100, B), QPoint(150, B + h)), ToQColor(S.Color()));
    Text(175, B,
         QStringLiteral("Cha.%1: ").arg(N) + QString::fromLatin1(S.Signal()) +
             QStringLiteral("   Vertical range from: ") + Texts.LowerLimit[N - 1] +
             QStringLiteral(" to ") + Texts.UpperLimit[N - 1]);
  }
  P.restore();
}

}  // namespace vdx::ui
