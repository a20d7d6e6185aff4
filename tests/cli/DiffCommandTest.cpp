// vdxctl diff against a virtual module: exit codes 0 and 4, the table, the JSON and refusals.
#include "VdxctlFixture.h"

namespace vdx {
namespace {

using testing::TRun;

class DiffCommandTest : public testing::VdxctlTest {
 protected:
  std::string File(const std::string& Name) const { return (FDir / Name).string(); }

  // A number, two curve points and one field of an analogue input changed on the module
  // after the file was written.
  void ChangeThreeValues(sim::TModuleSim& M) {
    M.SetParameterValue("RA", "1234");
    M.SetParameterValue("CC:-10", "-9000 -8000");
    M.SetParameterValue("CC:3", "300 -400");
    M.SetParameterValue("AIN:X", "1000 1000 0 C");
  }
};

TEST_F(DiffCommandTest, EqualFilesGiveExitZero) {
  Module();
  for (const std::string Name : {"set.vdx", "set.par"}) {
    ASSERT_EQ(Run(At9600() + "export " + File(Name)).Exit, 0);
    const TRun R = Run(At9600() + "diff " + File(Name));
    EXPECT_EQ(R.Exit, 0) << Name << ": " << R.Err;
    EXPECT_EQ(R.Err, "");
    EXPECT_NE(R.Out.find("\nequal: 22 parameters\n"), std::string::npos) << R.Out;
    EXPECT_EQ(R.Out.find("different"), std::string::npos) << R.Out;
    const TRun Json = Run("--json" + At9600() + "diff " + File(Name));
    EXPECT_EQ(Json.Exit, 0) << Name << ": " << Json.Err;
    EXPECT_NE(Json.Out.find(",\"equal\":true,\"differences\":0,\"parameters\":[{\"name\":\"MODE\","
                            "\"state\":\"equal\",\"module\":\"STANDARD\",\"file\":\"STANDARD\","
                            "\"details\":[]}"),
              std::string::npos)
        << Json.Out;
  }
}

TEST_F(DiffCommandTest, DifferencesGiveExitFourWithTableAndJson) {
  sim::TModuleSim& M = Module();
  ASSERT_EQ(Run(At9600() + "export " + File("set.vdx")).Exit, 0);
  const std::string Ra = M.ParameterValue("RA");
  ASSERT_NE(Ra, "1234");
  ChangeThreeValues(M);

  TRun R = Run(At9600() + "diff " + File("set.vdx"));
  EXPECT_EQ(R.Exit, 4) << R.Err;
  EXPECT_EQ(R.Err, "");
  // Differences first, in the module's order, then the equal rows.
  const size_t RaRow = R.Out.find("\nRA ");
  const size_t CcRow = R.Out.find("\nCC ");
  const size_t AinRow = R.Out.find("\nAIN:X ");
  const size_t FirstEqual = R.Out.find(" equal");
  ASSERT_NE(RaRow, std::string::npos) << R.Out;
  EXPECT_LT(RaRow, CcRow);
  EXPECT_LT(CcRow, AinRow);
  EXPECT_LT(AinRow, FirstEqual);
  const std::string CcLine = R.Out.substr(CcRow + 1, R.Out.find('\n', CcRow + 1) - CcRow - 1);
  EXPECT_NE(CcLine.find("-10: (-9000, -8000); 3: (300, -400)"), std::string::npos) << CcLine;
  EXPECT_TRUE(CcLine.ends_with("different  points -10, 3")) << CcLine;
  const std::string AinLine = R.Out.substr(AinRow + 1, R.Out.find('\n', AinRow + 1) - AinRow - 1);
  const size_t ModuleAin = AinLine.find("1000 1000 0 C");
  EXPECT_NE(AinLine.find("1000 1000 0 V", ModuleAin), std::string::npos) << AinLine;
  EXPECT_TRUE(AinLine.ends_with("different  fields X")) << AinLine;
  EXPECT_TRUE(R.Out.ends_with("\n3 of 22 parameters differ\n")) << R.Out;

  R = Run("--json" + At9600() + "diff " + File("set.vdx"));
  EXPECT_EQ(R.Exit, 4) << R.Err;
  for (const std::string& Fragment : std::vector<std::string>{
           "{\"module\":\"" + M.IdText() + "\",\"fileModule\":\"" + M.IdText() +
               "\",\"equal\":false,\"differences\":3,\"parameters\":[",
           "{\"name\":\"RA\",\"state\":\"different\",\"module\":\"1234\",\"file\":\"" + Ra +
               "\",\"details\":[]}",
           std::string("{\"name\":\"AIN:X\",\"state\":\"different\",\"module\":\"1000 1000 0 C\","
                       "\"file\":\"1000 1000 0 V\",\"details\":[{\"at\":\"X\",\"module\":\"C\","
                       "\"file\":\"V\"}]}"),
           std::string("{\"at\":\"point 3\",\"module\":\"(300, -400)\",\"file\":\"(3000, 3000)\"}"),
           std::string("\"state\":\"equal\"")})
    EXPECT_NE(R.Out.find(Fragment), std::string::npos) << Fragment << "\n" << R.Out;
  EXPECT_TRUE(R.Out.ends_with("]}\n")) << R.Out;
}

TEST_F(DiffCommandTest, RefusalsHaveTheirExitCodes) {
  sim::TModuleSim& M = Module();
  ASSERT_EQ(Run(At9600() + "export " + File("own.vdx")).Exit, 0);
  // The same data stored under another module ID.
  std::string Text = testing::FileText(File("own.vdx"));
  Text.replace(Text.find(M.IdText()), M.IdText().size(), "KV20OTHER, V1, SN1, 2026");
  std::ofstream(File("other.vdx"), std::ios::binary) << Text;
  std::ofstream(File("other.par"), std::ios::binary)
      << "KV99X, V1, SN1, 2026\r\n##\r\nRA 5\r\n##\r\n";

  const struct {
    std::string Args;
    int Exit;
    std::string Err;
  } Cases[] = {
      {"diff " + File("missing.vdx"), 3, "missing.vdx"},
      {"diff " + File("set.txt"), 2, ".vdx or .par"},
      {"diff --module X " + File("other.par"), 2, "--module applies to .vdx files"},
      {"diff --module NOPE " + File("other.vdx"), 2, "no module NOPE in " + File("other.vdx")},
      {"diff " + File("other.vdx"), 1,
       "name the file's module to compare with --module ID:\n  KV20OTHER, V1, SN1, 2026"},
      {"diff " + File("other.par"), 1, "holds parameters of module KV99X, V1, SN1, 2026"},
      {"diff --module kv20other,\\ v1,\\ sn1,\\ 2026 " + File("other.vdx"), 0, ""},
  };
  for (const auto& C : Cases) {
    const TRun R = Run(At9600() + C.Args);
    EXPECT_EQ(R.Exit, C.Exit) << C.Args << ": " << R.Err;
    if (C.Err.empty())
      EXPECT_EQ(R.Err, "") << C.Args;
    else
      EXPECT_NE(R.Err.find(C.Err), std::string::npos) << C.Args << ": " << R.Err;
  }
}

}  // namespace
}  // namespace vdx
