// The PC's end of the line in the simulator tests: plain termios, read and write on the
// pseudo-terminal's slave side.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

#include "sim/ModuleSim.h"
#include "sim/PtyLine.h"

namespace vdx::sim::test {

// Options with a few members changed: Options([](TSimOptions& O) { O.Paced = true; }).
template <class TEdit>
TSimOptions Options(TEdit Edit) {
  TSimOptions O;
  Edit(O);
  return O;
}

class TSimClient {
 public:
  explicit TSimClient(const std::string& Path, int BaudRate = 9600) {
    FFd = open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (FFd >= 0) SetBaudRate(BaudRate);
  }
  ~TSimClient() {
    if (FFd >= 0) close(FFd);
  }
  TSimClient(const TSimClient&) = delete;
  TSimClient& operator=(const TSimClient&) = delete;

  bool IsOpen() const { return FFd >= 0; }

  void SetBaudRate(int BaudRate) {
    termios T{};
    tcgetattr(FFd, &T);
    cfmakeraw(&T);
    cfsetspeed(&T, SpeedOfBaudRate(BaudRate));
    tcsetattr(FFd, TCSANOW, &T);
  }

  void Write(const std::string& Text) {
    size_t Done = 0;
    while (Done < Text.size()) {
      const ssize_t N = write(FFd, Text.data() + Done, Text.size() - Done);
      if (N > 0) Done += static_cast<size_t>(N);
      if (N < 0 && errno != EAGAIN && errno != EINTR) return;
    }
  }

  // Everything received until the text ends with End, or until no byte came for QuietMs.
  std::string ReadUntil(const std::string& End, int QuietMs = 1000) {
    std::string Text;
    while (!(Text.size() >= End.size() &&
             Text.compare(Text.size() - End.size(), End.size(), End) == 0)) {
      char C;
      if (!ReadByte(C, QuietMs)) break;
      Text += C;
    }
    return Text;
  }

  // Everything received within Ms.
  std::string ReadFor(int Ms) {
    std::string Text;
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    for (;;) {
      const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            Deadline - std::chrono::steady_clock::now())
                            .count();
      char C;
      if (Left <= 0 || !ReadByte(C, static_cast<int>(Left))) return Text;
      Text += C;
    }
  }

  // Sends a command with CR and returns what the module sent back, up to its prompt.
  std::string Exchange(const std::string& Command, const std::string& Prompt = ">") {
    Write(Command + "\r");
    return ReadUntil(Prompt);
  }

  // True when the line hangs up (read reports the end or an error) within Ms.
  bool HangsUp(int Ms) {
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    while (std::chrono::steady_clock::now() < Deadline) {
      pollfd P{FFd, POLLIN, 0};
      if (poll(&P, 1, 10) < 0) return true;
      if (P.revents & (POLLHUP | POLLERR)) return true;
      if ((P.revents & POLLIN) == 0) continue;
      char C;
      const ssize_t N = read(FFd, &C, 1);
      if (N == 0 || (N < 0 && errno != EAGAIN && errno != EINTR)) return true;
    }
    return false;
  }

 private:
  bool ReadByte(char& C, int TimeoutMs) {
    pollfd P{FFd, POLLIN, 0};
    if (poll(&P, 1, TimeoutMs) <= 0) return false;
    return read(FFd, &C, 1) == 1;
  }

  int FFd = -1;
};

}  // namespace vdx::sim::test
