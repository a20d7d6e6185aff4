// A Windows-style INI file that is edited in place: every line, comment and the order of the
// file survive a write; only the line of the written key changes or a line is added.
//
// Reading rules: a section line is "[Name]"; a key line is "Key=Value"; lines whose first
// non-blank character is ';' or '#' are comments; other lines and keys before the first section
// are kept but never match. Section and key names are compared without regard to ASCII letter
// case, blanks around names and values are ignored, one pair of double quotes around a value is
// stripped, and there are no escapes or inline comments. The first matching key in file order
// wins (also across repeated sections). Text is 8-bit and kept byte for byte (ISO-8859-1).
//
// The file is read again on every access, so changes made on disk by others are always seen;
// settings files are small. Not meant for two writers at once (a write reads, edits and
// replaces the whole file).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vdx {

class TIniFile {
 public:
  // Longest value Read returns; longer values are cut.
  static constexpr size_t MaxValueLength = 2047;

  explicit TIniFile(std::string Path);

  const std::string& Path() const { return FPath; }

  // The value of Key in Section; nullopt when the file, the section or the key is missing or
  // the file cannot be read.
  std::optional<std::string> Read(const std::string& Section, const std::string& Key) const;

  // Stores the value and writes the whole file at once (temporary file and rename). An existing
  // key keeps its line and spelling; a new key goes after the last key of its section, a new
  // section to the end of the file. Added lines use the file's line end (LF for a new file).
  // A value is written in quotes when it would not read back as it is (surrounding blanks or
  // quotes); it ends at its first line break. Section and Key must not hold ']', '=' or line
  // breaks. False with Error set when the file could not be read or written; it is then
  // unchanged.
  bool Write(const std::string& Section, const std::string& Key, const std::string& Value,
             std::string& Error);

 private:
  std::string FPath;
};

}  // namespace vdx
