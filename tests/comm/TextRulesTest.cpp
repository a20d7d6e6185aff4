// The text rules every module reply and file value goes through: integers, comma texts,
// reply parsing.
#include <gtest/gtest.h>

#include "comm/DelimitedText.h"
#include "comm/IntegerText.h"
#include "comm/ReplyParser.h"

namespace vdx {
namespace {

TEST(IntegerRule, ReadsWhatTheRuleAllowsAndNothingElse) {
  struct Case {
    const char* Text;
    bool Ok;
    int32_t Value;
  };
  const Case Cases[] = {
      {"12", true, 12},          {"  -5", true, -5},       {"+7", true, 7},
      {"$1F", true, 31},         {"x1f", true, 31},        {"X10", true, 16},
      {"0x10", true, 16},        {"0X7fffffff", true, 2147483647},
      {"-$10", true, -16},       {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0},  {"-2147483649", false, 0}, {"$80000000", false, 0},
      {"", false, 0},            {"   ", false, 0},         {"-", false, 0},
      {"12 ", false, 0},         {"1a", false, 0},          {"$", false, 0},
      {"0x", false, 0},          {"\t5", false, 0},         {"1.5", false, 0},
      {"--1", false, 0},         {"0x-1", false, 0},
  };
  for (const auto& C : Cases) {
    int32_t V = 4711;
    EXPECT_EQ(TryStrToInt(C.Text, V), C.Ok) << '"' << C.Text << '"';
    EXPECT_EQ(V, C.Ok ? C.Value : 4711) << '"' << C.Text << '"';
  }
}

TEST(CommaText, SplitsAtCommasAndBlanksWithQuotes) {
  using V = std::vector<std::string>;
  const std::pair<const char*, V> Cases[] = {
      {"1,2", V{"1", "2"}},
      {"1, 2", V{"1", "2"}},
      {"1  2", V{"1", "2"}},
      {"1,,2", V{"1", "", "2"}},
      {"1,", V{"1", ""}},
      {"1, ", V{"1"}},
      {"  \r\n", V{}},
      {"", V{}},
      {"\"a b\",c", V{"a b", "c"}},
      {"\"say \"\"hi\"\"\"", V{"say \"hi\""}},
      {"\"open", V{"open"}},
      {"\"q\"x", V{"q", "x"}},
      {"a\tb\r\nc", V{"a", "b", "c"}},
  };
  for (const auto& [Text, Expected] : Cases) EXPECT_EQ(SplitCommaText(Text), Expected) << Text;
}

TEST(ParseReply, NameAndValues) {
  using V = std::vector<std::string>;
  struct Case {
    const char* Reply;
    const char* NameIn;
    bool Ok;
    const char* NameOut;
    V Values;
  };
  const Case Cases[] = {
      {">", "", false, "", V{}},
      {"", "", false, "", V{}},
      {"RC:M\r\n1\r\n>", "", true, "RC:M", V{"1"}},
      {"CURVE:3\r\n10 20\r\n>", "CURVE:3", true, "CURVE:3", V{"", "10", "20"}},
      {"GAIN\r\n12\r\nCMD>", "", true, "GAIN", V{"12"}},
      {"GAIN\r\ncommand error\r\n>", "", false, "", V{}},
      {"GAIN\r\nCommand Error\r\n>", "", true, "GAIN", V{"Command", "Error"}},
      {"X,,\"a b\"\r\n>", "", true, "X", V{"a b"}},
      {"ECHO\r\n>", "", true, "ECHO", V{}},
  };
  for (const auto& C : Cases) {
    std::string Name = C.NameIn;
    V Values{"stale"};
    EXPECT_EQ(ParseReply(C.Reply, Name, &Values), C.Ok) << C.Reply;
    if (!C.Ok) continue;
    EXPECT_EQ(Name, C.NameOut) << C.Reply;
    EXPECT_EQ(Values, C.Values) << C.Reply;
  }
  std::string Name;
  EXPECT_FALSE(ParseReply("ID 1\r\n>", Name, nullptr));
}

}  // namespace
}  // namespace vdx
