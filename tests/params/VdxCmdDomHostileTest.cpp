// Files the command list reader must refuse, and writes that cannot succeed: every operation
// fails with a reason, prints nothing, and leaves the lists and the file as they were.
#include <gtest/gtest.h>
#include <unistd.h>

#include "VdxTestModule.h"
#include "TestScopes.h"
#include "params/VdxCmdDom.h"

namespace vdx {
namespace {

using testing::BuildSampleModule;
using testing::DescribeAll;
using testing::FileText;
using Texts = std::vector<std::string>;

const std::string Head = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";

std::string BillionLaughs() {
  std::string Dtd = "<!DOCTYPE Xavo-ModulCmdList [\n <!ENTITY l0 \"lol\">\n";
  for (int I = 1; I <= 9; ++I) {
    Dtd += " <!ENTITY l" + std::to_string(I) + " \"";
    for (int J = 0; J < 10; ++J) Dtd += "&l" + std::to_string(I - 1) + ";";
    Dtd += "\">\n";
  }
  return Head + Dtd + "]>\n<Xavo-ModulCmdList version=\"1.0\"><Modul ID=\"&l9;\"><RemoteCtrl/>" +
         "</Modul></Xavo-ModulCmdList>\n";
}

std::string DeepNesting() {
  std::string Open, Close;
  for (int I = 0; I < 5000; ++I) {
    Open += "<Modul ID=\"M\">";
    Close += "</Modul>";
  }
  return Head + "<Xavo-ModulCmdList version=\"1.0\">" + Open + Close + "</Xavo-ModulCmdList>\n";
}

std::string BinaryJunk() {
  std::string Junk;
  for (int I = 0; I < 4096; ++I) Junk += static_cast<char>((I * 167 + 13) & 0xFF);
  return Junk;
}

struct THostileCase {
  const char* What;
  std::string Content;
  const char* ErrorPart;  // expected in LastError
};

std::vector<THostileCase> HostileCases() {
  const std::string Valid = Head +
                            "<Xavo-ModulCmdList version=\"1.0\">\n  <Modul ID=\"M\">\n"
                            "    <Commands>\n      <CCmd Name=\"RA\" Type=\"2\">\n"
                            "    </Commands>\n";
  return {
      {"unclosed tag", Valid,
       "line 6: Opening and ending tag mismatch: CCmd line 5 and Commands "
       "(XML error 76)"},
      {"truncated", Valid.substr(0, Valid.size() - 30), "(XML error"},
      {"empty", "", "(XML error 4)"},
      {"binary junk", BinaryJunk(), "(XML error"},
      {"billion laughs", BillionLaughs(), "line 3: entity declarations are not allowed"},
      {"external entity",
       Head + "<!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>\n<x a=\"&e;\"/>",
       "entity declarations are not allowed"},
      {"parameter entity", Head + "<!DOCTYPE x [<!ENTITY % p \"<!ENTITY e 'x'>\"> %p;]><x/>",
       "entity declarations are not allowed"},
      {"deep nesting", DeepNesting(), "(XML error 1)"},
      {"UTF-8 declared, Latin-1 bytes",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Xavo-ModulCmdList version=\"1.0\">"
       "<Modul ID=\"Gr\xFC\xDF\"/></Xavo-ModulCmdList>",
       "line 2: Input is not proper UTF-8"},
      {"unknown encoding",
       "<?xml version=\"1.0\" encoding=\"FOO-42\"?>\n<Xavo-ModulCmdList version=\"1.0\"/>",
       "Unsupported encoding FOO-42"},
      {"root Default", Head + "<Default version=\"1.0\"><Modul ID=\"M\"/></Default>\n",
       "root element is \"Default\""},
      {"version 1.1",
       Head + "<Xavo-ModulCmdList version=\"1.1\"><Modul ID=\"M\"/></Xavo-ModulCmdList>\n",
       "its version is \"1.1\""},
      {"no version", Head + "<Xavo-ModulCmdList><Modul ID=\"M\"/></Xavo-ModulCmdList>\n",
       "it has no version"},
  };
}

TEST(VdxHostileFiles, RefusedWithoutChangingListsOrFile) {
  testing::TTempFolder Tmp;
  for (const auto& C : HostileCases()) {
    SCOPED_TRACE(C.What);
    const std::string File = Tmp / "hostile.vdx";
    testing::WriteBytes(File, C.Content);
    TModCommandSet Set;
    BuildSampleModule(Set);
    const Texts Before = DescribeAll(Set.CmdList);
    TVDXCmdDOM Dom(&Set.CmdList, &Set.ProcessData, &Set.StatusInfo, &Set.RemoteCtrlList);
    Texts Ids, Errors{"stale"};

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Dom.GetModuleIds(File, &Ids));
    EXPECT_TRUE(Ids.empty());
    EXPECT_FALSE(Dom.ModuleIdExists(File, "M"));
    EXPECT_FALSE(Dom.LoadModule(File, "M"));
    EXPECT_NE(Dom.LastError().find(C.ErrorPart), std::string::npos) << Dom.LastError();
    EXPECT_EQ(Dom.LastError().rfind(File, 0), 0u) << Dom.LastError();
    EXPECT_FALSE(Dom.ApplyModuleValues(File, "M", &Errors));
    EXPECT_TRUE(Errors.empty());
    EXPECT_FALSE(Dom.SaveModule(File, "M"));
    EXPECT_NE(Dom.LastError().find(C.ErrorPart), std::string::npos) << Dom.LastError();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    EXPECT_EQ(DescribeAll(Set.CmdList), Before);
    EXPECT_EQ(Set.RemoteCtrlList.Count(), 1);
    EXPECT_EQ(FileText(File), C.Content);
  }
}

TEST(VdxHostileFiles, OversizedFileRefusedBeforeParsing) {
  testing::TTempFolder Tmp;
  const std::string File = Tmp / "huge.vdx";
  testing::WriteBytes(File, "");
  ASSERT_EQ(truncate(File.c_str(), (64 << 20) + 1), 0);  // sparse: nothing is really written
  TModCommandSet Set;
  TVDXCmdDOM Dom(&Set.CmdList, &Set.ProcessData, &Set.StatusInfo, &Set.RemoteCtrlList);
  EXPECT_FALSE(Dom.LoadModule(File, "M"));
  EXPECT_EQ(Dom.LastError(), File + " is larger than 64 MiB; not read");
}

TEST(VdxFileFailures, MissingFilesListsAndFolders) {
  testing::TTempFolder Tmp;
  TModCommandSet Set;
  BuildSampleModule(Set);
  const Texts Before = DescribeAll(Set.CmdList);

  TVDXCmdDOM Full(&Set.CmdList, &Set.ProcessData, &Set.StatusInfo, &Set.RemoteCtrlList);
  EXPECT_FALSE(Full.LoadModule(Tmp / "none.vdx", "M"));
  EXPECT_EQ(Full.LastError(), (Tmp / "none.vdx") + " does not exist");
  EXPECT_FALSE(Full.ApplyModuleValues(Tmp / "none.vdx", "M", nullptr));
  // A folder that does not exist: the write fails and says so.
  EXPECT_FALSE(Full.SaveModule(Tmp / "nofolder/x.vdx", "M"));
  EXPECT_EQ(Full.LastError().rfind("cannot write " + (Tmp / "nofolder/x.vdx"), 0), 0u)
      << Full.LastError();

  // Loading and saving a module need all four lists.
  TVDXCmdDOM ParamsOnly(&Set.CmdList);
  EXPECT_FALSE(ParamsOnly.LoadModule(testing::VdxFixture("hand_written.vdx"), "KV20DEMO"));
  EXPECT_FALSE(ParamsOnly.SaveModule(Tmp / "x.vdx", "M"));
  EXPECT_NE(ParamsOnly.LastError(), "");
  EXPECT_EQ(DescribeAll(Set.CmdList), Before);
  EXPECT_FALSE(std::filesystem::exists(Tmp / "x.vdx"));
}

}  // namespace
}  // namespace vdx
