#include "params/ui/ParamPrintout.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QString>

#include "app/ApplInfo.h"
#include "comm/LocalTime.h"
#include "comm/ModCommProt.h"

namespace vdx::ui {

namespace {

// The positions are given in pixels of a 600 dpi printer.
constexpr double ReferenceDpi = 600.0;
constexpr int LeftEdge = 200;
constexpr int TopEdge = 100;

// Top-left placed text, as the header and line positions are meant.
void TextOut(QPainter& Painter, int X, int Y, const QString& Text) {
  Painter.drawText(QPoint(X, Y + Painter.fontMetrics().ascent()), Text);
}

int LineHeight(const QPainter& Painter) {
  return Painter.fontMetrics().size(Qt::TextSingleLine, QStringLiteral("Dummy")).height();
}

// Header and lines of one page.
void DrawPage(QPainter& Painter, const TPrintoutPage& Page, double Scale) {
  const int X = static_cast<int>(LeftEdge * Scale);
  int Y = static_cast<int>(TopEdge * Scale);
  Painter.setFont(QFont(QStringLiteral("Arial"), 10));
  const int H = LineHeight(Painter);
  // Our own texts and the C library's day name are in the locale's encoding; the module's
  // identification text is 8-bit.
  TextOut(Painter, X, Y, QString::fromLocal8Bit(Page.Title));
  Y += H * 3 / 2;
  TextOut(Painter, X, Y, QString::fromLocal8Bit(Page.Date));
  Y += H * 3 / 2;
  TextOut(Painter, X, Y, QString::fromLatin1(Page.Module));
  Y += 3 * H;
  DrawPrintoutLines(Painter, X, Y, Page.Lines);
}

}  // namespace

int UsePrintoutLineFont(QPainter& Painter) {
  QFont Mono(QStringLiteral("Courier New"), 10);
  Mono.setStyleHint(QFont::TypeWriter);
  Painter.setFont(Mono);
  return LineHeight(Painter);
}

void DrawPrintoutLines(QPainter& Painter, int X, int Y, const std::vector<std::string>& Lines) {
  const int H = UsePrintoutLineFont(Painter);
  for (size_t I = 0; I < Lines.size(); ++I)
    TextOut(Painter, X, Y + static_cast<int>(I) * H, QString::fromLatin1(Lines[I]));
}

bool PrintParameterPages(QPrinter& Printer, const std::vector<TPrintoutPage>& Pages) {
  if (Pages.empty()) return false;
  QPainter Painter;
  if (!Painter.begin(&Printer)) return false;
  const double Scale = Printer.resolution() / ReferenceDpi;
  bool Done = true;
  for (size_t I = 0; I < Pages.size() && Done; ++I) {
    Done = I == 0 || Printer.newPage();
    if (Done) DrawPage(Painter, Pages[I], Scale);
  }
  // Ends the job also after a failed page.
  return Painter.end() && Done;
}

bool PrintParameterList(QPrinter& Printer, TVDXModCommProt& Prot, const TApplInfo& Info) {
  return PrintParameterPages(Printer, ComposeParameterPrintout(Prot, Info.ExtCompanyName,
                                                               Info.ExtProductName, LocalNow()));
}

}  // namespace vdx::ui
