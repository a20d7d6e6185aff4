// Serial port over POSIX termios: 8N1, raw, no flow control, read time-outs with the
// interval / multiplier / constant semantics the exchanges rely on.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace vdx {

// Error raised by the port operations. The text is the port layer's message (translated through
// the gettext domain "cport") followed by " (win error code: N)", N being the errno value.
class TComPortError : public std::runtime_error {
 public:
  TComPortError(const char* text, int code);
  int Code() const { return FCode; }

 private:
  int FCode;
};

// Binds the gettext domain "cport" (the port layer's messages) to LocaleDir, a folder holding
// <lang>/LC_MESSAGES/cport.mo, with UTF-8 output.
void BindPortMessages(const std::string& LocaleDir);

enum class TTraceDirection { tdSent, tdReceived };

class TComPort {
 public:
  // Value of ReadInterval that means "no interval limit".
  static constexpr uint32_t NoLimit = 0xFFFFFFFFu;

  TComPort();
  ~TComPort();
  TComPort(const TComPort&) = delete;
  TComPort& operator=(const TComPort&) = delete;

  // "COM" + number (resolved through the port map) or a device path such as /dev/ttyUSB0.
  // Setting it on an open port closes the port and opens it under the new name.
  const std::string& Port() const { return FPort; }
  void SetPort(const std::string& Name);

  // 9600 ... 115200 bit/s; takes effect at once on an open port.
  int BaudRate() const { return FBaudRate; }
  void SetBaudRate(int Bps);

  bool Connected() const { return FFd >= 0; }
  void SetConnected(bool Value);

  // Opens the port named by Port with 8N1, raw mode, no flow control, DTR and RTS inactive,
  // exclusive access. Does nothing when already open. Throws TComPortError.
  void OpenPort();
  // Closes the port; does nothing when closed.
  void ClosePort();
  void PurgeBuffers(bool Input, bool Output);

  // Writes all bytes, waiting up to 100 ms per byte + 1000 ms; returns the bytes written.
  int WriteText(const std::string& S);
  // Reads up to N bytes under the current read time-outs; S holds what arrived. A time-out is
  // not an error (0 bytes). A lost link (hang-up, EIO) closes the port and throws.
  int ReadText(std::string& S, int N);

  uint32_t ReadInterval() const { return FReadInterval; }
  uint32_t ReadTotalMultiplier() const { return FReadTotalMultiplier; }
  uint32_t ReadTotalConstant() const { return FReadTotalConstant; }
  void SetReadTimeouts(uint32_t Interval, uint32_t TotalMultiplier, uint32_t TotalConstant);

  // Descriptor of the open port (-1 when closed), for a receive notifier in the GUI.
  int Handle() const { return FFd; }
  // Bytes waiting in the input queue.
  int BytesWaiting() const;

  // Raised after the port was (re)opened, so a receive notifier can follow the new descriptor.
  std::function<void()> OnReopened;
  // Wire trace: every byte written or read, as it passes.
  std::function<void(TTraceDirection, const std::string&)> OnTrace;

 private:
  void ApplyLineSettings(int Fd, int Bps) const;
  [[noreturn]] void LinkLost(const char* Text, int Code);
  int ReadAvailable(std::string& S, int N);

  std::string FPort = "COM1";
  int FBaudRate = 9600;
  // Read by Connected()/Handle() from other threads (the GUI's notifier), hence atomic.
  std::atomic<int> FFd{-1};
  uint32_t FReadInterval = NoLimit;
  uint32_t FReadTotalMultiplier = 0;
  uint32_t FReadTotalConstant = 0;
};

}  // namespace vdx
