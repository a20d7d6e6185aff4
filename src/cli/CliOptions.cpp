#include "cli/CliOptions.h"

#include "comm/IntegerText.h"

namespace vdx::cli {

const char* const UsageText =
    "Usage: vdxctl [OPTIONS] COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  ports             list the serial ports with their COM names\n"
    "  identify          identify the module and list its commands and values\n"
    "  password TEXT     send a password and say whether the module accepted it\n"
    "  get NAME          print a parameter's value (a curve as 21 lines \"I X Y\")\n"
    "  set NAME VALUE... write a parameter and print the value read back:\n"
    "                    a text of its list (quoted when it has blanks), an integer,\n"
    "                    curve points \"I X Y\"..., or an analogue input \"A B C V|C|U|I\"\n"
    "  save              store the values in the module's non-volatile memory\n"
    "  default           set the module's parameters to their defaults\n"
    "  loadback          reload the values stored in non-volatile memory\n"
    "  remote status     remote-control mode, digital input byte and analogue inputs\n"
    "  remote on|off     switch remote control (switching on clears the digital inputs)\n"
    "  remote din [BYTE] read or write the digital input byte (0..255)\n"
    "  remote ain PIN [VALUE]\n"
    "                    read or write an analogue input; PIN is 1..5 or its name (RC:6)\n"
    "  export FILE       store the module's parameters in FILE: a command list file (.vdx,\n"
    "                    asks before replacing the module's data in it) or a legacy\n"
    "                    parameter file (.par)\n"
    "  import FILE       write the parameters of a .vdx or .par file into the module\n"
    "  diff FILE         compare the module's parameters with a .vdx or .par file: one\n"
    "                    line per parameter with both values and its state (equal,\n"
    "                    different, only in module, only in file), differences first;\n"
    "                    exit code 0 when equal, 4 when they differ\n"
    "  offline FILE      print a module of a .vdx file as identify does; no port is used\n"
    "  offline FILE --set NAME VALUE... [--set ...] --save-as FILE2\n"
    "                    change values of a module of a .vdx file (checked as set checks\n"
    "                    them) and store the module in FILE2 (.vdx, may be FILE)\n"
    "  monitor           poll the process values as the monitor page does and print one\n"
    "                    CSV line per cycle (time, values, status word, input byte) until\n"
    "                    Ctrl-C; exit code 1 when no process value answers any more\n"
    "  record --channel NAME [--channel NAME ...]\n"
    "                    sample up to four process values as the oscilloscope page does and\n"
    "                    write its recording file (header block, then one line per cycle:\n"
    "                    time stamp and the raw values) until --duration or Ctrl-C; ends\n"
    "                    with a summary line (cycles, failed cycles, mean interval); exit\n"
    "                    code 1 when four cycles in a row failed\n"
    "  firmware FILE     update the module's firmware from an S-record file (.s19) through\n"
    "                    its bootloader: start, erase, program, back to the application\n"
    "                    (asks first; --yes when no terminal can be asked); a module that\n"
    "                    does not come back waits in its bootloader for another try.\n"
    "                    The module's parameters are saved first in the settings folder\n"
    "                    (backups/<module>-<date>-<time>.vdx)\n"
    "  terminal          talk to the module key by key: keys go to the module, its\n"
    "                    characters to standard output; Ctrl-] or the end of the input\n"
    "                    ends the session (piped lines are sent with CR line ends)\n"
    "\n"
    "Options:\n"
    "  --port NAME|PATH  the module's port: COM name (see 'ports') or device path\n"
    "  --baud RATE       auto (default) or 9600, 19200, 38400, 57600, 115200\n"
    "  --switch-to RATE  switch the module to RATE after detecting its rate\n"
    "  --half-duplex     two-wire half-duplex line (always 19200 bit/s)\n"
    "  --rdd-dir DIR     folder of the readout description files (.rdd)\n"
    "  --json            machine-readable output\n"
    "  --verbose         trace the wire on standard error\n"
    "  --demo            use a virtual module started for this run\n"
    "  --yes             export, offline: replace the module's data in an existing .vdx file\n"
    "                    without asking (a terminal is asked; otherwise the file is kept);\n"
    "                    firmware: start the update without asking\n"
    "  --force           import: load a .par file written for another module type\n"
    "  --module ID       import: the module of the .vdx file to load when it holds none for\n"
    "                    the identified module; offline: the module of the file to use;\n"
    "                    diff: as import\n"
    "  --set NAME VALUE...\n"
    "                    offline: a new value; the values run to the next --option\n"
    "  --save-as FILE2   offline: where the module is stored\n"
    "  --count N         monitor: stop after N cycles\n"
    "  --interval MS     monitor: poll every MS milliseconds (default 320, or 500 at\n"
    "                    9600 bit/s or with more than 10 process values); record: sample\n"
    "                    every MS milliseconds (default 20 + 60 / (baud / 9600), half duplex\n"
    "                    20 + 120 / (baud / 9600))\n"
    "  --channel NAME    record: a process value for the next channel (one to four)\n"
    "  --duration S      record: stop after S seconds\n"
    "  --out FILE        record: append the recording to FILE (else standard output, and\n"
    "                    the summary goes to standard error)\n"
    "  --csv             monitor, record: RFC 4180 CSV (header row, ISO 8601 time stamps,\n"
    "                    CR LF line ends); record --out then replaces FILE\n"
    "  --restore         firmware: after the update, identify the module and write the\n"
    "                    parameter backup back into it\n"
    "  --help, --version\n"
    "\n"
    "Exit codes: 0 done, 1 the module or link failed or refused (also a file the module\n"
    "cannot take), 2 usage error (also a name, value, range or module ID that does not fit;\n"
    "nothing is sent or written), 3 a file could not be read or written, 4 diff: the\n"
    "module's parameters and the file's differ.\n";

namespace {

std::string ParseRate(const std::string& Text, std::optional<TModBaudrate>& Rate) {
  int32_t Bps;
  TModBaudrate Baud;
  if (!TryStrToInt(Text, Bps) || !BaudrateFromBps(Bps, Baud))
    return "unknown baud rate '" + Text + "' (9600, 19200, 38400, 57600 or 115200)";
  Rate = Baud;
  return "";
}

// Which commands take the file options.
std::string CheckFileOptions(const TCliOptions& O) {
  struct TRule {
    bool Given;
    const char* Option;
    std::vector<std::string> Commands;
  } const Rules[] = {
      {O.Yes, "--yes", {"export", "offline", "firmware"}},
      {O.Force, "--force", {"import"}},
      {O.Module.has_value(), "--module", {"import", "offline", "diff"}},
      {!O.Sets.empty(), "--set", {"offline"}},
      {!O.SaveAs.empty(), "--save-as", {"offline"}},
      {O.Count.has_value(), "--count", {"monitor"}},
      {O.IntervalMs.has_value(), "--interval", {"monitor", "record"}},
      {!O.Channels.empty(), "--channel", {"record"}},
      {O.DurationS.has_value(), "--duration", {"record"}},
      {!O.Out.empty(), "--out", {"record"}},
      {O.Csv, "--csv", {"monitor", "record"}},
      {O.Restore, "--restore", {"firmware"}},
  };
  for (const auto& R : Rules) {
    if (!R.Given) continue;
    bool Applies = false;
    for (const auto& C : R.Commands) Applies |= O.Command == C;
    if (!Applies) return std::string(R.Option) + " does not apply to " + O.Command;
  }
  return "";
}

}  // namespace

std::string ParseCliOptions(const std::vector<std::string>& Argv, TCliOptions& O) {
  for (size_t I = 0; I < Argv.size(); ++I) {
    const std::string& A = Argv[I];
    auto NextValue = [&](std::string& Value) {
      if (I + 1 >= Argv.size()) return false;
      Value = Argv[++I];
      return true;
    };
    std::string Value, Error;
    if (A == "--port" || A == "--baud" || A == "--switch-to" || A == "--rdd-dir") {
      if (!NextValue(Value)) return A + " needs a value";
      if (A == "--port") O.Port = Value;
      else if (A == "--rdd-dir") O.RddDir = Value;
      else if (A == "--switch-to") Error = ParseRate(Value, O.SwitchTo);
      else if (Value == "auto") O.FixedBaud.reset();
      else Error = ParseRate(Value, O.FixedBaud);
      if (!Error.empty()) return Error;
    } else if (A == "--module" || A == "--save-as" || A == "--channel" || A == "--out") {
      if (!NextValue(Value) || Value.empty()) return A + " needs a value";
      if (A == "--module") O.Module = Value;
      else if (A == "--channel") O.Channels.push_back(Value);
      else if (A == "--out") O.Out = Value;
      else O.SaveAs = Value;
    } else if (A == "--count" || A == "--interval" || A == "--duration") {
      int32_t Number;
      if (!NextValue(Value)) return A + " needs a value";
      if (!TryStrToInt(Value, Number) || Number < 1 || (A != "--count" && Number > 3600000))
        return A + " needs a positive number, not '" + Value + "'";
      (A == "--count" ? O.Count : A == "--interval" ? O.IntervalMs : O.DurationS) = Number;
    } else if (A == "--set") {
      // The name, then every value up to the next "--" option; values may be negative numbers.
      TSetArg Set;
      if (!NextValue(Set.Name) || Set.Name.starts_with("--"))
        return "--set needs a name and a value";
      while (I + 1 < Argv.size() && !Argv[I + 1].starts_with("--")) Set.Values.push_back(Argv[++I]);
      if (Set.Values.empty()) return "--set " + Set.Name + " needs a value";
      O.Sets.push_back(std::move(Set));
    } else if (A == "--yes") {
      O.Yes = true;
    } else if (A == "--force") {
      O.Force = true;
    } else if (A == "--csv") {
      O.Csv = true;
    } else if (A == "--restore") {
      O.Restore = true;
    } else if (A == "--half-duplex") {
      O.HalfDuplex = true;
    } else if (A == "--json") {
      O.Json = true;
    } else if (A == "--verbose") {
      O.Verbose = true;
    } else if (A == "--demo") {
      O.Demo = true;
    } else if (A == "--help" || A == "-h") {
      O.Help = true;
    } else if (A == "--version") {
      O.Version = true;
    } else if (A.size() > 1 && A[0] == '-' && O.Command.empty()) {
      return "unknown option " + A;
    } else if (O.Command.empty()) {
      O.Command = A;
    } else {
      O.Args.push_back(A);
    }
  }
  if (O.Help || O.Version) return "";
  if (O.Command.empty() && O.Demo) O.Command = "identify";
  if (O.Command.empty()) return "no command given";
  if (O.Demo && !O.Port.empty()) return "--demo and --port exclude each other";
  if (O.HalfDuplex && O.SwitchTo) return "--switch-to needs a full-duplex line";
  if (O.FixedBaud && O.SwitchTo) return "--switch-to needs --baud auto";
  return CheckFileOptions(O);
}

}  // namespace vdx::cli
