// A protocol component connected at a fixed rate to a virtual module whose line is paced at
// that rate, and the figures the benchmarks print about it.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "BenchStats.h"
#include "comm/IntegerText.h"
#include "comm/ModCommProt.h"
#include "comm/SerialPortList.h"
#include "sim/ModuleSim.h"

namespace vdx::bench {

class TPacedLink {
 public:
  // Paced: both directions of the line take 10 bits per byte at Rate.
  explicit TPacedLink(TModBaudrate Rate, bool Paced = true) : FRate(Rate) {
    sim::TSimOptions Options;
    Options.BaudRate = BaudrateBps(Rate);
    Options.Paced = Paced;
    FModule = std::make_unique<sim::TModuleSim>(Options);
  }
  ~TPacedLink() {
    if (!FPortName.empty()) RemoveTransientPort(FModule->SlavePath());
  }

  // Starts the module and lists its line as a port ("COMn", PortName()).
  bool Start() {
    std::string Error;
    if (!FModule->Start(Error)) {
      std::fprintf(stderr, "cannot start the virtual module: %s\n", Error.c_str());
      return false;
    }
    FPortName = AddTransientPort(FModule->SlavePath());
    return true;
  }
  // Starts the module and connects Prot to it at the fixed rate.
  bool Connect() {
    if (!Start()) return false;
    int32_t Number = 0;
    TryStrToInt(FPortName.substr(3), Number);
    Prot.SetPortNo(static_cast<uint16_t>(Number));
    Prot.SetFixBaudrate(FRate);
    Prot.SetAutoBaudDetection(false);
    if (Prot.Connect()) return true;
    std::fprintf(stderr, "connect failed\n");
    return false;
  }
  const std::string& PortName() const { return FPortName; }
  TModBaudrate Rate() const { return FRate; }
  sim::TModuleSim& Module() { return *FModule; }

  // Runs Work and prints its time against the wire time (bytes both ways x 10 / baud), against
  // the module's output alone (on a full-duplex line a command goes out while its echo comes
  // back, so that is the tighter bound), and the median turnaround from a received prompt to
  // the next command's first byte.
  bool Measure(const char* What, const std::function<bool()>& Work) {
    FModule->ResetStats();
    const auto Start = std::chrono::steady_clock::now();
    const bool Ok = Work();
    const double Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    if (!Ok) {
      std::fprintf(stderr, "%s failed\n", What);
      return false;
    }
    const sim::TSimStats Stats = FModule->Stats();
    const double Bps = BaudrateBps(FRate);
    const double Wire = static_cast<double>(Stats.BytesReceived + Stats.BytesSent) * 10.0 / Bps;
    const double ModuleOut = static_cast<double>(Stats.BytesSent) * 10.0 / Bps;
    const double Median = Percentile(Stats.TurnaroundUs, 0.5);
    std::printf(
        "%s at %d bit/s: %llu commands, %llu bytes to the module, %llu from it\n"
        "  tool %.3f s, wire %.3f s: ratio %.3f (target <= 1.10)\n"
        "  module's output alone %.3f s: ratio %.3f\n"
        "  turnaround median %.3f ms (target < 0.5)\n",
        What, BaudrateBps(FRate), static_cast<unsigned long long>(Stats.Commands),
        static_cast<unsigned long long>(Stats.BytesReceived),
        static_cast<unsigned long long>(Stats.BytesSent), Seconds, Wire, Seconds / Wire, ModuleOut,
        Seconds / ModuleOut, Median / 1000.0);
    const std::string Figure = std::string(What) + " at " + std::to_string(BaudrateBps(FRate));
    ReportFigure(Figure + " bit/s: tool / wire time", "<= 1.10", Seconds / Wire);
    ReportFigure(Figure + " bit/s: turnaround median (ms)", "< 0.5", Median / 1000.0);
    return true;
  }

  TVDXModCommProt Prot;

 private:
  TModBaudrate FRate;
  std::unique_ptr<sim::TModuleSim> FModule;
  std::string FPortName;
};

}  // namespace vdx::bench
