// The terminal path end to end: typed keys reach the virtual module, its characters reach the
// terminal, and only in terminal mode.
#include <gtest/gtest.h>

#include "SimLink.h"
#include "TerminalTestView.h"

namespace vdx {
namespace {

using testing::TRecordingTerminal;
using testing::TSimLink;

TEST(TerminalPath, KeysGoOutAndTheModulesCharactersComeBack) {
  // On the two-wire line the line's copy of each key is dropped, so both show the same.
  for (const bool Half : {false, true}) {
    SCOPED_TRACE(Half ? "half duplex" : "full duplex");
    sim::TSimOptions O;
    O.HalfDuplex = Half;
    O.BaudRate = Half ? 19200 : 9600;
    TSimLink L(O);
    if (Half) {
      L.Prot.SetTransferMode(tmHalfDuplex);
      ASSERT_TRUE(L.Prot.Connect());
    } else {
      ASSERT_TRUE(L.ConnectAt(mb9600));
    }
    TRecordingTerminal T;
    L.Prot.SetTerminal(&T);
    L.Prot.SetOperatingMode(omTerminal);
    EXPECT_TRUE(L.Prot.TerminalPathLive());
    for (const char Key : std::string("ID")) {
      T.Type(std::string(1, Key));
      ASSERT_TRUE(T.ShowUntil(L.Prot, std::string(1, Key))) << T.Shown;
    }
    T.Type("\r");
    ASSERT_TRUE(T.ShowUntil(L.Prot, ">")) << T.Shown;
    EXPECT_EQ(T.Shown, "ID\r\n" + L.Module.IdText() + "\r\n>");
    EXPECT_EQ(L.Module.ReceivedCommands(), std::vector<std::string>{"ID\r"});
    L.Prot.SetTerminal(nullptr);
  }
}

TEST(TerminalPath, OutsideTerminalModeKeysAreDroppedAndInputStaysForExchanges) {
  TSimLink L;
  ASSERT_TRUE(L.ConnectAt(mb9600));
  TRecordingTerminal T;
  L.Prot.SetTerminal(&T);
  EXPECT_FALSE(L.Prot.SendTerminalChar('\r'));
  T.Type("ID\r");
  EXPECT_FALSE(L.Prot.TerminalPathLive());

  // The module's answer waits in the port while the mode is not omTerminal.
  L.Prot.SetOperatingMode(omTerminal);
  T.Type("ID\r");
  L.Prot.SetOperatingMode(omIdle);
  for (int I = 0; I < 200 && L.Prot.ComPort().BytesWaiting() < 4; ++I)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  L.Prot.TerminalRxChar();
  EXPECT_EQ(T.Shown, "");
  EXPECT_GE(L.Prot.ComPort().BytesWaiting(), 4);
  EXPECT_EQ(L.Module.ReceivedCommands(), std::vector<std::string>{"ID\r"});

  // With the port closed a key is swallowed.
  L.Prot.SetOperatingMode(omTerminal);
  L.Prot.Disconnect();
  EXPECT_TRUE(L.Prot.SendTerminalChar('X'));
  EXPECT_FALSE(L.Prot.TerminalPathLive());
  L.Prot.SetTerminal(nullptr);
}

}  // namespace
}  // namespace vdx
