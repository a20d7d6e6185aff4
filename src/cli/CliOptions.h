// vdxctl's command line: global options anywhere, then a command and its arguments.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "comm/Baudrate.h"

namespace vdx::cli {

// One "--set NAME VALUE..." of the offline command.
struct TSetArg {
  std::string Name;
  std::vector<std::string> Values;
};

// Exit codes.
// exDiffer: diff found the module's parameters and the file's not equal.
enum TExitCode { exDone = 0, exLinkFailed = 1, exUsage = 2, exFileFailed = 3, exDiffer = 4 };

struct TCliOptions {
  std::string Port;                       // COM name or device path; empty when not given
  std::optional<TModBaudrate> FixedBaud;  // nothing: detect the module's rate
  std::optional<TModBaudrate> SwitchTo;   // switch the module after detection
  bool HalfDuplex = false;
  bool Json = false;
  bool Verbose = false;
  bool Demo = false;  // serve a virtual module in-process and use its port
  bool Help = false;
  bool Version = false;
  std::string RddDir;  // where ".rdd" files are looked for; empty: beside the executable
  // File commands.
  bool Yes = false;                   // replace a module's data in a ".vdx" file without asking
  bool Force = false;                 // import a ".par" file of another module type
  std::optional<std::string> Module;  // the module ID of a ".vdx" file to use
  std::vector<TSetArg> Sets;          // offline: new values
  std::string SaveAs;                 // offline: where the changed module goes
  // Monitor: number of cycles (nothing: until Ctrl-C) and a fixed polling interval; record:
  // the sampling interval.
  std::optional<int> Count;
  std::optional<int> IntervalMs;
  // Record: the process values of the channels, the run's length, the recording file.
  std::vector<std::string> Channels;
  std::optional<int> DurationS;
  std::string Out;
  // Monitor and record: RFC 4180 CSV instead of their own formats.
  bool Csv = false;
  // Firmware: write the parameter backup made before the update back into the module.
  bool Restore = false;
  std::string Command;
  std::vector<std::string> Args;
};

// Parses the arguments; returns an error text for a usage error, empty on success. Options
// may stand anywhere; the file options are refused for commands they do not apply to.
std::string ParseCliOptions(const std::vector<std::string>& Argv, TCliOptions& Options);

extern const char* const UsageText;

}  // namespace vdx::cli
