// Serial ports from sysfs with stable COM numbers. The number map is a text file of lines
// "COMn=<key>", the key being a USB converter's serial/by-id link (it survives re-plugging into
// another socket) or else the device path. Ports given by path for one run live in memory only.
#include "comm/SerialPortList.h"


#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

#include "app/AppDataFolder.h"
#include "app/AtomicFile.h"

namespace vdx {

namespace {

namespace fs = std::filesystem;

using TPortMap = std::map<int, std::string>;  // COM number -> key (file) or device (transient)

std::mutex Mutex;
TPortMap Transient;

std::string ComName(int Number) { return "COM" + std::to_string(Number); }

// Number of "COMn" (letters in any case), or nullopt.
std::optional<int> ComNumber(const std::string& Name) {
  if (Name.size() < 4 || Name.size() > 12) return std::nullopt;
  for (size_t I = 0; I < 3; ++I)
    if (std::toupper(static_cast<unsigned char>(Name[I])) != "COM"[I]) return std::nullopt;
  int Number = 0;
  const char* End = Name.data() + Name.size();
  const auto [Ptr, Ec] = std::from_chars(Name.data() + 3, End, Number);
  if (Ec != std::errc() || Ptr != End || Number <= 0) return std::nullopt;
  return Number;
}

std::optional<int> NumberOf(const TPortMap& Map, const std::string& Value) {
  for (const auto& [Number, V] : Map)
    if (V == Value) return Number;
  return std::nullopt;
}

std::string Normal(const std::string& Path) { return fs::path(Path).lexically_normal().string(); }

std::string MapFilePath() {
  const std::string& Configured = SerialPortRoots().MapFile;
  return Configured.empty() ? AppDataFolder() + "/vdxtool-ports.ini" : Configured;
}

// A missing file is an empty map; an unreadable one is a failure.
bool LoadMap(TPortMap& Map) {
  Map.clear();
  const std::string Path = MapFilePath();
  std::error_code Ec;
  if (!fs::exists(Path, Ec)) return !Ec;
  std::ifstream In(Path);
  if (!In) return false;
  std::string Line;
  while (std::getline(In, Line)) {
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    const size_t Eq = Line.find('=');
    if (Eq == std::string::npos || Eq + 1 == Line.size()) continue;
    const auto Number = ComNumber(Line.substr(0, Eq));
    const std::string Key = Line.substr(Eq + 1);
    if (Number && !Map.count(*Number) && !NumberOf(Map, Key)) Map[*Number] = Key;
  }
  return !In.bad();
}

// Temporary file in the same folder, flushed to disk, renamed over the map.
bool SaveMap(const TPortMap& Map) {
  const fs::path Path = MapFilePath();
  std::error_code Ec;
  if (Path.has_parent_path()) fs::create_directories(Path.parent_path(), Ec);
  std::string Text;
  for (const auto& [Number, Key] : Map) Text += ComName(Number) + "=" + Key + "\n";
  std::string Error;
  return WriteFileAtomically(Path.string(), Text, Error);
}

// Target of a symbolic link as a normal path (relative targets taken from the link's folder).
fs::path LinkTarget(const fs::path& Link, std::error_code& Ec) {
  const fs::path Target = fs::read_symlink(Link, Ec);
  if (Ec) return {};
  return (Target.is_absolute() ? Target : Link.parent_path() / Target).lexically_normal();
}

fs::path ByIdFolder() { return fs::path(SerialPortRoots().Dev) / "serial" / "by-id"; }

bool InByIdFolder(const fs::path& P) {
  return P.lexically_normal().parent_path() == ByIdFolder().lexically_normal();
}

// The map key of a device: its by-id link when it has one, else its normal path.
std::string KeyForDevice(const std::string& Device) {
  const fs::path Dev = fs::path(Device).lexically_normal();
  if (InByIdFolder(Dev)) return Dev.string();
  std::error_code Ec;
  for (fs::directory_iterator It(ByIdFolder(), Ec), End; !Ec && It != End; It.increment(Ec)) {
    std::error_code LinkEc;
    const fs::path Target = LinkTarget(It->path(), LinkEc);
    if (LinkEc) continue;
    std::error_code SameEc;
    if (Target == Dev || fs::equivalent(Target, Dev, SameEc)) return It->path().string();
  }
  return Dev.string();
}

// The device a key stands for now: a by-id link's target, else the key itself.
std::string DeviceForKey(const std::string& Key) {
  if (!InByIdFolder(Key)) return Key;
  std::error_code Ec;
  const fs::path Target = LinkTarget(Key, Ec);
  return Ec ? Key : Target.string();
}

// Orders "ttyS2" before "ttyS10".
bool NaturalLess(const std::string& A, const std::string& B) {
  size_t I = 0, J = 0;
  while (I < A.size() && J < B.size()) {
    if (std::isdigit(static_cast<unsigned char>(A[I])) &&
        std::isdigit(static_cast<unsigned char>(B[J]))) {
      size_t EndA = I, EndB = J;
      while (EndA < A.size() && std::isdigit(static_cast<unsigned char>(A[EndA]))) ++EndA;
      while (EndB < B.size() && std::isdigit(static_cast<unsigned char>(B[EndB]))) ++EndB;
      const std::string_view RunA = std::string_view(A).substr(I, EndA - I);
      const std::string_view RunB = std::string_view(B).substr(J, EndB - J);
      if (RunA.size() != RunB.size()) return RunA.size() < RunB.size();
      if (RunA != RunB) return RunA < RunB;
      I = EndA;
      J = EndB;
    } else {
      if (A[I] != B[J]) return A[I] < B[J];
      ++I;
      ++J;
    }
  }
  return A.size() - I < B.size() - J;
}

std::optional<int> ReadIntFile(const fs::path& Path) {
  std::ifstream In(Path);
  int Value = 0;
  if (!(In >> Value)) return std::nullopt;
  return Value;
}

// A plain 8250 port name ("ttyS" + digits); these are listed only with a UART behind them.
bool IsPlainTtyS(const std::string& Name) {
  return Name.size() > 4 && Name.compare(0, 4, "ttyS") == 0 &&
         std::all_of(Name.begin() + 4, Name.end(),
                     [](char C) { return std::isdigit(static_cast<unsigned char>(C)); });
}

// Device paths of the serial ports under <Sys>/class/tty, in natural name order. A missing
// folder gives none; an unreadable one fails.
bool ScanDevices(std::vector<std::string>& Devices) {
  const TSerialPortRoots& Roots = SerialPortRoots();
  const fs::path ClassTty = fs::path(Roots.Sys) / "class" / "tty";
  std::error_code Ec;
  fs::directory_iterator It(ClassTty, Ec);
  if (Ec) return Ec == std::errc::no_such_file_or_directory;
  std::vector<std::string> Names;
  for (const fs::directory_iterator End; It != End; It.increment(Ec)) {
    const std::string Name = It->path().filename().string();
    std::error_code DrvEc;
    if (!fs::exists(It->path() / "device" / "driver", DrvEc)) continue;
    if (IsPlainTtyS(Name) && ReadIntFile(It->path() / "type") == 0) continue;
    Names.push_back(Name);
  }
  if (Ec) return false;
  std::sort(Names.begin(), Names.end(), NaturalLess);
  for (const auto& Name : Names) Devices.push_back((fs::path(Roots.Dev) / Name).string());
  return true;
}

int LowestFree(const TPortMap& Map) {
  int Number = 1;
  while (Map.count(Number) || Transient.count(Number)) ++Number;
  return Number;
}

// ListSerialPorts with Mutex held.
bool ListLocked(std::vector<TSerialPortInfo>& List) {
  List.clear();
  std::vector<std::string> Devices;
  const bool Scanned = ScanDevices(Devices);
  TPortMap Map;
  const bool MapRead = LoadMap(Map);

  TPortMap Found;  // number -> device
  bool Changed = false;
  for (const auto& Device : Devices) {
    const std::string Key = KeyForDevice(Device);
    auto Number = NumberOf(Map, Key);
    if (!Number) {
      Number = LowestFree(Map);
      Map[*Number] = Key;
      Changed = true;
    }
    Found[*Number] = Device;
  }
  for (const auto& [Number, Device] : Transient) Found.emplace(Number, Device);

  // An unreadable map is not overwritten: the numbers in it would be lost.
  const bool Saved = !Changed || (MapRead && SaveMap(Map));
  for (const auto& [Number, Device] : Found) List.push_back({ComName(Number), Device});
  return Scanned && MapRead && Saved;
}

std::optional<std::string> LookupLocked(int Number) {
  if (const auto It = Transient.find(Number); It != Transient.end()) return It->second;
  TPortMap Map;
  LoadMap(Map);
  if (const auto It = Map.find(Number); It != Map.end()) return DeviceForKey(It->second);
  return std::nullopt;
}

}  // namespace

TSerialPortRoots& SerialPortRoots() {
  static TSerialPortRoots Roots;
  return Roots;
}

bool ListSerialPorts(std::vector<TSerialPortInfo>& List) {
  std::lock_guard Lock(Mutex);
  return ListLocked(List);
}

bool EnumSerialPorts(std::vector<std::string>& List) {
  std::vector<TSerialPortInfo> Ports;
  const bool Ok = ListSerialPorts(Ports);
  List.clear();
  for (const auto& Port : Ports) List.push_back(Port.ComName);
  return Ok;
}

std::string AddTransientPort(const std::string& Device) {
  std::lock_guard Lock(Mutex);
  // Numbers devices seen for the first time, so a listed device keeps its stable number.
  std::vector<TSerialPortInfo> Ports;
  ListLocked(Ports);
  TPortMap Map;
  LoadMap(Map);
  if (const auto Number = NumberOf(Map, KeyForDevice(Device))) return ComName(*Number);
  const std::string Path = Normal(Device);
  if (const auto Number = NumberOf(Transient, Path)) return ComName(*Number);
  const int Number = LowestFree(Map);
  Transient[Number] = Path;
  return ComName(Number);
}

void RemoveTransientPort(const std::string& Device) {
  std::lock_guard Lock(Mutex);
  std::erase_if(Transient, [&](const auto& Entry) { return Entry.second == Normal(Device); });
}

std::optional<std::string> DeviceForComName(const std::string& ComName) {
  const auto Number = ComNumber(ComName);
  if (!Number) return std::nullopt;
  std::lock_guard Lock(Mutex);
  if (auto Device = LookupLocked(*Number)) return Device;
  // Not numbered yet: a device plugged in since the last listing gets its number now.
  std::vector<TSerialPortInfo> Ports;
  ListLocked(Ports);
  return LookupLocked(*Number);
}

std::optional<std::string> ResolvePortName(const std::string& Name) {
  if (!Name.empty() && Name[0] == '/') return Name;
  return DeviceForComName(Name);
}

std::optional<std::string> CheckLatencyTimer(const std::string& PortName) {
  const auto Device = ResolvePortName(PortName);
  if (!Device) return std::nullopt;
  fs::path Path = fs::path(*Device).lexically_normal();
  std::error_code Ec;
  if (fs::is_symlink(Path, Ec)) Path = LinkTarget(Path, Ec);
  if (Ec) return std::nullopt;
  const std::string Name = Path.filename().string();
  if (Name.compare(0, 6, "ttyUSB") != 0) return std::nullopt;

  const fs::path UsbSerial =
      fs::path(SerialPortRoots().Sys) / "bus" / "usb-serial" / "devices" / Name;
  const fs::path Driver = fs::read_symlink(UsbSerial / "driver", Ec);
  if (Ec || Driver.filename() != "ftdi_sio") return std::nullopt;
  const auto Latency = ReadIntFile(UsbSerial / "latency_timer");
  if (!Latency || *Latency <= 2) return std::nullopt;
  return "Please change the \"Latency Timer\" to 2 ms (Device Manager: " + PortName +
         " /expanded setup) for correct MONITOR/OSCILLOSCOPE function!";
}

}  // namespace vdx
