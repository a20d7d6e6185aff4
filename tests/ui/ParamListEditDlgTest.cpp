// The parameter input dialog: the number rule and its key filter, range validation that keeps
// the dialog open, the percent display, the analogue input presets, the text page, and the
// characteristic curve's table and draggable plot.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "UiFixture.h"
#include "app/ui/RadioGroup.h"
#include "comm/ModCommands.h"
#include "params/ui/ParamListEditDlg.h"
#include "params/ui/ParamListEditDlgCurve.h"
#include "params/ui/ParamListEditDlgCurvePlot.h"
#include "params/ui/ParamListEditDlgNumber.h"
#include "params/ui/ParamListEditDlgPages.h"

using namespace vdx;
using namespace vdx::ui;
using namespace vdx::testing;

namespace {

// Runs the dialog for Cmd; Drive runs once it is shown and must close it.
bool RunDialog(TParamListEditDlg& Dlg, TModCtrlCommand* Cmd,
               const std::function<void(TParamListEditDlgForm&)>& Drive) {
  QTimer::singleShot(0, [&Dlg, Drive] {
    Drive(Dlg.Form());
    if (Dlg.Form().isVisible()) Dlg.Form().reject();  // a failed check left it open
  });
  return Dlg.Execute(Cmd);
}

// The editor the curve table opened for a cell.
QLineEdit* CellEditor(QTableWidget* Table) { return Table->viewport()->findChild<QLineEdit*>(); }

// A numeric parameter "RA" with its limits and value.
struct TNumCmd : TModNumParaCmd {
  TNumCmd(int32_t Min, int32_t Max, int32_t Val, uint8_t VType = 1) {
    Init(*this, Min, Max, Val, VType);
  }
  static void Init(TModNumParaCmd& Cmd, int32_t Min, int32_t Max, int32_t Val, uint8_t VType) {
    Cmd.Name = "RA";
    Cmd.Min = Min;
    Cmd.Max = Max;
    Cmd.Val = Val;
    Cmd.VType = VType;
  }
};

QString Sep() { return QString(QLatin1Char(LocaleDecimalSeparator())); }

void SendMouse(QWidget* W, QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons) {
  QMouseEvent Event(Type, At, W->mapToGlobal(At), Qt::LeftButton, Buttons, Qt::NoModifier);
  QApplication::sendEvent(W, &Event);
}

// Drags with the left button from one plot pixel to another.
void Drag(TCCPlot* Plot, QPoint From, QPoint To) {
  SendMouse(Plot, QEvent::MouseButtonPress, From, Qt::LeftButton);
  SendMouse(Plot, QEvent::MouseMove, To, Qt::LeftButton);
  SendMouse(Plot, QEvent::MouseButtonRelease, To, Qt::NoButton);
}

// A curve whose point I is (1000 * I, 500 * I).
struct TSlopedCurve : TModCCParaCmd {
  TSlopedCurve() {
    Name = "CC";
    for (int I = -10; I <= 10; ++I) SetPoint(I, {1000 * I, 500 * I});
  }
};

}  // namespace

class ParamListEditDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void NumberRule_data() {
    QTest::addColumn<QString>("Text");
    QTest::addColumn<bool>("Valid");
    QTest::addColumn<int>("Value");
    QTest::newRow("integer") << "150" << true << 150;
    QTest::newRow("hexadecimal") << "$1F" << true << 31;
    QTest::newRow("comma, one decimal") << "12,5" << true << 1250;
    QTest::newRow("comma, two decimals") << "0,53" << true << 53;
    QTest::newRow("further decimals cut toward zero") << "-1,239" << true << -123;
    QTest::newRow("no integer part") << ",5" << true << 50;
    QTest::newRow("locale separator") << "12" + Sep() + "34" << true << 1234;
    QTest::newRow("two separators") << "1,2,3" << false << 0;
    QTest::newRow("sign only") << "-," << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("letters after comma") << "1,2a" << false << 0;
    QTest::newRow("beyond 32 bits") << "30000000,00" << false << 0;
  }
  void NumberRule() {
    QFETCH(QString, Text);
    QFETCH(bool, Valid);
    QFETCH(int, Value);
    int32_t Result = -777;
    QCOMPARE(ReadNumberText(Text.toStdString(), Result), Valid);
    QCOMPARE(Result, Valid ? Value : -777);
  }

  // OK with a bad field shows the message, corrects the field and keeps the dialog open.
  void ValidationKeepsDialogOpen_data() {
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<QString>("Message");
    QTest::addColumn<QString>("Corrected");
    QTest::newRow("above Max") << "150"
                               << "Input data are out of range!"
                               << "100";
    QTest::newRow("below Min") << "-5"
                               << "Input data are out of range!"
                               << "0";
    QTest::newRow("not a number") << "1-2"
                                  << "The input data are not valid!"
                                  << "40";
  }
  void ValidationKeepsDialogOpen() {
    QFETCH(QString, Typed);
    QFETCH(QString, Message);
    QFETCH(QString, Corrected);
    TMessageLog Messages;
    TParamListEditDlg Dlg;
    TNumCmd Cmd(0, 100, 40);
    QString FieldAfterFirstOk;
    bool StillOpen = false;
    const bool Ok = RunDialog(Dlg, &Cmd, [&](TParamListEditDlgForm& Form) {
      Form.NumPage->LENumPara->setText(Typed);
      Form.BBtnOK->click();
      FieldAfterFirstOk = Form.NumPage->LENumPara->text();
      StillOpen = Form.isVisible();
      Form.BBtnOK->click();
    });
    QCOMPARE(Messages.Texts(), QStringList{Message});
    QCOMPARE(Messages.Entries[0].Kind, TMessageKind::Error);
    QCOMPARE(FieldAfterFirstOk, Corrected);
    QVERIFY(StillOpen);
    QVERIFY(Ok);
    QCOMPARE(QString::number(Cmd.Val), Corrected);
  }

  void CancelWithBadTextChangesNothing() {
    TMessageLog Messages;
    TParamListEditDlg Dlg;
    TNumCmd Cmd(0, 100, 40);
    QVERIFY(!RunDialog(Dlg, &Cmd, [](TParamListEditDlgForm& Form) {
      Form.NumPage->LENumPara->setText(QStringLiteral("999"));
      Form.BBtnCancel->click();
    }));
    QVERIFY(Messages.Entries.empty());
    QCOMPARE(Cmd.Val, 40);
  }

  // Hundredths with decimals on: shown as 12.34 (locale separator), typed through the key filter.
  void PercentInput_data() {
    QTest::addColumn<QString>("Keys");
    QTest::addColumn<int>("Stored");
    QTest::newRow("comma") << "12,5" << 1250;
    QTest::newRow("locale separator") << "12" + Sep() + "5" << 1250;
    QTest::newRow("integer taken as is") << "50" << 50;
    QTest::newRow("negative, cut decimals") << "-1,239" << -123;
    QTest::newRow("letters filtered out") << "1x2" << 12;
    QTest::newRow("minus only at the start") << "1-2" << 12;
  }
  void PercentInput() {
    QFETCH(QString, Keys);
    QFETCH(int, Stored);
    TMessageLog Messages;
    TParamListEditDlg Dlg;
    Dlg.Options.ShowDecimals = true;
    TNumCmd Cmd(-5000, 5000, 1234, 22);
    QStringList Shown;
    QVERIFY(RunDialog(Dlg, &Cmd, [&](TParamListEditDlgForm& Form) {
      TNumParaPage& Page = *Form.NumPage;
      Shown << Page.LENumPara->text() << Page.LabelMin->text() << Page.LabelMax->text();
      Page.LENumPara->selectAll();
      QTest::keyClicks(Page.LENumPara, Keys);
      Form.BBtnOK->click();
    }));
    QCOMPARE(Shown, (QStringList{"12" + Sep() + "34", "-50" + Sep() + "00", "50" + Sep() + "00"}));
    QVERIFY(Messages.Entries.empty());
    QCOMPARE(Cmd.Val, Stored);
  }

  void AnalogueInputPresets_data() {
    QTest::addColumn<bool>("AinUI");
    QTest::addColumn<int>("Preset");
    QTest::addColumn<QStringList>("Fields");  // A, B, C, X item
    QTest::addColumn<bool>("Enabled");
    QTest::newRow("0 - 10V") << false << 1 << QStringList{"1000", "1000", "0", "V"} << false;
    QTest::newRow("4 - 20mA") << false << 2 << QStringList{"1250", "1000", "2000", "C"} << false;
    QTest::newRow("4 - 20mA, U/I")
        << true << 2 << QStringList{"1250", "1000", "2000", "I"} << false;
    QTest::newRow("user defined keeps")
        << false << 0 << QStringList{"-300", "700", "12", "C"} << true;
  }
  void AnalogueInputPresets() {
    QFETCH(bool, AinUI);
    QFETCH(int, Preset);
    QFETCH(QStringList, Fields);
    QFETCH(bool, Enabled);
    TParamListEditDlg Dlg;
    Dlg.Options.AinCommandUI = AinUI;
    TModAinParaCmd Cmd;
    Cmd.Name = "AIN:W";
    Cmd.A = -300, Cmd.B = 700, Cmd.C = 12, Cmd.X = 1;
    QStringList Shown;
    QString Caption;
    QVERIFY(RunDialog(Dlg, &Cmd, [&](TParamListEditDlgForm& Form) {
      TAinParaPage& Page = *Form.AinPage;
      Caption = Page.VoltageLabel->text();
      // Through the preset first, then back when the case wants "user defined".
      Page.RGrpPresetting->Button(Preset == 0 ? 1 : Preset)->click();
      if (Preset == 0) {
        Page.LEditAinA->setText("-300"), Page.LEditAinB->setText("700");
        Page.LEditAinC->setText("12"), Page.CBoxAinX->setCurrentIndex(1);
        Page.RGrpPresetting->Button(0)->click();
      }
      Shown << Page.LEditAinA->text() << Page.LEditAinB->text() << Page.LEditAinC->text()
            << Page.CBoxAinX->currentText();
      QCOMPARE(Page.LEditAinA->isEnabled(), Enabled);
      QCOMPARE(Page.CBoxAinX->isEnabled(), Enabled);
      Form.BBtnOK->click();
    }));
    QCOMPARE(Caption, AinUI ? QStringLiteral("U (Voltage) or I (Current)")
                            : QStringLiteral("V (Voltage) or C (Current)"));
    QCOMPARE(Shown, Fields);
    QCOMPARE((QStringList{QString::number(Cmd.A), QString::number(Cmd.B), QString::number(Cmd.C)}),
             Fields.mid(0, 3));
    QCOMPARE(int(Cmd.X), Fields[3] == "V" || Fields[3] == "U" ? 0 : 1);
  }

  void AnalogueOutOfRangeAndUnknownKind() {
    TMessageLog Messages;
    TParamListEditDlg Dlg;
    TModAinParaCmd Cmd;
    Cmd.Name = "AIN:X";
    Cmd.X = 5;
    int XIndex = 0;
    QVERIFY(RunDialog(Dlg, &Cmd, [&](TParamListEditDlgForm& Form) {
      XIndex = Form.AinPage->CBoxAinX->currentIndex();
      Form.AinPage->LEditAinC->setFocus();
      QTest::keyClicks(Form.AinPage->LEditAinC, QStringLiteral("20000"));
      Form.BBtnOK->click();
      Form.BBtnOK->click();
    }));
    QCOMPARE(XIndex, -1);
    QCOMPARE(Messages.Texts(), QStringList{"Input data are out of range!"});
    QCOMPARE(Cmd.C, 10000);
    QCOMPARE(int(Cmd.X), 5);
  }

  void TextValueNotInList() {
    TParamListEditDlg Dlg;
    Dlg.Options.ShowCmdGrpInfo = true;
    TModTextParaCmd Cmd;
    Cmd.Name = "MODE";
    Cmd.Help = "Parameter menu";
    Cmd.GCode = 0x24;
    Cmd.VList = {"STANDARD", "EXPERT"};
    Cmd.Txt = "OTHER";
    int Index = 0;
    QString Comment;
    QVERIFY(RunDialog(Dlg, &Cmd, [&](TParamListEditDlgForm& Form) {
      Index = Form.TextPage->CBoxTextPara->currentIndex();
      Comment = Form.MemoComment->toPlainText();
      Form.BBtnOK->click();
    }));
    QCOMPARE(Index, -1);
    QCOMPARE(Comment, QStringLiteral("Parameter menu\nCommand Group: All, Basic"));
    QCOMPARE(Cmd.Txt, std::string("OTHER"));
  }

  void OtherCommandsOpenNothing() {
    TParamListEditDlg Dlg;
    TModCtrlCommand Cmd(ctNoPara);
    QVERIFY(!Dlg.Execute(&Cmd));
    QVERIFY(!Dlg.Execute(nullptr));
    QVERIFY(!Dlg.Form().isVisible());
  }

  // Drags in the plot: the point follows within its limits and its table row follows the point.
  void CurveDrag_data() {
    QTest::addColumn<int>("Point");  // k: table row k + 1, curve index 10 - k
    QTest::addColumn<QPoint>("To");
    QTest::addColumn<QPoint>("Pixel");
    QTest::addColumn<int>("X");
    QTest::addColumn<int>("Y");
    QTest::newRow("inner point, free") << 5 << QPoint(330, 100) << QPoint(330, 100) << 4250 << 5500;
    QTest::newRow("inner point stops at neighbour")
        << 5 << QPoint(440, 300) << QPoint(365, 300) << 6000 << -4500;
    QTest::newRow("row 1 only vertically")
        << 0 << QPoint(300, 0) << QPoint(445, 10) << 10000 << 10000;
    QTest::newRow("row 21 only vertically")
        << 20 << QPoint(100, 500) << QPoint(45, 410) << -10000 << -10000;
  }
  void CurveDrag() {
    QFETCH(int, Point);
    QFETCH(QPoint, To);
    QFETCH(QPoint, Pixel);
    QFETCH(int, X);
    QFETCH(int, Y);
    TParamListEditDlg Dlg;
    TSlopedCurve Cmd;
    TSlopedCurve Stored;
    QVERIFY(RunDialog(Dlg, &Cmd, [&](TParamListEditDlgForm& Form) {
      TCCParaPage& Page = *Form.CCPage;
      Drag(Page.PBoxCC, Page.PBoxCC->Point(Point), To);
      QCOMPARE(Page.PBoxCC->Point(Point), Pixel);
      QCOMPARE(Page.CellText(1, Point + 1), QString::number(X));
      QCOMPARE(Page.CellText(2, Point + 1), QString::number(Y));
      Form.BBtnOK->click();
    }));
    Stored.SetPoint(10 - Point, {X, Y});
    for (int I = -10; I <= 10; ++I) {
      TCurvePoint Got, Want;
      Cmd.GetPoint(I, Got), Stored.GetPoint(I, Want);
      QCOMPARE(Got, Want);
    }
  }

  void CurveDefaultThenCancel() {
    TParamListEditDlg Dlg;
    TSlopedCurve Cmd;
    QStringList Row1, Row21;
    QPoint LastPixel;
    QVERIFY(!RunDialog(Dlg, &Cmd, [&](TParamListEditDlgForm& Form) {
      TCCParaPage& Page = *Form.CCPage;
      QCOMPARE(Page.CellText(0, 0), QStringLiteral("Command"));
      QCOMPARE(Page.CellText(0, 21), QStringLiteral("CC:-10"));
      QCOMPARE(Page.CellText(2, 1), QStringLiteral("5000"));
      Page.BtnDefault->click();
      Row1 << Page.CellText(1, 1) << Page.CellText(2, 1);
      Row21 << Page.CellText(1, 21) << Page.CellText(2, 21);
      LastPixel = Page.PBoxCC->Point(20);
      Form.BBtnCancel->click();
    }));
    QCOMPARE(Row1, (QStringList{"10000", "10000"}));
    QCOMPARE(Row21, (QStringList{"-10000", "-10000"}));
    QCOMPARE(LastPixel, QPoint(46, 409));
    TCurvePoint Pt;
    Cmd.GetPoint(10, Pt);
    QCOMPARE(Pt, (TCurvePoint{10000, 5000}));
  }

  // Table cells: X limited to its neighbours, the end rows pinned, bad cells set to "0".
  void CurveTableValidation_data() {
    QTest::addColumn<int>("Row");
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<QString>("After");
    QTest::newRow("inner X above its upper neighbour") << 5 << "9000"
                                                       << "7000";
    QTest::newRow("inner X below its lower neighbour") << 5 << "-3000"
                                                       << "5000";
    QTest::newRow("inner X between neighbours") << 5 << "6500"
                                                << "6500";
    QTest::newRow("row 1 X pinned") << 1 << "3"
                                    << "10000";
    QTest::newRow("row 21 X pinned") << 21 << "3"
                                     << "-10000";
    QTest::newRow("minus alone is no number") << 5 << "-"
                                              << "0";
  }
  void CurveTableValidation() {
    QFETCH(int, Row);
    QFETCH(QString, Typed);
    QFETCH(QString, After);
    TParamListEditDlg Dlg;
    TSlopedCurve Cmd;
    QString Cell;
    QPoint Pixel;
    QVERIFY(RunDialog(Dlg, &Cmd, [&](TParamListEditDlgForm& Form) {
      TCCParaPage& Page = *Form.CCPage;
      QTableWidget* Table = Page.SGridCC;
      Table->setFocus();
      Table->setCurrentCell(Row - 1, 1);
      Table->editItem(Table->item(Row - 1, 1));
      QLineEdit* Editor = CellEditor(Table);
      QVERIFY(Editor);
      Editor->selectAll();
      QTest::keyClicks(Editor, Typed);
      QTest::keyClick(Editor, Qt::Key_Return);
      QCoreApplication::processEvents();  // the view takes the editor's text queued
      Cell = Page.CellText(1, Row);
      Pixel = Page.PBoxCC->Point(Row - 1);
      Form.BBtnOK->click();
    }));
    QCOMPARE(Cell, After);
    QCOMPARE(Pixel.x(), TCCPlot::ValueToPx(After.toInt()));
    TCurvePoint Pt;
    Cmd.GetPoint(10 - (Row - 1), Pt);
    QCOMPARE(QString::number(Pt.X), After);
  }

  void CurveCellCutWhileTyping() {
    TParamListEditDlg Dlg;
    TSlopedCurve Cmd;
    QString WhileTyping;
    RunDialog(Dlg, &Cmd, [&](TParamListEditDlgForm& Form) {
      QTableWidget* Table = Form.CCPage->SGridCC;
      Table->setFocus();
      Table->editItem(Table->item(0, 1));
      QLineEdit* Editor = CellEditor(Table);
      QVERIFY(Editor);
      Editor->selectAll();
      QTest::keyClicks(Editor, QStringLiteral("2a0000"));
      WhileTyping = Editor->text();
      Form.BBtnCancel->click();
    });
    QCOMPARE(WhileTyping, QStringLiteral("10000"));
  }

  void WindowSizesAndCaption_data() {
    QTest::addColumn<int>("Type");
    QTest::addColumn<QSize>("Size");
    QTest::newRow("text") << int(ctTextPara) << QSize(373, 300);
    QTest::newRow("number") << int(ctNumPara) << QSize(373, 300);
    QTest::newRow("curve") << int(ctCCPara) << QSize(668, 686);
    QTest::newRow("analogue input") << int(ctAinPara) << QSize(373, 420);
  }
  void WindowSizesAndCaption() {
    QFETCH(int, Type);
    QFETCH(QSize, Size);
    auto Cmd = CreateCommand(static_cast<uint8_t>(Type));
    Cmd->Name = "P1";
    TParamListEditDlgForm Form;
    QVERIFY(Form.Prepare(static_cast<TModCtrlCommand*>(Cmd.get()), {}));
    QCOMPARE(Form.size(), Size);
    QCOMPARE(Form.windowTitle(), QStringLiteral("Input P1 Parameter"));
    QCOMPARE(Form.NB->currentWidget()->objectName(),
             QString::fromStdString(CmdTypeName(uint8_t(Type))));
    QCOMPARE(Form.BBtnOK->x(), 70);
    QCOMPARE(Form.BBtnCancel->geometry().right() + 1, Size.width() - 70);
  }
};

QTEST_MAIN(ParamListEditDlgTest)
#include "ParamListEditDlgTest.moc"
