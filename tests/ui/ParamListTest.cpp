// The parameter grid: which rows a command list and an access code give, the value cells
// following the commands' change events, and editing a row through the input dialog, alone and
// in the main window against a virtual module.
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "MainFormBench.h"
#include "comm/ModCommandLists.h"
#include "comm/ReadoutLine.h"
#include "params/ui/ParamList.h"
#include "params/ui/ParamListEditDlg.h"
#include "params/ui/ParamListEditDlgNumber.h"
#include "params/ui/ParamListEditDlgPages.h"

using namespace vdx;
using namespace vdx::ui;
using namespace vdx::testing;

namespace {

// A real double-click: press and release, then the double-click event and release.
void DoubleClick(QWidget* Viewport, QPoint At) {
  QTest::mouseClick(Viewport, Qt::LeftButton, {}, At);
  QTest::mouseDClick(Viewport, Qt::LeftButton, {}, At);
}

// One command per case of the row filter: groups, access and kind.
const char* const kLines[] = {
    R"(3\2\ALL\\in group All\1\0\100\4)",              // default group
    R"(3\2\SPECIAL\\in group Special\21\0\5000\512)",  // default group, hundredths
    R"(3\2\MAKER\\maker only\1\0\100\64)",             // X.A.VO., not a default group
    R"(2\2\HOURS\\read only\1\0\100\65535)",           // never: not read and write
    R"(3\2\NOGROUP\\no group\1\0\100\0)",              // never: no group bit
    R"(3\5\GO\\a command without value\0\0\0\4)",      // shown, but not editable
};

struct TGridFixture {
  TGridFixture() {
    for (const char* Line : kLines) {
      auto Cmd = ParseReadoutLine(Line);
      if (Cmd) List.Add(std::move(Cmd));
    }
    Grid.resize(900, 400);
    Params.SetParamGrid(&Grid);
    Params.OnCmdSendRequest = [this](IParameterView&, TModCtrlCommand* Cmd) {
      Sent.push_back(Cmd);
      Cmd->DoChange();  // as the protocol component does without a connection
    };
  }
  QStringList Column(int Col) const {
    QStringList Texts;
    for (int Row = 0; Row < Grid.rowCount(); ++Row)
      Texts << (Grid.item(Row, Col) ? Grid.item(Row, Col)->text() : QString());
    return Texts;
  }
  TModNumParaCmd& Num(const char* Name) {
    return static_cast<TModNumParaCmd&>(*List.FindCtrl(Name));
  }
  // Runs Action; when the input dialog opens, Drive runs inside it (and must close it).
  bool OpensDialog(const std::function<void()>& Action,
                   const std::function<void(TParamListEditDlgForm&)>& Drive = {}) {
    bool Opened = false;
    TParamListEditDlgForm& Form = Params.EditDlg().Form();
    QTimer::singleShot(0, &Grid, [&] {
      if (!Form.isVisible()) return;
      Opened = true;
      if (Drive)
        Drive(Form);
      else
        Form.reject();
    });
    Action();
    QCoreApplication::processEvents();
    return Opened;
  }
  QRect CellRect(int Row, int Col) const { return Grid.visualRect(Grid.model()->index(Row, Col)); }

  TModCommandList List;
  QTableWidget Grid{0, 3};
  TVDXParamList Params;
  std::vector<TModCtrlCommand*> Sent;
};

}  // namespace

class ParamListTest : public QObject {
  Q_OBJECT

 private slots:
  void RowsByAccessCode_data() {
    QTest::addColumn<int>("AccessCode");
    QTest::addColumn<QStringList>("Names");
    const QString None;
    // Code 0 shows the default groups but keeps one row per list entry.
    QTest::newRow("0: default groups")
        << 0 << QStringList{"ALL", "SPECIAL", "GO", None, None, None};
    QTest::newRow("0xFFFF: every group") << 0xFFFF << QStringList{"ALL", "SPECIAL", "MAKER", "GO"};
    QTest::newRow("module's own code 0x3C") << 0x3C << QStringList{"ALL", "GO"};
    QTest::newRow("no group matches") << 0x0001 << QStringList{None};
  }
  void RowsByAccessCode() {
    QFETCH(int, AccessCode);
    QFETCH(QStringList, Names);
    TGridFixture F;
    QVERIFY(F.Params.LoadCommandList(&F.List, static_cast<uint16_t>(AccessCode)));
    QCOMPARE(F.Column(0), Names);
    QCOMPARE(F.Grid.horizontalHeaderItem(1)->text(), QStringLiteral("Parameter"));
    QCOMPARE(F.Grid.columnWidth(2), 725);
  }

  void EmptyListAndNoGrid() {
    TGridFixture F;
    TModCommandList Empty;
    QVERIFY(F.Params.LoadCommandList(&Empty, 0));
    QCOMPARE(F.Grid.rowCount(), 1);
    QVERIFY(!F.Params.RowCommand(0));
    TVDXParamList Alone;
    QVERIFY(!Alone.LoadCommandList(&F.List, 0));
    QVERIFY(!F.Params.LoadCommandList(nullptr, 0));
  }

  void ForgetsDestroyedGrid() {
    TModCommandList List;
    List.Add(ParseReadoutLine(R"(3\2\ALL\\in group All\1\0\100\4)"));
    TVDXParamList Params;
    {
      QTableWidget Grid(0, 3);
      Params.SetParamGrid(&Grid);
      Params.LoadCommandList(&List, 0xFFFF);
    }
    QVERIFY(!Params.ParamGrid());
    List.FindCtrl("ALL")->DoChange();  // the handler left in the command is harmless
    QVERIFY(!Params.LoadCommandList(&List, 0));
  }

  // Hundredths show two decimals only after their own change event, and only when asked.
  void PercentDisplay_data() {
    QTest::addColumn<bool>("ShowDecimals");
    QTest::addColumn<int>("VType");
    QTest::addColumn<QString>("AfterChange");
    const QString Percent =
        QStringLiteral("12") + QLatin1Char(LocaleDecimalSeparator()) + QStringLiteral("34");
    QTest::newRow("VType 21, decimals on") << true << 21 << Percent;
    QTest::newRow("VType 22, decimals on") << true << 22 << Percent;
    QTest::newRow("VType 20, decimals on") << true << 20 << QStringLiteral("1234");
    QTest::newRow("VType 23, decimals on") << true << 23 << QStringLiteral("1234");
    QTest::newRow("VType 21, decimals off") << false << 21 << QStringLiteral("1234");
  }
  void PercentDisplay() {
    QFETCH(bool, ShowDecimals);
    QFETCH(int, VType);
    QFETCH(QString, AfterChange);
    TGridFixture F;
    F.Params.SetShowDecimals(ShowDecimals);
    TModNumParaCmd& Cmd = F.Num("SPECIAL");
    Cmd.VType = static_cast<uint8_t>(VType);
    Cmd.Val = 1234;
    F.Params.LoadCommandList(&F.List, 0xFFFF);
    QCOMPARE(F.Grid.item(1, 1)->text(), QStringLiteral("1234"));
    Cmd.DoChange();
    QCOMPARE(F.Grid.item(1, 1)->text(), AfterChange);
    F.Params.RefreshValues();
    QCOMPARE(F.Grid.item(1, 1)->text(), QStringLiteral("1234"));
  }

  // Double-click and Enter open the dialog for parameter rows only; OK raises the send request.
  void EditOpensOnlyForParameterRows_data() {
    QTest::addColumn<bool>("ByEnter");
    QTest::addColumn<int>("Row");
    QTest::addColumn<bool>("Opens");
    for (bool Enter : {false, true}) {
      const char* How = Enter ? "Enter, " : "double-click, ";
      QTest::addRow("%snumeric row", How) << Enter << 0 << true;
      QTest::addRow("%scommand without value", How) << Enter << 2 << false;
      QTest::addRow("%sempty row", How) << Enter << 4 << false;
    }
  }
  void EditOpensOnlyForParameterRows() {
    QFETCH(bool, ByEnter);
    QFETCH(int, Row);
    QFETCH(bool, Opens);
    TGridFixture F;
    F.Grid.show();
    F.Params.LoadCommandList(&F.List, 0);
    F.Grid.setFocus();
    const bool Opened = F.OpensDialog(
        [&] {
          if (ByEnter) {
            F.Grid.setCurrentCell(Row, 0);
            QTest::keyClick(&F.Grid, Qt::Key_Return);
          } else {
            DoubleClick(F.Grid.viewport(), F.CellRect(Row, 1).center());
          }
        },
        [](TParamListEditDlgForm& Form) {
          Form.NumPage->LENumPara->setText(QStringLiteral("42"));
          Form.BBtnOK->click();
        });
    QCOMPARE(Opened, Opens);
    QCOMPARE(F.Sent.size(), size_t(Opens ? 1 : 0));
    if (Opens) {
      QCOMPARE(F.Sent[0], F.List.FindCtrl("ALL"));
      QCOMPARE(F.Grid.item(0, 1)->text(), QStringLiteral("42"));
    }
  }

  void DoubleClickOutsideCellsOpensNothing() {
    TGridFixture F;
    F.Grid.show();
    F.Params.LoadCommandList(&F.List, 0xFFFF);  // four rows, space below them
    const QPoint Below(20, F.CellRect(3, 0).bottom() + 40);
    QVERIFY(!F.OpensDialog([&] { DoubleClick(F.Grid.viewport(), Below); }));
    QVERIFY(F.Sent.empty());
  }

  // The main window's grid against the virtual module: identified rows, and a double-click
  // edit that reaches the module and shows the value read back.
  void EditReachesModule() {
    TBench B;
    B.Identify();
    TVDXParamList& Params = B.Form->ParamList();
    QTableWidget* Grid = B.Form->Pages().ParamGrid;
    QStringList Names;
    int RaRow = -1;
    for (int Row = 0; Row < Grid->rowCount(); ++Row) {
      Names << Grid->item(Row, 0)->text();
      if (Names.back() == QLatin1String("RA")) RaRow = Row;
    }
    // Access code 0x3C: LOCK (Password) and PWM (X.A.VO.) stay hidden, HOURS is read only.
    QVERIFY(Names.contains("MODE") && Names.contains("AIN:X") && Names.contains("CC"));
    QVERIFY(!Names.contains("LOCK") && !Names.contains("PWM") && !Names.contains("HOURS"));
    QVERIFY(RaRow >= 0);
    QCOMPARE(Grid->item(RaRow, 1)->text(), QStringLiteral("100"));

    TParamListEditDlgForm& Form = Params.EditDlg().Form();
    bool Opened = false;
    QTimer::singleShot(0, Grid, [&] {
      Opened = Form.isVisible();
      QCOMPARE(Form.windowTitle(), QStringLiteral("Input RA Parameter"));
      Form.NumPage->LENumPara->setText(QStringLiteral("250"));
      Form.BBtnOK->click();
    });
    const QRect Cell = Grid->visualRect(Grid->model()->index(RaRow, 1));
    DoubleClick(Grid->viewport(), Cell.center());
    QVERIFY(Opened);
    QCOMPARE(B.Sim.Module.ParameterValue("RA"), std::string("250"));
    QVERIFY(B.Sim.Heard().contains(QStringLiteral("RA 250\r")));
    QCOMPARE(Grid->item(RaRow, 1)->text(), QStringLiteral("250"));
  }
};

QTEST_MAIN(ParamListTest)
#include "ParamListTest.moc"
