// Every fault the virtual module can show against every operation the tool runs on it, end to
// end over the real port layer: no crash, no hang beyond the exchanges' time-outs, results and
// link state that tell the truth, files left whole, and a link that works again afterwards.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <functional>
#include <mutex>
#include <ostream>
#include <thread>

#include "SimLink.h"
#include "TestPaths.h"
#include "TestScopes.h"
#include "comm/ProcessSamples.h"

namespace vdx {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using sim::TSimFault;
using testing::TSimLink;

enum class TFault {
  Drop,
  Silence,
  Noise,
  StalePrompt,
  Slow,
  SlowPastPoll,
  CommandError,
  WrongBaud
};
enum class TOp { Identify, WriteParameter, MonitorPoll, ScopeSampling, ImportVdx, Firmware };

// What the operation must report: it worked; it failed on a module that answered "command
// error"; it failed on a module that did not answer (understandably); it failed on a line that
// is gone, which the link then shows as closed.
enum class TExpect { Works, Refused, Unanswered, Dropped };

struct TCell {
  TFault Fault;
  TOp Op;
  TExpect Expect;
  // The longest the operation may take by its exchanges' time-outs on this fault; the test
  // allows twice that plus a few seconds, so only a hang fails it.
  std::chrono::milliseconds Limit;
};

const char* Name(TFault F) {
  constexpr const char* Names[] = {"Drop", "Silence",      "Noise",        "StalePrompt",
                                   "Slow", "SlowPastPoll", "CommandError", "WrongBaud"};
  return Names[static_cast<int>(F)];
}

const char* Name(TOp O) {
  constexpr const char* Names[] = {"Identify",      "WriteParameter", "MonitorPoll",
                                   "ScopeSampling", "ImportVdx",      "Firmware"};
  return Names[static_cast<int>(O)];
}

void PrintTo(const TCell& C, std::ostream* Os) { *Os << Name(C.Fault) << " x " << Name(C.Op); }

// Delay between the module's characters: "Slow" stays within every per-character time-out,
// "SlowPastPoll" exceeds the 20 ms of process value queries.
constexpr int SlowMs = 2;
constexpr int SlowPastPollMs = 40;

// The module is the small "locked" type (four values, one process value), so a cell whose
// every exchange times out stays short. Time-outs per character: identification "ID" 200 ms
// (it ends at the first failed step); a write 2000 ms, its read-back 2000 ms and "ACODE"
// 200 ms; a monitor cycle 20 ms per process value, the status word 2000 ms, "RC:S" 200 ms;
// four failed scope cycles; an import of four values at 2000 ms each and the read-back; the
// bootloader's start 3000 ms plus the line change, erase 6000 ms, program 3000 ms, the
// transfer's confirmation 2000 ms and the application's start 3000 + 3000 ms.
const TCell Cells[] = {
    // A line that is dropped (the module's side closed) at the operation's first command.
    {TFault::Drop, TOp::Identify, TExpect::Dropped, 1s},
    {TFault::Drop, TOp::WriteParameter, TExpect::Dropped, 1s},
    {TFault::Drop, TOp::MonitorPoll, TExpect::Dropped, 1s},
    {TFault::Drop, TOp::ScopeSampling, TExpect::Dropped, 2s},
    {TFault::Drop, TOp::ImportVdx, TExpect::Dropped, 1s},
    {TFault::Drop, TOp::Firmware, TExpect::Dropped, 4s},
    // A module that hears everything and answers nothing.
    {TFault::Silence, TOp::Identify, TExpect::Unanswered, 1s},
    {TFault::Silence, TOp::WriteParameter, TExpect::Unanswered, 3s},
    {TFault::Silence, TOp::MonitorPoll, TExpect::Unanswered, 3s},
    {TFault::Silence, TOp::ScopeSampling, TExpect::Unanswered, 2s},
    {TFault::Silence, TOp::ImportVdx, TExpect::Unanswered, 9s},
    {TFault::Silence, TOp::Firmware, TExpect::Unanswered, 4s},
    // Noise or a stale prompt before each echo: skipped, every operation works.
    {TFault::Noise, TOp::Identify, TExpect::Works, 3s},
    {TFault::Noise, TOp::WriteParameter, TExpect::Works, 3s},
    {TFault::Noise, TOp::MonitorPoll, TExpect::Works, 3s},
    {TFault::Noise, TOp::ScopeSampling, TExpect::Works, 3s},
    {TFault::Noise, TOp::ImportVdx, TExpect::Works, 9s},
    {TFault::Noise, TOp::Firmware, TExpect::Works, 20s},
    {TFault::StalePrompt, TOp::Identify, TExpect::Works, 3s},
    {TFault::StalePrompt, TOp::WriteParameter, TExpect::Works, 3s},
    {TFault::StalePrompt, TOp::MonitorPoll, TExpect::Works, 3s},
    {TFault::StalePrompt, TOp::ScopeSampling, TExpect::Works, 3s},
    {TFault::StalePrompt, TOp::ImportVdx, TExpect::Works, 9s},
    {TFault::StalePrompt, TOp::Firmware, TExpect::Works, 20s},
    // Slow answers within the time-outs work, however long the whole answer takes.
    {TFault::Slow, TOp::Identify, TExpect::Works, 10s},
    {TFault::Slow, TOp::WriteParameter, TExpect::Works, 3s},
    {TFault::Slow, TOp::MonitorPoll, TExpect::Works, 3s},
    {TFault::Slow, TOp::ScopeSampling, TExpect::Works, 3s},
    {TFault::Slow, TOp::ImportVdx, TExpect::Works, 9s},
    {TFault::Slow, TOp::Firmware, TExpect::Works, 20s},
    // Slower than the process value time-out: only the polls have so short a time-out.
    {TFault::SlowPastPoll, TOp::MonitorPoll, TExpect::Unanswered, 3s},
    {TFault::SlowPastPoll, TOp::ScopeSampling, TExpect::Unanswered, 2s},
    // "command error" to every command.
    {TFault::CommandError, TOp::Identify, TExpect::Refused, 1s},
    {TFault::CommandError, TOp::WriteParameter, TExpect::Refused, 3s},
    {TFault::CommandError, TOp::MonitorPoll, TExpect::Refused, 3s},
    {TFault::CommandError, TOp::ScopeSampling, TExpect::Refused, 3s},
    {TFault::CommandError, TOp::ImportVdx, TExpect::Refused, 9s},
    {TFault::CommandError, TOp::Firmware, TExpect::Refused, 4s},
    // A module at another rate than the tool's: it hears garbage and keeps quiet.
    {TFault::WrongBaud, TOp::Identify, TExpect::Unanswered, 1s},
    {TFault::WrongBaud, TOp::WriteParameter, TExpect::Unanswered, 3s},
    {TFault::WrongBaud, TOp::MonitorPoll, TExpect::Unanswered, 3s},
    {TFault::WrongBaud, TOp::ScopeSampling, TExpect::Unanswered, 2s},
    {TFault::WrongBaud, TOp::ImportVdx, TExpect::Unanswered, 9s},
    {TFault::WrongBaud, TOp::Firmware, TExpect::Unanswered, 4s},
};

// The monitor's and the oscilloscope's end of the polling: counts the samples handed over.
struct TPollView : IMonitorView, IScopeView {
  void SetProcessData(const TModProcessData*) override {}
  void SetStatusInfo(const TModStatusInfoData*) override {}
  void NewProcData(const TASCIIProcDataObj&) override { ++MonitorSamples; }
  void SetEnabled(bool) override {}
  std::array<std::string, 4> ChannelSignals() const override { return {"W", "", "", ""}; }
  uint32_t DataSampleRate() const override { return 40; }
  void AddScopeSamples(const TASCIIProcDataObj* Ch1, const TASCIIProcDataObj*,
                       const TASCIIProcDataObj*, const TASCIIProcDataObj*) override {
    std::lock_guard L(Lock);
    ++ScopeSets;
    if (Ch1) ++ScopeSamples;
  }
  int MonitorSamples = 0;
  std::mutex Lock;
  int ScopeSets = 0, ScopeSamples = 0;
};

bool WaitFor(const std::function<bool()>& Condition, Clock::duration Timeout) {
  const auto Deadline = Clock::now() + Timeout;
  while (!Condition()) {
    if (Clock::now() >= Deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

sim::TSimOptions LockedModule() {
  sim::TSimOptions O;
  O.ModuleType = "locked";
  return O;
}

struct FaultMatrix : ::testing::TestWithParam<TCell> {
  void SetUp() override {
    ASSERT_TRUE(L.Started);
    if (GetParam().Op == TOp::Identify)
      ASSERT_TRUE(L.ConnectAt(mb9600));
    else
      ASSERT_TRUE(L.Identify());
  }

  void SetFault(TFault F) {
    L.Module.SetSlowDelayMs(F == TFault::SlowPastPoll ? SlowPastPollMs : SlowMs);
    constexpr TSimFault Faults[] = {
        TSimFault::Drop, TSimFault::Silence, TSimFault::NoiseBeforeEcho, TSimFault::StalePrompt,
        TSimFault::Slow, TSimFault::Slow,    TSimFault::CommandError,    TSimFault::WrongBaud};
    L.Module.SetFault(Faults[static_cast<int>(F)]);
  }

  // Each operation returns whether it reported success, after checking that what it left
  // behind agrees with that.
  bool Identify() {
    std::string Id;
    const bool Ok = L.Prot.Identify(Id);
    EXPECT_EQ(L.Prot.ModuleDataValid(), Ok);
    EXPECT_EQ(Id, Ok ? L.Module.IdText() : "");
    return Ok;
  }

  bool WriteParameter() {
    auto* Ramp = dynamic_cast<TModNumParaCmd*>(L.Prot.CmdList().FindCtrl("RA"));
    if (!Ramp) return false;
    const std::string Before = L.Module.ParameterValue("RA");
    Ramp->Val = Before == "321" ? 322 : 321;
    const bool Ok = L.Prot.SendParameter(Ramp);
    EXPECT_EQ(L.Module.ParameterValue("RA"), Ok ? std::to_string(Ramp->Val) : Before);
    return Ok;
  }

  bool MonitorPoll() {
    L.Prot.SetMonitor(&View);
    L.Prot.SetMonitorIntervalMs(600000);  // the test runs the cycle itself
    L.Prot.SetOperatingMode(omMonitor);
    L.Prot.PollMonitor();
    const bool Answered =
        GetParam().Expect == TExpect::Works || GetParam().Expect == TExpect::Refused;
    // Polling stops only when no value query got an answer at all.
    EXPECT_EQ(L.Prot.PollingStopped(), Answered ? 0 : 1);
    L.Prot.SetOperatingMode(omIdle);
    L.Prot.SetMonitor(nullptr);
    return View.MonitorSamples > 0;
  }

  bool ScopeSampling() {
    L.Prot.SetScope(&View);
    L.Prot.SetOperatingMode(omScope);
    EXPECT_TRUE(L.Prot.StartScopeSampling(40));
    const auto Sets = [this] {
      std::lock_guard Lock(View.Lock);
      return View.ScopeSets;
    };
    // Unanswered polls stop the sampling after four failed cycles; answered ones go on.
    if (GetParam().Expect == TExpect::Works || GetParam().Expect == TExpect::Refused)
      EXPECT_TRUE(WaitFor([&] { return Sets() >= 5; }, 5s));
    else
      EXPECT_TRUE(WaitFor([this] { return !L.Prot.ScopeSampling(); }, 5s));
    const bool Running = L.Prot.ScopeSampling();
    L.Prot.StopScopeSampling();
    L.Prot.SetOperatingMode(omIdle);
    L.Prot.SetScope(nullptr);
    EXPECT_EQ(L.Prot.PollingStopped(), Running ? 0 : 2);
    std::lock_guard Lock(View.Lock);
    return Running && View.ScopeSamples == View.ScopeSets;
  }

  bool ImportVdx() {
    // The module's values go into a file; the module's ramp is then changed on its keypad, so
    // the import has to write it back.
    const std::string File = Temp / "module.vdx";
    L.Module.SetFault(TSimFault::None);
    if (!L.Prot.ExportVdxFile(File)) return false;
    const std::string Kept = L.Module.ParameterValue("RA");
    const std::string Changed = Kept == "4321" ? "4322" : "4321";
    L.Module.SetParameterValue("RA", Changed);
    const std::string Content = testing::FileText(File);
    SetFault(GetParam().Fault);
    std::vector<std::string> NotWritten;
    L.Prot.OnParaDownloadError = [&](TVDXModCommProt&, const std::vector<std::string>& Names) {
      NotWritten = Names;
    };
    const uint8_t Result = L.Prot.ImportVdxFile(File);
    EXPECT_EQ(testing::FileText(File), Content);  // an import only reads its file
    const bool Ok = Result == irDone && NotWritten.empty();
    EXPECT_EQ(L.Module.ParameterValue("RA"), Ok ? Kept : Changed);
    return Ok;
  }

  bool Firmware() {
    const bool Ok = L.Prot.BootloaderStep(bsStart) && L.Prot.BootloaderStep(bsErase) &&
                    L.Prot.BootloaderStep(bsProgram) &&
                    L.Prot.SendFirmwareFile(testing::TestDataDir() + "/KV20FW.s19") &&
                    L.Prot.BootloaderStep(bsRunApplication);
    EXPECT_FALSE(L.Prot.FirmwareUpdateMode());
    // Whether it got there or not, the tool is back at the application's rate.
    if (L.Prot.PortOpen()) {
      EXPECT_EQ(L.Prot.BaudRate(), mb9600);
    }
    return Ok;
  }

  bool Run(TOp Op) {
    switch (Op) {
      case TOp::Identify:
        return Identify();
      case TOp::WriteParameter:
        return WriteParameter();
      case TOp::MonitorPoll:
        return MonitorPoll();
      case TOp::ScopeSampling:
        return ScopeSampling();
      case TOp::ImportVdx:
        return ImportVdx();
      case TOp::Firmware:
        return Firmware();
    }
    return false;
  }

  // The module is repaired (a dropped line plugged in again, as a new port); the tool
  // connects and identifies as a user would.
  void Recover() {
    L.Module.SetFault(TSimFault::None);
    if (GetParam().Fault == TFault::Drop) {
      const std::string Old = L.Module.SlavePath();
      L.Module.Stop();
      std::string Error;
      ASSERT_TRUE(L.Module.Start(Error)) << Error;
      RemoveTransientPort(Old);
      int32_t Number = 0;
      TryStrToInt(AddTransientPort(L.Module.SlavePath()).substr(3), Number);
      L.Prot.SetPortNo(static_cast<uint16_t>(Number));
    }
    L.Prot.Disconnect();
    EXPECT_TRUE(L.Identify());
  }

  TSimLink L{LockedModule()};
  TPollView View;
  testing::TTempFolder Temp;
};

TEST_P(FaultMatrix, FailsTruthfullyWithinItsTimeOutsAndRecovers) {
  const TCell& Cell = GetParam();
  SetFault(Cell.Fault);
  const auto Start = Clock::now();
  const bool Ok = Run(Cell.Op);
  const auto Elapsed = Clock::now() - Start;
  EXPECT_LT(Elapsed, 2 * Cell.Limit + 5s)
      << "took " << std::chrono::duration_cast<std::chrono::milliseconds>(Elapsed).count() << " ms";
  EXPECT_EQ(Ok, Cell.Expect == TExpect::Works);
  if (Cell.Expect == TExpect::Dropped) {
    // The port learns of a hang-up when it is next used: polls that timed out before the
    // module hung up leave it to the next exchange.
    EXPECT_TRUE(WaitFor([this] { return !L.Prot.PingModule() && !L.Prot.PortOpen(); }, 3s));
  } else {
    EXPECT_TRUE(L.Prot.PortOpen());
  }
  Recover();
}

INSTANTIATE_TEST_SUITE_P(Cells, FaultMatrix, ::testing::ValuesIn(Cells),
                         [](const ::testing::TestParamInfo<TCell>& Info) {
                           return std::string(Name(Info.param.Fault)) + "_" + Name(Info.param.Op);
                         });

}  // namespace
}  // namespace vdx
