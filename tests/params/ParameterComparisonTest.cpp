// The comparison of a module's parameters with a file's: states, texts and where values differ.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "SimLink.h"
#include "TestScopes.h"
#include "comm/ModCommProt.h"
#include "params/ParameterComparison.h"

namespace vdx {
namespace {

std::unique_ptr<TModTextParaCmd> Text(const std::string& Name, const std::string& Value) {
  auto Cmd = std::make_unique<TModTextParaCmd>();
  Cmd->Name = Name;
  Cmd->AType = 3;
  Cmd->VList = {"ON", "OFF"};
  Cmd->SetText(Value);
  return Cmd;
}

std::unique_ptr<TModNumParaCmd> Num(const std::string& Name, int32_t Value, uint8_t AType = 3) {
  auto Cmd = std::make_unique<TModNumParaCmd>();
  Cmd->Name = Name;
  Cmd->AType = AType;
  Cmd->Val = Value;
  return Cmd;
}

std::unique_ptr<TModCCParaCmd> Curve(const std::string& Name,
                                     std::vector<std::pair<int, TCurvePoint>> Points = {}) {
  auto Cmd = std::make_unique<TModCCParaCmd>();
  Cmd->Name = Name;
  Cmd->AType = 3;
  for (const auto& [I, Pt] : Points) Cmd->SetPoint(I, Pt);
  return Cmd;
}

std::unique_ptr<TModAinParaCmd> Ain(const std::string& Name, int32_t A, int32_t B, int32_t C,
                                    uint8_t X) {
  auto Cmd = std::make_unique<TModAinParaCmd>();
  Cmd->Name = Name;
  Cmd->AType = 3;
  Cmd->A = A;
  Cmd->B = B;
  Cmd->C = C;
  Cmd->X = X;
  return Cmd;
}

struct TCase {
  const char* Label;
  std::function<void(TModCommandList& Module, TModCommandList& File)> Fill;
  TCompareState State;
  std::string ModuleText, FileText, Where;
  bool Writable;
};

void PrintTo(const TCase& C, std::ostream* Out) { *Out << C.Label; }

class CompareOneParameter : public ::testing::TestWithParam<TCase> {};

TEST_P(CompareOneParameter, GivesStateTextsAndWhere) {
  const TCase& C = GetParam();
  TModCommandList Module, File;
  C.Fill(Module, File);
  const TParameterComparison Result = CompareParameters(Module, File);
  ASSERT_EQ(Result.Rows.size(), 1u);
  const TCompareRow& Row = Result.Rows[0];
  EXPECT_EQ(Row.State, C.State);
  EXPECT_EQ(Row.ModuleText, C.ModuleText);
  EXPECT_EQ(Row.FileText, C.FileText);
  EXPECT_EQ(Row.WhereText(), C.Where);
  EXPECT_EQ(Row.Writable, C.Writable);
  EXPECT_EQ(Result.Equal(), C.State == csEqual);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareOneParameter,
    ::testing::Values(TCase{"EqualTextInAnotherCase",
                            [](auto& M, auto& F) {
                              M.Add(Text("MODE", "ON"));
                              auto T = Text("Mode", "on");
                              F.Add(std::move(T));
                            },
                            csEqual, "ON", "on", "", false},
                      TCase{"DifferentNumber",
                            [](auto& M, auto& F) {
                              M.Add(Num("RA", 100));
                              F.Add(Num("RA", -5));
                            },
                            csDifferent, "100", "-5", "", true},
                      TCase{"ReadOnlyNumberIsShownButNotWritten",
                            [](auto& M, auto& F) {
                              M.Add(Num("HOURS", 7, 2));
                              F.Add(Num("HOURS", 9, 2));
                            },
                            csDifferent, "7", "9", "", false},
                      TCase{"TextTheModuleDoesNotOffer",
                            [](auto& M, auto& F) {
                              M.Add(Text("MODE", "ON"));
                              auto T = Text("MODE", "");
                              T->VList.push_back("AUTO");
                              T->SetText("AUTO");
                              F.Add(std::move(T));
                            },
                            csDifferent, "ON", "AUTO", "", false},
                      TCase{"CurveDifferingAtTwoPoints",
                            [](auto& M, auto& F) {
                              M.Add(Curve("CC", {{-10, {1, 2}}, {0, {5, 5}}, {7, {3, 4}}}));
                              F.Add(Curve("CC", {{-10, {1, 2}}, {0, {5, 6}}, {7, {-3, 4}}}));
                            },
                            csDifferent, "0: (5, 5); 7: (3, 4)", "0: (5, 6); 7: (-3, 4)",
                            "points 0, 7", true},
                      TCase{"EqualCurve",
                            [](auto& M, auto& F) {
                              M.Add(Curve("CC", {{10, {9, 9}}}));
                              F.Add(Curve("CC", {{10, {9, 9}}}));
                            },
                            csEqual, "characteristic curve", "characteristic curve", "", false},
                      TCase{"AnalogueInputDifferingInOneField",
                            [](auto& M, auto& F) {
                              M.Add(Ain("AIN:X", 1000, -50, 0, 1));
                              F.Add(Ain("AIN:X", 1000, -50, 0, 0));
                            },
                            csDifferent, "1000 -50 0 C", "1000 -50 0 V", "fields X", true},
                      TCase{"KindsDiffer",
                            [](auto& M, auto& F) {
                              M.Add(Num("DIR", 1));
                              F.Add(Text("DIR", "ON"));
                            },
                            csDifferent, "1", "ON", "kind", false},
                      TCase{"OnlyInModule", [](auto& M, auto&) { M.Add(Num("KP", 12)); },
                            csOnlyInModule, "12", "", "", false},
                      TCase{"OnlyInFile", [](auto&, auto& F) { F.Add(Ain("AIN:W", 1, 2, 3, 0)); },
                            csOnlyInFile, "", "1 2 3 V", "", false}),
    [](const auto& Info) { return std::string(Info.param.Label); });

TEST(CompareParameters, PutsDifferencesFirstAndLeavesOutCommandsWithoutValues) {
  TModCommandList Module, File;
  Module.Add(Num("A", 1));
  Module.Add(Num("B", 2));
  Module.Add(Num("ONLYM", 3));
  auto Maker = Num("MAKER", 4);
  Maker->GCode = gbXAVO;
  Module.Add(std::move(Maker));
  auto Save = std::make_unique<TModCtrlCommand>(ctNoPara);
  Save->Name = "SAVE";
  Module.Add(std::move(Save));
  Module.Add(Num("a", 99));  // a repeated name: the first one counts
  File.Add(Num("ONLYF", 5));
  File.Add(Num("B", 20));
  File.Add(Num("A", 1));

  const TParameterComparison Result = CompareParameters(Module, File);
  std::vector<std::pair<std::string, TCompareState>> Rows;
  for (const auto& Row : Result.Rows) Rows.emplace_back(Row.Name, Row.State);
  const std::vector<std::pair<std::string, TCompareState>> Expected = {
      {"B", csDifferent}, {"ONLYM", csOnlyInModule}, {"ONLYF", csOnlyInFile}, {"A", csEqual}};
  EXPECT_EQ(Rows, Expected);
  EXPECT_EQ(Result.DifferenceCount(), 3);
}

TEST(CompareParameters, ShowsHundredthsWithDecimalsWhenAsked) {
  TModCommandList Module, File;
  auto M = Num("MIN", 1250);
  M->VType = 22;
  Module.Add(std::move(M));
  auto F = Num("MIN", 1300);
  F->VType = 22;
  File.Add(std::move(F));
  const auto Plain = CompareParameters(Module, File);
  EXPECT_EQ(Plain.Rows[0].ModuleText, "1250");
  const auto Decimals = CompareParameters(Module, File, {.ShowDecimals = true});
  // The separator follows the locale; the digits do not.
  EXPECT_EQ(Decimals.Rows[0].ModuleText.substr(0, 2), "12");
  EXPECT_EQ(Decimals.Rows[0].ModuleText.substr(3), "50");
  EXPECT_EQ(Decimals.Rows[0].FileText.substr(3), "00");
}

// The value texts of a file's parameter put exactly that value into the module's command.
TEST(ValueTextSets, CarryEveryKindOfValueIntoACommand) {
  const std::unique_ptr<TModCtrlCommand> Sources[] = {Text("MODE", "OFF"), Num("RA", -77),
                                                      Curve("CC", {{-10, {-1, -2}}, {10, {3, 4}}}),
                                                      Ain("AIN:X", 5, -6, 7, 1)};
  for (const auto& Source : Sources) {
    TModCommandList Target, File;
    auto Copy = Source->Clone();
    // Start from another value: text OFF -> ON, number, points and fields changed.
    if (auto* T = dynamic_cast<TModTextParaCmd*>(Copy.get())) T->SetText("ON");
    if (auto* N = dynamic_cast<TModNumParaCmd*>(Copy.get())) N->Val = 0;
    if (auto* C = dynamic_cast<TModCCParaCmd*>(Copy.get())) C->SetPoint(10, {0, 0});
    if (auto* A = dynamic_cast<TModAinParaCmd*>(Copy.get())) A->X = 0;
    TModBaseCommand* Cmd = Copy.get();
    Target.Add(std::move(Copy));
    File.Add(Source->Clone());
    ASSERT_FALSE(CompareParameters(Target, File).Equal()) << Source->Name;
    for (const auto& Set : ValueTextSets(*Source)) TVDXModCommProt::SetCmdValues(Cmd, &Set);
    EXPECT_TRUE(CompareParameters(Target, File).Equal()) << Source->Name;
  }
}

// A ".par" file read as the import reads it, and a value the module refuses: the write is
// reported and the module's own value stays in the list, so the row still differs.
TEST(WriteFileValues, ReportsARefusedValueAndKeepsTheModulesValue) {
  testing::TSimLink Link;
  ASSERT_TRUE(Link.Identify());
  testing::TTempFolder Temp;
  const std::string Par = (Temp.Path() / "set.par").string();
  std::ofstream(Par, std::ios::binary) << Link.Prot.ModuleId() << "\r\n##\r\n"
                                       << "RA 99999\r\nRD 250\r\nCC:3 7 8\r\nNOSUCH 1\r\n##\r\n";
  TCompareFile File;
  ASSERT_EQ(File.Load(Link.Prot, Par), TCompareFile::lrDone) << File.Error();
  const std::string Ra = Link.Module.ParameterValue("RA");
  TParameterComparison C = CompareParameters(Link.Prot.CmdList(), File.Parameters());
  ASSERT_TRUE(C.Find("RA") && C.Find("RD") && C.Find("CC") && C.Find("NOSUCH"));
  EXPECT_EQ(C.Find("CC")->WhereText(), "points 3");
  EXPECT_EQ(C.Find("NOSUCH")->State, csOnlyInFile);
  EXPECT_EQ(C.Find("NOSUCH")->FileText, "1");
  EXPECT_EQ(C.Find("KP")->State, csOnlyInModule);  // not in the file

  const auto Failed = WriteFileValues(Link.Prot, File, C, {"RA", "RD", "NOSUCH"});
  EXPECT_EQ(Failed, (std::vector<std::string>{"RA", "NOSUCH"}));
  EXPECT_EQ(Link.Module.ParameterValue("RA"), Ra);
  EXPECT_EQ(Link.Module.ParameterValue("RD"), "250");
  C = CompareParameters(Link.Prot.CmdList(), File.Parameters());
  EXPECT_EQ(C.Find("RA")->State, csDifferent);
  EXPECT_EQ(C.Find("RA")->ModuleText, Ra);
  EXPECT_EQ(C.Find("RD")->State, csEqual);
}

}  // namespace
}  // namespace vdx
