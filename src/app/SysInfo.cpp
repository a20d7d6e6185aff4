#include "app/SysInfo.h"

#include <sys/sysinfo.h>
#include <sys/utsname.h>

#include <fstream>
#include <map>
#include <sstream>

#include "comm/SerialPortList.h"
#include "comm/TextUtil.h"

namespace vdx {

namespace {

bool ReadWholeFile(const std::string& Path, std::string& Text) {
  std::ifstream In(Path, std::ios::binary);
  if (!In) return false;
  std::ostringstream S;
  S << In.rdbuf();
  Text = S.str();
  return !In.bad();
}

// One os-release value: double quotes with backslash escapes, single quotes, or bare.
std::string UnquoteShellValue(const std::string& Raw) {
  const std::string V = TrimControl(Raw);
  if (V.empty() || (V[0] != '"' && V[0] != '\'')) return V;
  std::string Out;
  for (size_t I = 1; I < V.size() && V[I] != V[0]; ++I) {
    if (V[0] == '"' && V[I] == '\\' && I + 1 < V.size()) ++I;
    Out += V[I];
  }
  return Out;
}

std::map<std::string, std::string> ParseOsRelease(const std::string& Text) {
  std::map<std::string, std::string> Values;
  for (const std::string& Line : SplitLines(Text)) {
    const std::string L = TrimControl(Line);
    const size_t Eq = L.find('=');
    if (L.empty() || L[0] == '#' || Eq == std::string::npos) continue;
    Values.emplace(L.substr(0, Eq), UnquoteShellValue(L.substr(Eq + 1)));
  }
  return Values;
}

// The processor name under the first key that the architecture uses.
std::string CpuModelName(const std::string& Text) {
  std::map<std::string, std::string> First;
  for (const std::string& Line : SplitLines(Text)) {
    const size_t Colon = Line.find(':');
    if (Colon == std::string::npos) continue;
    First.emplace(TrimControl(Line.substr(0, Colon)), TrimControl(Line.substr(Colon + 1)));
  }
  for (const char* Key : {"model name", "Processor", "cpu model", "cpu"})
    if (auto It = First.find(Key); It != First.end() && !It->second.empty()) return It->second;
  return {};
}

// "MemTotal:  2097152 kB" in bytes, or 0.
uint64_t MemInfoBytes(const std::string& Text, const std::string& Key) {
  for (const std::string& Line : SplitLines(Text)) {
    if (Line.compare(0, Key.size() + 1, Key + ":") != 0) continue;
    std::istringstream In(Line.substr(Key.size() + 1));
    uint64_t Kb = 0;
    if (In >> Kb) return Kb * 1024;
  }
  return 0;
}

}  // namespace

TSysInfo::TSysInfo(const TSysInfoSources& Sources) {
  std::string Text;
  for (const std::string& Path : Sources.OsRelease) {
    if (!ReadWholeFile(Path, Text)) continue;
    const auto Values = ParseOsRelease(Text);
    auto Get = [&](const char* Key) {
      const auto It = Values.find(Key);
      return It == Values.end() ? std::string() : It->second;
    };
    FOsName = Get("PRETTY_NAME");
    if (FOsName.empty()) FOsName = TrimControl(Get("NAME") + " " + Get("VERSION"));
    FOsVersion = Get("VERSION_ID");
    break;
  }

  if (utsname U; uname(&U) == 0) {
    FKernelRelease = U.release;
    FMachine = U.machine;
  }

  if (ReadWholeFile(Sources.CpuInfo, Text)) FProcessorName = CpuModelName(Text);

  // MemAvailable counts the reclaimable cache as available, as a user expects; sysinfo() is the
  // fallback when /proc/meminfo cannot be read.
  if (ReadWholeFile(Sources.MemInfo, Text)) {
    FTotalPhysMem = MemInfoBytes(Text, "MemTotal");
    FAvailPhysMem = MemInfoBytes(Text, "MemAvailable");
  }
  struct sysinfo Si {};
  if ((FTotalPhysMem == 0 || FAvailPhysMem == 0) && sysinfo(&Si) == 0) {
    if (FTotalPhysMem == 0) FTotalPhysMem = uint64_t{Si.totalram} * Si.mem_unit;
    if (FAvailPhysMem == 0) FAvailPhysMem = (uint64_t{Si.freeram} + Si.bufferram) * Si.mem_unit;
  }

  ReReadSerialPorts();
}

void TSysInfo::ReReadSerialPorts() {
  FSerialCommPorts.clear();
  EnumSerialPorts(FSerialCommPorts);
}

}  // namespace vdx
