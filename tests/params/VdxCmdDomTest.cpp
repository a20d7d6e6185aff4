// The command list file: exact written text, reading a hand-written file, round trips, saving
// one module among others, encodings, module location and applying stored values.
#include <gtest/gtest.h>

#include "VdxTestModule.h"
#include "TestScopes.h"
#include "params/VdxCmdDom.h"

namespace vdx {
namespace {

using testing::BuildSampleModule;
using testing::Describe;
using testing::DescribeAll;
using testing::FileText;
using testing::VdxFixture;
using Texts = std::vector<std::string>;

const std::string SampleId = "KV20DEMO, V2.14, SN004711, 2026";

struct TDomWithLists {
  TModCommandSet Set;
  TVDXCmdDOM Dom{&Set.CmdList, &Set.ProcessData, &Set.StatusInfo, &Set.RemoteCtrlList};
};

std::vector<TCurvePoint> Points(const TModBaseCommand* Cmd) {
  std::vector<TCurvePoint> Pts;
  if (auto* Curve = dynamic_cast<const TModCCParaCmd*>(Cmd))
    for (int I = -10; I <= 10; ++I) Curve->GetPoint(I, Pts.emplace_back());
  return Pts;
}

// The text of the first "Modul" element with this ID, up to its end tag.
std::string ModuleText(const std::string& File, const std::string& Id) {
  const size_t Begin = File.find("<Modul ID=\"" + Id + "\"");
  const size_t End = File.find("</Modul>", Begin);
  return Begin == std::string::npos || End == std::string::npos
             ? ""
             : File.substr(Begin, End + 8 - Begin);
}

TEST(VdxFileFormat, NewFileMatchesGoldenText) {
  // Declaration, root, attribute order, curve points X0..Y20, unsigned GCode, Booleans, an
  // empty "CCmd" for type 5 and for a process value, attributes and empty "Para" for types 4, 8
  // and 9, maker-only parameters written too, ISO-8859-1 bytes.
  testing::TTempFolder Tmp;
  TDomWithLists D;
  BuildSampleModule(D.Set);
  ASSERT_TRUE(D.Dom.SaveModule(Tmp / "new.vdx", SampleId)) << D.Dom.LastError();
  EXPECT_EQ(FileText(Tmp / "new.vdx"), FileText(VdxFixture("golden_sample.vdx")));
  EXPECT_EQ(D.Dom.LastError(), "");
}

TEST(VdxFileFormat, RoundTripKeepsEveryStoredField) {
  testing::TTempFolder Tmp;
  TDomWithLists Saved;
  BuildSampleModule(Saved.Set);
  ASSERT_TRUE(Saved.Dom.SaveModule(Tmp / "rt.vdx", SampleId));

  TDomWithLists Loaded;
  ASSERT_TRUE(Loaded.Dom.LoadModule(Tmp / "rt.vdx", SampleId)) << Loaded.Dom.LastError();
  // Only text, numeric, curve and analogue input parameters come back, maker-only ones not.
  Texts Expected;
  for (const char* Name : {"MODE", "RA", "CC", "AIN:W"})
    Expected.push_back(Describe(Saved.Set.CmdList.Objects(Saved.Set.CmdList.IndexOf(Name))));
  EXPECT_EQ(DescribeAll(Loaded.Set.CmdList), Expected);
  EXPECT_EQ(Points(Loaded.Set.CmdList.Objects(2)),
            Points(Saved.Set.CmdList.Objects(Saved.Set.CmdList.IndexOf("CC"))));
  EXPECT_EQ(DescribeAll(Loaded.Set.ProcessData), DescribeAll(Saved.Set.ProcessData));
  EXPECT_EQ(DescribeAll(Loaded.Set.StatusInfo), DescribeAll(Saved.Set.StatusInfo));
  EXPECT_EQ(DescribeAll(Loaded.Set.RemoteCtrlList), DescribeAll(Saved.Set.RemoteCtrlList));
}

TEST(VdxFileFormat, HandWrittenFileReadFieldByField) {
  TDomWithLists D;
  ASSERT_TRUE(D.Dom.LoadModule(VdxFixture("hand_written.vdx"), "KV20DEMO")) << D.Dom.LastError();
  // Other attribute order and number forms; VList trimmed and split at every bar; a text
  // outside VList empties the value; unreadable numbers keep the defaults; low bits of wide
  // numbers (GCode -68, Type 258, X 257); characters beyond ISO-8859-1 become "?"; types 4, 8,
  // 9, 11, missing types and maker-only parameters are not loaded.
  EXPECT_EQ(
      DescribeAll(D.Set.CmdList),
      (Texts{"DIR t1 a3 v1 g12 h'Output direction' 0..0 [NORMAL|INVERS|] txt'invers'",
             "SENS t1 a2 v1 g0 h'' 0..0 [0 - 10 V||\"4 - 20 mA|x\"] txt''",
             "RA t2 a3 v21 g65468 h'Ramp time \xE4? <ms>' -16..5000 [] val42",
             "KP t2 a3 v1 g0 h'' 0..0 [] val0", "CC t6 a3 v1 g24 h'' 0..0 []",
             "CCV t6 a2 v1 g0 h'' 0..0 []", "AIN:W t7 a2 v1 g36 h'' 0..0 [] abcx1000,-50,0,1"}));
  // Quotes have no meaning in a file's VList.
  EXPECT_EQ(static_cast<TModCtrlCommand*>(D.Set.CmdList.Objects(1))->VList,
            (Texts{"0 - 10 V", "", "\"4 - 20 mA", "x\""}));
  // Missing curve coordinates take the one read last in the same load: X3 that of X2, Y20 that
  // of Y19, and the curve without attributes the last X and Y of the curve before it.
  std::vector<TCurvePoint> Cc, Ccv;
  for (int K = 0; K <= 20; ++K) {
    Cc.push_back({(K == 3 ? 2 - 10 : K - 10) * 1000, (K == 20 ? 19 - 10 : K - 10) * 100});
    Ccv.push_back({10000, 900});
  }
  EXPECT_EQ(Points(D.Set.CmdList.Objects(4)), Cc);
  EXPECT_EQ(Points(D.Set.CmdList.Objects(5)), Ccv);

  EXPECT_EQ(DescribeAll(D.Set.ProcessData),
            (Texts{"W t0 a2 v1 g4 h'Setpoint' unit'%' f100", "P t0 a2 v1 g0 h'' unit'bar' f1"}));
  // Booleans in any case or as numbers; inactive bits are kept too.
  EXPECT_EQ(DescribeAll(D.Set.StatusInfo),
            (Texts{"ST:READY t10 a2 v1 g65468 h'' bit0 on c2 hint'Module ready'",
                   "ST:ERROR t10 a2 v1 g0 h'' bit15 on inv c3 hint'Error'",
                   "ST:OFF t10 a2 v1 g0 h'' bit0 off c1 hint''"}));
  EXPECT_EQ(DescribeAll(D.Set.RemoteCtrlList),
            (Texts{"RC:910 t11 a3 v1 g65468 h'Remote setpoint' 0..0 []",
                   "RC:99 t11 a2 v1 g0 h'' 0..0 []"}));
}

TEST(VdxFileFormat, ModuleIdsAndLocation) {
  const std::string File = VdxFixture("hand_written.vdx");
  TDomWithLists D;
  Texts Ids{"kept"};
  // Direct children with an ID, in document order, duplicates twice; appended to the list.
  EXPECT_TRUE(D.Dom.GetModuleIds(File, &Ids));
  EXPECT_EQ(Ids, (Texts{"kept", "KV20DEMO", "TWIN", "NOREMOTE", "TWIN", "abc"}));
  EXPECT_FALSE(D.Dom.GetModuleIds(File, nullptr));

  EXPECT_TRUE(D.Dom.ModuleIdExists(File, "ABC"));
  EXPECT_FALSE(D.Dom.ModuleIdExists(File, "OLD"));

  BuildSampleModule(D.Set);
  // Located by exact ID: two matches and another letter case fail, with the lists emptied.
  for (const char* Id : {"TWIN", "kv20demo"}) {
    EXPECT_FALSE(D.Dom.LoadModule(File, Id)) << Id;
    EXPECT_NE(D.Dom.LastError().find(Id), std::string::npos) << D.Dom.LastError();
    EXPECT_EQ(D.Set.CmdList.Count() + D.Set.RemoteCtrlList.Count(), 0) << Id;
  }
  EXPECT_FALSE(D.Dom.ApplyModuleValues(File, "TWIN", nullptr));

  // Without "RemoteCtrl" the commands load but the result is false.
  EXPECT_FALSE(D.Dom.LoadModule(File, "NOREMOTE"));
  EXPECT_EQ(DescribeAll(D.Set.CmdList), Texts{"RA t2 a2 v1 g0 h'' 0..0 [] val5"});

  // Any "Modul" below the root is found, not only direct children.
  EXPECT_TRUE(D.Dom.LoadModule(File, "OLD")) << D.Dom.LastError();
  EXPECT_EQ(DescribeAll(D.Set.CmdList), Texts{"MIN t2 a2 v1 g0 h'' 0..0 [] val3"});
}

TEST(VdxSaveModule, ReplacesOneModuleKeepsOthersAppendsNew) {
  testing::TTempFolder Tmp;
  const std::string File = Tmp / "two.vdx";
  const std::string Before = FileText(VdxFixture("two_modules.vdx"));
  testing::WriteBytes(File, Before);

  TDomWithLists D;
  BuildSampleModule(D.Set);
  ASSERT_TRUE(D.Dom.SaveModule(File, "M1")) << D.Dom.LastError();
  const std::string After = FileText(File);
  EXPECT_EQ(ModuleText(After, "M0"), ModuleText(Before, "M0"));
  EXPECT_EQ(After.find("OLD"), std::string::npos);
  EXPECT_NE(After.find("<Modul ID=\"M1\" Note=\"kept\">"), std::string::npos);

  TDomWithLists Loaded;
  ASSERT_TRUE(Loaded.Dom.LoadModule(File, "M1"));
  EXPECT_EQ(Loaded.Set.CmdList.Count(), 4);
  EXPECT_EQ(DescribeAll(Loaded.Set.StatusInfo), DescribeAll(D.Set.StatusInfo));

  // A new ID is appended as the last module; IDs differing only in case are different modules.
  ASSERT_TRUE(D.Dom.SaveModule(File, "M2"));
  ASSERT_TRUE(D.Dom.SaveModule(File, "m0"));
  Texts Ids;
  EXPECT_TRUE(D.Dom.GetModuleIds(File, &Ids));
  EXPECT_EQ(Ids, (Texts{"M0", "M1", "M2", "m0"}));
  const std::string Final = FileText(File);
  EXPECT_EQ(ModuleText(Final, "M0"), ModuleText(Before, "M0"));
  const std::string Last = ModuleText(Final, "m0");
  EXPECT_EQ(Final.substr(Final.size() - Last.size() - 22), Last + "\n</Xavo-ModulCmdList>\n");
}

TEST(VdxFileEncoding, ReadFileKeepsItsEncoding) {
  // A UTF-8 file: texts arrive as ISO-8859-1 ("?" beyond it), and saving a module again
  // writes UTF-8, so an unchanged module gives back the very same file.
  testing::TTempFolder Tmp;
  const std::string File = Tmp / "utf8.vdx";
  const std::string Original = FileText(VdxFixture("utf8_modules.vdx"));
  testing::WriteBytes(File, Original);

  TDomWithLists D;
  ASSERT_TRUE(D.Dom.LoadModule(File, "Caf\xE9")) << D.Dom.LastError();
  EXPECT_EQ(DescribeAll(D.Set.CmdList), Texts{"UNIT t1 a3 v1 g4 h'Temp\xE9rature' 0..0 [\xB0"
                                              "C|\xB0"
                                              "F|K] txt'\xB0"
                                              "C'"});
  ASSERT_TRUE(D.Dom.SaveModule(File, "Caf\xE9")) << D.Dom.LastError();
  EXPECT_EQ(FileText(File), Original);

  ASSERT_TRUE(D.Dom.LoadModule(File, "Other"));
  EXPECT_EQ(D.Set.CmdList.Objects(0)->Help, "in ?");
}

TEST(VdxApplyValues, StoresValuesByTheListsTypes) {
  const std::string File = VdxFixture("apply_values.vdx");
  TModCommandSet Set;
  BuildSampleModule(Set);
  int Changes = 0;
  for (int I = 0; I < Set.CmdList.Count(); ++I)
    if (auto* C = dynamic_cast<TModCtrlCommand*>(Set.CmdList.Objects(I)))
      C->OnChange = [&](TModCtrlCommand&) { ++Changes; };
  // Only the parameter list is needed.
  TVDXCmdDOM Dom(&Set.CmdList);
  Texts Errors{"stale"};

  ASSERT_TRUE(Dom.ApplyModuleValues(File, SampleId, &Errors)) << Dom.LastError();
  // Names looked up without case; values read by the list's class whatever the file's Type
  // says; not limited to Min/Max; curve coordinates carried; no change events. Names the list
  // lacks or holds as a non-parameter go to the error list; "CCmd" without a name or without
  // "Para" change nothing.
  EXPECT_EQ(Errors, (Texts{"W", "GONE"}));
  EXPECT_EQ(Changes, 0);
  auto& L = Set.CmdList;
  EXPECT_EQ(static_cast<TModTextParaCmd*>(L.Objects(L.IndexOf("MODE")))->Txt, "standard");
  EXPECT_EQ(static_cast<TModNumParaCmd*>(L.Objects(L.IndexOf("RA")))->Val, 999999);
  const auto Curve = Points(L.Objects(L.IndexOf("CC")));
  EXPECT_EQ(Curve.front(), (TCurvePoint{1, 2}));
  EXPECT_EQ(Curve.back(), (TCurvePoint{3, 2}));
  EXPECT_EQ(Describe(L.Objects(L.IndexOf("AIN:W"))),
            "AIN:W t7 a3 v1 g36 h'Setpoint input' -10000..10000 [] abcx1,2,3,1");
  EXPECT_EQ(static_cast<TModNumParaCmd*>(L.Objects(L.IndexOf("SECRET")))->Val, 7);

  // A text outside VList empties the value.
  EXPECT_TRUE(Dom.ApplyModuleValues(File, "BADTEXT", &Errors));
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(static_cast<TModTextParaCmd*>(L.Objects(L.IndexOf("MODE")))->Txt, "");
  // No "Commands": false.
  EXPECT_FALSE(Dom.ApplyModuleValues(File, "NOCMDS", nullptr));
}

}  // namespace
}  // namespace vdx
