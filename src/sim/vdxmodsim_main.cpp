// vdxmodsim: a virtual module on a pseudo-terminal. Prints the slave path as its first line
// and serves until SIGINT or SIGTERM.
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "sim/ModuleSim.h"

namespace {

constexpr const char* Usage =
    "usage: vdxmodsim [OPTIONS]\n"
    "A virtual module on a pseudo-terminal; prints the terminal's path, then serves until\n"
    "interrupted.\n"
    "\n"
    "  --type NAME|FILE.rdd  module type, or readout lines from a file whose base name is the\n"
    "                        type name; built in:\n"
    "                          rich       KV20DEMO, every kind of command, SAVE and DEFAULT\n"
    "                                     listed (default)\n"
    "                          basic      KV20BASIC, no memory command listed, numbers out\n"
    "                                     of range clamped\n"
    "                          locked     KV20LOCK, SAVE listed read only (refused)\n"
    "                          noreadout  KV20NORD, \"Readout\" fails\n"
    "  --half-duplex         the line returns a copy of every byte; the module echoes each\n"
    "  --baud RATE           the module's rate at start: 9600 (default), 19200, 38400, 57600,\n"
    "                        115200\n"
    "  --paced               bytes take 10 bits each at the module's rate, both ways\n"
    "  --cmd-prompt          prompt \"CMD>\" instead of \">\"\n"
    "  --lf                  line ends LF instead of CR LF\n"
    "  --readout-fails       answer \"Readout\" with \"command error\"\n"
    "  --answers-remote      answer \"REMOTE\" (a module without the remote-control mode)\n"
    "  --nv FILE             keep the module's stored values (SAVE) in FILE across runs\n"
    "  --dump-rdd            print the type's readout lines and exit\n"
    "  --help                show this help\n";

int UsageError(const std::string& Message) {
  std::cerr << "vdxmodsim: " << Message << "\n(see vdxmodsim --help)\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  vdx::sim::TSimOptions Options;
  bool DumpRdd = false;
  for (int I = 1; I < argc; ++I) {
    const std::string Arg = argv[I];
    auto Value = [&](std::string& Out) {
      if (I + 1 >= argc) return false;
      Out = argv[++I];
      return true;
    };
    if (Arg == "--help" || Arg == "-h") {
      std::cout << Usage;
      return 0;
    } else if (Arg == "--type") {
      if (!Value(Options.ModuleType)) return UsageError("--type needs a type name or file");
    } else if (Arg == "--half-duplex") {
      Options.HalfDuplex = true;
    } else if (Arg == "--baud") {
      std::string Rate;
      if (!Value(Rate)) return UsageError("--baud needs a rate");
      char* End = nullptr;
      const long N = std::strtol(Rate.c_str(), &End, 10);
      if (Rate.empty() || *End != '\0' ||
          (N != 9600 && N != 19200 && N != 38400 && N != 57600 && N != 115200))
        return UsageError("--baud: \"" + Rate + "\" is not 9600, 19200, 38400, 57600 or 115200");
      Options.BaudRate = static_cast<int>(N);
    } else if (Arg == "--paced") {
      Options.Paced = true;
    } else if (Arg == "--cmd-prompt") {
      Options.Prompt = "CMD>";
    } else if (Arg == "--lf") {
      Options.LineEnd = "\n";
    } else if (Arg == "--readout-fails") {
      Options.ReadoutFails = true;
    } else if (Arg == "--answers-remote") {
      Options.AnswersRemote = true;
    } else if (Arg == "--nv") {
      if (!Value(Options.NvFile)) return UsageError("--nv needs a file name");
    } else if (Arg == "--dump-rdd") {
      DumpRdd = true;
    } else {
      return UsageError("unknown option \"" + Arg + "\"");
    }
  }

  // Signals are taken by sigwait below, so block them before the serving thread exists.
  sigset_t Signals;
  sigemptyset(&Signals);
  sigaddset(&Signals, SIGINT);
  sigaddset(&Signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &Signals, nullptr);

  vdx::sim::TModuleSim Sim(Options);
  if (DumpRdd) {
    const auto Lines = Sim.ReadoutLines();
    if (Lines.empty()) {
      std::string Error;
      Sim.Start(Error);  // reports why the type could not be loaded
      std::cerr << "vdxmodsim: " << Error << "\n";
      return 2;
    }
    for (const std::string& Line : Lines) std::cout << Line << "\r\n";
    return 0;
  }
  std::string Error;
  if (!Sim.Start(Error)) {
    std::cerr << "vdxmodsim: " << Error << "\n";
    return 2;
  }
  std::cout << Sim.SlavePath() << std::endl;
  std::cerr << "vdxmodsim: " << Sim.IdText() << " at " << Sim.CurrentBaudRate() << " bit/s"
            << (Options.HalfDuplex ? ", half duplex" : "") << (Options.Paced ? ", paced" : "")
            << "\n";
  int Signal = 0;
  sigwait(&Signals, &Signal);
  Sim.Stop();
  return 0;
}
