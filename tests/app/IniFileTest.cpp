// The INI module: reading rules, edits that keep the rest of the file byte for byte, and
// failures that leave the file alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "app/IniFile.h"
#include "TestScopes.h"

namespace vdx {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

void WriteText(const std::string& Path, const std::string& Text) {
  std::ofstream(Path, std::ios::binary) << Text;
}

// Joins lines with End after each but the last.
std::string Lines(std::initializer_list<std::string> L, const std::string& End) {
  std::string Text;
  bool First = true;
  for (const auto& Line : L) {
    Text += (First ? "" : End) + Line;
    First = false;
  }
  return Text;
}

class IniFileTest : public ::testing::Test {
 protected:
  testing::TTempFolder Temp;
  std::string Path = Temp / "tool.ini";
  TIniFile Ini{Path};

  void Store(const std::string& Section, const std::string& Key, const std::string& Value) {
    std::string Error;
    ASSERT_TRUE(Ini.Write(Section, Key, Value, Error)) << Error;
  }
};

TEST_F(IniFileTest, ReadsByTheRules) {
  WriteText(Path,
            "Orphan=before any section\r\n"
            "[ Interface ]\r\n"
            "Port=COM1\r\n"
            "PORT=COM2\r\n"
            ";Commented=yes\r\n"
            "  #Hashed=yes\r\n"
            "no key on this line\r\n"
            "Padded = \"  two blanks  \"\r\n"
            "Inner=\"a\"b\"\r\n"
            "Twice=\"\"x\"\"\r\n"
            "Single='x'\r\n"
            "Empty=\r\n"
            "  Spaces  =   a = b ; c   \r\n"
            "Latin=Gr\xFC\xDF"
            "e\r\n"
            "[Other]\r\n"
            "Key=other\r\n"
            "[interface]\r\n"
            "Port=COM9\r\n"
            "Late=from the repeated section\n"
            "Long=" +
                std::string(3000, 'x'));
  const struct {
    const char* Section;
    const char* Key;
    std::optional<std::string> Expected;
  } Cases[] = {
      {"Interface", "Port", "COM1"},  // first match wins, also over the repeated section
      {"INTERFACE", "pOrT", "COM1"},
      {"Interface", "Orphan", std::nullopt},
      {"Interface", ";Commented", std::nullopt},
      {"Interface", "#Hashed", std::nullopt},
      {"Interface", "Padded", "  two blanks  "},
      {"Interface", "Inner", "a\"b"},
      {"Interface", "Twice", "\"x\""},
      {"Interface", "Single", "'x'"},
      {"Interface", "Empty", ""},
      {"Interface", "Spaces", "a = b ; c"},
      {"Interface", "Latin",
       "Gr\xFC\xDF"
       "e"},
      {"Interface", "Key", std::nullopt},
      {"Interface", "Late", "from the repeated section"},
      {"Interface", "Long", std::string(TIniFile::MaxValueLength, 'x')},
      {"Other", "Key", "other"},
      {"Missing", "Port", std::nullopt},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(Ini.Read(C.Section, C.Key), C.Expected) << C.Section << "/" << C.Key;
}

// Each line end style stays as it is; unchanged lines, comments and stray text stay byte for
// byte, a last line without a line end gets one only when something is appended after it.
TEST_F(IniFileTest, WritesChangeOnlyTheirLines) {
  for (const std::string End : {"\r\n", "\n"}) {
    WriteText(Path, Lines({"; settings \xFC", "[Interface]", "Port = COM3", "  ; no key below",
                           "garbage line", "tranfermode=0", "", "[Scope]", "Cha1Color=255",
                           "[Empty]", "; end"},
                          End));
    Store("INTERFACE", "Port", "COM5");
    Store("interface", "AutoBR", "38400");
    Store("Empty", "X", "1");
    Store("Monitor", "VisParaCnt", "4");
    EXPECT_EQ(ReadText(Path), Lines({"; settings \xFC", "[Interface]", "Port = COM5",
                                     "  ; no key below", "garbage line", "tranfermode=0",
                                     "AutoBR=38400", "", "[Scope]", "Cha1Color=255", "[Empty]",
                                     "X=1", "; end", "", "[Monitor]", "VisParaCnt=4", ""},
                                    End))
        << (End == "\n" ? "LF" : "CR LF");
  }
}

TEST_F(IniFileTest, KeepsAMissingLastLineEndWhenEditingInside) {
  WriteText(Path, "[A]\r\nK=1\r\n[B]\r\nL=2");
  Store("a", "k", "3");
  EXPECT_EQ(ReadText(Path), "[A]\r\nK=3\r\n[B]\r\nL=2");
}

TEST_F(IniFileTest, ValuesReadBackAsWritten) {
  for (const std::string Value :
       {"", " lead", "trail ", "\"quoted\"", "a\"b", "a=b;c", "Gr\xFC\xDF", "C:\\tools\\"}) {
    Store("S", "K", Value);
    EXPECT_EQ(Ini.Read("S", "K"), Value) << "[" << Value << "]";
  }
  Store("S", "K", "first line\nsecond line");
  EXPECT_EQ(Ini.Read("S", "K"), "first line");
  EXPECT_EQ(ReadText(Path), "[S]\nK=first line\n");
}

TEST_F(IniFileTest, MissingFileReadsNothingAndFirstWriteCreatesIt) {
  EXPECT_EQ(Ini.Read("S", "K"), std::nullopt);
  EXPECT_FALSE(fs::exists(Path));
  Store("S", "K", "V");
  EXPECT_EQ(ReadText(Path), "[S]\nK=V\n");
}

TEST_F(IniFileTest, SeesChangesMadeOnDisk) {
  Store("S", "K", "1");
  WriteText(Path, "[S]\nK=2\nOther=x\n");
  EXPECT_EQ(Ini.Read("S", "K"), "2");
  Store("S", "N", "3");
  EXPECT_EQ(ReadText(Path), "[S]\nK=2\nOther=x\nN=3\n");
}

TEST_F(IniFileTest, UnreadableOrUnwritablePlaceFailsAndLeavesNoTrace) {
  fs::create_directory(Path);  // a folder where the file should be cannot be read or replaced
  std::string Error;
  EXPECT_EQ(Ini.Read("S", "K"), std::nullopt);
  EXPECT_FALSE(Ini.Write("S", "K", "V", Error));
  EXPECT_NE(Error.find(Path), std::string::npos) << Error;

  TIniFile Blocked(Temp / "tool.ini/sub/x.ini");
  Error.clear();
  EXPECT_FALSE(Blocked.Write("S", "K", "V", Error));
  EXPECT_FALSE(Error.empty());
  EXPECT_TRUE(fs::is_empty(Path)) << "no temporary file left";
}

}  // namespace
}  // namespace vdx
