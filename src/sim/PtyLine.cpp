#include "sim/PtyLine.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vdx::sim {

namespace {

constexpr struct {
  int Rate;
  speed_t Speed;
} SpeedTable[] = {{1200, B1200},   {2400, B2400},     {4800, B4800},
                  {9600, B9600},   {19200, B19200},   {38400, B38400},
                  {57600, B57600}, {115200, B115200}, {230400, B230400}};

std::string SysError(const char* What) { return std::string(What) + ": " + std::strerror(errno); }

}  // namespace

unsigned SpeedOfBaudRate(int BaudRate) {
  for (const auto& E : SpeedTable)
    if (E.Rate == BaudRate) return E.Speed;
  return B0;
}

int BaudRateOfSpeed(unsigned Speed) {
  for (const auto& E : SpeedTable)
    if (E.Speed == Speed) return E.Rate;
  return 0;
}

bool TPtyLine::Open(int BaudRate, std::string& Error) {
  Close();
  FMaster = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (FMaster < 0) {
    Error = SysError("posix_openpt");
    return false;
  }
  char Name[128];
  if (grantpt(FMaster) != 0 || unlockpt(FMaster) != 0 ||
      ptsname_r(FMaster, Name, sizeof Name) != 0) {
    Error = SysError("pseudo-terminal setup");
    Close();
    return false;
  }
  FSlavePath = Name;
  FSlave = open(Name, O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (FSlave < 0) {
    Error = SysError(("open " + FSlavePath).c_str());
    Close();
    return false;
  }
  // Raw both ways: no echo, no CR/LF translation by the line discipline. On Linux the master's
  // termios calls reach the slave, so this is the one setting that matters.
  termios T{};
  if (tcgetattr(FSlave, &T) != 0) {
    Error = SysError("tcgetattr");
    Close();
    return false;
  }
  cfmakeraw(&T);
  T.c_cflag |= CLOCAL | CREAD;
  cfsetspeed(&T, SpeedOfBaudRate(BaudRate));
  if (tcsetattr(FSlave, TCSANOW, &T) != 0) {
    Error = SysError("tcsetattr");
    Close();
    return false;
  }
  return true;
}

void TPtyLine::HangUp() {
  if (FMaster >= 0) close(FMaster);
  FMaster = -1;
}

void TPtyLine::Close() {
  HangUp();
  if (FSlave >= 0) close(FSlave);
  FSlave = -1;
}

int TPtyLine::LineBaudRate() const {
  termios T{};
  if (FMaster < 0 || tcgetattr(FMaster, &T) != 0) return 0;
  return BaudRateOfSpeed(cfgetispeed(&T));
}

long TPtyLine::Read(char* Buffer, size_t Size) {
  if (FMaster < 0) return -1;
  for (;;) {
    const ssize_t N = read(FMaster, Buffer, Size);
    if (N > 0) return N;
    if (N < 0 && errno == EINTR) continue;
    if (N < 0 && errno == EAGAIN) return 0;
    return -1;
  }
}

bool TPtyLine::Write(const char* Data, size_t Size, std::chrono::milliseconds Timeout) {
  const auto Deadline = std::chrono::steady_clock::now() + Timeout;
  while (Size > 0) {
    if (FMaster < 0) return false;
    const ssize_t N = write(FMaster, Data, Size);
    if (N > 0) {
      Data += N;
      Size -= static_cast<size_t>(N);
      continue;
    }
    if (N < 0 && errno == EINTR) continue;
    if (N < 0 && errno != EAGAIN) return false;
    const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(
        Deadline - std::chrono::steady_clock::now());
    if (Left.count() <= 0) return false;
    pollfd P{FMaster, POLLOUT, 0};
    poll(&P, 1, static_cast<int>(Left.count()) + 1);
  }
  return true;
}

}  // namespace vdx::sim
