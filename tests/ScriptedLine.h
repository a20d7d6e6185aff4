// A pseudo-terminal whose far end answers each command (up to its CR) with scripted bytes, for
// exchange tests that need exact control over what comes back.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace vdx::testing {

class TScriptedLine {
 public:
  explicit TScriptedLine(bool HalfDuplex = false) : FHalfDuplex(HalfDuplex) {
    int Slave;
    char Name[128];
    if (openpty(&FMaster, &Slave, Name, nullptr, nullptr) != 0) return;
    termios T;
    tcgetattr(FMaster, &T);
    cfmakeraw(&T);
    tcsetattr(FMaster, TCSANOW, &T);
    fcntl(FMaster, F_SETFL, fcntl(FMaster, F_GETFL) | O_NONBLOCK);
    FSlave = Slave;  // kept open so the line survives the tool closing its side
    FPath = Name;
    FThread = std::thread([this] { Serve(); });
  }
  ~TScriptedLine() {
    FStop = true;
    if (FThread.joinable()) FThread.join();
    CloseMaster();
    if (FSlave >= 0) close(FSlave);
  }

  const std::string& Path() const { return FPath; }
  // The bytes sent back after the next command's CR.
  void Answer(const std::string& Bytes, int DelayMs = 0) {
    std::lock_guard Lock(FLock);
    FAnswers.push_back({Bytes, DelayMs});
  }
  // The answers of one identification of module "X9": the readout with the parameter P and
  // ReadoutLines after it, P's value 5, no "REMOTE" command, remote control off.
  void AnswerIdentification(const std::string& ReadoutLines) {
    Answer("ID\r\nX9, 1, 2, 3\r\n>");
    Answer("Readout\r\n3\\2\\P\\\\h\\1\\0\\9\r\n" + ReadoutLines + ">");
    Answer("P\r\n5\r\n>");
    Answer("REMOTE\r\ncommand error\r\n>");
    Answer("RC:M\r\n0\r\n>");
  }
  // Everything the tool sent so far.
  std::string Received() {
    std::lock_guard Lock(FLock);
    return FReceived;
  }
  // Closes the far end: the tool's side sees a hang-up.
  void Hangup() {
    std::lock_guard Lock(FLock);
    CloseMaster();
  }

 private:
  void CloseMaster() {
    if (FMaster >= 0) close(FMaster);
    FMaster = -1;
  }
  void Serve() {
    while (!FStop) {
      pollfd P{};
      {
        std::lock_guard Lock(FLock);
        if (FMaster < 0) return;
        P.fd = FMaster;
      }
      P.events = POLLIN;
      if (poll(&P, 1, 20) <= 0 || !(P.revents & POLLIN)) continue;
      char C;
      std::string Out;
      int DelayMs = 0;
      {
        std::lock_guard Lock(FLock);
        if (FMaster < 0 || read(FMaster, &C, 1) != 1) continue;
        FReceived += C;
        if (C == '\r') {
          if (FHalfDuplex) Out += C;  // the line's copy of the CR
          if (!FAnswers.empty()) {
            Out += FAnswers.front().first;
            DelayMs = FAnswers.front().second;
            FAnswers.pop_front();
          }
        } else if (FHalfDuplex) {
          Out = std::string(2, C);  // the line's copy, then the module's echo
        }
      }
      if (DelayMs) std::this_thread::sleep_for(std::chrono::milliseconds(DelayMs));
      WriteAll(Out);
    }
  }
  // Writes without blocking for good, so a reader that stops reading cannot hang the line.
  void WriteAll(const std::string& Out) {
    size_t Done = 0;
    while (Done < Out.size() && !FStop) {
      const ssize_t N = write(FMaster, Out.data() + Done, Out.size() - Done);
      if (N > 0) {
        Done += static_cast<size_t>(N);
      } else if (N < 0 && errno == EAGAIN) {
        pollfd P{FMaster, POLLOUT, 0};
        poll(&P, 1, 20);
      } else {
        return;
      }
    }
  }

  bool FHalfDuplex;
  int FMaster = -1, FSlave = -1;
  std::string FPath;
  std::mutex FLock;
  std::deque<std::pair<std::string, int>> FAnswers;
  std::string FReceived;
  std::atomic<bool> FStop{false};
  std::thread FThread;
};

}  // namespace vdx::testing
