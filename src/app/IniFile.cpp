#include "app/IniFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "app/AtomicFile.h"
#include "comm/TextUtil.h"

namespace vdx {

namespace {

constexpr const char* kNewFileLineEnd = "\n";

// One line of the file with its own line end ("\r\n", "\n", or "" for a last line without one),
// so unchanged lines are written back byte for byte.
struct TLine {
  std::string Text;
  std::string End;
};

enum class TLoad { Ok, Missing, Failed };

TLoad LoadLines(const std::string& Path, std::vector<TLine>& Lines, std::string& Error) {
  Lines.clear();
  const int Fd = open(Path.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return TLoad::Missing;
    Error = "cannot read " + Path + ": " + std::strerror(errno);
    return TLoad::Failed;
  }
  std::string Text;
  char Buffer[8192];
  for (;;) {
    const ssize_t N = read(Fd, Buffer, sizeof Buffer);
    if (N < 0 && errno == EINTR) continue;
    if (N < 0) {
      Error = "cannot read " + Path + ": " + std::strerror(errno);
      close(Fd);
      return TLoad::Failed;
    }
    if (N == 0) break;
    Text.append(Buffer, static_cast<size_t>(N));
  }
  close(Fd);
  for (size_t Begin = 0; Begin < Text.size();) {
    const size_t Lf = Text.find('\n', Begin);
    if (Lf == std::string::npos) {
      Lines.push_back({Text.substr(Begin), ""});
      break;
    }
    const bool Crlf = Lf > Begin && Text[Lf - 1] == '\r';
    const size_t TextEnd = Crlf ? Lf - 1 : Lf;
    Lines.push_back({Text.substr(Begin, TextEnd - Begin), Crlf ? "\r\n" : "\n"});
    Begin = Lf + 1;
  }
  return TLoad::Ok;
}

enum class TKind { Other, Section, Key };

struct TParsed {
  TKind Kind = TKind::Other;
  std::string Name;       // section or key name, trimmed
  size_t ValueBegin = 0;  // key lines: where the value text starts (after '=' and blanks)
};

bool IsBlank(char C) { return static_cast<unsigned char>(C) <= 32; }

TParsed ParseLine(const std::string& Text) {
  TParsed P;
  size_t I = 0;
  while (I < Text.size() && IsBlank(Text[I])) ++I;
  if (I == Text.size() || Text[I] == ';' || Text[I] == '#') return P;
  if (Text[I] == '[') {
    const size_t Close = Text.find(']', I + 1);
    if (Close == std::string::npos) return P;
    P.Kind = TKind::Section;
    P.Name = TrimControl(Text.substr(I + 1, Close - I - 1));
    return P;
  }
  const size_t Eq = Text.find('=', I);
  if (Eq == std::string::npos) return P;
  P.Name = TrimControl(Text.substr(I, Eq - I));
  if (P.Name.empty()) return P;
  P.Kind = TKind::Key;
  P.ValueBegin = Eq + 1;
  while (P.ValueBegin < Text.size() && IsBlank(Text[P.ValueBegin])) ++P.ValueBegin;
  return P;
}

std::string ValueOf(const std::string& Text, const TParsed& P) {
  std::string Value = TrimControl(Text.substr(P.ValueBegin));
  if (Value.size() >= 2 && Value.front() == '"' && Value.back() == '"')
    Value = Value.substr(1, Value.size() - 2);
  return Value;
}

// Index of the first line holding Key in a section named Section, or npos.
size_t FindKey(const std::vector<TLine>& Lines, const std::string& Section,
               const std::string& Key) {
  bool InSection = false;
  for (size_t I = 0; I < Lines.size(); ++I) {
    const TParsed P = ParseLine(Lines[I].Text);
    if (P.Kind == TKind::Section)
      InSection = SameTextNoCase(P.Name, Section);
    else if (InSection && P.Kind == TKind::Key && SameTextNoCase(P.Name, Key))
      return I;
  }
  return std::string::npos;
}

// The value text as written: cut at a line break, quoted when blanks or quotes around it would
// otherwise be lost on reading.
std::string EncodeValue(const std::string& Value) {
  std::string V = Value.substr(0, Value.find_first_of("\r\n"));
  const bool NeedsQuotes = !V.empty() && (IsBlank(V.front()) || IsBlank(V.back()) ||
                                          (V.size() >= 2 && V.front() == '"' && V.back() == '"'));
  return NeedsQuotes ? "\"" + V + "\"" : V;
}

std::string LineEndStyle(const std::vector<TLine>& Lines) {
  for (const TLine& L : Lines)
    if (!L.End.empty()) return L.End;
  return kNewFileLineEnd;
}

}  // namespace

TIniFile::TIniFile(std::string Path) : FPath(std::move(Path)) {}

std::optional<std::string> TIniFile::Read(const std::string& Section,
                                          const std::string& Key) const {
  std::vector<TLine> Lines;
  std::string Error;
  if (LoadLines(FPath, Lines, Error) != TLoad::Ok) return std::nullopt;
  const size_t I = FindKey(Lines, Section, Key);
  if (I == std::string::npos) return std::nullopt;
  std::string Value = ValueOf(Lines[I].Text, ParseLine(Lines[I].Text));
  if (Value.size() > MaxValueLength) Value.resize(MaxValueLength);
  return Value;
}

bool TIniFile::Write(const std::string& Section, const std::string& Key, const std::string& Value,
                     std::string& Error) {
  std::vector<TLine> Lines;
  if (LoadLines(FPath, Lines, Error) == TLoad::Failed) return false;
  const std::string End = LineEndStyle(Lines);
  const std::string Encoded = EncodeValue(Value);

  if (const size_t I = FindKey(Lines, Section, Key); I != std::string::npos) {
    TLine& L = Lines[I];
    L.Text = L.Text.substr(0, ParseLine(L.Text).ValueBegin) + Encoded;
  } else {
    // After the last key (or the header) of the first section of that name.
    size_t InsertAfter = std::string::npos;
    bool InSection = false;
    for (size_t I = 0; I < Lines.size(); ++I) {
      const TParsed P = ParseLine(Lines[I].Text);
      if (P.Kind == TKind::Section) {
        if (InSection) break;
        InSection = SameTextNoCase(P.Name, Section);
        if (InSection) InsertAfter = I;
      } else if (InSection && P.Kind == TKind::Key) {
        InsertAfter = I;
      }
    }
    // A last line without a line end gets one when something follows it.
    const bool AtEnd = InsertAfter == std::string::npos || InsertAfter + 1 == Lines.size();
    if (AtEnd && !Lines.empty() && Lines.back().End.empty()) Lines.back().End = End;
    if (InsertAfter != std::string::npos) {
      Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(InsertAfter) + 1,
                   {Key + "=" + Encoded, End});
    } else {
      if (!Lines.empty() && !TrimControl(Lines.back().Text).empty()) Lines.push_back({"", End});
      Lines.push_back({"[" + Section + "]", End});
      Lines.push_back({Key + "=" + Encoded, End});
    }
  }

  std::string Text;
  for (const TLine& L : Lines) Text += L.Text + L.End;
  return WriteFileAtomically(FPath, Text, Error);
}

}  // namespace vdx
