// vdxctl export and import against virtual modules.
#include <algorithm>
#include <cctype>
#include <map>

#include "VdxctlFixture.h"

namespace vdx {
namespace {

using testing::TRun;

class FileCommandsTest : public testing::VdxctlTest {
 protected:
  std::string File(const std::string& Name) const { return (FDir / Name).string(); }
};

sim::TSimOptions BasicType() {
  sim::TSimOptions Options;
  Options.ModuleType = "basic";
  return Options;
}

std::string Quoted(const std::string& Text) { return " '" + Text + "' "; }

const std::string NotCompatible =
    "vdxctl: The selected file is not 100 % compatible to the identified module (please check "
    "it after loading!";
const std::string NotCorrect = "vdxctl: The selected file is not correct or empty!\n";

// Every parameter value the module holds, by name: texts, numbers, analogue inputs and each
// curve point "NAME:i".
std::map<std::string, std::string> Values(const sim::TModuleSim& M) {
  std::map<std::string, std::string> Result;
  for (const std::string& Line : M.ReadoutLines()) {
    std::vector<std::string> Fields;
    std::stringstream In(Line);
    for (std::string F; std::getline(In, F, '\\');) Fields.push_back(F);
    if (Fields.size() < 3) continue;
    const std::string& Type = Fields[1];
    const std::string& Name = Fields[2];
    if (Type == "1" || Type == "2" || Type == "7") Result[Name] = M.ParameterValue(Name);
    if (Type == "6")
      for (int P = -10; P <= 10; ++P) {
        const std::string Point = Name + ":" + std::to_string(P);
        Result[Point] = M.ParameterValue(Point);
      }
  }
  return Result;
}

void SetValues(sim::TModuleSim& M, const std::map<std::string, std::string>& Values) {
  for (const auto& [Name, Value] : Values) M.SetParameterValue(Name, Value);
}

// Values away from the defaults. A ".par" file leaves out the X.A.VO. parameters and reads a
// text with blanks back as two texts, so those are changed for ".vdx" only.
const std::map<std::string, std::string> Changed = {
    {"MODE", "EXPERT"},   {"DIR", "INVERS"},
    {"RA", "1234"},       {"RD", "2345"},
    {"CURRENT", "2000"},  {"OFFSET", "-150"},
    {"KP", "777"},        {"CC:-10", "-9000 -8000"},
    {"CC:3", "300 -400"}, {"AIN:X", "1250 1000 -2000 C"}};
const std::map<std::string, std::string> ChangedVdxOnly = {
    {"SENS", "4 - 20 mA"}, {"PWM", "1000"}, {"SIGTYP", "BIPOLAR"}, {"CCV:2", "100 200"}};

TEST_F(FileCommandsTest, ExportThenImportIntoAnotherModuleRestoresEveryValue) {
  for (const std::string Name : {"set.vdx", "set.par"}) {
    sim::TModuleSim& Source = Module();
    SetValues(Source, Changed);
    if (Name.ends_with(".vdx")) SetValues(Source, ChangedVdxOnly);
    TRun R = Run(At9600() + "export " + File(Name));
    ASSERT_EQ(R.Exit, 0) << Name << ": " << R.Err;
    EXPECT_EQ(R.Out, "Data saved in \"" + File(Name) + "\"\n");

    auto Target = AnotherModule();
    ASSERT_NE(Values(*Target), Values(Source)) << Name;
    R = Run(At9600(*Target) + "import " + File(Name));
    EXPECT_EQ(R.Exit, 0) << Name << ": " << R.Err;
    EXPECT_EQ(R.Err, "") << Name;
    EXPECT_EQ(R.Out, "") << Name;
    EXPECT_EQ(Values(*Target), Values(Source)) << Name;
  }
}

TEST_F(FileCommandsTest, ExportAsksBeforeReplacingTheModuleInAVdxFile) {
  sim::TModuleSim& M = Module();
  const std::string Vdx = File("kept.vdx");
  ASSERT_EQ(Run(At9600() + "export " + Vdx).Exit, 0);
  const std::string Before = testing::FileText(Vdx);

  M.SetParameterValue("RA", "4321");
  TRun R = Run(At9600() + "export " + Vdx);
  EXPECT_EQ(R.Exit, 3);
  EXPECT_EQ(R.Err, "vdxctl: " + Vdx + " already holds module " + M.IdText() +
                       "; use --yes to overwrite\n");
  EXPECT_EQ(R.Out, "");
  EXPECT_EQ(testing::FileText(Vdx), Before);

  R = Run(At9600() + "export --yes " + Vdx);
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_EQ(R.Out, "Data saved in \"" + Vdx + "\"\n");
  // Still one module in the file (offline would ask which), with the new value.
  const TRun Ra = Run("--json" + At9600() + "get RA");
  R = Run("--json offline " + Vdx);
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_NE(R.Out.find(Ra.Out.substr(0, Ra.Out.size() - 1)), std::string::npos) << Ra.Out;

  // A ".par" file is replaced without a question.
  ASSERT_EQ(Run(At9600() + "export " + File("a.par")).Exit, 0);
  EXPECT_EQ(Run(At9600() + "export " + File("a.par")).Exit, 0);
}

TEST_F(FileCommandsTest, ExportThatCannotWriteFailsWithThree) {
  Module();
  for (const std::string Name : {"no-folder/a.vdx", "no-folder/a.par"}) {
    const TRun R = Run(At9600() + "export " + File(Name));
    EXPECT_EQ(R.Exit, 3) << Name;
    EXPECT_TRUE(R.Err.starts_with("vdxctl: ")) << R.Err;
    EXPECT_NE(R.Err.find(File(Name)), std::string::npos) << R.Err;
    EXPECT_EQ(R.Out, "") << Name;
  }
}

// The file holds the rich module's data; the target is a module of another type.
TEST_F(FileCommandsTest, ImportOfAVdxFileWithoutTheModuleNeedsModule) {
  sim::TModuleSim& Rich = Module();
  SetValues(Rich, {{"RA", "1234"}, {"CURRENT", "2000"}, {"DIR", "INVERS"}, {"CC:3", "300 -400"}});
  const std::string Vdx = File("rich.vdx");
  ASSERT_EQ(Run(At9600() + "export " + Vdx).Exit, 0);
  auto Basic = AnotherModule(BasicType());
  const auto BasicBefore = Values(*Basic);

  TRun R = Run(At9600(*Basic) + "import " + Vdx);
  EXPECT_EQ(R.Exit, 1);
  EXPECT_EQ(R.Err, NotCompatible + "\nvdxctl: " + Vdx + " holds no data for module " +
                       Basic->IdText() + "; name the module to load with --module ID:\n  " +
                       Rich.IdText() + "\n");
  EXPECT_EQ(Values(*Basic), BasicBefore);

  R = Run(At9600(*Basic) + "import " + Vdx + " --module kv20nope");
  EXPECT_EQ(R.Exit, 2);
  EXPECT_EQ(R.Err,
            "vdxctl: no module kv20nope in " + Vdx + "; it holds:\n  " + Rich.IdText() + "\n");
  EXPECT_EQ(Values(*Basic), BasicBefore);

  // Letter case does not matter; the names the module lacks are a warning.
  std::string Id = Rich.IdText();
  for (char& C : Id) C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
  R = Run(At9600(*Basic) + "import " + Vdx + " --module" + Quoted(Id));
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_TRUE(R.Err.starts_with("vdxctl: The commands ")) << R.Err;
  EXPECT_TRUE(R.Err.ends_with("\n are not valid!\n")) << R.Err;
  for (const char* Lacking : {"\nMODE\n", "\nKP\n", "\nCCV\n"})
    EXPECT_NE(R.Err.find(Lacking), std::string::npos) << Lacking << R.Err;
  for (const char* Known : {"\nRA\n", " RA\n", "\nDIR\n", "\nCC\n"})
    EXPECT_EQ(R.Err.find(Known), std::string::npos) << Known << R.Err;
  for (const char* Name : {"RA", "CURRENT", "DIR", "CC:3"})
    EXPECT_EQ(Basic->ParameterValue(Name), Rich.ParameterValue(Name)) << Name;
}

TEST_F(FileCommandsTest, ImportOfAParFileForAnotherModuleNeedsForce) {
  sim::TModuleSim& Rich = Module();
  SetValues(Rich, {{"RA", "1234"}, {"CURRENT", "2000"}});
  const std::string Par = File("rich.par");
  ASSERT_EQ(Run(At9600() + "export " + Par).Exit, 0);
  auto Basic = AnotherModule(BasicType());
  const auto BasicBefore = Values(*Basic);

  TRun R = Run(At9600(*Basic) + "import " + Par);
  EXPECT_EQ(R.Exit, 1);
  EXPECT_EQ(R.Err, NotCompatible + " Use --force to load it.\n");
  EXPECT_EQ(Values(*Basic), BasicBefore);

  R = Run(At9600(*Basic) + "import --force " + Par);
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_TRUE(R.Err.starts_with("vdxctl: The commands MODE\n")) << R.Err;
  EXPECT_EQ(Basic->ParameterValue("RA"), "1234");
  EXPECT_EQ(Basic->ParameterValue("CURRENT"), "2000");
}

TEST_F(FileCommandsTest, OldParFileBlockGoesWholeWithDownload) {
  sim::TModuleSim& M = Module();
  const std::string Par = testing::TestDataDir() + "/par/old-block.par";
  TRun R = Run(At9600() + "import " + Par);
  EXPECT_EQ(R.Exit, 0) << R.Err;
  EXPECT_EQ(R.Err, "");
  const std::vector<std::string> Heard = M.ReceivedCommands();
  const auto Download = std::find(Heard.begin(), Heard.end(), "DOWNLOAD\r");
  ASSERT_NE(Download, Heard.end());
  ASSERT_NE(Download + 1, Heard.end());
  EXPECT_EQ(Download[1], "RA=123;RD=456;CURRENT=1500;SENS=4 - 20 mA;CC:3=300 -400;\r");
  EXPECT_EQ(M.ParameterValue("RA"), "123");
  EXPECT_EQ(M.ParameterValue("RD"), "456");
  EXPECT_EQ(M.ParameterValue("CURRENT"), "1500");
  EXPECT_EQ(M.ParameterValue("SENS"), "\"4 - 20 mA\"");
  EXPECT_EQ(M.ParameterValue("CC:3"), "300 -400");

  // A module that refuses the block: the file is not taken.
  M.SetParameterValue("RA", "100");
  M.SetFault(sim::TSimFault::RefuseWrites);
  R = Run(At9600() + "import " + Par);
  EXPECT_EQ(R.Exit, 1);
  EXPECT_EQ(R.Err, NotCorrect);
  EXPECT_EQ(M.ParameterValue("RA"), "100");
}

TEST_F(FileCommandsTest, BrokenOrMissingFilesAreRefused) {
  sim::TModuleSim& M = Module();
  ASSERT_EQ(Run(At9600() + "export " + File("whole.vdx")).Exit, 0);
  const std::string Whole = testing::FileText(File("whole.vdx"));
  std::ofstream(File("truncated.vdx")) << Whole.substr(0, Whole.size() / 2);
  std::ofstream(File("empty.vdx"));
  std::ofstream(File("two-lines.par")) << M.IdText() << "\r\n##\r\n";
  std::ofstream(File("no-markers.par")) << M.IdText() << "\r\nRA 5\r\nRD 5\r\n";
  std::ofstream(File("open-block.par")) << M.IdText() << "\r\n#\r\nRA=5;\r\n";

  struct TCase {
    std::string Name;
    int Exit;
    std::string Err;
  } const Cases[] = {
      {"truncated.vdx", 1, NotCorrect},
      {"empty.vdx", 1, NotCorrect},
      {"two-lines.par", 1, NotCorrect},
      {"no-markers.par", 1, NotCorrect},
      {"open-block.par", 1, NotCorrect},
      {"missing.vdx", 3, "vdxctl: cannot read " + File("missing.vdx") + ": "},
      {"missing.par", 3, "vdxctl: cannot read " + File("missing.par") + ": "},
  };
  const std::string RaBefore = M.ParameterValue("RA");
  for (const auto& C : Cases) {
    M.ClearReceivedCommands();
    const TRun R = Run(At9600() + "import " + File(C.Name));
    EXPECT_EQ(R.Exit, C.Exit) << C.Name;
    // The library's own detail may follow the message.
    EXPECT_TRUE(R.Err.starts_with(C.Err)) << C.Name << "\n" << R.Err;
    EXPECT_EQ(ReceivedWrites(), std::vector<std::string>{}) << C.Name;
    if (C.Exit == 3) {
      EXPECT_EQ(M.ReceivedCommands(), std::vector<std::string>{}) << C.Name;
    }
  }
  EXPECT_EQ(M.ParameterValue("RA"), RaBefore);
}

}  // namespace
}  // namespace vdx
