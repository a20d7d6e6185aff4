// The exchange primitive on a real pseudo-terminal with a scripted far end.
#include <gtest/gtest.h>

#include <chrono>

#include "ScriptedLine.h"
#include "comm/ComPort.h"
#include "comm/Exchange.h"

namespace vdx {
namespace {

using Clock = std::chrono::steady_clock;
using testing::TScriptedLine;

struct ExchangeFixture : ::testing::Test {
  void Open(TScriptedLine& Line) {
    Port.SetPort(Line.Path());
    Port.OpenPort();
  }
  TComPort Port;
  std::string Reply;
};

TEST_F(ExchangeFixture, FullDuplexRepliesFromTheEchoToThePrompt) {
  struct Case {
    const char* Answer;
    const char* Echo;
    const char* Prompt;
    bool Ok;
    const char* Reply;
  };
  const Case Cases[] = {
      // Noise, then the echo in another case: the reply starts with the awaited echo.
      {"xyid 123\r\n>", "ID", ">", true, "ID 123\r\n>"},
      // A prompt inside the answer ends the reply there.
      {"GAIN\r\na>b\r\n>", "GAIN", ">", true, "GAIN\r\na>"},
      // Without an echo the first character is consumed.
      {"*OK\r\n>", "", ">", true, "OK\r\n>"},
      {"ID\r\nX CMD>", "ID", ">", true, "ID\r\nX CMD>"},
      {"SAVE\r\ndone!", "SAVE", "!", true, "SAVE\r\ndone!"},
      // No prompt before the line goes quiet: failure with an empty reply.
      {"ID\r\nnever ends", "ID", ">", false, ""},
      {"nothing like it", "ID", ">", false, ""},
  };
  for (const auto& C : Cases) {
    TScriptedLine Line;
    Open(Line);
    Line.Answer(C.Answer);
    Reply = "stale";
    EXPECT_EQ(ExchangeFullDuplex(&Port, "CMD\r", C.Echo, C.Prompt, Reply, 100), C.Ok) << C.Answer;
    EXPECT_EQ(Reply, C.Reply) << C.Answer;
    EXPECT_EQ(Line.Received(), "CMD\r");
    Port.ClosePort();
  }
}

TEST_F(ExchangeFixture, LeftoversOfAnEarlierAnswerAreDiscarded) {
  TScriptedLine Line;
  Open(Line);
  Line.Answer("A\r\n1>rest of it");
  Line.Answer("B\r\n2\r\n>");
  ASSERT_TRUE(ExchangeFullDuplex(&Port, "A\r", "A", ">", Reply, 100));
  EXPECT_EQ(Reply, "A\r\n1>");
  ASSERT_TRUE(ExchangeFullDuplex(&Port, "B\r", "B", ">", Reply, 100));
  EXPECT_EQ(Reply, "B\r\n2\r\n>");
}

TEST_F(ExchangeFixture, SilentModuleIsNoticedAfterOneTimeout) {
  TScriptedLine Line;
  Open(Line);
  const auto Start = Clock::now();
  EXPECT_FALSE(ExchangeFullDuplex(&Port, "ID\r", "ID", ">", Reply, 50));
  const auto Ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Start);
  EXPECT_GE(Ms.count(), 50);
  EXPECT_LT(Ms.count(), 1000);
  EXPECT_EQ(ExchangeTimeout(-1), 3000u);
}

TEST_F(ExchangeFixture, ClosedOrMissingPortFails) {
  EXPECT_FALSE(ExchangeFullDuplex(&Port, "ID\r", "ID", ">", Reply, 50));
  EXPECT_FALSE(ExchangeFullDuplex(nullptr, "ID\r", "ID", ">", Reply, 50));
  EXPECT_FALSE(ExchangeHalfDuplex(&Port, "ID\r", "ID", ">", Reply, 50));
}

TEST_F(ExchangeFixture, AReplyThatNeverEndsIsCapped) {
  TScriptedLine Line;
  Open(Line);
  Line.Answer("ID" + std::string(MaxReplySize + 4096, 'x'));
  EXPECT_FALSE(ExchangeFullDuplex(&Port, "ID\r", "ID", ">", Reply, 1000));
  EXPECT_TRUE(Reply.empty());
}

TEST_F(ExchangeFixture, HangupEndsTheExchangeAndClosesThePort) {
  TScriptedLine Line;
  Open(Line);
  Line.Hangup();
  const auto Start = Clock::now();
  EXPECT_FALSE(ExchangeFullDuplex(&Port, "ID\r", "ID", ">", Reply, 2000));
  EXPECT_LT(Clock::now() - Start, std::chrono::milliseconds(1500));
  EXPECT_FALSE(Port.Connected());
}

TEST_F(ExchangeFixture, HalfDuplexReadsCopyAndEchoPerCharacter) {
  TScriptedLine Line(true);
  Open(Line);
  Line.Answer("\n12\r\n>");
  ASSERT_TRUE(ExchangeHalfDuplex(&Port, "id\r", "ID", ">", Reply, 100));
  EXPECT_EQ(Reply, "id\n12\r\n>");
  EXPECT_EQ(Line.Received(), "id\r");

  // An empty echo always matches.
  Line.Answer("\nOK\r\n>");
  EXPECT_TRUE(ExchangeHalfDuplex(&Port, "PASSWORD\r", "", ">", Reply, 100));

  // A reply that does not start with the echo fails but keeps what was collected.
  Line.Answer("\n>");
  EXPECT_FALSE(ExchangeHalfDuplex(&Port, "AB\r", "XY", ">", Reply, 100));
  EXPECT_EQ(Reply, "AB\n>");

  // A prompt that never comes: failure, the collected text stays.
  Line.Answer("\nno prompt");
  EXPECT_FALSE(ExchangeHalfDuplex(&Port, "AB\r", "AB", ">", Reply, 100));
  EXPECT_EQ(Reply, "AB\nno prompt");
}

TEST_F(ExchangeFixture, WaitForTextCollectsBetweenStartAndEnd) {
  TScriptedLine Line;
  Open(Line);
  Line.Answer("junk BOOT menu\r\n>tail", 100);
  Port.WriteText("\r");  // makes the scripted end answer; WaitForText itself sends nothing
  ASSERT_TRUE(WaitForText(&Port, "boot", ">", -1, 300, Reply));
  EXPECT_EQ(Reply, "boot menu\r\n>");
  EXPECT_FALSE(WaitForText(&Port, "never", ">", -1, 50, Reply));
  EXPECT_TRUE(Reply.empty());
}

}  // namespace
}  // namespace vdx
