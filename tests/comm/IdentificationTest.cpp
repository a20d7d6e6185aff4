// Identification end to end: the protocol component on the real port layer against the
// virtual module on a pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>

#include "SimLink.h"
#include "comm/ReadoutLine.h"

namespace vdx {
namespace {

using testing::TSimLink;
using Clock = std::chrono::steady_clock;

struct TRecordingGrid : IParameterView {
  void RefreshValues() override { ++Refreshes; }
  int Refreshes = 0;
  bool LoadCommandList(TModCommandList* List, uint16_t AccessCode) override {
    Loads.push_back({List ? List->Count() : -1, AccessCode});
    return true;
  }
  std::vector<std::pair<int, uint16_t>> Loads;
};

struct TRecordingViews : IMonitorView, IScopeView {
  void SetProcessData(const TModProcessData* List) override { ProcessCount += List->Count(); }
  void SetStatusInfo(const TModStatusInfoData* List) override { StatusCount = List->Count(); }
  int ProcessCount = 0, StatusCount = 0;
};

// Every parameter value the component read equals what the module holds.
void ExpectValuesMatchModule(TSimLink& L) {
  int Checked = 0;
  for (int I = 0; I < L.Prot.CmdList().Count(); ++I) {
    auto* Cmd = L.Prot.CmdList().Items(I);
    if (!Cmd->IsReadable() || Cmd->Type == ctNoPara) continue;
    if (auto* Num = dynamic_cast<TModNumParaCmd*>(Cmd)) {
      EXPECT_EQ(std::to_string(Num->Val), L.Module.ParameterValue(Cmd->Name)) << Cmd->Name;
      ++Checked;
    } else if (auto* Text = dynamic_cast<TModTextParaCmd*>(Cmd)) {
      std::string Module = L.Module.ParameterValue(Cmd->Name);
      if (Module.size() > 1 && Module.front() == '"') Module = Module.substr(1, Module.size() - 2);
      EXPECT_EQ(Text->Txt, Module) << Cmd->Name;
      ++Checked;
    }
  }
  EXPECT_GT(Checked, 5);
}

TEST(Identification, FullDuplexReadsEverything) {
  TSimLink L;
  TRecordingGrid Grid;
  TRecordingViews Views;
  L.Prot.SetParameterList(&Grid);
  L.Prot.SetMonitor(&Views);
  L.Prot.SetScope(&Views);
  L.Module.SetParameterValue("CURRENT", "1234");
  L.Module.SetParameterValue("MODE", "EXPERT");
  ASSERT_TRUE(L.ConnectAt(mb9600));

  std::string Id;
  ASSERT_TRUE(L.Prot.Identify(Id));
  EXPECT_EQ(Id, L.Module.IdText());
  EXPECT_EQ(L.Prot.ModuleId(), Id);
  EXPECT_TRUE(L.Prot.ModuleDataValid());
  std::string Name;
  L.Prot.GetModuleName(Name);
  EXPECT_EQ(Name, "KV20DEMO");

  // The grid was emptied by Connect and filled with the module's access code.
  ASSERT_GE(Grid.Loads.size(), 2u);
  EXPECT_EQ(Grid.Loads[Grid.Loads.size() - 2], std::make_pair(0, uint16_t{0}));
  EXPECT_GT(Grid.Loads.back().first, 20);
  uint16_t ACode;
  ASSERT_TRUE(L.Prot.ReadAccessCode(ACode));
  EXPECT_EQ(Grid.Loads.back().second, ACode);

  ExpectValuesMatchModule(L);
  auto* Current = dynamic_cast<TModNumParaCmd*>(L.Prot.CmdList().FindCtrl("current"));
  ASSERT_TRUE(Current);
  EXPECT_EQ(Current->Val, 1234);

  // Curve points come back although the reply to "NAME:i" carries no index of its own.
  auto* Curve = dynamic_cast<TModCCParaCmd*>(L.Prot.CmdList().FindCtrl("CC"));
  ASSERT_TRUE(Curve);
  for (int I = -10; I <= 10; ++I) {
    TCurvePoint Pt;
    Curve->GetPoint(I, Pt);
    EXPECT_EQ(std::to_string(Pt.X) + " " + std::to_string(Pt.Y),
              L.Module.ParameterValue("CC:" + std::to_string(I)))
        << I;
  }

  EXPECT_GT(Views.ProcessCount, 0);
  EXPECT_EQ(Views.ProcessCount, 2 * L.Prot.ProcessData().Count());  // monitor and scope
  EXPECT_EQ(Views.StatusCount, L.Prot.StatusInfo().Count());
  EXPECT_TRUE(L.Prot.RemoteCtrlSupported());
  EXPECT_FALSE(L.Prot.RemoteCtrlActive());
  EXPECT_EQ(L.Prot.RemoteCtrlList().Count(), 5);
  EXPECT_TRUE(L.Prot.CheckModuleId());

  L.Prot.Disconnect();
  EXPECT_FALSE(L.Prot.PortOpen());
  EXPECT_EQ(L.Prot.CmdList().Count(), 0);
  EXPECT_FALSE(L.Prot.ModuleDataValid());
  EXPECT_EQ(L.Prot.ModuleId(), Id);  // kept, as the status bar shows it
  L.Prot.SetParameterList(nullptr);
  L.Prot.SetMonitor(nullptr);
  L.Prot.SetScope(nullptr);
}

TEST(Identification, HalfDuplexAt19200) {
  sim::TSimOptions Options;
  Options.HalfDuplex = true;
  Options.BaudRate = 19200;
  TSimLink L(Options);
  L.Prot.SetTransferMode(tmHalfDuplex);
  ASSERT_TRUE(L.Prot.Connect());  // no probing on a half-duplex line
  EXPECT_EQ(L.Prot.BaudRate(), mb19200);
  std::string Id;
  ASSERT_TRUE(L.Prot.Identify(Id));
  EXPECT_EQ(Id, L.Module.IdText());
  ExpectValuesMatchModule(L);
}

TEST(Identification, ModuleVariantsOnTheWire) {
  struct Case {
    const char* What;
    std::string Prompt, LineEnd;
    sim::TSimFault Fault;
  };
  const Case Cases[] = {
      {"CMD> prompt and LF-only lines", "CMD>", "\n", sim::TSimFault::None},
      {"noise before every echo", ">", "\r\n", sim::TSimFault::NoiseBeforeEcho},
      {"stale prompt before every echo", ">", "\r\n", sim::TSimFault::StalePrompt},
  };
  for (const auto& C : Cases) {
    sim::TSimOptions Options;
    Options.Prompt = C.Prompt;
    Options.LineEnd = C.LineEnd;
    TSimLink L(Options);
    L.Module.SetFault(C.Fault);
    ASSERT_TRUE(L.ConnectAt(mb9600)) << C.What;
    std::string Id;
    ASSERT_TRUE(L.Prot.Identify(Id)) << C.What;
    EXPECT_EQ(Id, L.Module.IdText()) << C.What;
    EXPECT_GT(L.Prot.CmdList().Count(), 20) << C.What;
    ExpectValuesMatchModule(L);
  }
}

TEST(Identification, ModuleAnsweringRemoteGetsNoRemoteControl) {
  sim::TSimOptions Options;
  Options.AnswersRemote = true;
  TSimLink L(Options);
  ASSERT_TRUE(L.ConnectAt(mb9600));
  std::string Id;
  ASSERT_TRUE(L.Prot.Identify(Id));
  EXPECT_FALSE(L.Prot.RemoteCtrlSupported());
}

TEST(Identification, FailedReadoutIsTakenFromTheHandler) {
  sim::TSimOptions Options;
  Options.ModuleType = "noreadout";
  TSimLink L(Options);
  ASSERT_TRUE(L.ConnectAt(mb9600));

  std::string Id;
  EXPECT_FALSE(L.Prot.Identify(Id));  // no handler: failure

  std::string SeenId;
  L.Prot.OnReadoutError = [&](TVDXModCommProt&, const std::string& ModID,
                              std::vector<std::string>& Lines) {
    SeenId = ModID;
    Lines = L.Module.ReadoutLines();
  };
  ASSERT_TRUE(L.Prot.Identify(Id));
  EXPECT_EQ(SeenId, L.Module.IdText());
  EXPECT_GT(L.Prot.CmdList().Count(), 0);
  ExpectValuesMatchModule(L);

  // A handler that finds nothing leaves the identification failed.
  L.Prot.OnReadoutError = [](TVDXModCommProt&, const std::string&, std::vector<std::string>&) {};
  EXPECT_FALSE(L.Prot.Identify(Id));
  EXPECT_FALSE(L.Prot.ModuleDataValid());
}

TEST(Identification, SilentModuleIsNoticedAfterOneTimeout) {
  TSimLink L;
  ASSERT_TRUE(L.ConnectAt(mb9600));
  L.Module.SetFault(sim::TSimFault::Silence);
  const auto Start = Clock::now();
  std::string Id;
  EXPECT_FALSE(L.Prot.Identify(Id));
  EXPECT_LT(Clock::now() - Start, std::chrono::milliseconds(800));  // one 200 ms wait
  EXPECT_TRUE(L.Prot.PortOpen());
}

TEST(Identification, DroppedLineEndsWithFailureAndAClosedPort) {
  TSimLink L;
  ASSERT_TRUE(L.ConnectAt(mb9600));
  L.Module.SetFault(sim::TSimFault::Drop);
  const auto Start = Clock::now();
  std::string Id;
  EXPECT_FALSE(L.Prot.Identify(Id));
  EXPECT_LT(Clock::now() - Start, std::chrono::seconds(3));
  EXPECT_FALSE(L.Prot.PortOpen());
  EXPECT_FALSE(L.Prot.ModuleDataValid());
}

TEST(Identification, PasswordsRaiseTheAccessCode) {
  TSimLink L;
  ASSERT_TRUE(L.ConnectAt(mb9600));
  EXPECT_TRUE(L.Prot.PasswordSupported());
  uint16_t Before, After;
  ASSERT_TRUE(L.Prot.ReadAccessCode(Before));
  EXPECT_FALSE(L.Prot.SendPassword("wrong"));
  EXPECT_TRUE(L.Prot.SendPassword("kv20pass"));
  ASSERT_TRUE(L.Prot.ReadAccessCode(After));
  EXPECT_NE(After, Before);
  EXPECT_EQ(After & Before, Before);

  L.Prot.Disconnect();
  EXPECT_FALSE(L.Prot.PasswordSupported());
  EXPECT_FALSE(L.Prot.SendPassword("kv20pass"));
}

TEST(ModuleId, TypeNameOfAnIdText) {
  const std::pair<const char*, const char*> Cases[] = {
      {"KV20DEMO, V2.14, SN004711, 2026", "KV20DEMO"},
      {"  KV20 DEMO,V2,SN1,2026 ", "KV20"},  // a blank separates like a comma
      {"A,,B,C", "A"},                       // empty entries count
      {"A, B, C", ""},
      {"", ""},
  };
  for (const auto& [Id, Expected] : Cases) {
    std::string Name = "stale";
    EXPECT_EQ(TVDXModCommProt::ParseModuleId(Id, Name), *Expected != '\0') << Id;
    EXPECT_EQ(Name, Expected) << Id;
  }
}

}  // namespace
}  // namespace vdx
