// The monitor: rows by kind and count, the rows that fit the area, the row selectors and
// their lists, values in physical units; and page "Monitor" against a virtual module.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "MainFormBench.h"
#include "app/ui/DropDownComboBox.h"
#include "comm/ModCommandLists.h"
#include "comm/ProcessSamples.h"
#include "live/ui/MonitorInfoPanel.h"
#include "live/ui/VDXMonitor.h"

using namespace vdx;
using namespace vdx::ui;
using namespace vdx::testing;

namespace {

// N process values "P0", "P1", ... with unit "bar" and help "help I".
std::unique_ptr<TModProcessData> ProcessValues(int N, int32_t CompFactor = 1) {
  auto List = std::make_unique<TModProcessData>();
  for (int I = 0; I < N; ++I) {
    auto Cmd = std::make_unique<TModProcCommand>();
    Cmd->Name = "P" + std::to_string(I);
    Cmd->PhysUnit = "bar";
    Cmd->Help = "help " + std::to_string(I);
    Cmd->CompFactor = CompFactor;
    List->Add(std::move(Cmd));
  }
  return List;
}

// A monitor shown as a dialog whose row area is Height pixels high.
struct TMonitorRig {
  explicit TMonitorRig(int Height = 661) {
    Form()->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form()));
    Form()->resize(600, Height + Form()->height() - Form()->Panel3()->height());
    QTRY_COMPARE(Form()->Panel3()->height(), Height);
  }
  TMonitorForm* Form() const { return Monitor.MonitorForm(); }
  QStringList Labels(int Row) const {
    TVDXMonitorInfoPanel* P = Form()->RowPanel(Row);
    return {P->Para()->text(), P->Data()->text(), P->PUnit()->text(), P->Info()->text()};
  }
  QStringList Items(int Row) const {
    QStringList Names;
    QComboBox* Box = Form()->RowSelector(Row);
    for (int I = 0; I < Box->count(); ++I) Names << Box->itemText(I);
    return Names;
  }
  void Sample(int Index, int32_t Raw) {
    TASCIIProcDataObj S(0, Raw);
    S.Index = Index;
    Monitor.NewProcData(S);
  }
  TVDXMonitor Monitor;
};

}  // namespace

class TMonitorTest : public QObject {
  Q_OBJECT

 private slots:
  void RowsFollowKindAndCount_data() {
    QTest::addColumn<int>("values");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rows");
    QTest::newRow("3 values, default") << 3 << int(vpDefault) << 4 << 3;
    QTest::newRow("12 values, default") << 12 << int(vpDefault) << 4 << 4;
    QTest::newRow("12 values, custom 6") << 12 << int(vpCustom) << 6 << 6;
    QTest::newRow("3 values, custom 6") << 3 << int(vpCustom) << 6 << 3;
    QTest::newRow("12 values, max") << 12 << int(vpMax) << 4 << 12;
    QTest::newRow("3 values, max") << 3 << int(vpMax) << 4 << 3;
  }
  void RowsFollowKindAndCount() {
    QFETCH(int, values);
    QFETCH(int, kind);
    QFETCH(int, count);
    QFETCH(int, rows);
    TMonitorRig Rig;
    Rig.Monitor.SetVisibleParamKind(static_cast<TVisibleParamKind>(kind));
    Rig.Monitor.SetVisibleParamCnt(count);
    const auto List = ProcessValues(values);
    Rig.Monitor.SetProcessData(List.get());
    QCOMPARE(Rig.Form()->RowCount(), rows);
    // Each row shows the value of its own position; of twelve only nine fit 661 pixels.
    for (int Row = 0; Row < rows; ++Row) {
      QCOMPARE(Rig.Labels(Row),
               QStringList({QStringLiteral("P%1").arg(Row), QStringLiteral("0.00"),
                            QStringLiteral("bar"), QStringLiteral("help %1").arg(Row)}));
      QCOMPARE(Rig.Form()->RowSelector(Row)->isVisible(), Row < 9);
      QCOMPARE(Rig.Form()->RowPanel(Row)->isVisible(), Row < 9);
    }
  }

  void RowsThatFitTheArea() {
    QCOMPARE(TMonitorForm::RowsThatFit(661), 9);
    QCOMPARE(TMonitorForm::RowsThatFit(659), 8);
    QCOMPARE(TMonitorForm::RowsThatFit(29), 0);
    TMonitorRig Rig;
    QCOMPARE(Rig.Form()->Panel3()->height(), 661);
    QCOMPARE(Rig.Form()->RowsThatFit(), 9);
    Rig.Monitor.SetVisibleParamKind(vpMax);
    const auto List = ProcessValues(12);
    Rig.Monitor.SetProcessData(List.get());
    // Rows sit one under the other, selector left of its panel, the pair centred.
    const QWidget* Selector = Rig.Form()->RowSelector(2);
    const QWidget* Panel = Rig.Form()->RowPanel(2);
    QCOMPARE(Selector->y(), 2 * 70 + 25);
    QCOMPARE(Panel->geometry(), QRect(Selector->x() + 125, Selector->y(), 340, 50));
    QCOMPARE(Selector->x(), (Rig.Form()->Panel3()->width() - 465) / 2);

    Rig.Form()->resize(Rig.Form()->width(), Rig.Form()->height() - 140);
    QTRY_VERIFY(!Rig.Form()->RowPanel(7)->isVisible());
    QVERIFY(Rig.Form()->RowPanel(6)->isVisible());
    Rig.Form()->resize(Rig.Form()->width(), Rig.Form()->height() + 140);
    QTRY_VERIFY(Rig.Form()->RowPanel(8)->isVisible());
    QVERIFY(!Rig.Form()->RowPanel(9)->isVisible());
  }

  void SameCountRebuildsNothing() {
    TMonitorRig Rig;
    Rig.Monitor.SetVisibleParamKind(vpCustom);
    const auto List = ProcessValues(12);
    Rig.Monitor.SetProcessData(List.get());
    QComboBox* First = Rig.Form()->RowSelector(0);
    First->setCurrentIndex(-1);
    First->setEditText(QStringLiteral("---"));
    Rig.Monitor.SetVisibleParamCnt(4);
    QCOMPARE(Rig.Form()->RowSelector(0), First);
    Rig.Monitor.SetVisibleParamCnt(5);
    QCOMPARE(Rig.Form()->RowCount(), 5);
    QCOMPARE(Rig.Form()->RowSelector(0)->currentText(), QStringLiteral("P0"));
  }

  void DropDownLeavesOutShownValues() {
    TMonitorRig Rig(300);  // three rows fit: the fourth is hidden
    const auto List = ProcessValues(6);
    Rig.Monitor.SetProcessData(List.get());
    QCOMPARE(Rig.Form()->RowsThatFit(), 3);
    Rig.Form()->RowSelector(2)->showPopup();
    Rig.Form()->RowSelector(2)->hidePopup();
    // Rows 0 and 1 show P0 and P1; hidden row 3 shows P3 but does not count.
    QCOMPARE(Rig.Items(2), QStringList({"---", "P2", "P3", "P4", "P5"}));
    QCOMPARE(Rig.Form()->RowSelector(2)->currentText(), QStringLiteral("P2"));
    QCOMPARE(Rig.Form()->RowSelector(2)->maxVisibleItems(), 5);
  }

  void NoValueRowStaysUntouched() {
    TMonitorRig Rig;
    const auto List = ProcessValues(3);
    Rig.Monitor.SetProcessData(List.get());
    TDropDownComboBox* Row1 = Rig.Form()->RowSelector(1);
    Row1->showPopup();
    Row1->hidePopup();
    Row1->setCurrentIndex(0);
    emit Row1->activated(0);  // the user picks "---"
    const QStringList NoValue(4, QStringLiteral("---"));
    QCOMPARE(Rig.Labels(1), NoValue);
    Rig.Sample(1, 500);
    Rig.Sample(0, 700);
    QCOMPARE(Rig.Labels(1), NoValue);
    QCOMPARE(Rig.Labels(0)[1], QStringLiteral("700.00"));

    // A typed name that is no item falls back to "---" as well.
    QComboBox* Row2 = Rig.Form()->RowSelector(2);
    QTest::keyClicks(Row2->lineEdit(), QStringLiteral("x"));
    QCOMPARE(Row2->currentText(), QStringLiteral("---"));
    QCOMPARE(Rig.Labels(2), NoValue);
  }

  void ValuesShownInPhysicalUnits() {
    TMonitorRig Rig;
    const auto List = ProcessValues(2, 10);
    Rig.Monitor.SetProcessData(List.get());
    Rig.Sample(1, 1234);
    QCOMPARE(Rig.Labels(1)[1], QStringLiteral("123.40"));
    // A sample of no known position changes no value.
    Rig.Sample(-1, 99);
    Rig.Sample(2, 99);
    QCOMPARE(Rig.Labels(0)[1], QStringLiteral("0.00"));
    QCOMPARE(Rig.Labels(1)[1], QStringLiteral("123.40"));
    // The monitor keeps its own copy: the module's list may go.
    QCOMPARE(Rig.Monitor.ProcessData().Items(1)->Value, 1234);
  }

  void RowsFromTheSettings() {
    // Two custom rows, as the options dialog stores them.
    TBench B({}, [] {
      const QString Folder = qEnvironmentVariable("appdata") + QStringLiteral("/Xavo");
      QDir().mkpath(Folder);
      QFile Ini(Folder + QLatin1Char('/') +
                QString::fromStdString(TApplIni::RunningExecutableName()) + QStringLiteral(".ini"));
      QVERIFY(Ini.open(QIODevice::WriteOnly));
      Ini.write("[Monitor]\r\nVisParaKind=1\r\nVisParaCnt=2\r\n");
    });
    QCOMPARE(B.Form->Monitor().VisibleParamKind(), vpCustom);
    QCOMPARE(B.Form->Monitor().VisibleParamCnt(), 2);
    B.Identify();
    QCOMPARE(B.Form->Monitor().MonitorForm()->RowCount(), 2);
  }

  void SpaceBarResumesStoppedPolling() {
    TBench B;
    TVDXModCommProt& Prot = B.Form->ModProt();
    Prot.SetMonitorIntervalMs(50);
    B.Identify();
    B.Form->Actions().ShowMonitorAct->trigger();
    B.Sim.Module.SetFault(sim::TSimFault::Silence);
    QTRY_VERIFY_WITH_TIMEOUT(Prot.PollingStopped() == 1 && !Prot.PollTimer().Running(), 10000);

    // Another answer to "ID" than the identified module's: polling stays stopped.
    B.Sim.Module.SetFault(sim::TSimFault::CommandError);
    B.PressSpace();
    QCOMPARE(
        B.Messages.Texts(),
        QStringList(QStringLiteral("The module ID has changed! Please press the button \"ID\"!")));
    QVERIFY(!Prot.PollTimer().Running());

    B.Sim.Module.SetFault(sim::TSimFault::None);
    B.PressSpace();
    QVERIFY(Prot.PollTimer().Running());
    QTRY_COMPARE_WITH_TIMEOUT(int(Prot.PollingStopped()), 0, 5000);
    QCOMPARE(B.Messages.Texts().size(), 1);
  }

  void MonitorPageShowsTheModulesValues() {
    TBench B;
    B.Form->ModProt().SetMonitorIntervalMs(50);
    B.Identify();
    TMonitorForm* Form = B.Form->Monitor().MonitorForm();
    QCOMPARE(Form->parentWidget()->objectName(), QStringLiteral("PanelMonitorParent"));
    QVERIFY(!Form->Panel2()->isVisible());
    QCOMPARE(Form->RowCount(), 4);
    B.Form->Actions().ShowMonitorAct->trigger();
    // The module's values move: the rows follow them.
    const QString First = Form->RowPanel(0)->Data()->text();
    QTRY_VERIFY_WITH_TIMEOUT(Form->RowPanel(0)->Data()->text() != First, 5000);
  }
};

QTEST_MAIN(TMonitorTest)
#include "MonitorTest.moc"
