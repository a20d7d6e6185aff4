// The terminal's rich-text files: what is written reads back unchanged, documents of other
// writers give their text, and the files go through the disk.
#include <gtest/gtest.h>

#include <fstream>

#include "TestScopes.h"
#include "service/RtfCodec.h"

namespace vdx {
namespace {

TEST(RtfCodec, TextSurvivesWriteAndRead) {
  const std::string Texts[] = {
      "",
      "ID\nKV20DEMO 3.6\n>",
      "trailing line end\n",
      " 12 leading blank and digits",
      "\n\nempty lines first",
      "braces {x} and \\backslash\\ and \\par as text",
      "tab\there",
      "Latin-1: \xE4\xF6\xFC\xDF \xB5m 20\xB0"
      "C \xA0\xFF",
      "control \x01\x1B byte",
  };
  for (const std::string& Text : Texts) {
    const std::string Rtf = TextToRtf(Text);
    EXPECT_EQ(Rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset0 "
                        "Courier New;}}\\f0\\fs20\\uc1",
                        0),
              0u);
    // 7-bit output whatever the text holds, so no reader guesses a code page.
    for (char C : Rtf) EXPECT_LT(static_cast<unsigned char>(C), 0x80) << Rtf;
    std::string Back;
    ASSERT_TRUE(RtfToText(Rtf, Back));
    EXPECT_EQ(Back, Text) << Rtf;
  }
}

TEST(RtfCodec, CrLfAndLoneCrAreOneLineEndEach) {
  std::string Back;
  ASSERT_TRUE(RtfToText(TextToRtf("a\r\nb\rc\n"), Back));
  EXPECT_EQ(Back, "a\nb\nc\n");
}

TEST(RtfCodec, ReaderSkipsDestinationsAndDecodesEscapes) {
  const struct {
    const char* Rtf;
    std::string Text;
  } Cases[] = {
      {R"({\rtf1\ansi{\fonttbl{\f0\fswiss Arial;}}{\colortbl;\red255\green0\blue0;})"
       R"({\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}}\f0 Hello\par World})",
       "Hello\nWorld"},
      {R"({\rtf1{\*\generator Writer 1.0;}{\*\unknown {nested} x}text})", "text"},
      {R"({\rtf1 a{\pict\pngblip 89504e470d0a}b})", "ab"},
      {R"({\rtf1 x\bin4 {}\}y})", "xy"},  // binary data is no markup
      {R"({\rtf1 \'e4\'D6 \u252?\u-3913?})", "\xE4\xD6 \xFC?"},
      {R"({\rtf1\uc2 \u228\'e4\'e4x{\uc0\u246}\u252??})", "\xE4x\xF6\xFC"},
      {R"({\rtf1 \u8364?})", "?"},  // beyond Latin-1
      {R"({\rtf1 a\tab b\line c\~d\_e\-f})",
       "a\tb\nc\xA0"
       "d-ef"},
      {R"({\rtf1 \\\{\}})", "\\{}"},
      {"{\\rtf1 one\\\r\ntwo\r\nthree}", "one\ntwothree"},
      {R"({\rtf1 \b bold\b0  {\i italic} \plain\fs24 end})", "bold italic end"},
      {R"({\rtf1 text}after the end)", "text"},
      {R"({\rtf1 unclosed {group)", "unclosed group"},
  };
  for (const auto& C : Cases) {
    std::string Text;
    ASSERT_TRUE(RtfToText(C.Rtf, Text)) << C.Rtf;
    EXPECT_EQ(Text, C.Text) << C.Rtf;
  }
}

TEST(RtfCodec, OtherTextIsNoRtf) {
  std::string Text = "old";
  EXPECT_FALSE(RtfToText("plain {\\rtf1 later}", Text));
  EXPECT_FALSE(RtfToText("", Text));
  EXPECT_EQ(Text, "");
}

TEST(RtfCodec, TerminalFilesOnDisk) {
  testing::TTempFolder Dir;
  std::string Error, Text;
  const std::string Rtf = Dir / "term.rtf";
  ASSERT_TRUE(SaveTerminalFile(Rtf, "ID\nKV20 \xE4\n>", Error)) << Error;
  EXPECT_EQ(testing::FileText(Rtf), TextToRtf("ID\nKV20 \xE4\n>"));
  ASSERT_TRUE(LoadTerminalFile(Rtf, Text, Error)) << Error;
  EXPECT_EQ(Text, "ID\nKV20 \xE4\n>");

  // A file that is no rich text is taken as plain text.
  const std::string Plain = Dir / "plain.txt";
  std::ofstream(Plain, std::ios::binary) << "line 1\r\nline {2}\rline 3\n";
  ASSERT_TRUE(LoadTerminalFile(Plain, Text, Error)) << Error;
  EXPECT_EQ(Text, "line 1\nline {2}\nline 3\n");
  std::ofstream(Dir / "empty.rtf", std::ios::binary).flush();
  ASSERT_TRUE(LoadTerminalFile(Dir / "empty.rtf", Text, Error)) << Error;
  EXPECT_EQ(Text, "");

  Text = "kept";
  EXPECT_FALSE(LoadTerminalFile(Dir / "missing.rtf", Text, Error));
  EXPECT_NE(Error.find("missing.rtf"), std::string::npos);
  EXPECT_FALSE(SaveTerminalFile(Dir / "no/such/folder/x.rtf", "x", Error));
  EXPECT_NE(Error.find("x.rtf"), std::string::npos);
}

}  // namespace
}  // namespace vdx
