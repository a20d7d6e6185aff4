// The oscilloscope's real-time recording: a text file that gets a header block at every start
// and one line per oscilloscope cycle. Lines end with CR LF; each line opens the file for
// appending and closes it again, so the file is whole whenever the tool ends.
#pragma once

#include <array>
#include <chrono>
#include <mutex>
#include <string>

#include "comm/ProcessSamples.h"

namespace vdx {

class TScopeRecorder {
 public:
  // The recording file; empty means no recording.
  std::string FileName() const;
  void SetFileName(const std::string& Name);
  // The separator of hours, minutes, seconds and milliseconds in the time stamps.
  void SetTimeSeparator(char Separator) { FTimeSeparator = Separator; }

  // Creates a missing recording file, empty. False, with Error "Datei F konnte nicht erstellt
  // werden.", when it still does not exist afterwards. True without a file name.
  bool PrepareRecordFile(std::string& Error) const;
  // An empty line, a line of 63 "=", the time stamp with the four signal names ("%10s" each),
  // the 63 "=" again.
  bool WriteRecordHeader(const std::array<std::string, 4>& Signals) const;
  // The time stamp, then per channel the sample's raw value ("%10d") or "---" ("%10s").
  bool WriteRecordData(const TASCIIProcDataObj* Ch1, const TASCIIProcDataObj* Ch2,
                       const TASCIIProcDataObj* Ch3, const TASCIIProcDataObj* Ch4) const;
  // Appends Line and CR LF; false when the file cannot be opened or written (the line is lost).
  // Nothing happens, successfully, without a file name.
  bool AppendRecordLine(const std::string& Line) const;

  // "DD.MM.YYYY hh:mm:ss:zzz" in local time, 23 characters.
  static std::string TimeStamp(std::chrono::system_clock::time_point T, char TimeSeparator = ':');
  static std::string HeaderLine(const std::string& Stamp,
                                const std::array<std::string, 4>& Signals);
  static std::string DataLine(const std::string& Stamp,
                              const std::array<const TASCIIProcDataObj*, 4>& Samples);

 private:
  mutable std::mutex FLock;  // header lines come from the main thread, data from the sampler
  std::string FFileName;
  char FTimeSeparator = ':';
};

}  // namespace vdx
