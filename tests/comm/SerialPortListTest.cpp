// Port list, stable COM numbers and the latency check on a fixture sysfs and /dev tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "TestScopes.h"
#include "comm/SerialPortList.h"

namespace vdx {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFtdiById = "usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0";

class SerialPortListTest : public ::testing::Test {
 protected:
  // Two 8250 ports (one without a UART), two FTDI converters at 16 ms and 2 ms, one converter
  // of another make, and virtual terminals without a device.
  void SetUp() override {
    ForgetLeftoverTransientPorts();
    AddTty("ttyS0", "serial8250", 4);
    AddTty("ttyS1", "serial8250", 0);
    AddTty("ttyUSB0", "ftdi_sio");
    AddTty("ttyUSB1", "ftdi_sio");
    AddTty("ttyUSB2", "pl2303");
    AddUsbSerial("ttyUSB0", "ftdi_sio", 16);
    AddUsbSerial("ttyUSB1", "ftdi_sio", 2);
    AddUsbSerial("ttyUSB2", "pl2303", 16);
    AddById(kFtdiById, "ttyUSB0");
    fs::create_directories(Temp.Path() / "sys/class/tty/tty1");
    fs::create_directories(Temp.Path() / "sys/class/tty/console");
  }

  void TearDown() override {
    for (const auto& Device : Transients) RemoveTransientPort(Device);
  }

  // Transient ports that earlier tests in this process left registered would take numbers.
  // With the fixture's sysfs still empty, everything listed is such a port.
  static void ForgetLeftoverTransientPorts() {
    std::vector<TSerialPortInfo> List;
    ListSerialPorts(List);
    for (const auto& Port : List) RemoveTransientPort(Port.Device);
  }

  void AddTty(const std::string& Name, const std::string& Driver, std::optional<int> Type = {}) {
    const fs::path Sys = Temp.Path() / "sys";
    const fs::path DriverDir = Sys / "bus/drivers" / Driver;
    const fs::path Tty = Sys / "class/tty" / Name;
    fs::create_directories(DriverDir);
    fs::create_directories(Tty / "device");
    fs::create_directory_symlink(DriverDir, Tty / "device/driver");
    if (Type) std::ofstream(Tty / "type") << *Type << "\n";
    fs::create_directories(Temp.Path() / "dev");
    std::ofstream(Temp.Path() / "dev" / Name);
  }

  void RemoveTty(const std::string& Name) { fs::remove_all(Temp.Path() / "sys/class/tty" / Name); }

  void AddUsbSerial(const std::string& Name, const std::string& Driver, int LatencyMs) {
    const fs::path Usb = Temp.Path() / "sys/bus/usb-serial";
    fs::create_directories(Usb / "drivers" / Driver);
    fs::create_directories(Usb / "devices" / Name);
    fs::create_directory_symlink("../../drivers/" + Driver, Usb / "devices" / Name / "driver");
    std::ofstream(Usb / "devices" / Name / "latency_timer") << LatencyMs << "\n";
  }

  void AddById(const std::string& Link, const std::string& Name) {
    const fs::path ById = Temp.Path() / "dev/serial/by-id";
    fs::create_directories(ById);
    fs::remove(ById / Link);
    fs::create_symlink("../../" + Name, ById / Link);
  }

  std::string Dev(const std::string& Name) const { return Temp / ("dev/" + Name); }

  // Device name ("ttyUSB0") -> COM name, from ListSerialPorts.
  std::map<std::string, std::string> Listed() {
    std::vector<TSerialPortInfo> List;
    EXPECT_TRUE(ListSerialPorts(List));
    std::map<std::string, std::string> Names;
    for (const auto& Port : List) Names[fs::path(Port.Device).filename().string()] = Port.ComName;
    EXPECT_EQ(Names.size(), List.size()) << "a device listed twice";
    return Names;
  }

  std::string MapText() const {
    std::ifstream In(SerialPortRoots().MapFile);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
  }

  std::string AddTransient(const std::string& Device) {
    Transients.push_back(Device);
    return AddTransientPort(Device);
  }

  testing::TTempFolder Temp;
  testing::TPortRootsScope Roots{Temp};
  std::vector<std::string> Transients;
};

using TNames = std::map<std::string, std::string>;

TEST_F(SerialPortListTest, NumbersDevicesOnceAndKeepsTheNumbersAcrossReplugging) {
  const TNames First = {
      {"ttyS0", "COM1"}, {"ttyUSB0", "COM2"}, {"ttyUSB1", "COM3"}, {"ttyUSB2", "COM4"}};
  EXPECT_EQ(Listed(), First);
  EXPECT_EQ(MapText(), "COM1=" + Dev("ttyS0") + "\nCOM2=" + Dev("serial/by-id/") + kFtdiById +
                           "\nCOM3=" + Dev("ttyUSB1") + "\nCOM4=" + Dev("ttyUSB2") + "\n");
  EXPECT_EQ(Listed(), First);
  std::vector<std::string> Names;
  EXPECT_TRUE(EnumSerialPorts(Names));
  EXPECT_EQ(Names, (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4"}));

  // The FTDI converter is unplugged; a new device does not take its number.
  RemoveTty("ttyUSB0");
  fs::remove(Dev("serial/by-id/") + kFtdiById);
  AddTty("ttyACM0", "cdc_acm");
  EXPECT_EQ(
      Listed(),
      (TNames{{"ttyS0", "COM1"}, {"ttyUSB1", "COM3"}, {"ttyUSB2", "COM4"}, {"ttyACM0", "COM5"}}));

  // It comes back in another socket under another node name and gets its number again.
  AddTty("ttyUSB3", "ftdi_sio");
  AddById(kFtdiById, "ttyUSB3");
  EXPECT_EQ(Listed(), (TNames{{"ttyS0", "COM1"},
                              {"ttyUSB3", "COM2"},
                              {"ttyUSB1", "COM3"},
                              {"ttyUSB2", "COM4"},
                              {"ttyACM0", "COM5"}}));
  EXPECT_EQ(DeviceForComName("COM2"), Dev("ttyUSB3"));
}

TEST_F(SerialPortListTest, NewDevicesGetTheLowestFreeNumbers) {
  fs::create_directories(fs::path(SerialPortRoots().MapFile).parent_path());
  std::ofstream(SerialPortRoots().MapFile) << "COM1=/dev/ttyACM7\nnot a port line\n"
                                           << "COM3=" << Dev("ttyUSB1") << "\r\n";
  EXPECT_EQ(
      Listed(),
      (TNames{{"ttyS0", "COM2"}, {"ttyUSB0", "COM4"}, {"ttyUSB1", "COM3"}, {"ttyUSB2", "COM5"}}));
  EXPECT_EQ(DeviceForComName("COM1"), "/dev/ttyACM7") << "an absent device keeps its number";
}

TEST_F(SerialPortListTest, TransientPortsShareTheNumbersButStayOutOfTheMap) {
  const std::string Pty = Temp / "pts/7";
  EXPECT_EQ(AddTransient(Pty), "COM5");
  EXPECT_EQ(AddTransient(Pty), "COM5");
  EXPECT_EQ(AddTransient(Dev("ttyUSB0")), "COM2") << "a numbered device keeps its number";
  EXPECT_EQ(MapText().find("pts"), std::string::npos);

  AddTty("ttyUSB3", "ftdi_sio");
  EXPECT_EQ(Listed(), (TNames{{"ttyS0", "COM1"},
                              {"ttyUSB0", "COM2"},
                              {"ttyUSB1", "COM3"},
                              {"ttyUSB2", "COM4"},
                              {"7", "COM5"},
                              {"ttyUSB3", "COM6"}}));
  EXPECT_EQ(ResolvePortName("com5"), Pty);

  RemoveTransientPort(Pty);
  EXPECT_EQ(DeviceForComName("COM5"), std::nullopt);
  EXPECT_EQ(AddTransient(Temp / "pts/8"), "COM5") << "the number is free again";
}

TEST_F(SerialPortListTest, ResolvesPortNames) {
  // No listing before: an unknown number triggers one, so "COMn" works on first use.
  const std::pair<std::string, std::optional<std::string>> Cases[] = {
      {"COM2", Dev("ttyUSB0")},  // through the by-id link
      {"com1", Dev("ttyS0")},       {"COM99", std::nullopt}, {"COM", std::nullopt},
      {"COM-1", std::nullopt},      {"COMx", std::nullopt},  {"ttyUSB0", std::nullopt},
      {"/dev/pts/3", "/dev/pts/3"},
  };
  for (const auto& [Name, Device] : Cases) EXPECT_EQ(ResolvePortName(Name), Device) << Name;
}

TEST_F(SerialPortListTest, LatencyWarningOnlyForSlowFtdiConverters) {
  Listed();  // ttyS0 COM1, ttyUSB0 COM2, ttyUSB1 COM3, ttyUSB2 COM4
  EXPECT_EQ(CheckLatencyTimer("COM2"),
            "Please change the \"Latency Timer\" to 2 ms (Device Manager: COM2 /expanded setup) "
            "for correct MONITOR/OSCILLOSCOPE function!");
  for (const char* Quiet : {"COM3", "COM4", "COM1", "COM99"})
    EXPECT_EQ(CheckLatencyTimer(Quiet), std::nullopt) << Quiet;
}

TEST_F(SerialPortListTest, MissingSysfsGivesAnEmptyListAndSuccess) {
  SerialPortRoots().Sys = Temp / "no-sysfs";
  std::vector<TSerialPortInfo> List{{"COM9", "/dev/stale"}};
  EXPECT_TRUE(ListSerialPorts(List));
  EXPECT_TRUE(List.empty());
}

TEST_F(SerialPortListTest, UnwritableMapFailsButStillListsThePorts) {
  std::ofstream(Temp / "blocker") << "a file where a folder should be";
  SerialPortRoots().MapFile = Temp / "blocker/vdxtool-ports.ini";
  std::vector<TSerialPortInfo> List;
  EXPECT_FALSE(ListSerialPorts(List));
  EXPECT_EQ(List.size(), 4u);
}

TEST_F(SerialPortListTest, DefaultMapLiesInTheSettingsFolderAndIsReplacedWhole) {
  testing::TEnvScope Env(
      {{"appdata", std::nullopt}, {"APPDATA", std::nullopt}, {"XDG_CONFIG_HOME", Temp / "config"}});
  SerialPortRoots().MapFile.clear();
  Listed();
  AddTty("ttyACM0", "cdc_acm");
  Listed();
  const fs::path Folder = Temp.Path() / "config/Xavo";
  std::vector<std::string> Files;
  for (const auto& Entry : fs::directory_iterator(Folder))
    Files.push_back(Entry.path().filename().string());
  EXPECT_EQ(Files, std::vector<std::string>{"vdxtool-ports.ini"}) << "no temporary file left";
  SerialPortRoots().MapFile = (Folder / "vdxtool-ports.ini").string();
  EXPECT_NE(MapText().find("COM5=" + Dev("ttyACM0") + "\n"), std::string::npos);
}

}  // namespace
}  // namespace vdx
