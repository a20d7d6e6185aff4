#include "cli/CliSession.h"

#include <cstdio>

#include "app/ExecutableDir.h"
#include "comm/IntegerText.h"
#include "comm/SerialPortList.h"
#include "comm/TextUtil.h"
#include "params/ReadoutDescriptionFile.h"
#include "sim/ModuleSim.h"

namespace vdx::cli {

void PrintError(const std::string& Text) {
  std::fprintf(stderr, "vdxctl: %s\n", Latin1ToUtf8(Text).c_str());
}

TCliSession::TCliSession(const TCliOptions& Options) : FOptions(Options) {
  FProt.SetParameterList(this);
  FProt.SetAutoSetBaudrate(false);
  FProt.OnReadoutError = [this](TVDXModCommProt&, const std::string& ModID,
                                std::vector<std::string>& Lines) { ReadoutError(ModID, Lines); };
  if (Options.Verbose)
    FProt.ComPort().OnTrace = [this](TTraceDirection D, const std::string& Bytes) {
      FTrace.Add(D, Bytes);
    };
}

TCliSession::~TCliSession() {
  FProt.Disconnect();
  FProt.SetParameterList(nullptr);
  FProt.ComPort().OnTrace = nullptr;
}

bool TCliSession::LoadCommandList(TModCommandList*, uint16_t AccessCode) {
  FAccessCode = AccessCode;
  return true;
}

std::string TCliSession::RddFolder() const {
  return FOptions.RddDir.empty() ? ExecutableDir() : FOptions.RddDir;
}

void TCliSession::ReadoutError(const std::string& ModID, std::vector<std::string>& ExtCmdList) {
  std::string Name;
  if (!TVDXModCommProt::ParseModuleId(ModID, Name)) {
    FReadoutProblem = "the module's readout failed and its ID text \"" + ModID +
                      "\" names no module type";
    return;
  }
  if (!LoadReadoutDescription(ReadoutDescriptionPath(RddFolder(), Name), ExtCmdList))
    FReadoutProblem =
        "the module's readout failed and no " + Name + ".rdd was found in " + RddFolder();
}

int TCliSession::Connect() {
  std::string Port = FOptions.Port;
  if (FOptions.Demo) {
    sim::TSimOptions SimOptions;
    SimOptions.HalfDuplex = FOptions.HalfDuplex;
    if (FOptions.HalfDuplex) SimOptions.BaudRate = 19200;
    else if (FOptions.FixedBaud) SimOptions.BaudRate = BaudrateBps(*FOptions.FixedBaud);
    FDemo = std::make_unique<sim::TModuleSim>(SimOptions);
    std::string Error;
    if (!FDemo->Start(Error)) {
      PrintError("cannot start the virtual module: " + Error);
      return exLinkFailed;
    }
    Port = FDemo->SlavePath();
  }
  if (Port.empty()) {
    PrintError("no port given; use --port NAME|PATH ('vdxctl ports' lists them) or --demo");
    return exUsage;
  }
  const std::string ComName =
      Port[0] == '/' ? AddTransientPort(Port) : UpperCase(Port);
  int32_t Number;
  if (!StartsWithNoCase(ComName, "COM") || !TryStrToInt(ComName.substr(3), Number) ||
      Number <= 0 || Number > 0xFFFF || !DeviceForComName(ComName)) {
    PrintError("no port " + Port);
    return exLinkFailed;
  }
  if (auto Warning = CheckLatencyTimer(ComName)) PrintError(*Warning);

  FProt.SetPortNo(static_cast<uint16_t>(Number));
  try {
    if (FOptions.HalfDuplex) {
      FProt.SetTransferMode(tmHalfDuplex);
    } else if (FOptions.FixedBaud) {
      FProt.SetFixBaudrate(*FOptions.FixedBaud);
      FProt.SetAutoBaudDetection(false);
    }
    if (FOptions.SwitchTo) {
      FProt.SetAutoSetBaudrate(true);
      FProt.SetAutoBaudrate(*FOptions.SwitchTo);
    }
    FProt.SetPortOpen(true);
  } catch (const TComPortError& E) {
    PrintError(Port + ": " + E.what());
    return exLinkFailed;
  }
  if (FProt.Connect()) return exDone;
  if (FOptions.SwitchTo && FProt.BaudRate() == *FOptions.SwitchTo)
    PrintError("the module did not answer at " + std::to_string(BaudrateBps(*FOptions.SwitchTo)) +
               " bit/s after the switch");
  else if (!FProt.PortOpen())
    PrintError("the link on " + Port + " was lost");
  else
    PrintError("no module answered at any baud rate");
  return exLinkFailed;
}

int TCliSession::Identify() {
  if (int Code = Connect(); Code != exDone) return Code;
  return IdentifyConnected();
}

int TCliSession::IdentifyConnected() {
  FAccessCode = 0;
  FReadoutProblem.clear();
  std::string IdText;
  if (FProt.Identify(IdText)) return exDone;
  if (!FReadoutProblem.empty())
    PrintError(FReadoutProblem);
  else if (!FProt.PortOpen())
    PrintError("the link was lost during the identification");
  else if (FProt.CmdList().Count() == 0 && FProt.ProcessData().Count() == 0)
    PrintError("the module did not answer the identification");
  else
    PrintError("reading the module's parameter values failed");
  return exLinkFailed;
}

}  // namespace vdx::cli
