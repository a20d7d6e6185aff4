// Firmware transfer through the bootloader of a virtual module paced at the line rate: the
// time of SendFirmwareFile for a 256 KiB S-record file against the wire time of the bytes it
// sends at 57600 bit/s, and against the wire time plus the 10 ms pause after every line, which
// is what the transfer has to take: the pauses fall between the lines on the wire.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "PacedLink.h"

using namespace vdx;

namespace {

constexpr int DataBytes = 32;
constexpr uintmax_t FileBytes = 256 * 1024;

// One S2 record at Address (24 bits) with DataBytes bytes.
std::string S2Record(unsigned Address) {
  unsigned Sum = DataBytes + 4 + (Address >> 16) + ((Address >> 8) & 0xFF) + (Address & 0xFF);
  char Text[16];
  std::snprintf(Text, sizeof Text, "S2%02X%06X", DataBytes + 4, Address);
  std::string Record = Text;
  for (int I = 0; I < DataBytes; ++I) {
    const unsigned Byte = (Address + static_cast<unsigned>(I) * 7) & 0xFF;
    Sum += Byte;
    std::snprintf(Text, sizeof Text, "%02X", Byte);
    Record += Text;
  }
  std::snprintf(Text, sizeof Text, "%02X", ~Sum & 0xFF);
  return Record + Text + "\r\n";
}

}  // namespace

int main() {
  int Lines = 0;
  const std::string File =
      (std::filesystem::temp_directory_path() / ("bench-fw-" + std::to_string(getpid()) + ".s19"))
          .string();
  {
    std::ofstream Out(File, std::ios::binary);
    for (unsigned Address = 0x10000; Out.tellp() < static_cast<std::streamoff>(FileBytes);
         Address += DataBytes) {
      Out << S2Record(Address);
      ++Lines;
    }
    Out << "S804010000FA\r\n";
    ++Lines;
  }
  const auto Size = std::filesystem::file_size(File);
  bench::TPacedLink Link(mb9600);
  bool Ok = Link.Connect() && Link.Prot.BootloaderStep(bsStart) &&
            Link.Prot.BootloaderStep(bsErase) && Link.Prot.BootloaderStep(bsProgram);
  if (Ok) {
    const auto Start = std::chrono::steady_clock::now();
    Ok = Link.Prot.SendFirmwareFile(File);
    const double Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    const double Wire = static_cast<double>(Size - static_cast<uintmax_t>(Lines)) * 10.0 / 57600;
    const double Pauses = Lines * 0.010;
    if (Ok)
      std::printf(
          "SendFirmwareFile: %ju bytes in %d lines at 57600 bit/s\n"
          "  tool %.3f s, wire %.3f s: ratio %.3f; wire + pauses %.3f s: ratio %.3f "
          "(target <= 1.05)\n",
          static_cast<uintmax_t>(Size), Lines, Seconds, Wire, Seconds / Wire, Wire + Pauses,
          Seconds / (Wire + Pauses));
    if (Ok) {
      bench::ReportFigure("firmware file at 57600 bit/s: tool / wire time", "-", Seconds / Wire);
      bench::ReportFigure("firmware file at 57600 bit/s: tool / (wire + pauses)", "<= 1.05",
                          Seconds / (Wire + Pauses));
    }
  }
  std::filesystem::remove(File);
  if (!Ok) std::fprintf(stderr, "the firmware update failed\n");
  return Ok ? 0 : 1;
}
