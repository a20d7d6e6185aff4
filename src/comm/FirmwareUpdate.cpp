// The firmware update through the module's bootloader: entering it, its menu steps (erase,
// program, run the application), streaming the S-record file, and the classic update mode in
// which the technician answers the bootloader's menu in the terminal.
#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "comm/Exchange.h"
#include "comm/ModCommProt.h"

namespace vdx {

namespace {

constexpr int BootTimeoutMs = 3000;
constexpr int EraseTimeoutMs = 6000;
constexpr int ProgrammedTimeoutMs = 2000;
constexpr int StartUpIntervalMs = 1000;
constexpr auto LinePause = std::chrono::milliseconds(10);
// A USB-serial converter may hold written bytes this long before they are on the line.
constexpr auto ConverterDelay = std::chrono::milliseconds(20);

// Keeps the terminal's receive handler detached for a scope, so no byte is taken away.
class TRxDetachScope {
 public:
  explicit TRxDetachScope(std::atomic<int>& Count) : FCount(Count) { ++FCount; }
  ~TRxDetachScope() { --FCount; }
  TRxDetachScope(const TRxDetachScope&) = delete;
  TRxDetachScope& operator=(const TRxDetachScope&) = delete;

 private:
  std::atomic<int>& FCount;
};

// The whole file; false when it does not exist or cannot be read.
bool ReadFirmwareFile(const std::string& FileName, std::string& Data) {
  std::ifstream In(FileName, std::ios::binary);
  if (!In.is_open()) return false;
  Data.assign(std::istreambuf_iterator<char>(In), {});
  return !In.bad();
}

bool Contains(const std::string& Text, const char* Part) {
  return Text.find(Part) != std::string::npos;
}

}  // namespace

std::chrono::nanoseconds TVDXModCommProt::LineTime(size_t Bytes) const {
  return std::chrono::nanoseconds(10 * 1000000000LL * static_cast<int64_t>(Bytes) /
                                  FComPort.BaudRate());
}

void TVDXModCommProt::WriteBeforeRateChange(const std::string& Text) {
  const auto Start = std::chrono::steady_clock::now();
  FComPort.WriteText(Text);
  std::this_thread::sleep_until(Start + LineTime(Text.size()) + ConverterDelay);
}

void TVDXModCommProt::ReopenAt(TModBaudrate Baud) {
  FComPort.ClosePort();
  SetBaudRate(Baud);
  FComPort.OpenPort();
}

bool TVDXModCommProt::BootloaderStep(TBootloaderStep Step) {
  TRxDetachScope Detached(FTerminalRxDetached);
  if (Step == bsStart) return EnterBootloader();
  std::lock_guard Lock(FExchangeLock);
  const bool Half = FTransferMode == tmHalfDuplex;
  std::string Reply;
  try {
    if (!FComPort.Connected()) return false;
    FComPort.PurgeBuffers(true, true);
    switch (Step) {
      case bsErase:
        return SendCommand("1", Half ? "1" : "Erasing", ">", Reply, EraseTimeoutMs) &&
               Contains(Reply, "Erasing");
      case bsProgram:
        return SendCommand("2", Half ? "2" : "Send", "Program", Reply, BootTimeoutMs) &&
               Contains(Reply, "Send file");
      case bsRunApplication:
        if (!RunApplication()) return false;
        FComPort.WriteText("ID\r");
        return true;
      case bsStart:
        break;
    }
  } catch (const TComPortError&) {
  }
  return false;
}

bool TVDXModCommProt::EnterBootloader() {
  Disconnect();
  std::lock_guard Lock(FExchangeLock);
  std::string Reply;
  try {
    FComPort.OpenPort();
    if (FTransferMode == tmHalfDuplex)
      return SendCommand("BOOTLOADER\r", "BOOTLOADER", ">", Reply, BootTimeoutMs) &&
             Contains(Reply, "FLASH erase command");
    WriteBeforeRateChange("BOOTLOADER\r");
  } catch (const TComPortError&) {
    return false;
  }
  // The bootloader talks at 57600 bit/s; its banner answers a carriage return.
  const TModBaudrate Previous = FCurrentBaudrate;
  try {
    ReopenAt(mb57600);
    if (SendCommand("\r", "X.A.VO.", ">", Reply, BootTimeoutMs)) return true;
  } catch (const TComPortError&) {
  }
  try {
    ReopenAt(Previous);
  } catch (const TComPortError&) {
  }
  return false;
}

bool TVDXModCommProt::RunApplication() {
  std::string Reply;
  bool Ok = false;
  if (FTransferMode == tmHalfDuplex) {
    SendCommand("G", "G", "G", Reply, BootTimeoutMs);
    Ok = !Reply.empty();
  } else {
    WriteBeforeRateChange("G");
    ReopenAt(FFixBaudrate);
  }
  // The application's start-up output; after a firmware change it asks a question.
  if (WaitForText(&FComPort, "", "", StartUpIntervalMs, BootTimeoutMs, Reply))
    Ok = SendCommand("y", "", ">", Reply, BootTimeoutMs);
  return Ok;
}

void TVDXModCommProt::StreamFirmware(const std::string& Data, const TFirmwareProgress& Progress) {
  if (Progress) Progress(0, Data.size());
  // The port takes bytes faster than the line carries them. The pause after each line is
  // counted from when the line's last byte has passed the wire, so the bootloader gets it even
  // while the port still holds earlier bytes.
  auto LineFreeAt = std::chrono::steady_clock::now();
  const auto ByteTime = LineTime(1);
  for (size_t I = 0; I < Data.size(); ++I) {
    const char C = Data[I];
    if (C != '\n' && C != '\b') {
      LineFreeAt = std::max(LineFreeAt, std::chrono::steady_clock::now()) + ByteTime;
      FComPort.WriteText(std::string(1, C));
      if (C == '\r') {
        std::this_thread::sleep_until(LineFreeAt + LinePause);
        LineFreeAt = std::chrono::steady_clock::now();
      }
    }
    if (Progress) Progress(I + 1, Data.size());
  }
  std::this_thread::sleep_until(LineFreeAt);
}

bool TVDXModCommProt::SendFirmwareFile(const std::string& FileName,
                                       const TFirmwareProgress& Progress) {
  std::string Data;
  if (!ReadFirmwareFile(FileName, Data)) return false;
  TRxDetachScope Detached(FTerminalRxDetached);
  std::lock_guard Lock(FExchangeLock);
  try {
    StreamFirmware(Data, Progress);
    std::string Reply;
    return WaitForText(&FComPort, "Programming", ">", -1, ProgrammedTimeoutMs, Reply);
  } catch (const TComPortError&) {
    return false;
  }
}

bool TVDXModCommProt::SendFirmwareClassic(const std::string& FileName,
                                          const TFirmwareProgress& Progress) {
  std::string Data;
  if (!ReadFirmwareFile(FileName, Data)) return false;
  std::lock_guard Lock(FExchangeLock);
  try {
    StreamFirmware(Data, Progress);
  } catch (const TComPortError&) {
  }
  return true;
}

void TVDXModCommProt::SetFirmwareUpdateMode(bool On) {
  if (On == FFirmwareUpdateMode) return;
  std::string Reply;
  if (On) {
    Disconnect();
    FFirmwareUpdateMode = true;
    SetOperatingMode(omTerminal);
    std::lock_guard Lock(FExchangeLock);
    try {
      FComPort.OpenPort();
      if (FTransferMode == tmHalfDuplex) {
        SendCommand("BOOTLOADER\r", "BOOTLOADER", ">", Reply, BootTimeoutMs);
        // The bootloader's menu without the echoed command.
        if (FTerminal && Reply.size() > 10) FTerminal->DisplayText(std::string_view(Reply).substr(10));
      } else {
        WriteBeforeRateChange("BOOTLOADER\r");
        ReopenAt(mb57600);
      }
    } catch (const TComPortError&) {
    }
    return;
  }
  std::lock_guard Lock(FExchangeLock);
  if (!FComPort.Connected()) return;
  FFirmwareUpdateMode = false;
  try {
    FComPort.PurgeBuffers(true, true);
    if (FTransferMode == tmHalfDuplex) {
      SendCommand("G", "G", "G", Reply, BootTimeoutMs);
    } else {
      WriteBeforeRateChange("G");
      ReopenAt(FFixBaudrate);
    }
  } catch (const TComPortError&) {
  }
}

}  // namespace vdx
