// The parameter printout printed to real PDF files and read back: page count, header lines,
// which lines land on which page, and that the text stays on the paper.
#include <QPageSize>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/ApplInfo.h"
#include "comm/ModCommProt.h"
#include "params/ui/ParamPrintout.h"

using namespace vdx;

namespace {

// Numeric parameters "P0", "P1", ... with their index as value; Password as the group of the
// last one when asked.
void FillParameters(TVDXModCommProt& Prot, int Count, bool LastInPassword = false) {
  for (int I = 0; I < Count; ++I) {
    auto Cmd = std::make_unique<TModNumParaCmd>();
    Cmd->Name = "P" + std::to_string(I);
    Cmd->GCode = (LastInPassword && I == Count - 1) ? PrintoutPasswordGroup : 4;
    Cmd->AType = 3;
    Cmd->Val = I;
    Prot.CmdList().Add(std::move(Cmd));
  }
}

// The text lines of one PDF page, blanks runs collapsed (the extraction does not keep the
// exact count of blanks).
QStringList PageLines(QPdfDocument& Doc, int Page) {
  QStringList Lines;
  const QString Text = Doc.getAllText(Page).text();
  for (const QString& Line : Text.split(QRegularExpression(QStringLiteral("[\r\n]+"))))
    if (!Line.trimmed().isEmpty()) Lines << Line.simplified();
  return Lines;
}

QStringList ParamLines(int First, int Last) {
  QStringList Lines;
  for (int I = First; I <= Last; ++I) Lines << QStringLiteral("P%1 %1").arg(I);
  return Lines;
}

}  // namespace

class ParamPrintoutTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir FDir;
  std::unique_ptr<TApplInfo> FInfo;

  std::unique_ptr<QPrinter> PdfPrinter(const QString& Name, QPageSize::PageSizeId Size) {
    auto Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    Printer->setOutputFormat(QPrinter::PdfFormat);
    Printer->setOutputFileName(FDir.filePath(Name));
    Printer->setPageSize(QPageSize(Size));
    return Printer;
  }

 private slots:
  void initTestCase() {
    QVERIFY(FDir.isValid());
    FInfo = std::make_unique<TApplInfo>();
    FInfo->ExtCompanyName = "Xavo";
    FInfo->ExtProductName = "KORVA/20";
  }

  void pagesOfThePrintout_data() {
    QTest::addColumn<int>("Count");
    QTest::addColumn<QPageSize::PageSizeId>("Size");
    QTest::addColumn<int>("Pages");
    QTest::newRow("57 lines, A4") << 57 << QPageSize::A4 << 1;
    QTest::newRow("58 lines, A4") << 58 << QPageSize::A4 << 2;
    QTest::newRow("57 lines, Letter") << 57 << QPageSize::Letter << 1;
    QTest::newRow("58 lines, Letter") << 58 << QPageSize::Letter << 2;
    QTest::newRow("3 lines, A4") << 3 << QPageSize::A4 << 1;
  }

  // Each page: the three header lines, then its parameter lines; the 58th line alone on page
  // 2 under the full header. All text inside the page and starting at the left edge.
  void pagesOfThePrintout() {
    QFETCH(int, Count);
    QFETCH(QPageSize::PageSizeId, Size);
    QFETCH(int, Pages);
    TVDXModCommProt Prot;  // not connected: the access code query fails
    FillParameters(Prot, Count);
    const QString File = QStringLiteral("%1-%2.pdf").arg(Count).arg(int(Size));
    auto Printer = PdfPrinter(File, Size);
    QVERIFY(ui::PrintParameterList(*Printer, Prot, *FInfo));

    QPdfDocument Doc;
    QCOMPARE(Doc.load(FDir.filePath(File)), QPdfDocument::Error::None);
    QCOMPARE(Doc.pageCount(), Pages);
    const QRegularExpression Date(QStringLiteral(
        "^Parameter List at: \\S+, \\d\\d\\.\\d\\d\\.\\d{4} - \\d\\d:\\d\\d:\\d\\d$"));
    for (int Page = 0; Page < Pages; ++Page) {
      const QStringList Lines = PageLines(Doc, Page);
      QVERIFY2(Lines.size() >= 3, qPrintable(Lines.join('|')));
      QCOMPARE(Lines[0], QStringLiteral("Xavo - KORVA/20 - Page %1").arg(Page + 1));
      QVERIFY2(Date.match(Lines[1]).hasMatch(), qPrintable(Lines[1]));
      QCOMPARE(Lines[2], QStringLiteral("Module:"));  // no module identified
      QCOMPARE(Lines.mid(3), Page == 0 ? ParamLines(0, std::min(Count, 57) - 1)
                                       : ParamLines(57, Count - 1));

      // 200 and 100 pixels at 600 dpi: a third of an inch from the printable area's left
      // edge, and nothing below the paper's bottom edge.
      const QRectF Text = Doc.getAllText(Page).boundingRectangle();
      const QRectF Paint = Printer->pageLayout().paintRectPoints();
      QVERIFY2(qAbs(Text.left() - (Paint.left() + 24.0)) < 3.0, qPrintable(QString::number(Text.left())));
      QVERIFY2(Text.bottom() < Doc.pagePointSize(Page).height(),
               qPrintable(QString::number(Text.bottom())));
    }
  }

  // Without a connection the access code counts as 0xFFFF: "Password" parameters are printed.
  void passwordGroupWithoutConnection() {
    TVDXModCommProt Prot;
    FillParameters(Prot, 2, true);
    auto Printer = PdfPrinter(QStringLiteral("password.pdf"), QPageSize::A4);
    QVERIFY(ui::PrintParameterList(*Printer, Prot, *FInfo));
    QPdfDocument Doc;
    QCOMPARE(Doc.load(FDir.filePath(QStringLiteral("password.pdf"))), QPdfDocument::Error::None);
    QCOMPARE(PageLines(Doc, 0).mid(3), ParamLines(0, 1));
  }

  // An empty command list starts no print job: no file appears.
  void emptyListPrintsNothing() {
    TVDXModCommProt Prot;
    auto Printer = PdfPrinter(QStringLiteral("empty.pdf"), QPageSize::A4);
    QVERIFY(!ui::PrintParameterList(*Printer, Prot, *FInfo));
    QVERIFY(!QFile::exists(FDir.filePath(QStringLiteral("empty.pdf"))));
  }

  // A printer that cannot start its job (unwritable file) ends the printout quietly.
  void unusablePrinterFails() {
    TVDXModCommProt Prot;
    FillParameters(Prot, 1);
    QPrinter Printer(QPrinter::HighResolution);
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(FDir.filePath(QStringLiteral("missing/folder/out.pdf")));
    QVERIFY(!ui::PrintParameterList(Printer, Prot, *FInfo));
  }
};

QTEST_MAIN(ParamPrintoutTest)
#include "ParamPrintoutTest.moc"
