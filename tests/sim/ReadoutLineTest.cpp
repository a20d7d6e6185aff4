// The module's own reading of readout lines, and the built-in types' lines read by it.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "sim/ModuleSim.h"
#include "sim/ModuleTypes.h"
#include "sim/ReadoutLine.h"

namespace vdx::sim {
namespace {

TEST(SimReadoutLine, IntegerTexts) {
  const struct {
    const char* Text;
    std::optional<int32_t> Value;
  } Cases[] = {{"42", 42},
               {"  -7", -7},
               {"+3", 3},
               {"$1F", 31},
               {"x10", 16},
               {"0XfF", 255},
               {"-2147483648", INT32_MIN},
               {"2147483648", std::nullopt},
               {"", std::nullopt},
               {"12a", std::nullopt},
               {"0x", std::nullopt},
               {"1 ", std::nullopt}};
  for (const auto& C : Cases) EXPECT_EQ(ParseInteger(C.Text), C.Value) << C.Text;
}

TEST(SimReadoutLine, FieldsByType) {
  auto Text = ParseReadoutLine(R"(  3\1\SENS\"0 - 10 V|4 - 20 mA"\Sensor range\0\0\0\38\ )");
  ASSERT_TRUE(Text);
  EXPECT_EQ(Text->Kind, TCmdKind::Text);
  EXPECT_EQ(Text->Values, (std::vector<std::string>{"0 - 10 V", "4 - 20 mA"}));
  EXPECT_EQ(Text->Help, "Sensor range");
  EXPECT_EQ(Text->Groups, 38);

  auto Number = ParseReadoutLine(R"(3\2\OFFSET\\Offset\21\-2000\2000)");
  ASSERT_TRUE(Number);
  EXPECT_TRUE(Number->HasLimits);
  EXPECT_EQ(Number->Min, -2000);
  EXPECT_EQ(Number->ValueType, 21);
  EXPECT_EQ(Number->Groups, 0xFFBC);

  auto Process = ParseReadoutLine("2\\256\\IA\\A\\Current\\1\\0\\1000");
  ASSERT_TRUE(Process);
  EXPECT_EQ(Process->Kind, TCmdKind::Process);
  EXPECT_EQ(Process->Unit, "A");
  EXPECT_EQ(Process->Factor, 1000);

  auto Bit = ParseReadoutLine(R"(2\10\ST:RAMP\\Ramp\1\3\13)");
  ASSERT_TRUE(Bit);
  EXPECT_EQ(Bit->BitIndex, 3);
  EXPECT_EQ(Bit->BitFlags, 13);

  auto Short = ParseReadoutLine(R"(3\2\RA\\Ramp\1)");  // six fields: no limits
  ASSERT_TRUE(Short);
  EXPECT_FALSE(Short->HasLimits);

  for (const char* Bad : {"", "   ", R"(3\3\D\\x\1\0\0)", R"(3\12\D\\x\1\0\0)", R"(3\2\RA\\x)",
                          R"(3\two\RA\\x\1\0\0)"})
    EXPECT_FALSE(ParseReadoutLine(Bad)) << Bad;
}

// Every line of a built-in type must describe a command: a typo would silently drop a
// parameter. No line may hold the prompt character, which would end the reader's exchange.
TEST(SimReadoutLine, BuiltInTypesAreWellFormed) {
  for (const std::string& TypeName : BuiltInTypes()) {
    TModuleType Type;
    std::string Error;
    ASSERT_TRUE(LoadModuleType(TypeName, Type, Error)) << Error;
    std::set<std::string> Names;
    for (const std::string& Line : Type.Lines) {
      const auto Cmd = ParseReadoutLine(Line);
      ASSERT_TRUE(Cmd) << Line;
      EXPECT_TRUE(Names.insert(Cmd->Name).second) << "twice: " << Cmd->Name;
      EXPECT_EQ(Line.find('>'), std::string::npos) << Line;
    }
    for (const auto& [Name, Value] : Type.Defaults) EXPECT_TRUE(Names.count(Name)) << Name;
    for (const auto& [Name, Wave] : Type.Waves) EXPECT_TRUE(Names.count(Name)) << Name;
  }
}

// The types differ in what they list, so that each way of reaching the memory commands and
// each group reaction of the tool has a module to run against.
TEST(SimReadoutLine, BuiltInTypesListTheirMemoryCommandsAndGroups) {
  constexpr int Absent = 0;
  const struct {
    std::string Type, Id;
    int SaveAccess, DefaultAccess, LoadbackAccess;  // listed as type 5 with this access
    std::string NewTab, NewData;                    // a parameter in that group, or none
  } Cases[] = {
      {"rich", "KV20DEMO", 1, 1, Absent, "MODE", "SENS"},
      {"basic", "KV20BASIC", Absent, Absent, Absent, "", ""},
      {"locked", "KV20LOCK", 2, 3, 1, "", ""},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Type);
    TModuleType Type;
    std::string Error;
    ASSERT_TRUE(LoadModuleType(C.Type, Type, Error)) << Error;
    EXPECT_EQ(Type.IdText.substr(0, Type.IdText.find(',')), C.Id);
    std::map<std::string, int> Memory{{"SAVE", Absent}, {"DEFAULT", Absent}, {"LOADBACK", Absent}};
    std::set<std::string> NewTab, NewData;
    for (const std::string& Line : Type.Lines) {
      const auto Cmd = ParseReadoutLine(Line);
      ASSERT_TRUE(Cmd) << Line;
      if (Memory.count(Cmd->Name)) {
        EXPECT_EQ(Cmd->Kind, TCmdKind::NoPara) << Cmd->Name;
        Memory[Cmd->Name] = Cmd->Access;
      } else {
        if (Cmd->Groups & 0x0001) NewTab.insert(Cmd->Name);
        if (Cmd->Groups & 0x0002) NewData.insert(Cmd->Name);
      }
    }
    EXPECT_EQ(Memory["SAVE"], C.SaveAccess);
    EXPECT_EQ(Memory["DEFAULT"], C.DefaultAccess);
    EXPECT_EQ(Memory["LOADBACK"], C.LoadbackAccess);
    EXPECT_EQ(NewTab, C.NewTab.empty() ? std::set<std::string>{} : std::set{C.NewTab});
    EXPECT_EQ(NewData, C.NewData.empty() ? std::set<std::string>{} : std::set{C.NewData});
  }
}

}  // namespace
}  // namespace vdx::sim
