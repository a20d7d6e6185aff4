// "DOWNLOAD" and the parameter block the module takes after it.
#include <gtest/gtest.h>

#include <memory>

#include "sim/DataBlock.h"
#include "sim/ModuleSim.h"
#include "sim/SimClient.h"

namespace vdx::sim {
namespace {

using test::TSimClient;

class SimDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    Sim = std::make_unique<TModuleSim>(TSimOptions{});
    std::string Error;
    ASSERT_TRUE(Sim->Start(Error)) << Error;
    Client = std::make_unique<TSimClient>(Sim->SlavePath());
  }

  // "DOWNLOAD", then Block: the module's answer to the block, without its echo.
  std::string Download(const std::string& Block) {
    const std::string Ready = Client->Exchange("DOWNLOAD", "!");
    if (Ready != "DOWNLOAD\r\nready for data!") return "<" + Ready + ">";
    // In pieces, each echo read before the next is sent, so neither side's buffer fills.
    for (size_t Pos = 0; Pos < Block.size(); Pos += 1000) {
      const std::string Piece = Block.substr(Pos, 1000);
      Client->Write(Piece);
      const std::string Echo = Client->ReadUntil(Piece);
      if (Echo != Piece) return "<echo " + Echo + ">";
    }
    const std::string Reply = Client->Exchange("");
    return Reply.starts_with("\r\n") ? Reply.substr(2) : "<" + Reply + ">";
  }

  std::unique_ptr<TModuleSim> Sim;
  std::unique_ptr<TSimClient> Client;
};

TEST(SimDataBlock, ItemsEndWithSemicolons) {
  const auto Items = SplitDataBlock(" RA = 100 ;SENS=4 - 20 mA;;CC:3=1 2;ODD;X=;=5;LAST=7");
  struct TExpected {
    const char* Name;
    const char* Value;
    bool WellFormed;
  } const Expected[] = {{"RA", "100", true},   {"SENS", "4 - 20 mA", true},
                        {"CC:3", "1 2", true}, {"ODD", "", false},
                        {"X", "", false},      {"", "5", false},
                        {"LAST", "7", true}};
  ASSERT_EQ(Items.size(), std::size(Expected));
  for (size_t I = 0; I < Items.size(); ++I) {
    EXPECT_EQ(Items[I].Name, Expected[I].Name) << I;
    EXPECT_EQ(Items[I].Value, Expected[I].Value) << I;
    EXPECT_EQ(Items[I].WellFormed, Expected[I].WellFormed) << I;
  }
}

// The dialogue as the tool runs it: no prompt after "ready for data!", the block echoed as it
// arrives, then "completed!" and the prompt; afterwards the module takes commands again.
TEST_F(SimDownload, BlockIsEchoedAppliedAndCompleted) {
  Client->Write("DOWNLOAD\r");
  EXPECT_EQ(Client->ReadFor(300), "DOWNLOAD\r\nready for data!");
  EXPECT_EQ(Client->Exchange("RA=123;RD=456;CURRENT=1500;SENS=4 - 20 mA;CC:3=300 -400;"),
            "RA=123;RD=456;CURRENT=1500;SENS=4 - 20 mA;CC:3=300 -400;\r\ncompleted!\r\n>");
  EXPECT_EQ(Sim->ParameterValue("RA"), "123");
  EXPECT_EQ(Sim->ParameterValue("RD"), "456");
  EXPECT_EQ(Sim->ParameterValue("CURRENT"), "1500");
  EXPECT_EQ(Sim->ParameterValue("SENS"), "\"4 - 20 mA\"");
  EXPECT_EQ(Sim->ParameterValue("CC:3"), "300 -400");
  EXPECT_EQ(Client->Exchange("RA"), "RA\r\n123\r\n>");
}

// A refused item makes the whole answer "command error"; the items taken stay applied.
TEST_F(SimDownload, RefusedItemsFailTheBlockButOthersStay) {
  struct TCase {
    std::string Block;
    std::string Answer;
    std::string Ra, Rd;  // values afterwards
  } const Cases[] = {
      {"RA=200 ; RD = 300", "completed!\r\n>", "200", "300"},  // last ";" may be missing
      {"RA=201;RD=0;", "command error\r\n>", "201", "300"},    // below Min
      {"RA=202;NOPE=1;RD=302;", "command error\r\n>", "202", "302"},
      {"RA;RD=303;", "command error\r\n>", "202", "303"},
      {"RA=;RD=304;", "command error\r\n>", "202", "304"},
      {"HOURS=5;RA=205;", "command error\r\n>", "205", "304"},  // read only
      {"SAVE=1;W=5;", "command error\r\n>", "205", "304"},      // no parameters
      {"", "command error\r\n>", "205", "304"},
      {";;", "command error\r\n>", "205", "304"},
      // Longer than a command line may be; longer than a block may be.
      {std::string(5000 - 5, ' ') + "RA=6;RD=306;", "completed!\r\n>", "6", "306"},
      {"RA=7;" + std::string(66000, ' ') + "RD=307;", "command error\r\n>", "6", "306"},
  };
  for (const auto& C : Cases) {
    const std::string Shown = C.Block.substr(0, 40);
    EXPECT_EQ(Download(C.Block), C.Answer) << Shown;
    EXPECT_EQ(Sim->ParameterValue("RA"), C.Ra) << Shown;
    EXPECT_EQ(Sim->ParameterValue("RD"), C.Rd) << Shown;
  }
  EXPECT_EQ(Client->Exchange("DOWNLOAD 1"), "DOWNLOAD 1\r\ncommand error\r\n>");
}

TEST_F(SimDownload, RefuseWritesFaultRefusesTheBlock) {
  Sim->SetFault(TSimFault::RefuseWrites);
  EXPECT_EQ(Download("RA=222;"), "command error\r\n>");
  EXPECT_EQ(Sim->ParameterValue("RA"), "100");
  EXPECT_EQ(Client->Exchange("RA"), "RA\r\n100\r\n>");  // back to commands
}

}  // namespace
}  // namespace vdx::sim
