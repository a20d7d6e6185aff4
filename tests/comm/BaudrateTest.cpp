// Baud rate detection, the module switch and the line property setters, end to end.
#include <gtest/gtest.h>

#include <chrono>

#include "SimLink.h"
#include "comm/Baudrate.h"

namespace vdx {
namespace {

using testing::TSimLink;

TEST(Baudrates, NamesCodesAndConversions) {
  TModBaudrate B;
  EXPECT_TRUE(BaudrateFromBps(57600, B));
  EXPECT_EQ(B, mb57600);
  EXPECT_EQ(BaudrateCode(B), 6);
  EXPECT_EQ(BaudrateCode(mb115200), 12);
  EXPECT_FALSE(BaudrateFromBps(4800, B));
  EXPECT_TRUE(BaudrateFromName("115.2 KBaud", B));
  EXPECT_EQ(B, mb115200);
  EXPECT_FALSE(BaudrateFromName("115.2 kbaud", B));
  EXPECT_EQ(BaudrateName(mb9600), "9.6 KBaud");
}

TEST(Baudrates, DetectsTheModuleAtEveryRate) {
  for (TModBaudrate Rate : AllBaudrates) {
    sim::TSimOptions Options;
    Options.BaudRate = BaudrateBps(Rate);
    TSimLink L(Options);
    ASSERT_TRUE(L.Prot.Connect()) << BaudrateBps(Rate);
    EXPECT_EQ(L.Prot.BaudRate(), Rate);
    EXPECT_EQ(L.Prot.ComPort().BaudRate(), BaudrateBps(Rate));
    std::string Id;
    EXPECT_TRUE(L.Prot.Identify(Id)) << BaudrateBps(Rate);
  }
}

TEST(Baudrates, SwitchesTheModuleAfterDetection) {
  TSimLink L;  // module at 9600
  L.Prot.SetAutoSetBaudrate(true);
  L.Prot.SetAutoBaudrate(mb115200);
  ASSERT_TRUE(L.Prot.Connect());
  EXPECT_EQ(L.Prot.BaudRate(), mb115200);
  EXPECT_EQ(L.Module.CurrentBaudRate(), 115200);
  std::string Id;
  EXPECT_TRUE(L.Prot.Identify(Id));
}

TEST(Baudrates, ModuleAt115200IsNotSwitched) {
  // "BR 12" is answered with 12, which the query does not accept, so no switch follows.
  sim::TSimOptions Options;
  Options.BaudRate = 115200;
  TSimLink L(Options);
  L.Prot.SetAutoSetBaudrate(true);
  L.Prot.SetAutoBaudrate(mb19200);
  ASSERT_TRUE(L.Prot.Connect());
  EXPECT_EQ(L.Prot.BaudRate(), mb115200);
  EXPECT_EQ(L.Module.CurrentBaudRate(), 115200);
}

TEST(Baudrates, SilentModuleIsGivenUpAfterThreePasses) {
  TSimLink L;
  L.Module.SetFault(sim::TSimFault::Silence);
  const auto Start = std::chrono::steady_clock::now();
  EXPECT_FALSE(L.Prot.Connect());
  const auto Elapsed = std::chrono::steady_clock::now() - Start;
  EXPECT_GE(Elapsed, std::chrono::milliseconds(15 * 604));
  EXPECT_LT(Elapsed, std::chrono::seconds(15));
  EXPECT_TRUE(L.Prot.PortOpen());
  EXPECT_EQ(L.Prot.BaudRate(), mb115200);
}

TEST(Baudrates, PropertySettersFollowTheLine) {
  TSimLink L;
  ASSERT_TRUE(L.ConnectAt(mb9600));

  // A fixed rate change while not detecting reopens the port at once.
  L.Prot.SetFixBaudrate(mb38400);
  EXPECT_TRUE(L.Prot.PortOpen());
  EXPECT_EQ(L.Prot.ComPort().BaudRate(), 38400);

  // Half duplex: disconnects and fixes 19200; Connect then does not probe.
  L.Prot.SetTransferMode(tmHalfDuplex);
  EXPECT_FALSE(L.Prot.PortOpen());
  EXPECT_EQ(L.Prot.BaudRate(), mb19200);

  L.Prot.SetTransferMode(tmFullDuplex);
  EXPECT_EQ(L.Prot.BaudRate(), mb38400);  // back to the fixed rate

  // Switching detection off disconnects even with the port closed and takes the fixed rate.
  L.Prot.SetAutoBaudDetection(true);
  L.Prot.SetBaudRate(mb57600);
  L.Prot.SetAutoBaudDetection(false);
  EXPECT_EQ(L.Prot.BaudRate(), mb38400);

  // A port number that cannot be opened leaves PortNo 0 and the port closed.
  ASSERT_TRUE(L.ConnectAt(mb9600));
  L.Prot.SetPortNo(999);
  EXPECT_EQ(L.Prot.PortNo(), 0);
  EXPECT_FALSE(L.Prot.PortOpen());
}

}  // namespace
}  // namespace vdx
