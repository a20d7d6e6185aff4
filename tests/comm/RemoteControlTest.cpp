// Remote control of the module's inputs, on a scripted line for exact replies and against the
// virtual module for the whole dialogue.
#include <gtest/gtest.h>

#include "ScriptedLine.h"
#include "SimLink.h"

namespace vdx {
namespace {

using testing::TScriptedLine;

// A component identified on a scripted module with one parameter and the input RC:6; the
// module supports remote control with the mode as given.
struct ScriptedRemote : ::testing::Test {
  void Identify(const char* Mode) {
    Prot.SetAutoBaudDetection(false);
    Prot.ComPort().SetPort(Line.Path());
    ASSERT_TRUE(Prot.Connect());
    Line.Answer("ID\r\nX9, 1, 2, 3\r\n>");
    Line.Answer("Readout\r\n3\\2\\P\\\\h\\1\\0\\9\r\n3\\11\\RC:6\\\\in\\1\\0\\100\r\n>");
    Line.Answer("P\r\n5\r\n>");
    Line.Answer("REMOTE\r\ncommand error\r\n>");
    Line.Answer(std::string("RC:M\r\n") + Mode + "\r\n>");
    std::string Id;
    ASSERT_TRUE(Prot.Identify(Id));
    Sent = Line.Received().size();
  }
  // What the component sent since the identification.
  std::string SentSince() { return Line.Received().substr(Sent); }

  TScriptedLine Line;
  TVDXModCommProt Prot;
  size_t Sent = 0;
};

TEST_F(ScriptedRemote, ModeQueryReadsNumbersAndWords) {
  Identify("True");
  EXPECT_TRUE(Prot.RemoteCtrlActive());
  const std::pair<const char*, bool> Cases[] = {
      {"RC:M\r\n2\r\n>", true},        {"RC:M\r\n0\r\n>", false},
      {"RC:M\r\n1 1\r\n>", false},     {"RC:M\r\ntrue\r\n>", true},
      {"RC:M\r\ncommand error\r\n>", false}};
  for (const auto& [Reply, On] : Cases) {
    Line.Answer(Reply);
    EXPECT_EQ(Prot.RemoteCtrlEnabled(), On) << Reply;
  }
}

TEST_F(ScriptedRemote, DigitalInputsUseTheLowByteAndAskTheModeFirst) {
  Identify("0");
  Line.Answer("RC:S\r\n257\r\n>");
  uint8_t State = 9;
  EXPECT_TRUE(Prot.ReadDigitalInputs(State));
  EXPECT_EQ(State, 1);

  // The module's mode was switched off locally: nothing is written.
  Line.Answer("RC:M\r\n0\r\n>");
  Sent = Line.Received().size();
  State = 5;
  EXPECT_FALSE(Prot.SetDigitalInputs(State));
  EXPECT_EQ(SentSince(), "RC:M\r");

  Line.Answer("RC:M\r\n1\r\n>");
  Line.Answer("RC:S 5\r\n>");
  Line.Answer("RC:S\r\nnonsense\r\n>");
  Sent = Line.Received().size();
  EXPECT_FALSE(Prot.SetDigitalInputs(State));
  EXPECT_EQ(SentSince(), "RC:M\rRC:S 5\rRC:S\r");
  EXPECT_EQ(State, 0);  // a failed read-back leaves 0, not the value written
}

TEST_F(ScriptedRemote, AnalogInputsNeedTheModeAndReadBack) {
  Identify("0");
  int32_t Value = 50;
  EXPECT_FALSE(Prot.SetAnalogInput(2, Value));  // mode off: nothing sent
  EXPECT_EQ(SentSince(), "");

  Line.Answer("RC:6\r\n42\r\n>");
  EXPECT_TRUE(Prot.ReadRemoteCtrlValue(2, Value));  // reading works regardless of the mode
  EXPECT_EQ(Value, 42);
  EXPECT_EQ(Prot.RemoteCtrlList().FindByPin(2)->Val, 42);
  EXPECT_FALSE(Prot.ReadRemoteCtrlValue(3, Value));  // no such input

  Line.Answer("RC:M 1\r\n>");
  Prot.SetRemoteCtrlEnabled(true);
  EXPECT_TRUE(Prot.RemoteCtrlActive());
  Line.Answer("RC:6 50\r\n>");
  Line.Answer("RC:6\r\n50 51\r\n>");
  Value = 50;
  EXPECT_FALSE(Prot.SetAnalogInput(2, Value));
  EXPECT_EQ(Value, 0);

  // Switching off clears the active flag before anything is sent.
  Line.Answer("RC:M 0\r\n>");
  Prot.SetRemoteCtrlEnabled(false);
  EXPECT_FALSE(Prot.RemoteCtrlActive());
}

TEST_F(ScriptedRemote, PingAnswersWithThePrompt) {
  Identify("0");
  Line.Answer("\r\n>");
  EXPECT_TRUE(Prot.PingModule());
  EXPECT_FALSE(Prot.PingModule());  // no answer within 40 ms
  Prot.Disconnect();
  EXPECT_FALSE(Prot.PingModule());
}

TEST(RemoteControl, ModuleWithoutSupportGetsNothingSent) {
  sim::TSimOptions Options;
  Options.AnswersRemote = true;
  testing::TSimLink L(Options);
  ASSERT_TRUE(L.Identify());
  std::string Sent;
  L.Prot.ComPort().OnTrace = [&](TTraceDirection D, const std::string& Bytes) {
    if (D == TTraceDirection::tdSent) Sent += Bytes;
  };
  L.Prot.SetRemoteCtrlEnabled(true);
  uint8_t State = 0;
  EXPECT_FALSE(L.Prot.ReadDigitalInputs(State));
  EXPECT_EQ(Sent, "");
  EXPECT_FALSE(L.Prot.RemoteCtrlActive());
}

TEST(RemoteControl, DrivesTheVirtualModulesInputs) {
  testing::TSimLink L;
  ASSERT_TRUE(L.Identify());
  ASSERT_TRUE(L.Prot.RemoteCtrlSupported());
  L.Prot.SetRemoteCtrlEnabled(true);
  ASSERT_TRUE(L.Prot.RemoteCtrlActive());
  EXPECT_TRUE(L.Prot.RemoteCtrlEnabled());

  uint8_t State = 0xA5;
  EXPECT_TRUE(L.Prot.SetDigitalInputs(State));
  EXPECT_EQ(State, 0xA5);

  for (int Pin = 1; Pin <= 5; ++Pin) {
    int32_t Min, Max;
    ASSERT_TRUE(L.Prot.RemoteCtrlList().GetPinRange(Pin, Min, Max));
    int32_t Value = Max;
    EXPECT_TRUE(L.Prot.SetAnalogInput(Pin, Value)) << Pin;
    EXPECT_EQ(Value, Max) << Pin;
  }
  L.Prot.SetRemoteCtrlEnabled(false);
  EXPECT_FALSE(L.Prot.RemoteCtrlEnabled());
}

}  // namespace
}  // namespace vdx
