// Writing parameters and the memory commands, end to end against the virtual module, with the
// exact lines the tool puts on the wire.
#include <gtest/gtest.h>

#include "SimLink.h"
#include <algorithm>

#include "comm/TextUtil.h"

namespace vdx {
namespace {

using testing::TSimLink;

struct TRecordingGrid : IParameterView {
  void RefreshValues() override { ++Refreshes; }
  int Refreshes = 0;
  bool LoadCommandList(TModCommandList*, uint16_t AccessCode) override {
    Codes.push_back(AccessCode);
    return true;
  }
  std::vector<uint16_t> Codes;
};

// An identified module whose outgoing lines are recorded from then on.
struct Transfer : ::testing::Test {
  void Identify(sim::TSimOptions Options = {}) {
    L = std::make_unique<TSimLink>(Options);
    L->Prot.SetParameterList(&Grid);
    ASSERT_TRUE(L->Identify());
    L->Prot.ComPort().OnTrace = [this](TTraceDirection D, const std::string& Bytes) {
      if (D == TTraceDirection::tdSent) Sent += Bytes;
    };
    Grid.Codes.clear();
  }
  void TearDown() override {
    if (L) L->Prot.SetParameterList(nullptr);
  }
  // The lines sent since the last call, each with its CR.
  std::vector<std::string> Lines() {
    std::vector<std::string> Out;
    for (size_t Pos = 0, Cr; (Cr = Sent.find('\r', Pos)) != std::string::npos; Pos = Cr + 1)
      Out.push_back(Sent.substr(Pos, Cr - Pos + 1));
    Sent.clear();
    return Out;
  }
  template <class C>
  C* Cmd(const std::string& Name) {
    auto* Found = dynamic_cast<C*>(L->Prot.CmdList().FindCtrl(Name));
    EXPECT_TRUE(Found) << Name;
    return Found;
  }
  // Number of whole-list reads among Lines: one per readable parameter.
  int ReadableCount() {
    int N = 0;
    for (int I = 0; I < L->Prot.CmdList().Count(); ++I) {
      const auto* C = L->Prot.CmdList().Items(I);
      if (C->IsReadable() && C->Type != ctNoPara) ++N;
    }
    return N;
  }

  std::unique_ptr<TSimLink> L;
  TRecordingGrid Grid;
  std::string Sent;
};

using Strings = std::vector<std::string>;

TEST_F(Transfer, WritesOfEachKindOnTheWire) {
  Identify();
  auto* Num = Cmd<TModNumParaCmd>("EOUT");
  Num->Val = -5;
  ASSERT_TRUE(L->Prot.SendParameter(Num));
  EXPECT_EQ(Lines(), (Strings{"EOUT -5\r", "EOUT\r", "ACODE\r"}));
  EXPECT_EQ(L->Module.ParameterValue("EOUT"), "-5");

  auto* Text = Cmd<TModTextParaCmd>("DIR");
  Text->SetText("invers");
  ASSERT_TRUE(L->Prot.SendParameter(Text));
  EXPECT_EQ(Lines(), (Strings{"DIR invers\r", "DIR\r", "ACODE\r"}));
  EXPECT_EQ(Text->Txt, "INVERS");  // as the module reads it back

  auto* Ain = Cmd<TModAinParaCmd>("AIN:W");
  Ain->A = 1000, Ain->B = -50, Ain->C = 0, Ain->X = 1;
  ASSERT_TRUE(L->Prot.SendParameter(Ain));
  EXPECT_EQ(Lines(), (Strings{"AIN:W   1000    -50      0 C\r", "AIN:W\r", "ACODE\r"}));
  EXPECT_EQ(Ain->X, 1);
  EXPECT_EQ(Ain->B, -50);
}

TEST_F(Transfer, CurveGoesFromTheTopDownThenTheNegativeHalf) {
  Identify();
  auto* Curve = Cmd<TModCCParaCmd>("CC");
  for (int I = -10; I <= 10; ++I) Curve->SetPoint(I, {I * 100, I * 50 + 7});
  ASSERT_TRUE(L->Prot.SendParameter(Curve));
  const Strings Sent = Lines();
  ASSERT_EQ(Sent.size(), 21u + 21u + 1u);
  EXPECT_EQ(Sent.front(), "CC:10 1000 507 \r");
  EXPECT_EQ(Sent[10], "CC:0 0 7 \r");
  EXPECT_EQ(Sent[11], "CC:-10 -1000 -493 \r");
  EXPECT_EQ(Sent[20], "CC:-1 -100 -43 \r");
  EXPECT_EQ(Sent[21], "CC:-10\r");
  EXPECT_EQ(Sent.back(), "ACODE\r");
  EXPECT_EQ(L->Module.ParameterValue("CC:3"), "300 157");
}

TEST_F(Transfer, CommandsWithoutAValueAreNotReadBack) {
  Identify();
  // A listed SAVE (type 5): its name and a blank, no read-back.
  ASSERT_TRUE(L->Prot.SaveParameters());
  EXPECT_EQ(Lines(), (Strings{"SAVE \r", "ACODE\r"}));
  // A write-only command of type 4 cannot be read back either; its write decides.
  ASSERT_TRUE(L->Prot.SendParameter(Cmd<TModCtrlCommand>("RESET")));
  EXPECT_EQ(Lines(), (Strings{"RESET \r", "ACODE\r"}));
  // Read-only parameters are not written at all.
  EXPECT_FALSE(L->Prot.SendParameter(Cmd<TModNumParaCmd>("HOURS")));
  EXPECT_TRUE(Lines().empty());
}

TEST_F(Transfer, NewDataRereadsAllAndNewTabRefillsTheGrid) {
  Identify();
  auto* Sens = Cmd<TModTextParaCmd>("SENS");
  ASSERT_TRUE(Sens->GCode & gbNewData);
  Sens->SetText(Sens->VList.at(1));
  const std::string AinBefore = L->Module.ParameterValue("AIN:W");
  ASSERT_TRUE(L->Prot.SendParameter(Sens));
  const Strings Sent = Lines();
  EXPECT_EQ(static_cast<int>(Sent.size()), 3 + ReadableCount() + 2 * 20);  // curves: 21 lines
  ASSERT_NE(L->Module.ParameterValue("AIN:W"), AinBefore);
  const auto* Ain = Cmd<TModAinParaCmd>("AIN:W");  // re-read: the tool follows the module
  EXPECT_EQ(std::to_string(Ain->A) + " " + std::to_string(Ain->B) + " " + std::to_string(Ain->C) +
                (Ain->X ? " C" : " V"),
            L->Module.ParameterValue("AIN:W"));
  EXPECT_TRUE(Grid.Codes.empty());

  auto* Mode = Cmd<TModTextParaCmd>("MODE");
  ASSERT_TRUE(Mode->GCode & gbNewTab);
  uint16_t Before;
  ASSERT_TRUE(L->Prot.ReadAccessCode(Before));
  Mode->SetText("EXPERT");
  ASSERT_TRUE(L->Prot.SendParameter(Mode));
  ASSERT_EQ(Grid.Codes.size(), 1u);
  EXPECT_NE(Grid.Codes[0], Before);
}

TEST_F(Transfer, DefaultAndLoadbackRereadEveryValue) {
  Identify();
  auto* Current = Cmd<TModNumParaCmd>("CURRENT");
  const int32_t Stored = Current->Val;
  Current->Val = Stored + 11;
  ASSERT_TRUE(L->Prot.SendParameter(Current));
  Lines();
  // LOADBACK is not listed by this module: the plain command, then every value again.
  ASSERT_TRUE(L->Prot.LoadBack());
  Strings Sent = Lines();
  EXPECT_EQ(Sent.front(), "Loadback\r");
  EXPECT_EQ(Current->Val, Stored);

  Current->Val = Stored + 22;
  ASSERT_TRUE(L->Prot.SendParameter(Current));
  ASSERT_TRUE(L->Prot.SaveParameters());
  Lines();
  // DEFAULT is listed (type 5, NewData): its name and a blank, then every value again.
  ASSERT_TRUE(L->Prot.LoadDefaults());
  Sent = Lines();
  EXPECT_EQ(Sent.front(), "DEFAULT \r");
  EXPECT_GT(static_cast<int>(Sent.size()), ReadableCount());
  EXPECT_EQ(std::to_string(Current->Val), L->Module.ParameterValue("CURRENT"));
  ASSERT_TRUE(L->Prot.LoadBack());
  EXPECT_EQ(Current->Val, Stored + 22);  // the saved value came back
}

TEST_F(Transfer, ListedReadOnlySaveIsRefusedWithoutSending) {
  sim::TSimOptions Options;
  Options.ModuleType = "locked";
  Identify(Options);
  EXPECT_FALSE(L->Prot.SaveParameters());
  EXPECT_TRUE(Lines().empty());
}

TEST_F(Transfer, UnlistedMemoryCommandsGoOutPlain) {
  sim::TSimOptions Options;
  Options.ModuleType = "basic";
  Identify(Options);
  ASSERT_TRUE(L->Prot.SaveParameters());
  EXPECT_EQ(Lines(), Strings{"SAVE\r"});
  ASSERT_TRUE(L->Prot.LoadDefaults());
  EXPECT_EQ(Lines().front(), "DEFAULT\r");
}

TEST_F(Transfer, RefusedWritesFail) {
  Identify();
  L->Module.SetFault(sim::TSimFault::RefuseWrites);
  auto* Num = Cmd<TModNumParaCmd>("CURRENT");
  const std::string Before = L->Module.ParameterValue("CURRENT");
  Num->Val = Num->Val + 1;
  EXPECT_FALSE(L->Prot.SendParameter(Num));
  EXPECT_EQ(L->Module.ParameterValue("CURRENT"), Before);

  std::vector<std::string> Errors;
  EXPECT_FALSE(L->Prot.SendAllParameters(&Errors));
  EXPECT_NE(std::find(Errors.begin(), Errors.end(), "CURRENT"), Errors.end());
  EXPECT_NE(std::find(Errors.begin(), Errors.end(), "CC"), Errors.end());
  EXPECT_EQ(std::find(Errors.begin(), Errors.end(), "RESET"), Errors.end());  // not written
}

TEST_F(Transfer, SendAllWritesValuesThenReadsAll) {
  Identify();
  Cmd<TModNumParaCmd>("RA")->Val = 321;
  std::vector<std::string> Errors{"stale"};
  ASSERT_TRUE(L->Prot.SendAllParameters(&Errors));
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(L->Module.ParameterValue("RA"), "321");
  // Only values are written: no control or memory command goes out.
  for (const auto& Line : Lines())
    for (const char* Command : {"SAVE", "DEFAULT", "RESET", "LEARN"})
      EXPECT_FALSE(StartsWithNoCase(Line, Command)) << Line;
}

TEST_F(Transfer, GridRequestsWriteOnlineAndOnlyShowOffline) {
  Identify();
  auto* Num = Cmd<TModNumParaCmd>("RD");
  int Changes = 0;
  Num->OnChange = [&](TModCtrlCommand&) { ++Changes; };
  Num->Val = 77;
  Grid.OnCmdSendRequest(Grid, Num);
  EXPECT_EQ(L->Module.ParameterValue("RD"), "77");
  EXPECT_EQ(Changes, 1);  // raised by the read-back

  ASSERT_TRUE(L->Prot.ReloadParameters());
  EXPECT_EQ(Grid.Codes.size(), 1u);

  L->Prot.ComPort().ClosePort();
  Lines();
  Num->Val = 78;
  Grid.OnCmdSendRequest(Grid, Num);
  EXPECT_EQ(Changes, 3);  // the reload read it once more, the offline edit once
  EXPECT_TRUE(Lines().empty());
  Num->OnChange = nullptr;
}

TEST(SetCmdValues, TakesValuesWithoutAChangeEvent) {
  TModCCParaCmd Curve;
  int Changes = 0;
  Curve.OnChange = [&](TModCtrlCommand&) { ++Changes; };
  const std::vector<std::string> Point{"-10", "5", "6"}, Outside{"11", "1", "1"};
  EXPECT_TRUE(TVDXModCommProt::SetCmdValues(&Curve, &Point));
  EXPECT_TRUE(TVDXModCommProt::SetCmdValues(&Curve, &Outside));
  EXPECT_FALSE(TVDXModCommProt::SetCmdValues(nullptr, &Point));
  EXPECT_FALSE(TVDXModCommProt::SetCmdValues(&Curve, nullptr));
  TCurvePoint Pt;
  Curve.GetPoint(-10, Pt);
  EXPECT_EQ(Pt, (TCurvePoint{5, 6}));
  EXPECT_EQ(Changes, 0);
}

}  // namespace
}  // namespace vdx
