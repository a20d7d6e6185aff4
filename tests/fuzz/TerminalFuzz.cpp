// The terminal's receive path: bytes a module sends on a real pseudo-terminal reach the linked
// terminal view through the protocol component, all of them and in order; on a two-wire line
// the line's copy of the last key typed is dropped. The input's first byte picks the line (bit 0:
// half duplex), the second is the key typed before the module's bytes, the rest are those bytes.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "FuzzSupport.h"
#include "comm/ModCommProt.h"
#include "comm/TextUtil.h"

using namespace vdx;
using fuzz::Check;

namespace {

// Most bytes one input sends: well within a pseudo-terminal's buffer.
constexpr size_t MaxBytes = 1024;

struct TShownText : ITerminalView {
  void DisplayText(std::string_view Text) override { Shown += Text; }
  std::string Shown;
};

// A protocol component in terminal mode on the slave side of a pseudo-terminal; the test
// plays the module on the master side.
struct TTerminalLink {
  explicit TTerminalLink(TTransferMode Mode) {
    Master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    Check(Master >= 0 && grantpt(Master) == 0 && unlockpt(Master) == 0,
          "no pseudo-terminal available");
    Prot.ComPort().SetPort(ptsname(Master));
    Prot.SetAutoBaudDetection(false);
    Prot.SetAutoSetBaudrate(false);
    Prot.SetTransferMode(Mode);
    Check(Prot.Connect(), "the pseudo-terminal does not open");
    Prot.SetTerminal(&View);
    Prot.SetOperatingMode(omTerminal);
    Check(Prot.TerminalPathLive(), "the terminal path is not live");
  }
  ~TTerminalLink() {
    Prot.SetTerminal(nullptr);
    Prot.Disconnect();
    close(Master);
  }

  // Reads what the component sent to the module.
  void DrainKeys() {
    char Buffer[256];
    const auto End = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < End) {
      if (read(Master, Buffer, sizeof Buffer) > 0) return;
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    Check(false, "a typed key did not reach the module");
  }

  // Writes the module's bytes; the pseudo-terminal may take them in parts, with short waits
  // while the kernel passes earlier bytes on.
  void Send(const std::string& Bytes) {
    const auto End = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (size_t Done = 0; Done < Bytes.size();) {
      const ssize_t N = write(Master, Bytes.data() + Done, Bytes.size() - Done);
      if (N > 0) {
        Done += static_cast<size_t>(N);
        continue;
      }
      Check(N < 0 && errno == EAGAIN && std::chrono::steady_clock::now() < End,
            "the module side cannot write");
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
  }

  int Master = -1;
  TShownText View;
  TVDXModCommProt Prot;
};

size_t Latin1Above127(const std::string& S) {
  size_t N = 0;
  for (char C : S) N += static_cast<unsigned char>(C) >= 0x80;
  return N;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 3) return 0;
  static TTerminalLink Full(tmFullDuplex);
  static TTerminalLink Half(tmHalfDuplex);
  TTerminalLink& Link = (Data[0] & 1) ? Half : Full;
  const char Key = static_cast<char>(Data[1]);
  const std::string Bytes = fuzz::AsText(Data + 2, std::min(Size - 2, MaxBytes));

  Link.View.Shown.clear();
  Check(Link.Prot.ComPort().BytesWaiting() == 0, "bytes of an earlier input are still waiting");
  Check(Link.Prot.SendTerminalChar(Key), "a key was refused in terminal mode");
  Link.DrainKeys();
  std::string Expected = Bytes;
  if (&Link == &Half && Key != 0 && Bytes[0] == Key) Expected.erase(0, 1);

  Link.Send(Bytes);
  // The bytes reach the port a moment after they were written; wait for the first one, so the
  // component's first read (the one that may drop the copy of the key) sees it.
  const auto End = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (Link.Prot.ComPort().BytesWaiting() == 0 && std::chrono::steady_clock::now() < End)
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  do {
    Link.Prot.TerminalRxChar();
    if (Link.View.Shown.size() < Expected.size())
      std::this_thread::sleep_for(std::chrono::microseconds(50));
  } while (Link.View.Shown.size() < Expected.size() && std::chrono::steady_clock::now() < End);
  Check(Link.View.Shown == Expected, "the terminal shows other bytes than the module sent");

  // The command line's terminal shows them as UTF-8: two bytes for each one above 127.
  const std::string Utf8 = Latin1ToUtf8(Link.View.Shown);
  Check(Utf8.size() == Expected.size() + Latin1Above127(Expected), "UTF-8 text of odd length");
  return 0;
}
