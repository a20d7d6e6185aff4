// The tool's per-user settings file: "<settings folder>/<executable name>.ini" with typed
// reads that fall back to a default and writes that go to disk at once.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "app/IniFile.h"

namespace vdx {

// A settings write failed. The text, "In <full file name> kann nicht geschrieben werden", is
// what the application's general error handler shows; Reason() says why, for logs.
class TApplIniWriteError : public std::runtime_error {
 public:
  TApplIniWriteError(const std::string& FullPath, std::string Reason);
  const std::string& Reason() const { return FReason; }

 private:
  std::string FReason;
};

class TApplIni {
 public:
  // File name of the running executable ("vdxtool").
  static std::string RunningExecutableName();

  // ExeName: the executable whose name (without folder and extension) names the file. The
  // settings folder is created here with any missing parents, even when nothing is written;
  // a failure to create it shows later as a write error.
  explicit TApplIni(const std::string& ExeName = RunningExecutableName());

  // "vdxtool.ini" and the file's full path.
  const std::string& FileName() const { return FFileName; }
  const std::string& FullPath() const { return FIni.Path(); }

  // Reads never fail: a missing file, section or key, or a value that is not an integer under
  // the integer rule, gives Default. Booleans are true for any integer other than 0.
  bool ReadBool(const std::string& Section, const std::string& Key, bool Default) const;
  int32_t ReadInteger(const std::string& Section, const std::string& Key, int32_t Default) const;
  // An existing key with an empty value gives the empty text, not Default.
  std::string ReadString(const std::string& Section, const std::string& Key,
                         const std::string& Default) const;

  // Booleans are written as "1"/"0", integers in signed decimal. Throw TApplIniWriteError.
  void WriteBool(const std::string& Section, const std::string& Key, bool Value);
  void WriteInteger(const std::string& Section, const std::string& Key, int32_t Value);
  void WriteString(const std::string& Section, const std::string& Key, const std::string& Value);

 private:
  std::string FFileName;
  TIniFile FIni;
};

}  // namespace vdx
