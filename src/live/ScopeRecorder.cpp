#include "live/ScopeRecorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace vdx {

namespace {

const std::string Rule(63, '=');

// "%10s": right-aligned in 10 characters, a longer text whole.
std::string Column(const std::string& Text) {
  return std::string(Text.size() < 10 ? 10 - Text.size() : 0, ' ') + Text;
}

// Writes Text at the end of the file Name, created when missing; false on any failure.
bool AppendToFile(const std::string& Name, const std::string& Text) {
  const int Fd = open(Name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (Fd < 0) return false;
  bool Ok = true;
  for (size_t Done = 0; Ok && Done < Text.size();) {
    const ssize_t N = write(Fd, Text.data() + Done, Text.size() - Done);
    if (N > 0)
      Done += static_cast<size_t>(N);
    else if (N < 0 && errno != EINTR)
      Ok = false;
  }
  return close(Fd) == 0 && Ok;
}

}  // namespace

std::string TScopeRecorder::FileName() const {
  std::lock_guard Lock(FLock);
  return FFileName;
}

void TScopeRecorder::SetFileName(const std::string& Name) {
  std::lock_guard Lock(FLock);
  FFileName = Name;
}

bool TScopeRecorder::PrepareRecordFile(std::string& Error) const {
  const std::string Name = FileName();
  if (Name.empty()) return true;
  std::error_code Ec;
  if (!std::filesystem::exists(Name, Ec)) AppendToFile(Name, "");
  if (std::filesystem::exists(Name, Ec)) return true;
  Error = "Datei " + Name + " konnte nicht erstellt werden.";
  return false;
}

bool TScopeRecorder::WriteRecordHeader(const std::array<std::string, 4>& Signals) const {
  const std::string Stamp = TimeStamp(std::chrono::system_clock::now(), FTimeSeparator);
  bool Ok = AppendRecordLine("");
  Ok = AppendRecordLine(Rule) && Ok;
  Ok = AppendRecordLine(HeaderLine(Stamp, Signals)) && Ok;
  return AppendRecordLine(Rule) && Ok;
}

bool TScopeRecorder::WriteRecordData(const TASCIIProcDataObj* Ch1, const TASCIIProcDataObj* Ch2,
                                     const TASCIIProcDataObj* Ch3,
                                     const TASCIIProcDataObj* Ch4) const {
  return AppendRecordLine(
      DataLine(TimeStamp(std::chrono::system_clock::now(), FTimeSeparator), {Ch1, Ch2, Ch3, Ch4}));
}

bool TScopeRecorder::AppendRecordLine(const std::string& Line) const {
  std::lock_guard Lock(FLock);
  return FFileName.empty() || AppendToFile(FFileName, Line + "\r\n");
}

std::string TScopeRecorder::TimeStamp(std::chrono::system_clock::time_point T, char Sep) {
  using namespace std::chrono;
  const std::time_t Secs = system_clock::to_time_t(T);
  std::tm L{};
  localtime_r(&Secs, &L);
  const auto Ms = duration_cast<milliseconds>(T - system_clock::from_time_t(Secs)).count();
  char Text[48];
  std::snprintf(Text, sizeof Text, "%02d.%02d.%04d %02d%c%02d%c%02d%c%03d", L.tm_mday, L.tm_mon + 1,
                L.tm_year + 1900, L.tm_hour, Sep, L.tm_min, Sep, L.tm_sec, Sep,
                static_cast<int>(Ms));
  return Text;
}

std::string TScopeRecorder::HeaderLine(const std::string& Stamp,
                                       const std::array<std::string, 4>& Signals) {
  std::string Line = Stamp;
  for (const auto& S : Signals) Line += Column(S);
  return Line;
}

std::string TScopeRecorder::DataLine(const std::string& Stamp,
                                     const std::array<const TASCIIProcDataObj*, 4>& Samples) {
  std::string Line = Stamp;
  for (const TASCIIProcDataObj* S : Samples) Line += Column(S ? std::to_string(S->Value) : "---");
  return Line;
}

}  // namespace vdx
