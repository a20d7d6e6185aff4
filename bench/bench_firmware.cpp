// Firmware transfer through the bootloader of a virtual module paced at the line rate: the
// time of SendFirmwareFile against the wire time of the bytes it sends at 57600 bit/s. The
// 10 ms pause after every line overlaps the transmission of what the port still holds, so the
// wire is the floor as long as the pauses add up to less.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "PacedLink.h"

using namespace vdx;

namespace {

constexpr int Records = 256;
constexpr int DataBytes = 32;

// One S1 record at Address with DataBytes bytes.
std::string S1Record(unsigned Address) {
  unsigned Sum = DataBytes + 3 + (Address >> 8) + (Address & 0xFF);
  char Text[16];
  std::snprintf(Text, sizeof Text, "S1%02X%04X", DataBytes + 3, Address);
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
  const std::string File =
      (std::filesystem::temp_directory_path() / ("bench-fw-" + std::to_string(getpid()) + ".s19"))
          .string();
  {
    std::ofstream Out(File, std::ios::binary);
    for (int I = 0; I < Records; ++I)
      Out << S1Record(0x1000 + static_cast<unsigned>(I * DataBytes));
    Out << "S9031000EC\r\n";
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
    const int Lines = Records + 1;
    const double Wire = static_cast<double>(Size - static_cast<uintmax_t>(Lines)) * 10.0 / 57600;
    if (Ok)
      std::printf(
          "SendFirmwareFile: %ju bytes in %d lines at 57600 bit/s\n"
          "  tool %.3f s, wire %.3f s: ratio %.3f; pauses after the lines %.3f s\n",
          static_cast<uintmax_t>(Size), Lines, Seconds, Wire, Seconds / Wire, Lines * 0.010);
  }
  std::filesystem::remove(File);
  if (!Ok) std::fprintf(stderr, "the firmware update failed\n");
  return Ok ? 0 : 1;
}
