// The commissioning report against the virtual module: the PDF written through the File menu
// holds the module's ID text, every listed parameter, one plot per curve, the input scalings and
// the process values, adds the oscilloscope's page only when it has data, and is shown in the
// viewer window.
#include <QMenu>
#include <QPdfDocument>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "MainFormBench.h"
#include "app/ui/CommissioningReport.h"
#include "app/ui/DocumentViewer.h"
#include "app/ui/DropDownComboBox.h"
#include "live/ui/VDXScope.h"

using namespace vdx;
using namespace vdx::testing;

namespace {

// The text of every page of a PDF; empty when it cannot be loaded.
QString PdfText(const QString& FileName) {
  QPdfDocument Doc;
  if (Doc.load(FileName) != QPdfDocument::Error::None) return {};
  QString Text;
  for (int Page = 0; Page < Doc.pageCount(); ++Page) Text += Doc.getAllText(Page).text() + '\n';
  return Text;
}

// Exports the report into Dir through the File menu, as the user does; its text, or why there
// is none.
QString ExportReport(TBench& B, const QTemporaryDir& Dir) {
  TFileDialogLog Dialogs;
  const QString File = Dir.filePath(QStringLiteral("report.pdf"));
  Dialogs.Answers = {File};
  emit B.Form->Menus().File->aboutToShow();
  if (!B.Form->Menus().MMIExportReport->isEnabled()) return QStringLiteral("ERROR: item disabled");
  B.Form->Menus().MMIExportReport->trigger();
  auto* Viewer = dynamic_cast<ui::TWebBrowserDlg*>(
      B.Form->findChild<QWidget*>(QStringLiteral("WebBrowserDlg")));
  if (!Viewer || !Viewer->isVisible() || Viewer->windowTitle() != File ||
      Viewer->Document()->pageCount() < 1)
    return QStringLiteral("ERROR: not in the viewer");
  return PdfText(File);
}

constexpr uint16_t GroupXAVO = 1u << 6;
constexpr uint16_t GroupPassword = 1u << 7;

}  // namespace

class CommissioningReportTest : public QObject {
  Q_OBJECT

 private slots:
  void holdsTheModuleAndEveryListedParameter() {
    TBench B;
    B.Identify();
    QTemporaryDir Dir;
    const QString Text = ExportReport(B, Dir);
    QVERIFY2(!Text.isEmpty() && !Text.startsWith(QStringLiteral("ERROR")), qPrintable(Text));
    QVERIFY(B.Messages.Entries.empty());
    TVDXModCommProt& Prot = B.Form->ModProt();
    QVERIFY(Text.contains(QString::fromLatin1(Prot.ModuleId())));
    QVERIFY(Text.contains(QStringLiteral("0x003C")));

    // The module's access code 0x003C hides group "Password"; "X.A.VO." is never listed.
    int Curves = 0;
    for (int I = 0; I < Prot.CmdList().Count(); ++I) {
      const auto* Cmd = dynamic_cast<const TModCtrlCommand*>(Prot.CmdList().Objects(I));
      if (!Cmd || (Cmd->Type != ctTextPara && Cmd->Type != ctNumPara && Cmd->Type != ctCCPara &&
                   Cmd->Type != ctAinPara))
        continue;
      const QString Name = QString::fromLatin1(Cmd->Name);
      const bool Listed = !(Cmd->GCode & (GroupXAVO | GroupPassword));
      if (Listed) QVERIFY2(Text.contains(Name), qPrintable(Name));
      if (Cmd->Type == ctCCPara) {
        QCOMPARE(Text.count(QStringLiteral("Curve ") + Name + QLatin1Char('\n')), Listed ? 1 : 0);
        Curves += Listed;
      }
    }
    QCOMPARE(Curves, 1);
    QCOMPARE(Text.count(QStringLiteral("Curve ")), Curves);
    // The PDF's text gives runs of blanks as one.
    QVERIFY(Text.contains(QStringLiteral("AIN:W: Y = 1000 / 1000 * (X - 0) X: voltage input")));
    for (int I = 0; I < Prot.ProcessData().Count(); ++I) {
      const TModProcCommand* Value = Prot.ProcessData().Items(I);
      QVERIFY(Text.contains(QString::fromLatin1(Value->Name)));
      QVERIFY(Text.contains(QString::fromLatin1(Value->PhysUnit)));
    }
    QVERIFY(!Text.contains(QStringLiteral("not read")));
    QVERIFY(Text.contains(QStringLiteral("Status lamps lit")));
    QVERIFY(!Text.contains(QStringLiteral("Oszilloskop Display at:")));
  }

  // With samples on a channel the oscilloscope's printout page follows.
  void addsTheScopePageWhenItHasData() {
    TBench B;
    B.Identify();
    B.Form->Actions().ShowScopeAct->trigger();
    ui::TDropDownComboBox* Box = B.Form->Pages().ScopeControls.CBChCustSignal[0];
    Box->showPopup();
    Box->hidePopup();
    Box->setCurrentIndex(1);
    emit Box->activated(1);
    B.Form->Scope().SetCursorEnable(TCursors{ckAmplitude, ckTime});
    QTest::mouseClick(B.Form->Pages().ScopeControls.BtnStart, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(ui::ScopeHasData(B.Form->Scope()) && B.Form->Scope().FramesShown() > 2,
                             10000);
    QTest::mouseClick(B.Form->Pages().ScopeControls.BtnStop, Qt::LeftButton);
    QTemporaryDir Dir;
    const QString Text = ExportReport(B, Dir);
    QVERIFY2(!Text.isEmpty() && !Text.startsWith(QStringLiteral("ERROR")), qPrintable(Text));
    QVERIFY(Text.contains(QStringLiteral("Oszilloskop Display at:")));
    QVERIFY(Text.contains(QStringLiteral("Cha.1: ") + Box->currentText()));
  }
};

QTEST_MAIN(CommissioningReportTest)
#include "CommissioningReportTest.moc"
