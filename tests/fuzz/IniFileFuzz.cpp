// The settings file module on any file: reading, and writing a key. The input's first line is
// "Section<TAB>Key<TAB>Value" to write, the rest is the file. A written value reads back as
// written (up to its first line break), and the write keeps every other line of the file.
#include <algorithm>
#include <iterator>
#include <vector>

#include "FuzzSupport.h"
#include "app/IniFile.h"
#include "comm/TextUtil.h"

using namespace vdx;
using fuzz::Check;

namespace {

// Names the module can write: no ']', '=' or line breaks (its contract), and nothing that would
// turn the line into a comment, a section or a line without a name.
bool UsableName(const std::string& Name) {
  return !Name.empty() && TrimControl(Name) == Name &&
         Name.find_first_of("]=\r\n") == std::string::npos && Name[0] != ';' && Name[0] != '#' &&
         Name[0] != '[' && Name.find('\0') == std::string::npos;
}

// Lines as the module splits them (LF, CR LF).
std::vector<std::string> Lines(const std::string& Text) {
  std::vector<std::string> Result;
  for (size_t Begin = 0; Begin < Text.size();) {
    size_t Lf = Text.find('\n', Begin);
    if (Lf == std::string::npos) Lf = Text.size();
    size_t End = Lf;
    if (End > Begin && Text[End - 1] == '\r' && Lf < Text.size()) --End;
    Result.push_back(Text.substr(Begin, End - Begin));
    Begin = Lf + 1;
  }
  return Result;
}

size_t CommonSubsequence(const std::vector<std::string>& A, const std::vector<std::string>& B) {
  std::vector<size_t> Row(B.size() + 1, 0), Prev(B.size() + 1, 0);
  for (size_t I = 1; I <= A.size(); ++I) {
    for (size_t J = 1; J <= B.size(); ++J)
      Row[J] = A[I - 1] == B[J - 1] ? Prev[J - 1] + 1 : std::max(Prev[J], Row[J - 1]);
    std::swap(Row, Prev);
  }
  return Prev[B.size()];
}

std::string ReadFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const fuzz::TScratchFile File("settings.ini");
  const std::string Input = fuzz::AsText(Data, Size);
  const size_t Lf = Input.find('\n');
  const std::string Entry = Input.substr(0, Lf);
  const std::string Content = Lf == std::string::npos ? std::string() : Input.substr(Lf + 1);
  const size_t Tab1 = Entry.find('\t');
  const size_t Tab2 = Tab1 == std::string::npos ? Tab1 : Entry.find('\t', Tab1 + 1);
  if (Tab2 == std::string::npos) return 0;
  const std::string Section = Entry.substr(0, Tab1);
  const std::string Key = Entry.substr(Tab1 + 1, Tab2 - Tab1 - 1);
  const std::string Value = Entry.substr(Tab2 + 1);

  File.Write(Content);
  TIniFile Ini(File.Path());
  if (const auto Old = Ini.Read(Section, Key))
    Check(Old->size() <= TIniFile::MaxValueLength, "a value longer than the limit was read");
  if (!UsableName(Section) || !UsableName(Key)) return 0;

  std::string Error;
  Check(Ini.Write(Section, Key, Value, Error), "a key cannot be written");
  std::string Expected = Value.substr(0, Value.find_first_of("\r\n"));
  if (Expected.size() > TIniFile::MaxValueLength) Expected.resize(TIniFile::MaxValueLength);
  Check(Ini.Read(Section, Key) == Expected, "a written value reads back differently");

  const std::vector<std::string> Before = Lines(Content), After = Lines(ReadFile(File.Path()));
  if (Before.size() > 500) return 0;  // keeps the line comparison quick
  Check(CommonSubsequence(Before, After) + 1 >= Before.size() && After.size() <= Before.size() + 3,
        "a write changed more than the line of its key");
  return 0;
}
