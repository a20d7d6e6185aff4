// The remote-control group of page "Monitor": status lamps from the status bits, analogue
// input edits from the remote-controlled inputs, and the switch, digital boxes and track bar
// against a virtual module.
#include <QCheckBox>
#include <QLabel>
#include <QtTest>
#include <memory>

#include "MainFormBench.h"
#include "comm/ColumnText.h"
#include "comm/ModCommProt.h"
#include "live/ui/LabeledEdit.h"
#include "live/ui/NamedLed.h"
#include "live/ui/RemoteCtrlPanel.h"
#include "live/ui/TrackBar.h"

using namespace vdx;
using namespace vdx::ui;
using namespace vdx::testing;

namespace {

std::unique_ptr<TModStatusBitCommand> StatusBit(const std::string& Name, uint8_t Color) {
  auto Cmd = std::make_unique<TModStatusBitCommand>();
  Cmd->Name = Name;
  Cmd->BitHint = "hint of " + Name;
  Cmd->BColor = Color;
  return Cmd;
}

std::unique_ptr<TModRemoteCtrlCmd> RemoteInput(const std::string& Name, int32_t Val) {
  auto Cmd = std::make_unique<TModRemoteCtrlCmd>();
  Cmd->Name = Name;
  Cmd->Val = Val;
  return Cmd;
}

// Page "Monitor" on an identified virtual module, remote-control questions answered by Answers.
struct TRemoteBench : TBench {
  TRemoteBench() {
    Identify();
    Form->Actions().ShowMonitorAct->trigger();
    // Polling would mix its exchanges into what the module heard.
    Form->ModProt().SetOperatingMode(omIdle);
    Sim.Module.ClearReceivedCommands();
  }
  TRemoteCtrlPanel& Panel() { return Form->RemoteCtrl(); }
  void ClickSwitch() { Panel().CBoxRemoteCtrlEnable()->click(); }
  void EnableRemoteControl() {
    Messages.Answers = {QMessageBox::Yes};
    ClickSwitch();
    QVERIFY(Panel().CBoxRemoteCtrlEnable()->isChecked());
    Messages.Clear();
    Sim.Module.ClearReceivedCommands();
  }
  TLabeledEdit* Edit(int I) { return Panel().AnalogInputEdits()[I]; }
};

}  // namespace

class TRemoteCtrlTest : public QObject {
  Q_OBJECT

 private slots:
  void StatusLampsFollowTheStatusBits() {
    TRemoteCtrlPanel Panel;
    TModStatusInfoData Bits;
    Bits.Add(StatusBit("ST:READY", 1));
    Bits.Add(StatusBit("ST:ENABLE", 2));
    Bits.Add(StatusBit("ST:ODD", 7));
    Panel.show();
    Panel.VDXMonitorStatusInfoStrucInit(Bits);
    Panel.VDXMonitorNewStatusInfo(0x0005);
    const auto& Leds = Panel.StatusLeds();
    QCOMPARE(Leds[0]->LedText(), QStringLiteral("READY"));
    QCOMPARE(Leds[1]->toolTip(), QStringLiteral("hint of ST:ENABLE"));
    QCOMPARE(Leds[0]->State(), lsOn);
    QCOMPARE(Leds[1]->State(), lsOff);
    QCOMPARE(Leds[2]->State(), lsOn);
    QCOMPARE(Leds[0]->Color(), lcRed);
    QCOMPARE(Leds[1]->Color(), lcGreen);
    QCOMPARE(Leds[2]->Color(), lcRed);
    for (int I = 0; I < 16; ++I) QCOMPARE(Leds[I]->isVisible(), I < 3);

    // A lamp ignores states and colours it does not have, and keeps its height.
    Leds[0]->SetState(7);
    Leds[0]->SetColor(-1);
    Leds[0]->resize(200, 60);
    QCOMPARE(Leds[0]->State(), lsOn);
    QCOMPARE(Leds[0]->Color(), lcRed);
    QCOMPARE(Leds[0]->height(), 25);
    QVERIFY(TNamedLed::LampPicture(lcGreen, lsOn).toImage() !=
            TNamedLed::LampPicture(lcGreen, lsOff).toImage());
  }

  void AnalogEditsFromTheRemoteInputs() {
    PinNames()[1] = "PIN 9/10";
    PinNames()[4] = "PIN 14";
    TVDXModCommProt Prot;
    TRemoteCtrlPanel Panel;
    Panel.SetModProt(&Prot);
    Panel.show();
    Prot.RemoteCtrlList().Add(RemoteInput("RC:910", 250));
    Prot.RemoteCtrlList().Add(RemoteInput("RC:14", -7));
    Panel.PrepareAnalogInputs();
    const auto& Edits = Panel.AnalogInputEdits();
    QVERIFY(Edits[0]->isVisible() && Edits[1]->isVisible() && !Edits[2]->isVisible());
    QCOMPARE(Edits[1]->Tag(), 4);
    QCOMPARE(Edits[1]->EditLabel()->text(), QStringLiteral("PIN 14"));
    QCOMPARE(Edits[1]->text(), QStringLiteral("-7"));
    QVERIFY(!Edits[2]->EditLabel()->isVisible());

    for (const char* Name : {"RC:6", "RC:13", "RC:29", "RC:6"})
      Prot.RemoteCtrlList().Add(RemoteInput(Name, 0));
    Panel.PrepareAnalogInputs();
    for (TLabeledEdit* Edit : Edits) QVERIFY(!Edit->isVisible());
  }

  void SwitchAskedAndAnsweredNo() {
    TRemoteBench B;
    QVERIFY(B.Panel().CBoxRemoteCtrlEnable()->isEnabled());
    QVERIFY(!B.Panel().CBoxRemoteCtrlEnable()->isChecked());
    B.Messages.Answers = {QMessageBox::No};
    B.ClickSwitch();
    QCOMPARE(B.Messages.Texts(),
             QStringList(QStringLiteral(
                 "Attention! You will enable remote control!!!\r"
                 "After that all analogue and digital input values will be changed!!!\r"
                 "Are you really sure that you want to continue?")));
    QVERIFY(!B.Panel().CBoxRemoteCtrlEnable()->isChecked());
    QVERIFY(B.Sim.Heard().isEmpty());

    B.EnableRemoteControl();
    for (QCheckBox* Box : B.Panel().DigitalInputBoxes()) QVERIFY(Box->isEnabled());
    B.Messages.Answers = {QMessageBox::Yes};
    B.ClickSwitch();
    QVERIFY(B.Messages.Texts()[0].startsWith(QStringLiteral("Attention! You will disable ")));
    QVERIFY(B.Sim.Heard().contains(QStringLiteral("RC:M 0\r")));
    QVERIFY(!B.Panel().CBoxRemoteCtrlEnable()->isChecked());
    QVERIFY(!B.Panel().DigitalInputBoxes()[0]->isEnabled());
    QVERIFY(B.Panel().LabelTBarMin()->text().isEmpty());
  }

  void DigitalBoxWritesTheReadByte() {
    TRemoteBench B;
    B.EnableRemoteControl();
    uint8_t Inputs = 0x01;
    QVERIFY(B.Form->ModProt().SetDigitalInputs(Inputs));
    B.Sim.Module.ClearReceivedCommands();
    QCheckBox* Pin5 = B.Panel().DigitalInputBoxes()[2];
    QCOMPARE(Pin5->text(), QStringLiteral("Pin 5"));
    Pin5->click();
    QVERIFY(B.Sim.Heard().contains(QStringLiteral("RC:S 5\r")));
    const auto& Boxes = B.Panel().DigitalInputBoxes();
    for (int Bit = 0; Bit < 8; ++Bit) QCOMPARE(Boxes[Bit]->isChecked(), Bit == 0 || Bit == 2);
  }

  void TrackBarDrivesTheSelectedInput() {
    TRemoteBench B;
    B.EnableRemoteControl();
    TLabeledEdit* Setpoint = B.Edit(0);  // RC:910, -10000 ... 10000
    // Nothing is selected: keys do nothing in the edits.
    const QString Before = Setpoint->text();
    QTest::keyClicks(Setpoint, QStringLiteral("5"));
    QCOMPARE(Setpoint->text(), Before);

    QTest::mouseDClick(Setpoint, Qt::LeftButton);
    QCOMPARE(B.Panel().SelectedInput(), Setpoint);
    QVERIFY(B.Panel().TBarAnaInputs()->isEnabled());
    QCOMPARE(B.Panel().TBarAnaInputs()->Ticks(),
             std::vector<int>({-8000, -6000, -4000, -2000, 0, 2000, 4000, 6000, 8000}));
    QCOMPARE(B.Panel().LabelTBarMin()->text(), QStringLiteral("-10000"));
    QCOMPARE(B.Panel().LabelTBarMax()->text(), QStringLiteral("10000"));
    QVERIFY(Setpoint->EditLabel()->font().bold());

    Setpoint->clear();
    QTest::keyClicks(Setpoint, QStringLiteral("-x12"));
    QCOMPARE(Setpoint->text(), QStringLiteral("-12"));
    Setpoint->clear();
    QTest::keyClicks(Setpoint, QStringLiteral("20000"));
    B.Sim.Module.ClearReceivedCommands();
    QTest::keyClick(Setpoint, Qt::Key_Return);
    QVERIFY(B.Sim.Heard().contains(QStringLiteral("RC:910 10000\r")));
    QCOMPARE(Setpoint->text(), QStringLiteral("10000"));
    QCOMPARE(B.Panel().SelectedInput(), nullptr);
    QVERIFY(!B.Panel().TBarAnaInputs()->isEnabled());
    QVERIFY(!Setpoint->EditLabel()->font().bold());

    // An input that cannot go below 0 refuses "-"; moving the bar sends its position.
    TLabeledEdit* Pin6 = B.Edit(1);
    QTest::mouseDClick(Pin6, Qt::LeftButton);
    Pin6->clear();
    QTest::keyClicks(Pin6, QStringLiteral("-3"));
    QCOMPARE(Pin6->text(), QStringLiteral("3"));
    B.Sim.Module.ClearReceivedCommands();
    B.Panel().TBarAnaInputs()->setValue(4321);
    QVERIFY(B.Sim.Heard().contains(QStringLiteral("RC:6 4321\r")));
    QCOMPARE(Pin6->text(), QStringLiteral("4321"));

    // Leaving the group takes the edit's number over and lets it go.
    Pin6->setText(QStringLiteral("77"));
    B.Panel().GBoxAnaInputsExit();
    QVERIFY(B.Sim.Heard().contains(QStringLiteral("RC:6 77\r")));
    QCOMPARE(B.Panel().SelectedInput(), nullptr);
    QVERIFY(B.Panel().LabelTBarMax()->text().isEmpty());
  }

  void SecondInputTakesOverTheFirst() {
    TRemoteBench B;
    B.EnableRemoteControl();
    TLabeledEdit* A = B.Edit(1);
    TLabeledEdit* C = B.Edit(2);
    QTest::mouseDClick(A, Qt::LeftButton);
    A->clear();
    QTest::keyClicks(A, QStringLiteral("1500"));
    B.Sim.Module.ClearReceivedCommands();
    QTest::mouseDClick(C, Qt::LeftButton);
    QCOMPARE(B.Sim.Heard().first(), QStringLiteral("RC:6 1500\r"));
    QCOMPARE(B.Panel().SelectedInput(), C);
    QCOMPARE(B.Panel().TBarAnaInputs()->value(), C->text().toInt());
  }
};

QTEST_MAIN(TRemoteCtrlTest)
#include "RemoteCtrlTest.moc"
