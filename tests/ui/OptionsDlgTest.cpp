// The options dialog: OK writes the controls under the settings file's exact names, Cancel
// writes nothing, stored values show in the controls, and the controls enable each other.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "UiFixture.h"
#include "app/ui/ColorPicker.h"
#include "app/ui/OptionsDlg.h"
#include "app/ui/RadioGroup.h"

using namespace vdx;
using namespace vdx::ui;
using namespace vdx::testing;

namespace {

// A dialog on a private settings file with one listed port.
struct TDialogBench {
  TDialogBench() {
    Dlg.SetApplIni(&Ini);
    Dlg.SetApplInfo(&Info);
  }
  ~TDialogBench() { RemoveTransientPort("/dev/vdx-options-port"); }

  // Runs the dialog; While changes the controls while it is open, then OK or Cancel.
  bool Run(const std::function<void(const TOptionsControls&)>& While, bool Ok) {
    QTimer::singleShot(0, &Dlg, [&] {
      While(Dlg.Controls());
      Ok ? Dlg.accept() : Dlg.reject();
    });
    return Dlg.Execute();
  }

  TPrivateSettings Settings;
  QString Port = QString::fromStdString(AddTransientPort("/dev/vdx-options-port"));
  TApplIni Ini;
  TApplInfo Info;
  TVDXToolOptionsDlg Dlg;
};

void Choose(TRadioGroup* Group, int Index) { Group->Button(Index)->click(); }

}  // namespace

class OptionsDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void okWritesEveryKeyUnderItsName() {
    TDialogBench B;
    B.Dlg.SetMakerTabVisible(true);
    QVERIFY(B.Run(
        [&](const TOptionsControls& C) {
          C.CBPort->setCurrentIndex(C.CBPort->findText(B.Port));
          Choose(C.RGrpTransferMode, 1);
          C.DelayOnFirmwareUpdateEdit->setValue(42);
          C.CBoxGridColor->SetColor(clRed);
          C.CBoxChaColor[3]->SetColor(MakeColor(1, 2, 3));
          C.CBoxSigLineWidth->setCurrentIndex(2);
          Choose(C.RGVisibleParaKind, 1);
          C.CBoxVisParCnt->setCurrentIndex(6);
          C.CBoxEnableVDXFileViewer->setChecked(true);
          C.CBoxULimLLimManually->setChecked(true);
        },
        true));
    const auto Ini = ReadIniExact(B.Settings.IniPath());
    const QMap<QString, QString> Interface = {{"AutoSetBR", "0"},
                                              {"Port", B.Port},
                                              {"AutoBR", "38400"},
                                              {"AutoBRDetection", "0"},
                                              {"FixBR", "9600"},
                                              {"TranferMode", "1"},
                                              {"DelayOnFirmwareUpdate", "42"}};
    QCOMPARE(Ini["Interface"], Interface);
    const QMap<QString, QString> Scope = {
        {"BackgoundColor", "-16777201"}, {"GridColor", "255"},
        {"Cha1Color", "16711680"},       {"Cha2Color", "255"},
        {"Cha3Color", "32768"},          {"Cha4Color", "197121"},
        {"SignalLineWidth", "2"},        {"ULimLLimManually", "1"}};
    QCOMPARE(Ini["Scope"], Scope);
    QCOMPARE(Ini["Monitor"], (QMap<QString, QString>{{"VisParaKind", "1"}, {"VisParaCnt", "7"}}));
    QCOMPARE(Ini["Xavo"], (QMap<QString, QString>{{"ShowCmdGrpInfo", "0"},
                                                  {"VDXFileViewer", "1"},
                                                  {"SFWUpdate", "0"},
                                                  {"TermFWUpdate", "0"}}));
    QCOMPARE(Ini["TableInput"],
             (QMap<QString, QString>{{"ShowDecimals", "0"}, {"AinCommandUI", "0"}}));
  }

  void cancelWritesNothing() {
    TDialogBench B;
    QVERIFY(!B.Run(
        [&](const TOptionsControls& C) {
          Choose(C.RGrpTransferMode, 1);
          C.CBoxSigLineWidth->setCurrentIndex(1);
          C.CBoxULimLLimManually->setChecked(true);
        },
        false));
    QVERIFY(!QFile::exists(B.Settings.IniPath()));
  }

  void makerTab_data() {
    QTest::addColumn<bool>("visible");
    QTest::newRow("shown") << true;
    QTest::newRow("hidden") << false;
  }
  void makerTab() {
    QFETCH(bool, visible);
    TDialogBench B;
    B.Dlg.SetMakerTabVisible(visible);
    bool TabShown = false;
    int TabOnShow = -1;
    B.Run(
        [&](const TOptionsControls& C) {
          TabShown = C.PCtrlOptions->isTabVisible(TVDXToolOptionsDlg::tabXavo);
          TabOnShow = C.PCtrlOptions->currentIndex();
          C.CBoxShowCmdGrp->setChecked(true);
          C.CBoxULimLLimManually->setChecked(true);
        },
        true);
    QCOMPARE(TabShown, visible);
    QCOMPARE(TabOnShow, int(TVDXToolOptionsDlg::tabInterface));
    const auto Ini = ReadIniExact(B.Settings.IniPath());
    QCOMPARE(Ini.contains("Xavo"), visible);
    if (visible) QCOMPARE(Ini["Xavo"]["ShowCmdGrpInfo"], "1");
    // Its last box is written in any case.
    QCOMPARE(Ini["Scope"]["ULimLLimManually"], "1");
  }

  void storedValuesShowInTheControls_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shows");
    QTest::newRow("count above ten") << "Monitor"
                                     << "VisParaCnt" << 15 << "CBoxVisParCnt"
                                     << "10";
    QTest::newRow("unknown kind") << "Monitor"
                                  << "VisParaKind" << 3 << "RGVisibleParaKind"
                                  << "Default (4)";
    QTest::newRow("custom kind") << "Monitor"
                                 << "VisParaKind" << 1 << "RGVisibleParaKind"
                                 << "Custom";
    QTest::newRow("fixed rate") << "Interface"
                                << "FixBR" << 19200 << "CBoxFixBR"
                                << "19.2 KBaud";
    QTest::newRow("fixed rate no rate") << "Interface"
                                        << "FixBR" << 1 << "CBoxFixBR"
                                        << "9.6 KBaud";
    QTest::newRow("auto rate no rate") << "Interface"
                                       << "AutoBR" << 4 << "CBoxHighBR"
                                       << "38.4 KBaud";
    QTest::newRow("line width out of range") << "Scope"
                                             << "SignalLineWidth" << 5 << "CBoxSigLineWidth"
                                             << "Small";
    QTest::newRow("half duplex") << "Interface"
                                 << "TranferMode" << 1 << "RGrpTransferMode"
                                 << "Half-Duplex (19200 Baud)";
    QTest::newRow("auto detection") << "Interface"
                                    << "AutoBRDetection" << 1 << "NBBROptions"
                                    << "AutoBRDetection";
  }
  void storedValuesShowInTheControls() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, value);
    QFETCH(QString, control);
    QFETCH(QString, shows);
    TDialogBench B;
    B.Ini.WriteInteger(section.toStdString(), key.toStdString(), value);
    B.Dlg.LoadControls();
    QWidget* W = B.Dlg.findChild<QWidget*>(control);
    QVERIFY(W);
    QString Text;
    if (auto* Box = qobject_cast<QComboBox*>(W)) Text = Box->currentText();
    if (auto* Pages = qobject_cast<QStackedWidget*>(W)) Text = Pages->currentWidget()->objectName();
    if (auto* Group = dynamic_cast<TRadioGroup*>(W))
      Text = Group->Button(Group->ItemIndex())->text();
    QCOMPARE(Text, shows);
  }

  void openPortLocksTheInterfaceAndKeepsItsValues() {
    TDialogBench B;
    B.Ini.WriteString("Interface", "Port", B.Port.toStdString());
    B.Ini.WriteInteger("Interface", "FixBR", 57600);
    B.Dlg.SetPortSettingsEnabled(false);
    QVERIFY(B.Run(
        [&](const TOptionsControls& C) {
          for (QWidget* W : std::initializer_list<QWidget*>{
                   C.CBPort, C.LabPort, C.RGrpTransferMode, C.RGrpBROptions, C.CBoxFixBR,
                   C.LabFixBR, C.CBAutoSetBR, C.LabHighBR, C.CBoxHighBR})
            QVERIFY2(!W->isEnabled(), qPrintable(W->objectName()));
          QVERIFY(C.DelayOnFirmwareUpdateEdit->isEnabled());
        },
        true));
    const auto Interface = ReadIniExact(B.Settings.IniPath())["Interface"];
    QCOMPARE(Interface["Port"], B.Port);
    QCOMPARE(Interface["FixBR"], "57600");
    QCOMPARE(Interface["TranferMode"], "0");
  }

  void controlsEnableEachOther() {
    TDialogBench B;
    B.Dlg.LoadControls();
    const TOptionsControls& C = B.Dlg.Controls();
    auto Enabled = [](std::initializer_list<QWidget*> Ws) {
      QString Flags;
      for (QWidget* W : Ws) Flags += W->isEnabled() ? '1' : '0';
      return Flags;
    };
    const auto Baud = {static_cast<QWidget*>(C.RGrpBROptions), static_cast<QWidget*>(C.CBAutoSetBR),
                       static_cast<QWidget*>(C.CBoxFixBR), static_cast<QWidget*>(C.CBoxHighBR)};
    QCOMPARE(Enabled(Baud), "1110");
    C.CBAutoSetBR->click();
    QCOMPARE(Enabled(Baud), "1111");
    Choose(C.RGrpTransferMode, 1);  // half duplex runs at a fixed rate
    QCOMPARE(Enabled(Baud), "0000");
    Choose(C.RGrpTransferMode, 0);
    QCOMPARE(Enabled(Baud), "1111");
    Choose(C.RGrpBROptions, 1);
    QCOMPARE(C.NBBROptions->currentWidget()->objectName(), "AutoBRDetection");
    QVERIFY(!C.CBoxVisParCnt->isEnabled());
    Choose(C.RGVisibleParaKind, 1);
    QVERIFY(C.CBoxVisParCnt->isEnabled());
  }
};

QTEST_MAIN(OptionsDlgTest)
#include "OptionsDlgTest.moc"
