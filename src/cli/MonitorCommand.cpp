// vdxctl monitor: polls the module's process values as the desktop tool's monitor page does
// and prints one CSV line per cycle: local time, every process value, the status word and the
// digital input byte. Ends after --count cycles, on Ctrl-C, or when no value answers any more.
// With --csv the lines are RFC 4180 records with ISO 8601 time stamps.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/InterruptScope.h"
#include "comm/MainThreadSync.h"
#include "comm/ProcessSamples.h"
#include "comm/TextUtil.h"
#include "live/CsvText.h"

namespace vdx::cli {

namespace {

// The monitor of this run: keeps a copy of the process values and collects one cycle.
class TCsvMonitor : public IMonitorView {
 public:
  void SetProcessData(const TModProcessData* List) override {
    if (List) List->CopyTo(FValues);
  }
  void SetStatusInfo(const TModStatusInfoData*) override {}
  void NewProcData(const TASCIIProcDataObj& Sample) override {
    if (auto* Cmd = FValues.Items(Sample.Index)) {
      Cmd->Value = Sample.Value;
      FFresh[static_cast<size_t>(Sample.Index)] = true;
    }
  }
  void DoNewStatusInfo(uint16_t) override { FStatusRead = true; }
  void InputsRead(uint8_t State) { FInputs = State; }

  void BeginCycle() {
    FFresh.assign(static_cast<size_t>(FValues.Count()), false);
    FStatusRead = false;
    FInputs.reset();
  }
  std::vector<std::string> Header() const {
    std::vector<std::string> Fields{"time"};
    for (int I = 0; I < FValues.Count(); ++I) Fields.push_back(ValueColumnTitle(*FValues.Items(I)));
    Fields.insert(Fields.end(), {"status", "inputs"});
    return Fields;
  }
  // Values not read in this cycle stay empty.
  std::vector<std::string> Line(const std::string& Time, uint16_t StatusWord) const {
    std::vector<std::string> Fields{Time};
    for (int I = 0; I < FValues.Count(); ++I) {
      std::string Text;
      if (FFresh[static_cast<size_t>(I)]) FValues.Items(I)->GetValueText(Text);
      Fields.push_back(Text);
    }
    char Status[8] = "";
    if (FStatusRead) std::snprintf(Status, sizeof Status, "0x%04X", StatusWord);
    Fields.push_back(Status);
    Fields.push_back(FInputs ? std::to_string(*FInputs) : "");
    return Fields;
  }

 private:
  TModProcessData FValues;
  std::vector<bool> FFresh;
  bool FStatusRead = false;
  std::optional<uint8_t> FInputs;
};

// One line of output: an RFC 4180 record in UTF-8 with --csv, else the same fields in the
// module's 8-bit text with a plain line feed.
void PrintFields(const std::vector<std::string>& Fields, bool Csv) {
  std::string Text = CsvRecord(Fields);
  if (Csv)
    Text = Latin1ToUtf8(Text);
  else
    Text.replace(Text.size() - 2, 2, "\n");
  std::fwrite(Text.data(), 1, Text.size(), stdout);
  std::fflush(stdout);
}

}  // namespace

int RunMonitor(const TCliOptions& Options) {
  if (!Options.Args.empty()) {
    PrintError("usage: vdxctl monitor [--count N] [--interval MS] [--csv]");
    return exUsage;
  }
  TCliSession S(Options);
  TVDXModCommProt& P = S.Prot();
  TCsvMonitor View;
  P.SetMonitor(&View);
  if (int Code = S.Identify(); Code != exDone) return Code;

  TInterruptScope Interrupt;
  // This thread plays the main thread: the polling timer hands each cycle over to it.
  TMainThreadDispatcher Main;
  SetMainThreadRunner(Main.Runner());
  P.OnDigitalInputStateInfo = [&View](TVDXModCommProt&, uint8_t State) { View.InputsRead(State); };
  int Cycles = 0;
  P.PollTimer().SetOnTimer([&](TBaseTimerThread&) {
    const auto Start = std::chrono::system_clock::now();
    View.BeginCycle();
    P.PollMonitor();
    const uint16_t Word = P.StatusInfo().Count() > 0 ? P.StatusInfo().Items(0)->StatusWord : 0;
    PrintFields(View.Line(IsoLocalTime(Start, Options.Csv ? 'T' : ' '), Word), Options.Csv);
    ++Cycles;
  });
  PrintFields(View.Header(), Options.Csv);
  if (Options.IntervalMs) P.SetMonitorIntervalMs(static_cast<uint32_t>(*Options.IntervalMs));
  P.SetOperatingMode(omMonitor);

  const auto Finished = [&] {
    return TInterruptScope::Interrupted() || P.PollingStopped() != 0 ||
           (Options.Count && Cycles >= *Options.Count);
  };
  while (!Finished()) Main.ProcessFor(100, Finished);

  P.SetOperatingMode(omIdle);
  Main.Close();
  SetMainThreadRunner({});
  P.SetMonitor(nullptr);
  if (P.PollingStopped() == 1) {
    PrintError(P.PortOpen() ? "polling stopped: no process value answered"
                            : "polling stopped: the link was lost");
    return exLinkFailed;
  }
  return exDone;
}

}  // namespace vdx::cli
