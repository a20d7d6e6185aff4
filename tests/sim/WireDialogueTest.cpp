// The module's side of the line: echo, answer framing, duplex modes, baud rate, faults,
// pacing and counters, seen from the slave side of its pseudo-terminal.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <memory>
#include <thread>

#include "sim/ModuleSim.h"
#include "sim/SimClient.h"

namespace vdx::sim {
namespace {

using test::TSimClient;

std::unique_ptr<TModuleSim> StartSim(TSimOptions Options = {}) {
  auto Sim = std::make_unique<TModuleSim>(std::move(Options));
  std::string Error;
  EXPECT_TRUE(Sim->Start(Error)) << Error;
  return Sim;
}

// Waits until the module has taken Count bytes off the line in all, heard or not.
void WaitUntilReceived(const TModuleSim& Sim, uint64_t Count) {
  for (int I = 0; I < 400 && Sim.Stats().BytesReceived < Count; ++I)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

std::string Joined(const std::vector<std::string>& Lines, const std::string& End) {
  std::string Text;
  for (const auto& Line : Lines) Text += Line + End;
  return Text;
}

TEST(SimWire, FullDuplexEchoesThenAnswersAndPrompts) {
  auto Sim = StartSim();
  TSimClient Client(Sim->SlavePath());
  ASSERT_TRUE(Client.IsOpen());
  const std::string Id = Sim->IdText();

  EXPECT_EQ(Client.Exchange("ID"), "ID\r\n" + Id + "\r\n>");
  EXPECT_EQ(Client.Exchange("id"), "id\r\n" + Id + "\r\n>");  // echo is what was received
  EXPECT_EQ(Client.Exchange(""), "\r\n>");
  EXPECT_EQ(Client.Exchange("WHAT"), "WHAT\r\ncommand error\r\n>");
  EXPECT_EQ(Client.Exchange("Readout"), "Readout\r\n" + Joined(Sim->ReadoutLines(), "\r\n") + ">");
}

TEST(SimWire, HalfDuplexReturnsTheLineCopyBeforeEachEcho) {
  auto Sim = StartSim(test::Options([&](TSimOptions& O) { O.HalfDuplex = true; }));
  TSimClient Client(Sim->SlavePath());
  EXPECT_EQ(Client.Exchange("ID"), "IIDD\r\r\n" + Sim->IdText() + "\r\n>");
  EXPECT_EQ(Client.Exchange(""), "\r\r\n>");
}

TEST(SimWire, CmdPromptAndLfLineEnds) {
  auto Sim = StartSim(test::Options([&](TSimOptions& O) {
    O.Prompt = "CMD>";
    O.LineEnd = "\n";
  }));
  TSimClient Client(Sim->SlavePath());
  EXPECT_EQ(Client.Exchange("ACODE", "CMD>"), "ACODE\n60\nCMD>");
  EXPECT_EQ(Client.Exchange("RA 7", "CMD>"), "RA 7\nCMD>");
}

TEST(SimWire, WrongLineRateIsNotHeardAndBrSwitchesAfterAnswering) {
  auto Sim = StartSim();
  TSimClient Client(Sim->SlavePath(), 19200);
  Client.Write("ID\r");
  WaitUntilReceived(*Sim, 3);
  EXPECT_EQ(Client.ReadFor(100), "");

  Client.SetBaudRate(9600);
  EXPECT_EQ(Client.Exchange("BR 6"), "BR 6\r\n>");  // still at the old rate
  EXPECT_EQ(Sim->CurrentBaudRate(), 57600);
  Client.Write("ID\r");
  WaitUntilReceived(*Sim, 3 + 5 + 3);
  EXPECT_EQ(Client.ReadFor(100), "");

  Client.SetBaudRate(57600);
  EXPECT_EQ(Client.Exchange("ID"), "ID\r\n" + Sim->IdText() + "\r\n>");
  EXPECT_EQ(Client.Exchange("BR 3"), "BR 3\r\ncommand error\r\n>");
  EXPECT_EQ(Sim->CurrentBaudRate(), 57600);
}

TEST(SimWire, HalfDuplexLineCopyComesEvenWhenTheModuleCannotHear) {
  auto Sim = StartSim(test::Options([&](TSimOptions& O) {
    O.HalfDuplex = true;
    O.BaudRate = 19200;
  }));
  TSimClient Client(Sim->SlavePath(), 9600);
  Client.Write("ID\r");
  EXPECT_EQ(Client.ReadFor(150), "ID\r");
}

// The lines exactly as the module heard them, also in half duplex, where the line's copy of
// each byte is not something the module hears.
TEST(SimWire, ReceivedCommandsAreTheLinesAsHeard) {
  const std::vector<std::string> Sent = {"RA 250\r",   "CC:1 5 6 \r", "\r",  "SAVE \r",
                                         "Loadback\r", "RX\bA\r",     "id\r"};
  for (const bool Half : {false, true}) {
    SCOPED_TRACE(Half ? "half duplex" : "full duplex");
    auto Sim = StartSim(test::Options([&](TSimOptions& O) { O.HalfDuplex = Half; }));
    TSimClient Client(Sim->SlavePath());
    Client.Exchange("ACODE");
    Sim->ClearReceivedCommands();
    EXPECT_TRUE(Sim->ReceivedCommands().empty());
    for (const std::string& Line : Sent) {
      Client.Write(Line);
      Client.ReadUntil(">");
    }
    EXPECT_EQ(Sim->ReceivedCommands(), Sent);

    // Bytes at another rate are not heard, so not listed.
    Sim->ClearReceivedCommands();
    Client.SetBaudRate(19200);
    Client.Write("ID\r");
    WaitUntilReceived(*Sim, Sim->Stats().BytesReceived + 3);
    Client.ReadFor(50);
    Client.SetBaudRate(9600);
    Client.Exchange("RD");
    EXPECT_EQ(Sim->ReceivedCommands(), std::vector<std::string>{"RD\r"});
  }
}

TEST(SimWire, FaultsShowUntilCleared) {
  auto Sim = StartSim();
  TSimClient Client(Sim->SlavePath());
  const std::string Normal = "ID\r\n" + Sim->IdText() + "\r\n>";
  auto Ask = [&] {
    Client.Write("ID\r");
    return Client.ReadUntil(Normal, 300);
  };

  Sim->SetFault(TSimFault::Silence);
  EXPECT_EQ(Ask(), "");
  WaitUntilReceived(*Sim, 3);
  Sim->SetFault(TSimFault::CommandError);
  EXPECT_EQ(Client.Exchange("ID"), "ID\r\ncommand error\r\n>");
  Sim->SetFault(TSimFault::StalePrompt);
  EXPECT_EQ(Ask(), ">\r\n" + Normal);
  Sim->SetFault(TSimFault::NoiseBeforeEcho);
  for (int Round = 0; Round < 3; ++Round) {
    const std::string Reply = Ask();
    ASSERT_GT(Reply.size(), Normal.size());
    const std::string Noise = Reply.substr(0, Reply.size() - Normal.size());
    EXPECT_EQ(Reply.substr(Noise.size()), Normal);
    EXPECT_LE(Noise.size(), 4u);
    for (const char C : Noise) EXPECT_FALSE(std::isalpha(static_cast<unsigned char>(C))) << Noise;
    EXPECT_EQ(Noise.find('>'), std::string::npos);
  }
  Sim->SetFault(TSimFault::Slow);
  Sim->SetSlowDelayMs(2);
  const auto Begin = std::chrono::steady_clock::now();
  EXPECT_EQ(Ask(), Normal);
  EXPECT_GE(std::chrono::steady_clock::now() - Begin,
            std::chrono::milliseconds(2 * static_cast<int>(Normal.size())));
  Sim->SetFault(TSimFault::None);
  EXPECT_EQ(Ask(), Normal);
}

TEST(SimWire, DropClosesTheLineAtTheNextCommand) {
  auto Sim = StartSim();
  TSimClient Client(Sim->SlavePath());
  EXPECT_EQ(Client.Exchange(""), "\r\n>");
  Sim->SetFault(TSimFault::Drop);
  Client.Write("ID\r");
  EXPECT_TRUE(Client.HangsUp(1000));
  Sim->Stop();
}

TEST(SimWire, ClientMayCloseAndReopenTheLine) {
  auto Sim = StartSim();
  {
    TSimClient First(Sim->SlavePath());
    EXPECT_EQ(First.Exchange("ACODE"), "ACODE\r\n60\r\n>");
  }
  TSimClient Second(Sim->SlavePath());
  EXPECT_EQ(Second.Exchange("ACODE"), "ACODE\r\n60\r\n>");
}

TEST(SimWire, StatsCountBytesCommandsAndTurnaround) {
  auto Sim = StartSim();
  TSimClient Client(Sim->SlavePath());
  const std::string First = Client.Exchange("ID");
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const std::string Second = Client.Exchange("ACODE");

  const TSimStats Stats = Sim->Stats();
  EXPECT_EQ(Stats.BytesReceived, 3u + 6u);
  EXPECT_EQ(Stats.BytesSent, First.size() + Second.size());
  EXPECT_EQ(Stats.Commands, 2u);
  ASSERT_EQ(Stats.TurnaroundUs.size(), 1u);
  EXPECT_GE(Stats.TurnaroundUs[0], 20000.0);

  Sim->ResetStats();
  EXPECT_EQ(Sim->Stats().BytesSent, 0u);
  EXPECT_TRUE(Sim->Stats().TurnaroundUs.empty());
}

TEST(SimWire, PacedBytesTakeTenBitsEachAtTheModuleRate) {
  auto Sim = StartSim(test::Options([&](TSimOptions& O) { O.Paced = true; }));
  TSimClient Client(Sim->SlavePath());
  const auto Begin = std::chrono::steady_clock::now();
  const std::string Reply = Client.Exchange("ID");
  const auto Elapsed = std::chrono::steady_clock::now() - Begin;
  EXPECT_EQ(Reply, "ID\r\n" + Sim->IdText() + "\r\n>");
  // Every byte of the reply needs 10 / 9600 s; it cannot come sooner.
  EXPECT_GE(Elapsed, std::chrono::microseconds(Reply.size() * 10 * 1000000 / 9600));
}

}  // namespace
}  // namespace vdx::sim
