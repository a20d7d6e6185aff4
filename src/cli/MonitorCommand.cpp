// vdxctl monitor: polls the module's process values as the desktop tool's monitor page does
// and prints one CSV line per cycle: local time, every process value, the status word and the
// digital input byte. Ends after --count cycles, on Ctrl-C, or when no value answers any more.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/InterruptScope.h"
#include "comm/MainThreadSync.h"
#include "comm/ProcessSamples.h"

namespace vdx::cli {

namespace {

// A field quoted when it holds a separator, a quote or a line end.
std::string CsvField(const std::string& Text) {
  if (Text.find_first_of(",\"\r\n") == std::string::npos) return Text;
  std::string Quoted = "\"";
  for (char C : Text) {
    if (C == '"') Quoted += '"';
    Quoted += C;
  }
  return Quoted + "\"";
}

std::string LocalTimeText(std::chrono::system_clock::time_point T) {
  const std::time_t Secs = std::chrono::system_clock::to_time_t(T);
  std::tm Local{};
  localtime_r(&Secs, &Local);
  char Text[40];
  const auto Ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      T - std::chrono::system_clock::from_time_t(Secs))
                      .count();
  const size_t N = std::strftime(Text, sizeof Text, "%Y-%m-%d %H:%M:%S", &Local);
  std::snprintf(Text + N, sizeof Text - N, ".%03d", static_cast<int>(Ms));
  return Text;
}

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
  std::string Header() const {
    std::string Line = "time";
    for (int I = 0; I < FValues.Count(); ++I) {
      const TModProcCommand* Cmd = FValues.Items(I);
      Line += "," +
              CsvField(Cmd->PhysUnit.empty() ? Cmd->Name : Cmd->Name + " [" + Cmd->PhysUnit + "]");
    }
    return Line + ",status,inputs";
  }
  // Values not read in this cycle stay empty.
  std::string Line(const std::string& Time, uint16_t StatusWord) const {
    std::string Line = Time;
    for (int I = 0; I < FValues.Count(); ++I) {
      std::string Text;
      if (FFresh[static_cast<size_t>(I)]) FValues.Items(I)->GetValueText(Text);
      Line += "," + CsvField(Text);
    }
    char Status[8] = "";
    if (FStatusRead) std::snprintf(Status, sizeof Status, "0x%04X", StatusWord);
    Line += std::string(",") + Status + ",";
    if (FInputs) Line += std::to_string(*FInputs);
    return Line;
  }

 private:
  TModProcessData FValues;
  std::vector<bool> FFresh;
  bool FStatusRead = false;
  std::optional<uint8_t> FInputs;
};

}  // namespace

int RunMonitor(const TCliOptions& Options) {
  if (!Options.Args.empty()) {
    PrintError("usage: vdxctl monitor [--count N] [--interval MS]");
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
    std::printf("%s\n", View.Line(LocalTimeText(Start), Word).c_str());
    std::fflush(stdout);
    ++Cycles;
  });
  std::printf("%s\n", View.Header().c_str());
  std::fflush(stdout);
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
