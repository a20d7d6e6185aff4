// The virtual module: a pseudo-terminal that answers the module's wire protocol, for demos,
// tests and benchmarks. Usable in-process (start/stop) and through the vdxmodsim executable.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vdx::sim {

// Faults the module can be told to show; they last until cleared.
enum class TSimFault {
  None,
  Silence,          // hears everything, answers nothing
  Slow,             // waits SlowDelayMs between answer characters
  CommandError,     // answers every command with "command error"
  NoiseBeforeEcho,  // sends a few random bytes before each echo
  StalePrompt,      // sends a stale ">" and a line end before each echo
  Drop,             // closes the line (the master side) at the next command
  SilentBootloader, // enters the bootloader on "BOOTLOADER", but the bootloader answers nothing
  RefuseWrites,     // answers "command error" to every command with an argument except the
                    // remote-control commands "RC:..."; reads and bare commands work
  WrongBaud,        // runs at another rate than its own (19200 bit/s, or 9600 when its own
                    // is 19200), so a tool at the module's rate is heard as garbage
};

struct TSimOptions {
  std::string ModuleType = "rich";  // a built-in type (BuiltInTypes()) or an ".rdd" path
  bool HalfDuplex = false;          // the line returns a copy of every byte; module echoes each
  int BaudRate = 9600;              // the module's own rate at start
  bool Paced = false;               // both directions take 10 bits per byte at the line rate
  std::string Prompt = ">";         // ">" or "CMD>"
  std::string LineEnd = "\r\n";     // "\r\n" or "\n"
  bool ReadoutFails = false;        // answer "Readout" with "command error" (any type)
  bool AnswersRemote = false;       // answer "REMOTE" (such modules get no remote control)
  std::string NvFile;               // optional file that keeps the non-volatile copy
};

// Counters the benchmarks read.
struct TSimStats {
  uint64_t BytesReceived = 0;
  uint64_t BytesSent = 0;
  uint64_t Commands = 0;
  // Microseconds from the last prompt byte sent to the first byte of the next command.
  std::vector<double> TurnaroundUs;
};

class TModuleSim {
 public:
  explicit TModuleSim(TSimOptions Options);
  ~TModuleSim();  // stops
  TModuleSim(const TModuleSim&) = delete;
  TModuleSim& operator=(const TModuleSim&) = delete;

  // Opens the pseudo-terminal and starts serving. False with Error set on failure.
  bool Start(std::string& Error);
  void Stop();
  std::string SlavePath() const;

  void SetFault(TSimFault Fault);
  void SetSlowDelayMs(int Ms);
  int CurrentBaudRate() const;

  // Module state, for tests: the value text of a parameter as the module would answer it,
  // and writing it directly (as if set on the module's own keypad).
  std::string ParameterValue(const std::string& Name) const;
  void SetParameterValue(const std::string& Name, const std::string& Value);

  TSimStats Stats() const;
  void ResetStats();

  // The command lines the module heard since the last ClearReceivedCommands(), in order, each
  // exactly as received up to and including its CR (blanks, letter case, control bytes kept).
  // Bytes sent at another rate than the module's are not heard and not listed; a line still
  // being received when clearing is kept whole. Holds the last MaxReceivedCommands lines.
  std::vector<std::string> ReceivedCommands() const;
  // The same lines with the times (steady clock) their first byte and their CR were heard;
  // on a paced line these are the times the bytes had passed the wire.
  struct TReceivedLine {
    std::string Text;
    std::chrono::steady_clock::time_point FirstByte, End;
  };
  std::vector<TReceivedLine> ReceivedLines() const;
  void ClearReceivedCommands();
  static constexpr size_t MaxReceivedCommands = 100000;

  // The type's ID text and readout lines (as the module delivers them on "Readout").
  std::string IdText() const;
  std::vector<std::string> ReadoutLines() const;

 private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};

// Names of the built-in module types: "rich" (KV20DEMO: everything, SAVE and DEFAULT listed),
// "basic" (KV20BASIC: no memory command listed, out-of-range numbers clamped), "locked"
// (KV20LOCK: SAVE listed read only), "noreadout" (KV20NORD: "Readout" fails).
std::vector<std::string> BuiltInTypes();

}  // namespace vdx::sim
