// The oscilloscope's settings column on the main window: what the signal lists offer, the
// limits and their rules, the time scale, and the recording file behind Start.
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "MainFormBench.h"
#include "app/ToolSettings.h"
#include "app/ui/DropDownComboBox.h"
#include "app/ui/OptionsDlg.h"
#include "live/ui/SaveScopeDataDlg.h"
#include "live/ui/VDXScope.h"

using namespace vdx;
using namespace vdx::testing;
using namespace vdx::ui;

namespace {

// Types Text into Box as the user does and ends with Return.
void TypeInto(QComboBox* Box, const QString& Text) {
  QLineEdit* Edit = Box->lineEdit();
  Edit->selectAll();
  QTest::keyClick(Edit, Qt::Key_Backspace);
  QTest::keyClicks(Edit, Text);
  QTest::keyClick(Edit, Qt::Key_Return);
}

// A window whose oscilloscope knows the process values A, B, C, D (no module needed).
struct TScopeRig : TBench {
  TScopeRig() {
    TModProcessData List;
    for (const char* Name : {"A", "B", "C", "D"}) {
      auto Cmd = std::make_unique<TModProcCommand>();
      Cmd->Name = Name;
      List.Add(std::move(Cmd));
    }
    Form->Scope().Model().SetProcessData(&List);
  }
  const TScopeControls& C() const { return Form->Pages().ScopeControls; }
  QStringList Offered(int N) {
    TDropDownComboBox* Box = C().CBChCustSignal[N - 1];
    Box->showPopup();
    Box->hidePopup();
    QStringList Items;
    for (int I = 0; I < Box->count(); ++I) Items << Box->itemText(I);
    return Items;
  }
};

}  // namespace

class ScopeControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void signalListsAndBinding() {
    TScopeRig R;
    QCOMPARE(R.Offered(2), (QStringList{"---", "A", "B", "C", "D"}));
    TypeInto(R.C().CBChCustSignal[0], QStringLiteral("A"));
    QCOMPARE(R.Form->Scope().Channel(1).Signal(), std::string("A"));
    // A value on one channel is offered nowhere, its own channel included.
    QCOMPARE(R.Offered(2), (QStringList{"---", "B", "C", "D"}));
    QCOMPARE(R.Offered(1), (QStringList{"---", "B", "C", "D"}));
    // A name not offered falls back to "---" and unbinds; a choice resets the limits.
    TypeInto(R.C().CBChCustMax[1], QStringLiteral("5000"));
    TypeInto(R.C().CBChCustSignal[1], QStringLiteral("A"));
    QCOMPARE(R.C().CBChCustSignal[1]->currentText(), QStringLiteral("---"));
    QVERIFY(R.Form->Scope().Channel(2).Signal().empty());
    QCOMPARE(R.C().CBChCustMax[1]->currentText(), QStringLiteral("100"));
    QCOMPARE(R.Form->Scope().Channel(2).YScalePerDiv(), int16_t(20));
    // A new process data list resets the selectors' texts but keeps the binding.
    TModProcessData Empty;
    R.Form->Scope().Model().SetProcessData(&Empty);
    QCOMPARE(R.C().CBChCustSignal[0]->currentText(), QStringLiteral("---"));
    QCOMPARE(R.Form->Scope().Channel(1).Signal(), std::string("A"));
  }

  void limits_data() {
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lowerShown");
    QTest::addColumn<QString>("upperShown");
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("offset");
    QTest::newRow("-100..100") << false << "-100" << "100" << "-100" << "100" << 20 << 100;
    QTest::newRow("0..5000") << false << "0" << "5000" << "0" << "5000" << 500 << 0;
    QTest::newRow("-25..75") << false << "-25" << "75" << "-25" << "75" << 10 << 25;
    QTest::newRow("0..0") << false << "0" << "0" << "0" << "0" << 0 << 0;
    QTest::newRow("typed -10 refused") << false << "-10" << "25" << "-10" << "25" << 4 << 10;
    QTest::newRow("typed -15 refused") << false << "-15" << "25" << "-100" << "25" << 13 << 100;
    QTest::newRow("typed -15 manual") << true << "-15" << "25" << "-15" << "25" << 4 << 15;
    QTest::newRow("typed 20 manual") << true << "20" << "100" << "20" << "100" << 8 << 20;
    QTest::newRow("beyond 30000") << true << "0" << "40000" << "0" << "100" << 10 << 0;
    QTest::newRow("not whole") << true << "-2.5" << "100" << "-2.5" << "100" << 10 << 0;
  }
  void limits() {
    QFETCH(bool, manual);
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    TScopeRig R;
    R.Form->OptionsDlg().Settings().SetULimLLimManually(manual);
    TypeInto(R.C().CBChCustMin[0], lower);
    TypeInto(R.C().CBChCustMax[0], upper);
    QTEST(R.C().CBChCustMin[0]->currentText(), "lowerShown");
    QTEST(R.C().CBChCustMax[0]->currentText(), "upperShown");
    QTEST(int(R.Form->Scope().Channel(1).YScalePerDiv()), "scale");
    QTEST(int(R.Form->Scope().Channel(1).YZeroOffset()), "offset");
  }

  void limitKeysAndTimeScale() {
    TScopeRig R;
    QLineEdit* Edit = R.C().CBChCustMin[0]->lineEdit();
    Edit->clear();
    QTest::keyClicks(Edit, QStringLiteral("-1a2.x5"));
    QCOMPARE(Edit->text(), QStringLiteral("-12.5"));
    TypeInto(R.C().CBCustTimeScale, QStringLiteral("7"));
    QCOMPARE(R.C().CBCustTimeScale->currentText(), QStringLiteral("1000"));
    TypeInto(R.C().CBCustTimeScale, QStringLiteral("200"));
    QCOMPARE(R.Form->Scope().TimeScalePerDiv(), int16_t(200));
  }

  void startWritesRecordingHeaders() {
    TScopeRig R;
    QTemporaryDir Dir;
    const QString File = Dir.filePath(QStringLiteral("rec.txt"));
    R.Offered(1);
    TypeInto(R.C().CBChCustSignal[0], QStringLiteral("B"));
    QTimer::singleShot(0, [&] {
      R.Form->SaveScopeDataDlg().EdtFilename->setText(File);
      R.Form->SaveScopeDataDlg().reject();  // the name counts also after "Abbrechen"
    });
    QTest::mouseClick(R.C().SaveToFileButton, Qt::LeftButton);
    for (int I = 0; I < 2; ++I) {
      QTest::mouseClick(R.C().BtnStart, Qt::LeftButton);
      QTest::mouseClick(R.C().BtnStop, Qt::LeftButton);
    }
    QFile F(File);
    QVERIFY(F.open(QIODevice::ReadOnly));
    const QList<QByteArray> Lines = F.readAll().split('\n');
    QCOMPARE(Lines.size(), 9);  // two headers of four lines, each ended by CR LF
    QVERIFY(Lines[2].endsWith("         B       ---       ---       ---\r"));
    QVERIFY(R.Messages.Texts().isEmpty());

    // A file that cannot be created: the error, and the oscilloscope still runs.
    QTimer::singleShot(0, [&] {
      R.Form->SaveScopeDataDlg().EdtFilename->setText(Dir.filePath(QStringLiteral("no/rec.txt")));
      R.Form->SaveScopeDataDlg().accept();
    });
    QTest::mouseClick(R.C().SaveToFileButton, Qt::LeftButton);
    QTest::mouseClick(R.C().BtnStart, Qt::LeftButton);
    QCOMPARE(R.Messages.Texts(), QStringList{QStringLiteral("Datei ") +
                                             Dir.filePath(QStringLiteral("no/rec.txt")) +
                                             QStringLiteral(" konnte nicht erstellt werden.")});
    QVERIFY(R.Form->Scope().RunScope());
  }
};

QTEST_MAIN(ScopeControlsTest)
#include "ScopeControlsTest.moc"
