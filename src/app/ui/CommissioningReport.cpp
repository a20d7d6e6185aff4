#include "app/ui/CommissioningReport.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringList>
#include <vector>

#include "comm/ModCommandLists.h"
#include "live/ui/NamedLed.h"
#include "live/ui/VDXScope.h"
#include "params/ParamPrintoutPages.h"
#include "params/ui/ParamListEditDlgCurvePlot.h"
#include "params/ui/ParamPrintout.h"

namespace vdx::ui {

namespace {

constexpr int kResolution = 300;  // dots per inch of the PDF's device pixels
constexpr double kMarginMm = 15;
constexpr int kCurvesPerRow = 3;

QFont Arial(int Points, bool Bold = false) {
  QFont Font(QStringLiteral("Arial"), Points);
  Font.setBold(Bold);
  return Font;
}

// The listed parameter commands of one type, in list order.
template <typename TCmd>
std::vector<const TCmd*> Listed(const TModCommandList& List, TModCmdType Type,
                                uint16_t AccessCode) {
  std::vector<const TCmd*> Found;
  for (int I = 0; I < List.Count(); ++I) {
    const auto* Cmd = dynamic_cast<const TCmd*>(List.Objects(I));
    if (Cmd && Cmd->Type == Type && PrintoutListsCommand(*Cmd, AccessCode)) Found.push_back(Cmd);
  }
  return Found;
}

// The pages of the report, filled from top to bottom; every page ends with a footer line.
class TReportPages {
 public:
  TReportPages(QPdfWriter& Writer, QPainter& Painter, QString Footer)
      : FWriter(Writer), FPainter(Painter), FFooter(std::move(Footer)) {
    DrawFooter();
  }

  int Width() const { return FWriter.width(); }
  int Y() const { return FY; }
  void Advance(int Height) { FY += Height; }
  // Room for Height pixels below Y: on this page, or at the top of a new one.
  void Reserve(int Height) {
    if (FY > 0 && FY + Height > Bottom()) NewPage();
  }
  int RoomLeft() const { return Bottom() - FY; }
  void NewPage() {
    FWriter.newPage();
    ++FPage;
    FY = 0;
    DrawFooter();
  }

  // One line of text at the left edge (or at X), its top at Y.
  void Line(const QString& Text, const QFont& Font, int X = 0) {
    FPainter.setFont(Font);
    const QFontMetrics M(Font, FPainter.device());
    Reserve(M.height());
    FPainter.drawText(QPoint(X, FY + M.ascent()), Text);
    FY += M.height();
  }
  // One line of cells in Arial 10, the first in bold, each starting at its column.
  void Row(const QStringList& Cells, const std::vector<int>& Columns) {
    const QFontMetrics M(Arial(10), FPainter.device());
    Reserve(M.height());
    for (int I = 0; I < Cells.size(); ++I) {
      FPainter.setFont(Arial(10, I == 0));
      FPainter.drawText(QPoint(Columns[static_cast<size_t>(I)], FY + M.ascent()), Cells[I]);
    }
    FY += M.height();
  }
  // Label and value in two columns.
  void Field(const QString& Label, const QString& Value) { Row({Label, Value}, {0, Width() / 5}); }
  void Heading(const QString& Text) {
    const int H = QFontMetrics(Arial(12, true), FPainter.device()).height();
    Reserve(H * 3);  // a heading never stands alone at the foot of a page
    FY += H / 2;
    Line(Text, Arial(12, true));
    FY += H / 4;
  }
  void Gap() { FY += QFontMetrics(Arial(10), FPainter.device()).height() / 2; }

 private:
  int FooterHeight() const { return QFontMetrics(Arial(8), FPainter.device()).height() * 2; }
  int Bottom() const { return FWriter.height() - FooterHeight(); }
  void DrawFooter() {
    FPainter.save();
    FPainter.setFont(Arial(8));
    FPainter.setPen(Qt::darkGray);
    const QFontMetrics M(FPainter.font(), FPainter.device());
    FPainter.drawText(QRect(0, FWriter.height() - M.height(), Width(), M.height()),
                      Qt::AlignLeft | Qt::AlignBottom, FFooter);
    FPainter.drawText(QRect(0, FWriter.height() - M.height(), Width(), M.height()),
                      Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Page %1").arg(FPage));
    FPainter.restore();
  }

  QPdfWriter& FWriter;
  QPainter& FPainter;
  const QString FFooter;
  int FY = 0;
  int FPage = 1;
};

void DrawTitleBlock(TReportPages& Pages, const TReportContent& C) {
  Pages.Line(QStringLiteral("Commissioning Report"), Arial(18, true));
  Pages.Gap();
  Pages.Field(QStringLiteral("Tool"), C.Tool);
  Pages.Field(QStringLiteral("Version"), C.Version);
  Pages.Field(QStringLiteral("Date and time"),
              QLocale().toString(C.Created, QStringLiteral("ddd, dd.MM.yyyy - hh:mm:ss")));
  Pages.Field(QStringLiteral("Module"), C.ModuleId);
  Pages.Field(QStringLiteral("Access code"), C.AccessCodeRead
                                                 ? QString::asprintf("0x%04X", C.AccessCode)
                                                 : QStringLiteral("not read (every group listed)"));
}

void DrawParameterList(TReportPages& Pages, QPainter& P, const TReportContent& C) {
  Pages.Heading(QStringLiteral("Parameter list"));
  const std::vector<std::string> Lines = PrintoutLines(*C.CmdList, C.AccessCode);
  const int H = UsePrintoutLineFont(P);
  size_t Done = 0;
  while (Done < Lines.size()) {
    if (Pages.RoomLeft() < H) Pages.NewPage();
    const size_t Fit = std::min(Lines.size() - Done, static_cast<size_t>(Pages.RoomLeft() / H));
    DrawPrintoutLines(P, 0, Pages.Y(), {Lines.begin() + Done, Lines.begin() + Done + Fit});
    Pages.Advance(static_cast<int>(Fit) * H);
    Done += Fit;
  }
}

// Each curve as the input dialog draws it, scaled down, three in a row.
void DrawCurves(TReportPages& Pages, QPainter& P, const TReportContent& C) {
  const auto Curves = Listed<TModCCParaCmd>(*C.CmdList, ctCCPara, C.AccessCode);
  if (Curves.empty()) return;
  Pages.Heading(QStringLiteral("Characteristic curves"));
  const int Cell = Pages.Width() / kCurvesPerRow;
  const double Scale = (Cell * 0.92) / TCCPlot::kWidth;
  const int PlotHeight = static_cast<int>(TCCPlot::kHeight * Scale);
  const int Caption = QFontMetrics(Arial(10, true), P.device()).height();
  TCCPlot Plot;
  for (size_t I = 0; I < Curves.size(); ++I) {
    const int Column = static_cast<int>(I % kCurvesPerRow);
    if (Column == 0) Pages.Reserve(Caption + PlotHeight);
    for (int K = TModCCParaCmd::FirstPoint; K <= TModCCParaCmd::LastPoint; ++K) {
      TCurvePoint Pt;
      Curves[I]->GetPoint(K, Pt);
      Plot.SetValuePoint(TModCCParaCmd::LastPoint - K, Pt.X, Pt.Y);
    }
    P.save();
    P.translate(Column * Cell, Pages.Y());
    P.setFont(Arial(10, true));
    P.drawText(QPoint(0, QFontMetrics(P.font(), P.device()).ascent()),
               QStringLiteral("Curve ") + QString::fromLatin1(Curves[I]->Name));
    P.translate(0, Caption);
    P.scale(Scale, Scale);
    Plot.render(&P, QPoint(), QRegion(), QWidget::DrawChildren);
    P.restore();
    if (Column == kCurvesPerRow - 1 || I + 1 == Curves.size())
      Pages.Advance(Caption + PlotHeight + Caption / 2);
  }
}

void DrawAinScalings(TReportPages& Pages, const TReportContent& C) {
  const auto Inputs = Listed<TModAinParaCmd>(*C.CmdList, ctAinPara, C.AccessCode);
  if (Inputs.empty()) return;
  Pages.Heading(QStringLiteral("Analogue input scalings"));
  for (const TModAinParaCmd* In : Inputs) {
    const QString Kind = In->X == 0   ? QStringLiteral("voltage input")
                         : In->X == 1 ? QStringLiteral("current input")
                                      : QStringLiteral("input kind %1").arg(In->X);
    Pages.Line(QStringLiteral("%1:   Y = %2 / %3 * (X - %4)     X: %5, C in 0.01 %")
                   .arg(QString::fromLatin1(In->Name))
                   .arg(In->A)
                   .arg(In->B)
                   .arg(In->C)
                   .arg(Kind),
               Arial(10));
  }
}

void DrawProcessValues(TReportPages& Pages, const TReportContent& C) {
  Pages.Heading(QStringLiteral("Process values"));
  if (!C.Process.Online)
    Pages.Line(QStringLiteral("Not read: the module is not connected."), Arial(10));
  const int Column = Pages.Width() / 5;
  for (const TProcessValueReading& V : C.Process.Values)
    Pages.Row({QString::fromLatin1(V.Name),
               V.Read ? QString::fromLatin1(V.Text) : QStringLiteral("not read"),
               QString::fromLatin1(V.Unit)},
              {0, Column, Column * 2});
}

void DrawStatusLamps(TReportPages& Pages, QPainter& P, const TReportContent& C) {
  Pages.Heading(QStringLiteral("Status lamps lit"));
  if (!C.Process.StatusRead) {
    Pages.Line(QStringLiteral("Not read: the module did not give its status word."), Arial(10));
    return;
  }
  if (C.Process.LitLamps.empty()) Pages.Line(QStringLiteral("No lamp is lit."), Arial(10));
  const int H = QFontMetrics(Arial(10), P.device()).height();
  for (const TStatusLampReading& Lamp : C.Process.LitLamps) {
    Pages.Reserve(H);
    P.drawPixmap(QRect(0, Pages.Y(), H, H),
                 TNamedLed::LampPicture(StatusBitLampColor(Lamp.Color), lsOn));
    Pages.Line(QString::fromLatin1(Lamp.Name), Arial(10), H * 3 / 2);
  }
}

}  // namespace

bool ScopeHasData(TVDXScope& Scope) {
  for (int N = 1; N <= 4; ++N) {
    const TScopeChannel Channel = Scope.Model().ChannelState(N - 1);
    if (!Scope.Channel(N).Signal().empty() && Channel.SourceIndex >= 0 && !Channel.FPoints.empty())
      return true;
  }
  return false;
}

bool WriteCommissioningReport(const QString& FileName, const TReportContent& Content,
                              QString& Error) {
  QSaveFile File(FileName);
  if (!File.open(QIODevice::WriteOnly)) {
    Error = File.errorString();
    return false;
  }
  {
    QPdfWriter Writer(&File);
    Writer.setResolution(kResolution);
    Writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    Writer.setTitle(QStringLiteral("Commissioning Report ") + Content.ModuleId);
    Writer.setCreator(Content.Tool);
    QPainter P;
    if (!P.begin(&Writer)) {
      Error = QStringLiteral("the PDF writer could not start");
      return false;
    }
    TReportPages Pages(Writer, P, QStringLiteral("Commissioning Report - ") + Content.ModuleId);
    DrawTitleBlock(Pages, Content);
    if (Content.CmdList) {
      DrawParameterList(Pages, P, Content);
      DrawCurves(Pages, P, Content);
      DrawAinScalings(Pages, Content);
    }
    DrawProcessValues(Pages, Content);
    DrawStatusLamps(Pages, P, Content);
    if (Content.Scope && !Content.ScopePicture.isNull()) {
      Pages.NewPage();
      DrawScopePrintout(P, kResolution, Writer.width(), Content.ScopePicture, *Content.Scope,
                        Content.ScopeTexts);
    }
    if (!P.end()) {
      Error = QStringLiteral("the PDF could not be completed");
      return false;
    }
  }
  if (File.commit()) return true;
  Error = File.errorString();
  return false;
}

}  // namespace vdx::ui
