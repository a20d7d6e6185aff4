// The computer's serial ports with stable "COM" numbers, and the latency check for FTDI
// USB-serial converters.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vdx {

// Where the port layer looks; tests point these at fixture trees.
struct TSerialPortRoots {
  std::string Sys = "/sys";       // sysfs
  std::string Dev = "/dev";       // device nodes, with serial/by-id links
  std::string MapFile;            // COM number map; empty: the default beside the settings file
};

// Set these before the port layer is used; they are read without a lock.
TSerialPortRoots& SerialPortRoots();

struct TSerialPortInfo {
  std::string ComName;  // "COM3"
  std::string Device;   // "/dev/ttyUSB0"
};

// Every serial device with a driver (plain ttyS without a UART left out), each with its stable
// COM number; devices seen for the first time get the lowest free number, which is stored.
// Ports added with AddTransientPort are listed too. Returns false when the map cannot be written.
bool ListSerialPorts(std::vector<TSerialPortInfo>& List);
// The names of ListSerialPorts ("COM3", ...).
bool EnumSerialPorts(std::vector<std::string>& List);

// A port given by its device path for this run only (a pseudo-terminal, say); returns its
// COM name. A path that already has a number keeps it.
std::string AddTransientPort(const std::string& Device);
// Forgets a port added with AddTransientPort (its pseudo-terminal went away, say); its number
// becomes free again.
void RemoveTransientPort(const std::string& Device);

// Device path for "COMn" (case-insensitive), or nullopt when the number is not known.
std::optional<std::string> DeviceForComName(const std::string& ComName);

// Device path of a port name: "COMn" through the map, a path as it is.
std::optional<std::string> ResolvePortName(const std::string& Name);

// The warning for an FTDI converter whose latency timer is above 2 ms, or nullopt.
std::optional<std::string> CheckLatencyTimer(const std::string& PortName);

}  // namespace vdx
