// The legacy parameter file: its fixed-column lines, export, and import against the virtual
// module, with and without a connection.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "SimLink.h"
#include "TestScopes.h"
#include "comm/ReadoutLine.h"
#include "params/ParameterLines.h"

namespace vdx {
namespace {

namespace fs = std::filesystem;
using testing::TSimLink;
using Strings = std::vector<std::string>;

TEST(ParameterLines, FixedColumns) {
  TModNumParaCmd Num;
  Num.Name = "P1";
  Num.Val = 500;
  EXPECT_EQ(ParameterLines(Num), Strings{"P1" + std::string(19, ' ') + "500 "});

  TModTextParaCmd Text;
  Text.Name = "MODE";
  Text.VList = {"two words"};
  Text.SetText("two words");
  EXPECT_EQ(ParameterLines(Text), Strings{"MODE" + std::string(11, ' ') + "two words "});

  TModCCParaCmd Curve;
  Curve.Name = "C1";
  Curve.SetPoint(-10, {-1000, 25});
  const Strings Lines = ParameterLines(Curve);
  ASSERT_EQ(Lines.size(), 21u);
  EXPECT_EQ(Lines.front(), "C1:-10" + std::string(13, ' ') + "-1000     25");
  EXPECT_EQ(Lines.back().substr(0, 5), "C1:10");
  EXPECT_EQ(Lines.back().size(), 31u);
  EXPECT_EQ(Lines.back()[23], '0');  // X ends in column 24
  EXPECT_EQ(Lines.back()[30], '0');  // Y in column 31

  TModAinParaCmd Ain;
  Ain.Name = "AIN:W";
  Ain.A = 1000, Ain.B = -50, Ain.X = 1;
  EXPECT_EQ(ParameterLines(Ain), Strings{"AIN:W" + std::string(13, ' ') + "  1000    -50      0 C"});

  TModCtrlCommand Reset(ctInPara);
  EXPECT_TRUE(ParameterLines(Reset).empty());

  Num.Name = "A_VERY_LONG_PARAMETER_NAME";  // the value is placed over the name
  EXPECT_EQ(ParameterLines(Num), Strings{"A_VERY_LONG_PARAMETER500ME"});
}

struct ParFile : ::testing::Test {

  fs::path Write(const std::string& Name, const std::string& Text) {
    std::ofstream(Dir / Name, std::ios::binary) << Text;
    return Dir / Name;
  }
  testing::TTempFolder Temp;
  const fs::path& Dir = Temp.Path();
};

TEST_F(ParFile, ExportLeavesOutMakerParametersAndImportRestoresValues) {
  TSimLink From;
  From.Module.SetParameterValue("CURRENT", "2222");
  From.Module.SetParameterValue("MODE", "EXPERT");
  From.Module.SetParameterValue("CC:-3", "-1 2");
  ASSERT_TRUE(From.Identify());
  const std::string File = (Dir / "m.par").string();
  ASSERT_TRUE(From.Prot.ExportParFile(File));

  const std::string Text = testing::FileText(File);
  EXPECT_EQ(Text.rfind(From.Module.IdText() + "\r\n##\r\n", 0), 0u);
  EXPECT_EQ(Text.substr(Text.size() - 4), "##\r\n");
  EXPECT_NE(Text.find("\r\nCURRENT" + std::string(13, ' ') + "2222 \r\n"), std::string::npos);
  for (const char* Maker : {"\r\nPWM ", "\r\nSIGTYP", "\r\nCCV:"})
    EXPECT_EQ(Text.find(Maker), std::string::npos) << Maker;
  EXPECT_EQ(Text.find("\r\nSAVE"), std::string::npos);  // commands without a value: no line

  TSimLink To;
  ASSERT_TRUE(To.Identify());
  EXPECT_EQ(To.Prot.ImportParFile(File, false), irDone);
  for (const char* Name : {"CURRENT", "MODE", "CC:-3", "CC:10", "AIN:W", "DIR"})
    EXPECT_EQ(To.Module.ParameterValue(Name), From.Module.ParameterValue(Name)) << Name;
}

TEST_F(ParFile, ImportChecksTheModuleUnlessForced) {
  TSimLink L;
  ASSERT_TRUE(L.Identify());
  const std::string Other = Write("other.par", "KV99, V1, SN1, 2020\r\n##\r\nRA    77\r\n##\r\n").string();
  EXPECT_EQ(L.Prot.ImportParFile(Other, false), irOtherModule);
  EXPECT_NE(L.Module.ParameterValue("RA"), "77");
  EXPECT_EQ(L.Prot.ImportParFile(Other, true), irDone);
  EXPECT_EQ(L.Module.ParameterValue("RA"), "77");

  // A first line as a terminal captured it: prompt and echo are dropped.
  const std::string Captured =
      Write("cmd.par", "CMD>ID" + L.Module.IdText() + "\r\n##\r\nRA 78\r\n##\r\n").string();
  EXPECT_EQ(L.Prot.ImportParFile(Captured, false), irDone);
  EXPECT_EQ(L.Module.ParameterValue("RA"), "78");

  const std::pair<const char*, const char*> NotUsable[] = {
      {"two.par", "KV20DEMO, V2.14, SN004711, 2026\r\n##\r\n"},
      {"nomarks.par", "KV20DEMO, V2.14, SN004711, 2026\r\nRA 1\r\nRD 2\r\n"},
      {"open.par", "KV20DEMO, V2.14, SN004711, 2026\r\n#\r\nRA=1;\r\n"},
  };
  for (const auto& [Name, Content] : NotUsable)
    EXPECT_EQ(L.Prot.ImportParFile(Write(Name, Content).string(), false), irNotUsable) << Name;
  EXPECT_EQ(L.Prot.ImportParFile((Dir / "missing.par").string(), false), irNotUsable);

  L.Prot.Disconnect();
  EXPECT_EQ(L.Prot.ImportParFile(Captured, false), irNoModule);
}

TEST_F(ParFile, NamesTheModuleLacksAreReportedOnce) {
  TSimLink L;
  ASSERT_TRUE(L.Identify());
  Strings Reported;
  int Reports = 0;
  L.Prot.OnParaDownloadError = [&](TVDXModCommProt&, const Strings& Names) {
    Reported = Names;
    ++Reports;
  };
  const std::string Before = L.Module.ParameterValue("RA");
  std::string Sent;
  L.Prot.ComPort().OnTrace = [&](TTraceDirection D, const std::string& Bytes) {
    if (D == TTraceDirection::tdSent) Sent += Bytes;
  };
  const auto File = Write("errs.par", L.Module.IdText() +
                                          "\r\n##\r\nXYZ 1\r\nRA 1 2\r\nRA:3 5 5\r\nCC:x 1 1\r\n"
                                          "CC:4 40 41\r\ncommand error\r\n##\r\n");
  EXPECT_EQ(L.Prot.ImportParFile(File.string(), false), irDone);
  EXPECT_EQ(Reports, 1);
  EXPECT_EQ(Reported, (Strings{"XYZ", "RA:3"}));
  EXPECT_EQ(L.Module.ParameterValue("RA"), Before);     // two values: unchanged...
  EXPECT_NE(Sent.find("RA " + Before + "\r"), std::string::npos);  // ...but still sent
  EXPECT_EQ(L.Module.ParameterValue("CC:4"), "40 41");
}

TEST_F(ParFile, OfflineImportOnlyShowsTheValues) {
  TSimLink L;
  ASSERT_TRUE(L.Identify());
  auto* Ra = dynamic_cast<TModNumParaCmd*>(L.Prot.CmdList().FindCtrl("RA"));
  ASSERT_TRUE(Ra);
  int Changes = 0;
  Ra->OnChange = [&](TModCtrlCommand&) { ++Changes; };
  L.Prot.ComPort().ClosePort();
  const auto File = Write("off.par", L.Module.IdText() + "\r\n##\r\nRA 4321\r\n##\r\n");
  EXPECT_EQ(L.Prot.ImportParFile(File.string(), false), irDone);
  EXPECT_EQ(Ra->Val, 4321);
  EXPECT_EQ(Changes, 1);
  EXPECT_NE(L.Module.ParameterValue("RA"), "4321");
  Ra->OnChange = nullptr;
}

TEST_F(ParFile, ExportNeedsAnIdentifiedModuleAndAWritableFolder) {
  TSimLink L;
  EXPECT_FALSE(L.Prot.ExportParFile((Dir / "x.par").string()));
  EXPECT_FALSE(fs::exists(Dir / "x.par"));
  ASSERT_TRUE(L.Identify());
  EXPECT_FALSE(L.Prot.ExportParFile((Dir / "no" / "such" / "x.par").string()));
  EXPECT_NE(L.Prot.FileError().find("cannot write"), std::string::npos) << L.Prot.FileError();
}

}  // namespace
}  // namespace vdx
