// TComPort over termios and poll(). The descriptor is always non-blocking; every wait is a poll()
// against a steady_clock deadline, so no call can hang beyond its time-out.
#include "comm/ComPort.h"

#include <fcntl.h>
#include <libintl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <optional>

#include "comm/SerialPortList.h"

namespace vdx {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Message texts; translated through the "cport" catalogue when an error is raised.
constexpr const char* kOpenFailed = "Unable to open com port";
constexpr const char* kSetCommStateFailed = "SetCommState function failed";
constexpr const char* kPurgeFailed = "PurgeComm function failed";
constexpr const char* kWriteFailed = "WriteFile function failed";
constexpr const char* kReadFailed = "ReadFile function failed";
constexpr const char* kClearCommErrorFailed = "ClearCommError function failed";

// Longest single wait we compute with; keeps deadline arithmetic far from overflow.
constexpr uint64_t kMaxWaitMs = INT32_MAX;

std::string PortMessage(const char* Text, int Code) {
  return std::string(dgettext("cport", Text)) + " (win error code: " + std::to_string(Code) + ")";
}

// Errors after which the device is gone (hang-up, unplugged converter, closed pty master).
bool IsLinkGone(int Err) { return Err == EIO || Err == ENXIO || Err == ENODEV || Err == EPIPE; }

speed_t SpeedFor(int Bps) {
  switch (Bps) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    case 460800:
      return B460800;
    case 921600:
      return B921600;
    default:
      return B0;
  }
}

// Remaining time for poll(), rounded up so a wait never ends before its deadline.
int CeilMs(Clock::duration D) {
  const auto Ms = std::chrono::ceil<milliseconds>(D).count();
  return static_cast<int>(std::clamp<int64_t>(Ms, 0, INT_MAX));
}

// poll() on one descriptor. Returns revents, 0 on time-out or interruption (the caller
// recomputes its remaining time), -1 with errno on failure.
int PollOnce(int Fd, short Events, int TimeoutMs) {
  pollfd P{Fd, Events, 0};
  const int R = poll(&P, 1, TimeoutMs);
  if (R < 0) return errno == EINTR ? 0 : -1;
  return R == 0 ? 0 : P.revents;
}

// Gives up exclusive use, drops whatever is still queued and closes.
void CloseFd(int Fd) {
  ioctl(Fd, TIOCNXCL);
  tcflush(Fd, TCIOFLUSH);
  close(Fd);
}

}  // namespace

TComPortError::TComPortError(const char* text, int code)
    : std::runtime_error(PortMessage(text, code)), FCode(code) {}

void BindPortMessages(const std::string& LocaleDir) {
  bindtextdomain("cport", LocaleDir.c_str());
  bind_textdomain_codeset("cport", "UTF-8");
}

TComPort::TComPort() = default;

TComPort::~TComPort() { ClosePort(); }

void TComPort::SetPort(const std::string& Name) {
  if (FFd < 0) {
    FPort = Name;
    return;
  }
  ClosePort();
  FPort = Name;
  OpenPort();
}

void TComPort::SetBaudRate(int Bps) {
  if (SpeedFor(Bps) == B0) throw TComPortError(kSetCommStateFailed, EINVAL);
  if (FFd >= 0) ApplyLineSettings(FFd, Bps);
  FBaudRate = Bps;
}

void TComPort::SetConnected(bool Value) {
  if (Value)
    OpenPort();
  else
    ClosePort();
}

void TComPort::OpenPort() {
  if (FFd >= 0) return;
  std::string Path = FPort;
  if (Path.empty() || Path[0] != '/') {
    const auto Device = ResolvePortName(FPort);
    if (!Device) throw TComPortError(kOpenFailed, ENOENT);
    Path = *Device;
  }
  const int Fd = open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (Fd < 0) throw TComPortError(kOpenFailed, errno);
  if (!isatty(Fd)) {
    close(Fd);
    throw TComPortError(kOpenFailed, ENOTTY);
  }
  if (ioctl(Fd, TIOCEXCL) != 0) {
    const int Err = errno;
    close(Fd);
    throw TComPortError(kOpenFailed, Err);
  }
  try {
    ApplyLineSettings(Fd, FBaudRate);
    // DTR and RTS inactive; pseudo-terminals have no modem lines and refuse the request.
    int Lines = TIOCM_DTR | TIOCM_RTS;
    if (ioctl(Fd, TIOCMBIC, &Lines) != 0 && errno != ENOTTY && errno != EINVAL)
      throw TComPortError(kSetCommStateFailed, errno);
  } catch (...) {
    CloseFd(Fd);
    throw;
  }
  FFd = Fd;
  if (OnReopened) OnReopened();
}

void TComPort::ClosePort() {
  const int Fd = FFd.exchange(-1);
  if (Fd >= 0) CloseFd(Fd);
}

void TComPort::ApplyLineSettings(int Fd, int Bps) const {
  const speed_t Speed = SpeedFor(Bps);
  if (Speed == B0) throw TComPortError(kSetCommStateFailed, EINVAL);
  termios T{};
  if (tcgetattr(Fd, &T) != 0) throw TComPortError(kSetCommStateFailed, errno);
  cfmakeraw(&T);
  T.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
  T.c_cflag |= CS8 | CLOCAL | CREAD;
  T.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
  T.c_cc[VMIN] = 0;
  T.c_cc[VTIME] = 0;
  if (cfsetispeed(&T, Speed) != 0 || cfsetospeed(&T, Speed) != 0)
    throw TComPortError(kSetCommStateFailed, errno);
  if (tcsetattr(Fd, TCSANOW, &T) != 0) throw TComPortError(kSetCommStateFailed, errno);
}

void TComPort::LinkLost(const char* Text, int Code) {
  ClosePort();
  throw TComPortError(Text, Code);
}

void TComPort::PurgeBuffers(bool Input, bool Output) {
  if (!Input && !Output) return;
  if (FFd < 0) throw TComPortError(kPurgeFailed, EBADF);
  const int Queue = Input && Output ? TCIOFLUSH : Input ? TCIFLUSH : TCOFLUSH;
  if (tcflush(FFd, Queue) != 0) {
    if (IsLinkGone(errno)) LinkLost(kPurgeFailed, errno);
    throw TComPortError(kPurgeFailed, errno);
  }
}

int TComPort::WriteText(const std::string& S) {
  if (FFd < 0) throw TComPortError(kWriteFailed, EBADF);
  const auto Deadline = Clock::now() + milliseconds(100 * static_cast<int64_t>(S.size()) + 1000);
  size_t Done = 0;
  while (Done < S.size()) {
    const ssize_t R = write(FFd, S.data() + Done, S.size() - Done);
    if (R > 0) {
      if (OnTrace) OnTrace(TTraceDirection::tdSent, S.substr(Done, static_cast<size_t>(R)));
      Done += static_cast<size_t>(R);
      continue;
    }
    if (R < 0 && errno == EINTR) continue;
    if (R < 0 && errno != EAGAIN) {
      if (IsLinkGone(errno)) LinkLost(kWriteFailed, errno);
      throw TComPortError(kWriteFailed, errno);
    }
    // Output queue full: wait for room until the write time-out, then report what went out.
    const auto Now = Clock::now();
    if (Now >= Deadline) break;
    const int Events = PollOnce(FFd, POLLOUT, CeilMs(Deadline - Now));
    if (Events < 0) throw TComPortError(kWriteFailed, errno);
    if (Events & (POLLERR | POLLHUP | POLLNVAL)) LinkLost(kWriteFailed, EIO);
  }
  return static_cast<int>(Done);
}

// Appends what is already received, up to N bytes in S, without waiting.
int TComPort::ReadAvailable(std::string& S, int N) {
  const size_t Before = S.size();
  char Buf[1024];
  while (S.size() < static_cast<size_t>(N)) {
    const size_t Want = std::min(sizeof Buf, static_cast<size_t>(N) - S.size());
    const ssize_t R = read(FFd, Buf, Want);
    if (R > 0) {
      S.append(Buf, static_cast<size_t>(R));
      if (OnTrace) OnTrace(TTraceDirection::tdReceived, std::string(Buf, static_cast<size_t>(R)));
      continue;
    }
    // With VMIN = VTIME = 0 the driver returns 0 both for "nothing yet" and after a hang-up;
    // only a hang-up also shows in poll().
    if (R == 0) {
      const int Events = PollOnce(FFd, POLLIN, 0);
      if (Events > 0 && (Events & (POLLERR | POLLHUP | POLLNVAL))) LinkLost(kReadFailed, EIO);
      break;
    }
    if (errno == EINTR) continue;
    if (errno == EAGAIN) break;
    if (IsLinkGone(errno)) LinkLost(kReadFailed, errno);
    throw TComPortError(kReadFailed, errno);
  }
  return static_cast<int>(S.size() - Before);
}

// Returns when N bytes are in, when the total time (multiplier * N + constant) is over, or when
// the gap after a received byte exceeds ReadInterval. Interval "no limit" with both totals 0
// returns at once; both totals 0 with an interval limit waits for the first byte without end.
int TComPort::ReadText(std::string& S, int N) {
  S.clear();
  if (FFd < 0) throw TComPortError(kReadFailed, EBADF);
  if (N <= 0) return 0;

  const auto Start = Clock::now();
  const bool HasInterval = FReadInterval != NoLimit;
  const uint64_t TotalMs =
      static_cast<uint64_t>(FReadTotalMultiplier) * static_cast<uint64_t>(N) + FReadTotalConstant;
  if (!HasInterval && TotalMs == 0) return ReadAvailable(S, N);

  std::optional<Clock::time_point> TotalDeadline;
  if (TotalMs > 0) TotalDeadline = Start + milliseconds(std::min(TotalMs, kMaxWaitMs));
  Clock::time_point LastByte = Start;

  for (;;) {
    const int Got = ReadAvailable(S, N);
    if (S.size() >= static_cast<size_t>(N)) break;
    const auto Now = Clock::now();
    if (Got > 0) LastByte = Now;

    std::optional<Clock::time_point> Limit = TotalDeadline;
    if (HasInterval && !S.empty()) {
      const auto IntervalEnd = LastByte + milliseconds(FReadInterval);
      if (!Limit || IntervalEnd < *Limit) Limit = IntervalEnd;
    }
    int TimeoutMs = -1;
    if (Limit) {
      if (Now >= *Limit) break;
      TimeoutMs = CeilMs(*Limit - Now);
    }
    const int Events = PollOnce(FFd, POLLIN, TimeoutMs);
    if (Events < 0) throw TComPortError(kReadFailed, errno);
    if (Events & (POLLERR | POLLHUP | POLLNVAL)) LinkLost(kReadFailed, EIO);
  }
  return static_cast<int>(S.size());
}

void TComPort::SetReadTimeouts(uint32_t Interval, uint32_t TotalMultiplier,
                               uint32_t TotalConstant) {
  FReadInterval = Interval;
  FReadTotalMultiplier = TotalMultiplier;
  FReadTotalConstant = TotalConstant;
}

int TComPort::BytesWaiting() const {
  if (FFd < 0) throw TComPortError(kClearCommErrorFailed, EBADF);
  int Count = 0;
  if (ioctl(FFd, FIONREAD, &Count) != 0) throw TComPortError(kClearCommErrorFailed, errno);
  return Count;
}

}  // namespace vdx
