// The module's end of the line: the master side of a pseudo-terminal. The slave side is held
// open as well, so a client may close and reopen it without hanging up the line.
#pragma once

#include <chrono>
#include <string>

namespace vdx::sim {

class TPtyLine {
 public:
  TPtyLine() = default;
  ~TPtyLine() { Close(); }
  TPtyLine(const TPtyLine&) = delete;
  TPtyLine& operator=(const TPtyLine&) = delete;

  // Opens the pair; the slave starts raw, 8N1, at BaudRate. False with Error on failure.
  bool Open(int BaudRate, std::string& Error);
  void Close();
  // Closes the master only: the client's reads on the slave then fail.
  void HangUp();
  bool IsOpen() const { return FMaster >= 0; }

  const std::string& SlavePath() const { return FSlavePath; }
  int MasterFd() const { return FMaster; }

  // The bit rate the client set on the line (the slave's termios, seen through the master);
  // 0 when unknown.
  int LineBaudRate() const;

  // Reads what is waiting, at most Size bytes; 0 when nothing is there, -1 when the line is
  // gone.
  long Read(char* Buffer, size_t Size);
  // Writes all bytes, waiting while the line is full up to Timeout; false when the line is
  // gone or stays full.
  bool Write(const char* Data, size_t Size, std::chrono::milliseconds Timeout);

 private:
  int FMaster = -1;
  int FSlave = -1;
  std::string FSlavePath;
};

// The termios speed constant of a bit rate and back; B0 / 0 for rates not listed.
unsigned SpeedOfBaudRate(int BaudRate);
int BaudRateOfSpeed(unsigned Speed);

}  // namespace vdx::sim
