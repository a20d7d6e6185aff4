// Facts about the computer for the about box, read once when created, and the serial port
// list, read when created and again on request.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vdx {

// Where the facts are read; tests point these at fixture files.
struct TSysInfoSources {
  std::vector<std::string> OsRelease = {"/etc/os-release",
                                        "/usr/lib/os-release"};  // first readable
  std::string CpuInfo = "/proc/cpuinfo";
  std::string MemInfo = "/proc/meminfo";
};

class TSysInfo {
 public:
  explicit TSysInfo(const TSysInfoSources& Sources = {});

  // Facts that cannot be read stay empty (0 for memory).
  // "Debian GNU/Linux 12 (bookworm)": PRETTY_NAME of os-release, else NAME and VERSION.
  const std::string& OsName() const { return FOsName; }
  // "12": VERSION_ID of os-release.
  const std::string& OsVersion() const { return FOsVersion; }
  // Kernel release and machine of uname ("6.1.0-18-amd64", "x86_64").
  const std::string& KernelRelease() const { return FKernelRelease; }
  const std::string& Machine() const { return FMachine; }
  // The first processor's model name from /proc/cpuinfo.
  const std::string& ProcessorName() const { return FProcessorName; }
  // Bytes of physical memory and of memory available to programs at creation.
  uint64_t TotalPhysMem() const { return FTotalPhysMem; }
  uint64_t AvailPhysMem() const { return FAvailPhysMem; }

  // Serial port names ("COM3", ...) in the port layer's order; a failure shortens the list.
  const std::vector<std::string>& SerialCommPorts() const { return FSerialCommPorts; }
  void ReReadSerialPorts();

 private:
  std::string FOsName, FOsVersion, FKernelRelease, FMachine, FProcessorName;
  uint64_t FTotalPhysMem = 0;
  uint64_t FAvailPhysMem = 0;
  std::vector<std::string> FSerialCommPorts;
};

}  // namespace vdx
