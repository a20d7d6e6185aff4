// Readout lines into commands, the placement into the four lists, value and column texts.
#include <gtest/gtest.h>

#include "comm/CmdValues.h"
#include "comm/ColumnText.h"
#include "comm/ModCommandLists.h"
#include "comm/ReadoutLine.h"

namespace vdx {
namespace {

template <class C>
std::unique_ptr<C> Parse(const std::string& Line) {
  auto Cmd = ParseReadoutLine(Line);
  auto* Typed = dynamic_cast<C*>(Cmd.get());
  if (!Typed) return nullptr;
  Cmd.release();
  return std::unique_ptr<C>(Typed);
}

TEST(ReadoutLine, LinesThatGiveNoCommand) {
  for (const char* Line : {"", "      ", "\r\n", "3\\2\\GAIN\\\\h",  // too few fields
                           "3\\x\\GAIN\\\\help\\1\\0\\9",             // type not an integer
                           "3\\3\\DUMMY\\\\help\\1\\0\\9",            // no class for type 3
                           "3\\12\\FUTURE\\\\help\\1\\0\\9"})
    EXPECT_EQ(ParseReadoutLine(Line), nullptr) << Line;
}

TEST(ReadoutLine, NumericParameterWithAllFields) {
  auto Cmd = Parse<TModNumParaCmd>("3\\2\\GAIN\\\\Gain of the loop\\21\\-100\\$1F4\\3");
  ASSERT_TRUE(Cmd);
  EXPECT_EQ(Cmd->Name, "GAIN");
  EXPECT_EQ(Cmd->AType, 3);
  EXPECT_EQ(Cmd->Help, "Gain of the loop");
  EXPECT_EQ(Cmd->VType, 21);
  EXPECT_EQ(Cmd->Min, -100);
  EXPECT_EQ(Cmd->Max, 500);
  EXPECT_EQ(Cmd->GCode, 3);
  EXPECT_TRUE(Cmd->VList.empty());
}

TEST(ReadoutLine, FieldSplittingEdges) {
  // One trailing backslash is dropped; blanks inside fields survive, tabs go; an existing
  // "~*~*" becomes a blank; value list entries may be quoted.
  auto Text = Parse<TModTextParaCmd>(
      "  3\\1\\MODE\\on|\"x|y\"|auto mode|\\Mode  of\tthe~*~*valve\\1\\0\\2\\  ");
  ASSERT_TRUE(Text);
  EXPECT_EQ(Text->VList, (std::vector<std::string>{"on", "x|y", "auto mode", ""}));
  EXPECT_EQ(Text->Help, "Mode  ofthe valve");
  EXPECT_EQ(Text->GCode, DefaultReadoutGCode);  // the dropped backslash leaves 8 fields

  // A quoted field may hold a backslash.
  auto Path = Parse<TModTextParaCmd>("3\\1\\PATH\\\"C:\\dir\"\\h\\1\\0\\2");
  ASSERT_TRUE(Path);
  EXPECT_EQ(Path->VList, (std::vector<std::string>{"C:\\dir"}));

  // Two trailing backslashes: the last field is empty, so the group field is not an integer.
  auto Num = Parse<TModNumParaCmd>("3\\2\\P\\\\h\\1\\0\\9\\\\");
  ASSERT_TRUE(Num);
  EXPECT_EQ(Num->GCode, DefaultReadoutGCode);
  EXPECT_EQ(Num->Max, 9);
}

TEST(ReadoutLine, BadAttributeFieldsKeepInitialValues) {
  auto Cmd = Parse<TModNumParaCmd>("r\\2\\P\\\\h\\v\\low\\high\\grp");
  ASSERT_TRUE(Cmd);
  EXPECT_EQ(Cmd->AType, 2);
  EXPECT_EQ(Cmd->VType, 1);
  EXPECT_EQ(Cmd->Min, 0);
  EXPECT_EQ(Cmd->Max, 0);
  EXPECT_EQ(Cmd->GCode, DefaultReadoutGCode);

  // Six fields: only the common attributes.
  auto Short = Parse<TModTextParaCmd>("3\\1\\T\\a|b\\h\\1");
  ASSERT_TRUE(Short);
  EXPECT_TRUE(Short->VList.empty());
}

TEST(ReadoutLine, TypeSpecificAttributes) {
  auto Proc = Parse<TModProcCommand>("2\\256\\PRESSURE\\bar\\Pressure\\1\\0\\100");
  ASSERT_TRUE(Proc);  // low byte of 256 is 0: a process value
  EXPECT_EQ(Proc->PhysUnit, "bar");
  EXPECT_EQ(Proc->CompFactor, 100);

  auto Bit = Parse<TModStatusBitCommand>("2\\10\\ST:Ready\\\\Module ready\\1\\5\\13");
  ASSERT_TRUE(Bit);
  EXPECT_EQ(Bit->BIndex, 5);
  EXPECT_TRUE(Bit->BActive);
  EXPECT_FALSE(Bit->BInvers);
  EXPECT_EQ(Bit->BColor, 3);
  EXPECT_EQ(Bit->BitHint, "Module ready");
  std::string Display;
  Bit->GetDisplayName(Display);
  EXPECT_EQ(Display, "Ready");

  auto Input = Parse<TModRemoteCtrlCmd>("3\\11\\RC:6\\\\Input\\1\\-1000\\1000\\4");
  ASSERT_TRUE(Input);
  EXPECT_EQ(Input->PinCode(), 2);
  EXPECT_EQ(Input->PinName(), "Pin 6");
  EXPECT_EQ(Input->Min, -1000);
}

TEST(Placement, SortsIntoTheFourLists) {
  TModCommandSet Set;
  for (const char* Line : {"3\\2\\GAIN\\\\h\\1\\0\\9",          // parameter
                           "3\\5\\SAVE\\\\h\\1",                 // control command
                           "2\\0\\P1\\bar\\h\\1\\0\\10",         // process value
                           "2\\10\\ST:A\\\\h\\1\\0\\1",          // active status bit
                           "2\\10\\ST:B\\\\h\\1\\1\\2",          // inactive: dropped
                           "3\\11\\RC:13\\\\h\\1\\0\\100",       // known pin
                           "3\\11\\rc:6\\\\h\\1\\0\\100"})       // unknown name: dropped
    Set.Place(ParseReadoutLine(Line));
  EXPECT_EQ(Set.CmdList.Count(), 2);
  EXPECT_EQ(Set.ProcessData.Count(), 1);
  EXPECT_EQ(Set.StatusInfo.Count(), 1);
  EXPECT_EQ(Set.RemoteCtrlList.Count(), 1);
  EXPECT_EQ(Set.RemoteCtrlList.FindByPin(3), Set.RemoteCtrlList.Items(0));
  int32_t Min = 1, Max = 1;
  EXPECT_FALSE(Set.RemoteCtrlList.GetPinRange(2, Min, Max));
  EXPECT_TRUE(Set.RemoteCtrlList.GetPinRange(3, Min, Max));
  EXPECT_EQ(Max, 100);
}

TEST(CommandLists, LookupAndTypedAccess) {
  TModCommandSet Set;
  Set.Place(ParseReadoutLine("3\\2\\Gain\\\\first\\1\\0\\9"));
  Set.Place(ParseReadoutLine("3\\1\\GAIN\\a|b\\second\\1"));
  EXPECT_EQ(Set.CmdList.IndexOf("gain"), 0);
  EXPECT_EQ(Set.CmdList.IndexOf("none"), -1);
  EXPECT_EQ(Set.CmdList.Add(nullptr), -1);
  EXPECT_EQ(Set.ProcessData.Items(0), nullptr);
  EXPECT_EQ(Set.CmdList.Objects(5), nullptr);
  EXPECT_EQ(Set.CmdList.Names(-1), "");
  Set.CmdList.Delete(0);  // frees the command; the sanitizer build would see a leak otherwise
  EXPECT_EQ(Set.CmdList.Objects(0)->Help, "second");
}

TEST(StatusWord, MaskBitsFollowListPositions) {
  TModStatusInfoData List;
  for (const char* Line : {"2\\10\\ST:A\\\\h\\1\\0\\1", "2\\10\\ST:B\\\\h\\1\\3\\1",
                           "2\\10\\ST:C\\\\h\\1\\15\\1"})
    List.Add(Parse<TModStatusBitCommand>(Line));
  uint16_t Mask = 0xFFFF;
  EXPECT_TRUE(List.SetStatusWord(0x8001, Mask));
  EXPECT_EQ(Mask, 0b101);
  EXPECT_EQ(List.Items(1)->StatusWord, 0x8001);

  List.Items(1)->BInvers = true;
  EXPECT_TRUE(List.SetStatusWord(0, Mask));
  EXPECT_EQ(Mask, 0b010);

  TModStatusInfoData Empty;
  EXPECT_FALSE(Empty.SetStatusWord(1, Mask));
  EXPECT_EQ(Mask, 0);
}

TEST(ValueTexts, ColumnTextsAndFormats) {
  TModAinParaCmd Ain;
  Ain.A = 1000, Ain.B = -50, Ain.C = 0, Ain.X = 1;
  std::string Text;
  Ain.GetValueText(Text);
  EXPECT_EQ(Text, "  1000    -50      0 C");

  TModCCParaCmd Curve;
  Curve.SetPoint(-10, {-1000, 25});
  Curve.GetPointText(-10, Text);
  EXPECT_EQ(Text, " -1000     25");
  EXPECT_FALSE(Curve.SetPoint(11, {1, 1}));
  Curve.GetValueText(Text);
  EXPECT_EQ(Text, "characteristic curve");

  EXPECT_EQ(PlaceText("      ", "12345678", 6), "12345678");  // too long: pushes the rest right
  EXPECT_EQ(PlaceText("abcdef", "XY", 4), "abXYef");

  TModNumParaCmd Num;
  Num.Val = -1234;
  Num.GetPercentText(Text);
  EXPECT_EQ(Text, "-12.34");

  TModProcCommand Proc;
  Proc.Value = 1234;
  Proc.CompFactor = 100;
  Proc.GetValueText(Text);
  EXPECT_EQ(Text, "12.34");
  Proc.CompFactor = 0;  // a module that reports no divisor shows the raw value
  Proc.GetValueText(Text);
  EXPECT_EQ(Text, "1234.00");

  Num.GCode = gbNewTab | gbXAVO | 0x8000;
  Num.GetGroupNames(Text);
  EXPECT_EQ(Text, "NewTab, X.A.VO., FreeBit15");
}

TEST(ValueTexts, SetTextKeepsTheCallersCase) {
  TModTextParaCmd Cmd;
  Cmd.VList = {"On", "Off"};
  Cmd.SetText("oN");
  EXPECT_EQ(Cmd.Txt, "oN");
  Cmd.SetText("maybe");
  EXPECT_EQ(Cmd.Txt, "");
}

TEST(ApplyValues, TakesWhatFitsTheType) {
  TModNumParaCmd Num;
  ApplyValueTexts(Num, {"42"});
  ApplyValueTexts(Num, {"1", "2"});
  ApplyValueTexts(Num, {"x"});
  EXPECT_EQ(Num.Val, 42);

  TModCCParaCmd Curve;
  ApplyValueTexts(Curve, {"-3", "10", "20"});
  ApplyValueTexts(Curve, {"11", "1", "1"});
  ApplyValueTexts(Curve, {"2", "1"});
  TCurvePoint Pt;
  Curve.GetPoint(-3, Pt);
  EXPECT_EQ(Pt, (TCurvePoint{10, 20}));

  TModAinParaCmd Ain;
  ApplyValueTexts(Ain, {"100", "bad", "-7", "i", "extra"});
  EXPECT_EQ(Ain.A, 100);
  EXPECT_EQ(Ain.B, 0);
  EXPECT_EQ(Ain.C, -7);
  EXPECT_EQ(Ain.X, 1);
  ApplyValueTexts(Ain, {"5"});  // a short reply leaves the rest, the kind included
  EXPECT_EQ(Ain.A, 5);
  EXPECT_EQ(Ain.X, 1);
  ApplyValueTexts(Ain, {"5", "6", "7", "V"});
  EXPECT_EQ(Ain.X, 0);

  bool B = false;
  EXPECT_TRUE(ReadBooleanText("2", B) && B);
  EXPECT_TRUE(ReadBooleanText("fAlSe", B) && !B);
  EXPECT_FALSE(ReadBooleanText("yes", B));
}

TEST(Clone, CopiesAttributesButNotEverything) {
  auto Num = Parse<TModNumParaCmd>("3\\2\\GAIN\\\\h\\21\\-5\\9\\7");
  Num->Val = 8;
  auto Copy = Num->Clone();
  auto* NumCopy = dynamic_cast<TModNumParaCmd*>(Copy.get());
  ASSERT_TRUE(NumCopy);
  EXPECT_EQ(NumCopy->Val, 8);
  EXPECT_EQ(NumCopy->Min, -5);
  EXPECT_EQ(NumCopy->GCode, 7);

  TModProcCommand Proc;
  Proc.CompFactor = 10;
  Proc.Value = 99;
  auto ProcCopy = Proc.Clone();
  EXPECT_EQ(static_cast<TModProcCommand&>(*ProcCopy).CompFactor, 10);
  EXPECT_EQ(static_cast<TModProcCommand&>(*ProcCopy).Value, 0);

  EXPECT_EQ(TModStatusBitCommand().Clone(), nullptr);
  EXPECT_EQ(TModRemoteCtrlCmd().Clone(), nullptr);

  TModTextParaCmd Text;  // different type: AssignTo does nothing
  Num->AssignTo(Text);
  EXPECT_EQ(Text.Name, "");
}

}  // namespace
}  // namespace vdx
