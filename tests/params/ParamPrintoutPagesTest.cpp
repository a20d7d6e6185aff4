// The parameter printout's pages: which lines are printed, how they are split over the pages
// and the header lines.
#include "params/ParamPrintoutPages.h"

#include <gtest/gtest.h>

#include <memory>

#include "SimLink.h"
#include "comm/ModCommandLists.h"
#include "params/ParameterLines.h"

namespace vdx {
namespace {

using testing::TSimLink;

std::unique_ptr<TModNumParaCmd> Num(const std::string& Name, uint16_t GCode, uint8_t AType = 3) {
  auto Cmd = std::make_unique<TModNumParaCmd>();
  Cmd->Name = Name;
  Cmd->GCode = GCode;
  Cmd->AType = AType;
  Cmd->Val = 7;
  return Cmd;
}

// The names the lines start with.
std::vector<std::string> Names(const std::vector<std::string>& Lines) {
  std::vector<std::string> Result;
  for (const auto& Line : Lines) Result.push_back(Line.substr(0, Line.find_first_of(" :")));
  return Result;
}

std::vector<std::string> NumberedLines(size_t N) {
  std::vector<std::string> Lines;
  for (size_t I = 0; I < N; ++I) Lines.push_back("L" + std::to_string(I));
  return Lines;
}

const TPrintoutHeader Header{"Xavo", "KORVA/20", "Tue, 03.02.2026 - 07:08:09",
                             "KV20DEMO, V2.14, SN004711, 2026"};

TEST(ParamPrintoutLines, GroupsAndAccessCodeDecideWhatIsPrinted) {
  TModCommandList List;
  List.Add(Num("PLAIN", 0x0004));
  List.Add(Num("NOGROUP", 0));             // the grid's group filter does not apply
  List.Add(Num("READONLY", 0x0004, 2));    // nor does the access type
  List.Add(Num("XAVO", gbXAVO));           // never printed
  List.Add(Num("PASS", PrintoutPasswordGroup));
  List.Add(Num("BOTH", PrintoutPasswordGroup | gbXAVO));
  auto Ctrl = std::make_unique<TModCtrlCommand>(ctNoPara);  // a parameter command without lines
  Ctrl->Name = "SAVE";
  List.Add(std::move(Ctrl));
  auto Proc = std::make_unique<TModProcCommand>();  // not a parameter command
  Proc->Name = "W";
  List.Add(std::move(Proc));

  const std::vector<std::string> WithPassword{"PLAIN", "NOGROUP", "READONLY", "PASS"};
  const std::vector<std::string> WithoutPassword{"PLAIN", "NOGROUP", "READONLY"};
  const std::pair<uint16_t, const std::vector<std::string>*> Cases[] = {
      {0xFFFF, &WithPassword}, {0x0080, &WithPassword}, {0x007F, &WithoutPassword},
      {0xFF7F, &WithoutPassword}, {0x0000, &WithoutPassword}};
  for (const auto& [ACode, Expected] : Cases)
    EXPECT_EQ(Names(PrintoutLines(List, ACode)), *Expected) << std::hex << ACode;
}

TEST(ParamPrintoutLines, EachParameterKindAddsItsFileLayoutLines) {
  TModCommandList List;
  List.Add(Num("P1", 4));
  auto Curve = std::make_unique<TModCCParaCmd>();
  Curve->Name = "C1";
  Curve->GCode = 4;
  for (int K = -10; K <= 10; ++K) Curve->SetPoint(K, {K * 100, -K});
  const TModCCParaCmd& CurveRef = *Curve;
  List.Add(std::move(Curve));
  auto Ain = std::make_unique<TModAinParaCmd>();
  Ain->Name = "AIN:W";
  Ain->GCode = 4;
  Ain->A = 1000;
  Ain->B = 2000;
  Ain->C = -30;
  Ain->X = 1;
  const TModAinParaCmd& AinRef = *Ain;
  List.Add(std::move(Ain));

  const auto Lines = PrintoutLines(List, 0xFFFF);
  ASSERT_EQ(Lines.size(), 1u + 21u + 1u);
  EXPECT_EQ(Lines[0], "P1" + std::string(21, ' ') + "7 ");
  std::vector<std::string> Expected = ParameterLines(CurveRef);
  EXPECT_EQ(std::vector<std::string>(Lines.begin() + 1, Lines.begin() + 22), Expected);
  EXPECT_EQ(Lines[1].substr(0, 7), "C1:-10 ");
  EXPECT_EQ(Lines[22], ParameterLines(AinRef).at(0));
  EXPECT_EQ(Lines[22].size(), 40u);
}

TEST(ParamPrintoutPages, FiftySevenLinesFillTheFirstPage) {
  struct TCase {
    size_t Lines, First, Second;
  };
  const TCase Cases[] = {{0, 0, 0}, {1, 1, 0}, {57, 57, 0}, {58, 57, 1}, {200, 57, 143}};
  for (const TCase& C : Cases) {
    const auto Lines = NumberedLines(C.Lines);
    const auto Pages = ComposePrintoutPages(Lines, Header);
    ASSERT_EQ(Pages.size(), C.Second ? 2u : 1u) << C.Lines;
    EXPECT_EQ(Pages[0].Lines, std::vector<std::string>(Lines.begin(), Lines.begin() + C.First));
    if (C.Second) {
      EXPECT_EQ(Pages[1].Lines, std::vector<std::string>(Lines.begin() + 57, Lines.end()));
    }
  }
}

TEST(ParamPrintoutPages, HeaderLinesOfBothPages) {
  const auto Pages = ComposePrintoutPages(NumberedLines(58), Header);
  ASSERT_EQ(Pages.size(), 2u);
  const char* Titles[] = {"Xavo   - KORVA/20   - Page 1", "Xavo   - KORVA/20   - Page 2"};
  for (size_t I = 0; I < 2; ++I) {
    EXPECT_EQ(Pages[I].Title, Titles[I]);
    EXPECT_EQ(Pages[I].Date, "Parameter List at: Tue, 03.02.2026 - 07:08:09");
    EXPECT_EQ(Pages[I].Module, "Module: KV20DEMO, V2.14, SN004711, 2026");
  }
  EXPECT_EQ(Pages[1].Lines, std::vector<std::string>{"L57"});
}

TEST(ParamPrintoutPages, DateAndTimeFormat) {
  std::tm T{};
  T.tm_year = 2026 - 1900;
  T.tm_mon = 1;
  T.tm_mday = 3;
  T.tm_wday = 2;
  T.tm_hour = 7;
  T.tm_min = 8;
  T.tm_sec = 9;
  EXPECT_EQ(PrintoutDateTime(T), "Tue, 03.02.2026 - 07:08:09");  // C locale: English day names
  T.tm_mday = 31;
  T.tm_mon = 11;
  T.tm_wday = 4;
  T.tm_hour = 23;
  T.tm_min = 59;
  T.tm_sec = 58;
  EXPECT_EQ(PrintoutDateTime(T), "Thu, 31.12.2026 - 23:59:58");
}

bool HasLine(const std::vector<TPrintoutPage>& Pages, const std::string& Name) {
  for (const auto& Page : Pages)
    for (const auto& Line : Page.Lines)
      if (Line.rfind(Name + " ", 0) == 0) return true;
  return false;
}

TEST(ParamPrintout, EmptyCommandListPrintsNothing) {
  TVDXModCommProt Prot;
  EXPECT_TRUE(ComposeParameterPrintout(Prot, "Xavo", "KORVA/20", std::tm{}).empty());
}

// The access code comes from the module: its own code hides "Password" (LOCK, OFFSET), the
// password shows it; "X.A.VO." (SIGTYP) stays hidden even when the code has that bit. Without
// a connection the code counts as 0xFFFF.
TEST(ParamPrintout, ModuleAccessCodeFiltersThePasswordGroup) {
  TSimLink L;
  ASSERT_TRUE(L.ConnectAt(mb9600));
  std::string Id;
  ASSERT_TRUE(L.Prot.Identify(Id));

  auto Pages = ComposeParameterPrintout(L.Prot, "Xavo", "KORVA/20", std::tm{});
  ASSERT_FALSE(Pages.empty());
  EXPECT_EQ(Pages[0].Module, "Module: " + L.Module.IdText());
  EXPECT_TRUE(HasLine(Pages, "RA"));
  EXPECT_FALSE(HasLine(Pages, "LOCK"));
  EXPECT_FALSE(HasLine(Pages, "OFFSET"));
  EXPECT_FALSE(HasLine(Pages, "SIGTYP"));

  ASSERT_TRUE(L.Prot.SendPassword("kv20pass"));
  Pages = ComposeParameterPrintout(L.Prot, "Xavo", "KORVA/20", std::tm{});
  EXPECT_TRUE(HasLine(Pages, "LOCK"));
  EXPECT_TRUE(HasLine(Pages, "OFFSET"));
  EXPECT_FALSE(HasLine(Pages, "SIGTYP"));

  // Disconnect forgets the lists; an offline list with a Password parameter prints it.
  L.Prot.Disconnect();
  L.Prot.CmdList().Add(Num("PASS", PrintoutPasswordGroup));
  EXPECT_TRUE(HasLine(ComposeParameterPrintout(L.Prot, "Xavo", "KORVA/20", std::tm{}), "PASS"));
}

}  // namespace
}  // namespace vdx
