#include "service/RtfCodec.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/AtomicFile.h"
#include "comm/TextUtil.h"

namespace vdx {

namespace {

constexpr const char* RtfHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset0 Courier New;}}"
    "\\f0\\fs20\\uc1 ";

// Destinations whose content is no text of the document.
bool IsSkippedDestination(const std::string& Word) {
  static const char* const Names[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict"};
  for (const char* Name : Names)
    if (Word == Name) return true;
  return false;
}

int HexValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

class TRtfReader {
 public:
  explicit TRtfReader(const std::string& Rtf) : FRtf(Rtf) {}

  std::string Read() {
    // The document is the group opened by its first brace; text after it is ignored.
    while (FPos < FRtf.size()) {
      const char C = FRtf[FPos++];
      if (C == '{') {
        FGroups.push_back(FGroups.empty() ? TGroup{} : FGroups.back());
        FGroupStart = true;
        continue;
      }
      if (C == '}') {
        FGroups.pop_back();
        if (FGroups.empty()) break;
        FFallback = 0;
        FGroupStart = false;
        continue;
      }
      if (C == '\\') {
        Control();
      } else if (C != '\r' && C != '\n') {
        Put(C);
      }
      FGroupStart = false;
    }
    return FText;
  }

 private:
  struct TGroup {
    bool Skip = false;
    int Uc = 1;  // fallback characters after "\uN"
  };

  void Put(char C) {
    if (FFallback > 0) {
      --FFallback;
      return;
    }
    if (!FGroups.back().Skip) FText += C;
  }

  // After a backslash: a control symbol or a control word with its optional parameter.
  void Control() {
    if (FPos >= FRtf.size()) return;
    const char C = FRtf[FPos];
    if (!std::isalpha(static_cast<unsigned char>(C))) {
      ++FPos;
      Symbol(C);
      return;
    }
    const bool AtGroupStart = FGroupStart;
    std::string Word;
    while (FPos < FRtf.size() && std::isalpha(static_cast<unsigned char>(FRtf[FPos])))
      Word += FRtf[FPos++];
    bool HasParam = false;
    long Param = 0;
    bool Negative = false;
    if (FPos < FRtf.size() && FRtf[FPos] == '-') {
      Negative = true;
      ++FPos;
    }
    while (FPos < FRtf.size() && std::isdigit(static_cast<unsigned char>(FRtf[FPos]))) {
      HasParam = true;
      if (Param < 10000000) Param = Param * 10 + (FRtf[FPos] - '0');
      ++FPos;
    }
    if (Negative) Param = -Param;
    if (FPos < FRtf.size() && FRtf[FPos] == ' ') ++FPos;  // the delimiter belongs to the word
    ControlWord(Word, HasParam, Param, AtGroupStart);
  }

  void Symbol(char C) {
    switch (C) {
      case '\\':
      case '{':
      case '}':
        Put(C);
        break;
      case '\'': {
        const int Hi = FPos < FRtf.size() ? HexValue(FRtf[FPos]) : -1;
        const int Lo = FPos + 1 < FRtf.size() ? HexValue(FRtf[FPos + 1]) : -1;
        if (Hi < 0 || Lo < 0) break;
        FPos += 2;
        Put(static_cast<char>(Hi * 16 + Lo));
        break;
      }
      case '~':  // non-breaking space
        Put('\xA0');
        break;
      case '_':  // non-breaking hyphen
        Put('-');
        break;
      case '*':
        FGroups.back().Skip = true;
        break;
      case '\r':  // a backslash before a line end is "\par"
      case '\n':
        Put('\n');
        break;
      default:  // "\-" and other symbols carry no text
        break;
    }
  }

  void ControlWord(const std::string& Word, bool HasParam, long Param, bool AtGroupStart) {
    if (AtGroupStart && IsSkippedDestination(Word)) {
      FGroups.back().Skip = true;
    } else if (Word == "par" || Word == "line") {
      Put('\n');
    } else if (Word == "tab") {
      Put('\t');
    } else if (Word == "uc" && HasParam) {
      FGroups.back().Uc = Param < 0 ? 0 : static_cast<int>(Param);
    } else if (Word == "u" && HasParam) {
      const long Code = Param < 0 ? Param + 65536 : Param;
      FFallback = 0;
      Put(Code >= 0 && Code <= 0xFF ? static_cast<char>(Code) : '?');
      FFallback = FGroups.back().Uc;
    } else if (Word == "bin" && HasParam && Param > 0) {
      const size_t Skip = static_cast<size_t>(Param);
      FPos = Skip < FRtf.size() - FPos ? FPos + Skip : FRtf.size();
    }
  }

  const std::string& FRtf;
  size_t FPos = 0;
  std::vector<TGroup> FGroups;
  bool FGroupStart = false;  // the last token was "{"
  int FFallback = 0;         // fallback characters of "\uN" still to drop
  std::string FText;
};

}  // namespace

std::string TextToRtf(const std::string& Text) {
  std::string Rtf = RtfHeader;
  for (size_t I = 0; I < Text.size(); ++I) {
    const unsigned char C = static_cast<unsigned char>(Text[I]);
    if (C == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') continue;
    if (C == '\n' || C == '\r') {
      Rtf += "\\par\n";
    } else if (C == '\t') {
      Rtf += "\\tab ";
    } else if (C == '\\' || C == '{' || C == '}') {
      Rtf += '\\';
      Rtf += static_cast<char>(C);
    } else if (C < 0x20 || C >= 0x7F) {
      char Hex[8];
      std::snprintf(Hex, sizeof Hex, "\\'%02x", C);
      Rtf += Hex;
    } else {
      Rtf += static_cast<char>(C);
    }
  }
  return Rtf + "}\n";
}

bool RtfToText(const std::string& Rtf, std::string& Text) {
  Text.clear();
  if (Rtf.compare(0, 5, "{\\rtf") != 0) return false;
  Text = TRtfReader(Rtf).Read();
  return true;
}

bool SaveTerminalFile(const std::string& FileName, const std::string& Text, std::string& Error) {
  return WriteFileAtomically(FileName, TextToRtf(Text), Error);
}

bool LoadTerminalFile(const std::string& FileName, std::string& Text, std::string& Error) {
  std::ifstream In(FileName, std::ios::binary);
  const std::string Content(std::istreambuf_iterator<char>(In), {});
  if (!In.is_open() || In.bad()) {
    Error = "cannot read " + FileName + ": " + std::strerror(errno);
    return false;
  }
  if (!RtfToText(Content, Text)) Text = ReplaceAll(ReplaceAll(Content, "\r\n", "\n"), "\r", "\n");
  return true;
}

}  // namespace vdx
