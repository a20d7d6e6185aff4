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
    "  --help, --version\n"
    "\n"
    "Exit codes: 0 done, 1 the module or link failed or refused, 2 usage error (also a\n"
    "name, value or range that does not fit the module; nothing is sent), 3 file error.\n";

namespace {

std::string ParseRate(const std::string& Text, std::optional<TModBaudrate>& Rate) {
  int32_t Bps;
  TModBaudrate Baud;
  if (!TryStrToInt(Text, Bps) || !BaudrateFromBps(Bps, Baud))
    return "unknown baud rate '" + Text + "' (9600, 19200, 38400, 57600 or 115200)";
  Rate = Baud;
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
  return "";
}

}  // namespace vdx::cli
