// Identification of the rich virtual module over a line paced at its real rate: the tool's time
// against the wire time (bytes both ways x 10 / baud), and the turnaround from a received
// prompt to the next command's first byte.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "comm/IntegerText.h"
#include "comm/ModCommProt.h"
#include "comm/SerialPortList.h"
#include "sim/ModuleSim.h"

using namespace vdx;

namespace {

double Median(std::vector<double> V) {
  if (V.empty()) return 0;
  std::sort(V.begin(), V.end());
  return V[V.size() / 2];
}

bool Measure(TModBaudrate Rate) {
  sim::TSimOptions Options;
  Options.BaudRate = BaudrateBps(Rate);
  Options.Paced = true;
  sim::TModuleSim Module(Options);
  std::string Error;
  if (!Module.Start(Error)) {
    std::fprintf(stderr, "cannot start the virtual module: %s\n", Error.c_str());
    return false;
  }
  TVDXModCommProt Prot;
  int32_t Number = 0;
  TryStrToInt(AddTransientPort(Module.SlavePath()).substr(3), Number);
  Prot.SetPortNo(static_cast<uint16_t>(Number));
  Prot.SetFixBaudrate(Rate);
  Prot.SetAutoBaudDetection(false);
  if (!Prot.Connect()) {
    std::fprintf(stderr, "connect failed\n");
    return false;
  }
  Module.ResetStats();
  std::string Id;
  const auto Start = std::chrono::steady_clock::now();
  const bool Ok = Prot.Identify(Id);
  const double Seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
  if (!Ok) {
    std::fprintf(stderr, "identification failed\n");
    return false;
  }
  const sim::TSimStats Stats = Module.Stats();
  const double WireSeconds =
      static_cast<double>(Stats.BytesReceived + Stats.BytesSent) * 10.0 / BaudrateBps(Rate);
  // On a full-duplex line the command goes out while its echo comes back, so the module's
  // own output is the tighter bound; its ratio shows the tool's overhead.
  const double ModuleSeconds = static_cast<double>(Stats.BytesSent) * 10.0 / BaudrateBps(Rate);
  std::printf("%7d bit/s: %llu commands, %llu bytes to the module, %llu from it\n"
              "  tool %.3f s, wire %.3f s: ratio %.3f (target <= 1.10)\n"
              "  module's output alone %.3f s: ratio %.3f\n"
              "  turnaround median %.3f ms (target < 0.5)\n",
              BaudrateBps(Rate), static_cast<unsigned long long>(Stats.Commands),
              static_cast<unsigned long long>(Stats.BytesReceived),
              static_cast<unsigned long long>(Stats.BytesSent), Seconds, WireSeconds,
              Seconds / WireSeconds, ModuleSeconds, Seconds / ModuleSeconds,
              Median(Stats.TurnaroundUs) / 1000.0);
  return true;
}

}  // namespace

int main() {
  std::printf("Identification of the rich module over a paced line\n");
  const bool Ok = Measure(mb115200) && Measure(mb9600);
  return Ok ? 0 : 1;
}
