// Export, import and offline loading of command list files through the protocol component.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SimLink.h"
#include "TestScopes.h"

namespace vdx {
namespace {

namespace fs = std::filesystem;
using testing::TSimLink;
using Strings = std::vector<std::string>;

struct TViews : IParameterView, IMonitorView, IScopeView {
  bool LoadCommandList(TModCommandList* List, uint16_t AccessCode) override {
    Rows = List->Count();
    Code = AccessCode;
    return true;
  }
  void RefreshValues() override { ++Refreshes; }
  void SetProcessData(const TModProcessData* List) override { Process = List->Count(); }
  void SetStatusInfo(const TModStatusInfoData* List) override { Status = List->Count(); }
  int Rows = -1, Refreshes = 0, Process = -1, Status = -1;
  uint16_t Code = 0;
};

struct VdxFiles : ::testing::Test {
  std::string File(const char* Name) const { return (Dir / Name).string(); }
  testing::TTempFolder Temp;
  const fs::path& Dir = Temp.Path();
};

TEST_F(VdxFiles, ExportThenImportIntoAnotherModuleRestoresEveryValue) {
  TSimLink From;
  for (const auto& [Name, Value] : {std::pair{"CURRENT", "2100"}, {"MODE", "EXPERT"},
                                    {"DIR", "INVERS"}, {"CC:7", "11 -12"}, {"AIN:X", "5 6 7 C"}})
    From.Module.SetParameterValue(Name, Value);
  ASSERT_TRUE(From.Identify());
  ASSERT_TRUE(From.Prot.ExportVdxFile(File("set.vdx"))) << From.Prot.FileError();

  TSimLink To;
  ASSERT_TRUE(To.Identify());
  EXPECT_EQ(To.Prot.ImportVdxFile(File("set.vdx")), irDone);
  for (int I = 0; I < From.Prot.CmdList().Count(); ++I) {
    const auto* Cmd = From.Prot.CmdList().Items(I);
    if (Cmd->IsReadable() && Cmd->IsWritable() && Cmd->Type != ctCCPara) {
      EXPECT_EQ(To.Module.ParameterValue(Cmd->Name), From.Module.ParameterValue(Cmd->Name))
          << Cmd->Name;
    }
  }
  for (int K = -10; K <= 10; ++K)
    EXPECT_EQ(To.Module.ParameterValue("CC:" + std::to_string(K)),
              From.Module.ParameterValue("CC:" + std::to_string(K)));
}

TEST_F(VdxFiles, ExportAsksBeforeOverwritingTheModule) {
  TSimLink L;
  ASSERT_TRUE(L.Identify());
  ASSERT_TRUE(L.Prot.ExportVdxFile(File("m.vdx")));
  const std::string Before = testing::FileText(File("m.vdx"));
  int Asked = 0, Answer = 2;
  L.Prot.OnInfoMsg = [&](TVDXModCommProt&, TVDXCommProtMsgKind Kind, int& Result) {
    EXPECT_EQ(Kind, cpmkImpFktOverWriteQuestion);
    ++Asked;
    Result = Answer;
  };
  L.Module.SetParameterValue("RA", "4444");
  std::string Id;
  ASSERT_TRUE(L.Prot.Identify(Id));
  EXPECT_FALSE(L.Prot.ExportVdxFile(File("m.vdx")));  // cancelled
  EXPECT_EQ(testing::FileText(File("m.vdx")), Before);
  EXPECT_TRUE(L.Prot.FileError().empty());
  Answer = 1;
  EXPECT_TRUE(L.Prot.ExportVdxFile(File("m.vdx")));
  EXPECT_EQ(Asked, 2);
  EXPECT_NE(testing::FileText(File("m.vdx")).find("\"4444\""), std::string::npos);
}

TEST_F(VdxFiles, ImportOfAnotherModulesDataAsksAndReportsMissingNames) {
  sim::TSimOptions Basic;
  Basic.ModuleType = "basic";
  TSimLink From(Basic);
  From.Module.SetParameterValue("RA", "1234");
  ASSERT_TRUE(From.Identify());
  ASSERT_TRUE(From.Prot.ExportVdxFile(File("basic.vdx")));

  TSimLink L;
  ASSERT_TRUE(L.Identify());
  EXPECT_EQ(L.Prot.ImportVdxFile(File("basic.vdx")), irOtherModule);  // nobody to ask

  Strings Offered, Missing;
  L.Prot.OnInfoMsg = [](TVDXModCommProt&, TVDXCommProtMsgKind Kind, int& Result) {
    Result = Kind == cpmkImpFktNoValidModulId ? 1 : 2;
  };
  L.Prot.OnModIdSelRequest = [&](TVDXModCommProt&, const Strings& Ids, int& Sel) {
    Offered = Ids;
    Sel = 0;
  };
  L.Prot.OnParaDownloadError = [&](TVDXModCommProt&, const Strings& Names) { Missing = Names; };
  EXPECT_EQ(L.Prot.ImportVdxFile(File("basic.vdx")), irDone);
  EXPECT_EQ(Offered, Strings{From.Module.IdText()});
  EXPECT_EQ(L.Module.ParameterValue("RA"), "1234");
  for (const auto& Name : Missing) EXPECT_EQ(L.Prot.CmdList().IndexOf(Name), -1) << Name;

  L.Prot.OnModIdSelRequest = [](TVDXModCommProt&, const Strings&, int& Sel) { Sel = -1; };
  EXPECT_EQ(L.Prot.ImportVdxFile(File("basic.vdx")), irOtherModule);  // choice cancelled
}

TEST_F(VdxFiles, ValuesTheModuleRefusesAreReported) {
  TSimLink L;
  ASSERT_TRUE(L.Identify());
  ASSERT_TRUE(L.Prot.ExportVdxFile(File("m.vdx")));
  Strings Reported;
  L.Prot.OnParaDownloadError = [&](TVDXModCommProt&, const Strings& Names) { Reported = Names; };
  L.Module.SetFault(sim::TSimFault::RefuseWrites);
  EXPECT_EQ(L.Prot.ImportVdxFile(File("m.vdx")), irDone);
  EXPECT_NE(std::find(Reported.begin(), Reported.end(), "CURRENT"), Reported.end());
  EXPECT_NE(std::find(Reported.begin(), Reported.end(), "CC"), Reported.end());
}

TEST_F(VdxFiles, ImportNeedsAModuleAndAUsableFile) {
  TSimLink L;
  EXPECT_EQ(L.Prot.ImportVdxFile(File("none.vdx")), irNoModule);
  ASSERT_TRUE(L.Identify());
  EXPECT_EQ(L.Prot.ImportVdxFile(File("none.vdx")), irNotUsable);
  std::ofstream(File("broken.vdx")) << "<?xml version=\"1.0\"?><Xavo-ModulCmdList version=\"1.0\"><Modul";
  EXPECT_EQ(L.Prot.ImportVdxFile(File("broken.vdx")), irNotUsable);
  EXPECT_FALSE(L.Prot.FileError().empty());
}

TEST_F(VdxFiles, OfflineListReplacesTheModuleAndFeedsTheViews) {
  TSimLink A, B;
  ASSERT_TRUE(A.Identify());
  sim::TSimOptions Basic;
  Basic.ModuleType = "basic";
  TSimLink C(Basic);
  ASSERT_TRUE(C.Identify());
  ASSERT_TRUE(A.Prot.ExportVdxFile(File("one.vdx")));
  ASSERT_TRUE(C.Prot.ExportVdxFile(File("two.vdx")));
  ASSERT_TRUE(A.Prot.ExportVdxFile(File("two.vdx")));

  TViews Views;
  B.Prot.SetParameterList(&Views);
  B.Prot.SetMonitor(&Views);
  B.Prot.SetScope(&Views);
  ASSERT_TRUE(B.ConnectAt(mb9600));
  EXPECT_FALSE(B.Prot.LoadOfflineCmdList(File("one.vdx")));  // not while connected
  B.Prot.Disconnect();

  ASSERT_TRUE(B.Prot.LoadOfflineCmdList(File("one.vdx"))) << B.Prot.FileError();
  EXPECT_TRUE(B.Prot.ModuleDataValid());
  EXPECT_EQ(B.Prot.ModuleId(), A.Module.IdText());
  EXPECT_TRUE(B.Prot.RemoteCtrlSupported());
  EXPECT_FALSE(B.Prot.RemoteCtrlActive());
  EXPECT_EQ(Views.Code, 0xFFFF);
  EXPECT_EQ(Views.Rows, B.Prot.CmdList().Count());
  EXPECT_EQ(Views.Process, A.Prot.ProcessData().Count());
  EXPECT_EQ(Views.Status, A.Prot.StatusInfo().Count());
  EXPECT_LT(B.Prot.CmdList().Count(), A.Prot.CmdList().Count());  // maker parameters dropped

  // Two modules: the user chooses; a cancelled choice leaves everything as it was.
  const int Rows = B.Prot.CmdList().Count();
  B.Prot.OnModIdSelRequest = [](TVDXModCommProt&, const Strings&, int& Sel) { Sel = -1; };
  EXPECT_FALSE(B.Prot.LoadOfflineCmdList(File("two.vdx")));
  EXPECT_EQ(B.Prot.CmdList().Count(), Rows);
  EXPECT_TRUE(B.Prot.ModuleDataValid());
  B.Prot.OnModIdSelRequest = [](TVDXModCommProt&, const Strings&, int& Sel) { Sel = 0; };
  ASSERT_TRUE(B.Prot.LoadOfflineCmdList(File("two.vdx")));
  EXPECT_EQ(B.Prot.ModuleId(), C.Module.IdText());

  // Offline, an import only shows the values.
  EXPECT_EQ(B.Prot.ImportVdxFile(File("two.vdx")), irDone);
  EXPECT_EQ(Views.Refreshes, 1);
  B.Prot.SetParameterList(nullptr);
  B.Prot.SetMonitor(nullptr);
  B.Prot.SetScope(nullptr);
}

}  // namespace
}  // namespace vdx
