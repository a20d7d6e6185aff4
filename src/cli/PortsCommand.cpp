#include <cstdio>

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "comm/SerialPortList.h"

namespace vdx::cli {

int RunPorts(const TCliOptions& Options) {
  std::vector<TSerialPortInfo> Ports;
  const bool Stored = ListSerialPorts(Ports);
  if (!Stored) PrintError("the COM number map could not be written; numbers may change");
  if (Options.Json) {
    TJsonWriter J;
    J.BeginArray();
    for (const auto& P : Ports) {
      J.BeginObject().Key("name").Value(P.ComName).Key("device").Value(P.Device);
      J.Key("latencyWarning");
      if (auto W = CheckLatencyTimer(P.ComName)) J.Value(*W); else J.Null();
      J.EndObject();
    }
    J.EndArray();
    std::printf("%s\n", J.Text().c_str());
  } else {
    for (const auto& P : Ports) {
      std::printf("%-6s %s", P.ComName.c_str(), P.Device.c_str());
      if (auto W = CheckLatencyTimer(P.ComName)) std::printf("  %s", W->c_str());
      std::printf("\n");
    }
    if (Ports.empty()) std::printf("no serial ports found\n");
  }
  return exDone;
}

}  // namespace vdx::cli
