// The firmware update end to end: the bootloader steps, the S-record transfer and the classic
// update mode, on the real port layer against the virtual module's bootloader.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <thread>

#include "SimLink.h"
#include "TerminalTestView.h"
#include "TestPaths.h"
#include "TestScopes.h"

namespace vdx {
namespace {

// Polls Condition for up to three seconds: the module handles what it hears in its own thread,
// so it may still be at work when the tool's step returns.
bool Eventually(const std::function<bool()>& Condition) {
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (!Condition()) {
    if (std::chrono::steady_clock::now() >= Deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

using testing::TRecordingTerminal;
using testing::TSimLink;

std::string FirmwareFile() { return testing::TestDataDir() + "/KV20FW.s19"; }

// A link on the given line, connected as the desktop tool connects.
std::unique_ptr<TSimLink> Link(bool Half) {
  sim::TSimOptions O;
  O.HalfDuplex = Half;
  O.BaudRate = Half ? 19200 : 9600;
  auto L = std::make_unique<TSimLink>(O);
  if (Half) {
    L->Prot.SetTransferMode(tmHalfDuplex);
    EXPECT_TRUE(L->Prot.Connect());
  } else {
    EXPECT_TRUE(L->ConnectAt(mb9600));
  }
  return L;
}

// Start, erase and the program request, as the dialog's buttons run them.
void EnterAndPrepare(TSimLink& L) {
  ASSERT_TRUE(L.Prot.BootloaderStep(bsStart));
  ASSERT_TRUE(L.Prot.BootloaderStep(bsErase));
  ASSERT_TRUE(L.Prot.BootloaderStep(bsProgram));
}

TEST(BootloaderSteps, UpdateRunsThroughTheBootloaderAndBackToTheApplication) {
  const std::string File = testing::FileText(FirmwareFile());
  ASSERT_FALSE(File.empty());
  for (const bool Half : {false, true}) {
    SCOPED_TRACE(Half ? "half duplex" : "full duplex");
    auto L = Link(Half);
    const TModBaudrate AppRate = Half ? mb19200 : mb9600;
    L->Module.SetParameterValue("KP", "1234");  // defaults are loaded after the update
    ASSERT_EQ(L->Module.ParameterValue("KP"), "1234");

    ASSERT_TRUE(L->Prot.BootloaderStep(bsStart));
    // Full duplex the bootloader talks at 57600 bit/s; half duplex keeps the rate.
    EXPECT_EQ(L->Prot.BaudRate(), Half ? mb19200 : mb57600);
    EXPECT_EQ(L->Module.CurrentBaudRate(), Half ? 19200 : 57600);
    ASSERT_TRUE(L->Prot.BootloaderStep(bsErase));
    ASSERT_TRUE(L->Prot.BootloaderStep(bsProgram));

    L->Module.ClearReceivedCommands();
    std::vector<std::pair<size_t, size_t>> Progress;
    EXPECT_TRUE(L->Prot.SendFirmwareFile(
        FirmwareFile(), [&](size_t Done, size_t Total) { Progress.emplace_back(Done, Total); }));
    ASSERT_EQ(Progress.size(), File.size() + 1);
    EXPECT_EQ(Progress.front(), std::make_pair(size_t{0}, File.size()));
    EXPECT_EQ(Progress.back(), std::make_pair(File.size(), File.size()));
    // The records went out in file order with CR line ends only. The last record may still be
    // on its way through the line when the transfer returns.
    // The menu keys "1" and "2" carry no CR, so they begin the first line the module heard.
    std::string Expected = "12" + File;
    std::erase(Expected, '\n');
    std::string Heard;
    Eventually([&] {
      Heard.clear();
      for (const auto& Line : L->Module.ReceivedCommands()) Heard += Line;
      return Heard == Expected;
    });
    EXPECT_EQ(Heard, Expected);

    EXPECT_TRUE(L->Prot.BootloaderStep(bsRunApplication));
    EXPECT_EQ(L->Prot.BaudRate(), AppRate);
    EXPECT_EQ(L->Module.CurrentBaudRate(), Half ? 19200 : 9600);
    // The question after the change was answered "y": the module took its defaults.
    EXPECT_TRUE(Eventually([&] { return L->Module.ParameterValue("KP") == "2500"; }));
    // The step ends with an "ID" whose answer nobody awaits; a user identifies later.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::string Id;
    EXPECT_TRUE(L->Prot.Identify(Id));
  }
}

TEST(BootloaderSteps, CorruptedRecordIsRejectedAndAnotherTryWorks) {
  auto L = Link(false);
  testing::TTempFolder Dir;
  std::string Bad = testing::FileText(FirmwareFile());
  const size_t Pos = Bad.find("S1131010") + 10;
  Bad[Pos] = Bad[Pos] == '0' ? '1' : '0';
  std::ofstream(Dir / "bad.s19", std::ios::binary) << Bad;

  EnterAndPrepare(*L);
  EXPECT_FALSE(L->Prot.SendFirmwareFile(Dir / "bad.s19"));
  // No valid application: the module stays in its bootloader and does not come back.
  EXPECT_FALSE(L->Prot.BootloaderStep(bsRunApplication));
  EXPECT_EQ(L->Module.CurrentBaudRate(), 57600);

  EnterAndPrepare(*L);
  EXPECT_TRUE(L->Prot.SendFirmwareFile(FirmwareFile()));
  EXPECT_TRUE(L->Prot.BootloaderStep(bsRunApplication));
}

TEST(BootloaderSteps, TransferKeepsTheTerminalOffAndSendsLfFilesWithoutLineEnds) {
  auto L = Link(false);
  testing::TTempFolder Dir;
  std::string Lf = testing::FileText(FirmwareFile());
  std::erase(Lf, '\r');
  std::ofstream(Dir / "lf.s19", std::ios::binary) << Lf;
  TRecordingTerminal T;
  L->Prot.SetTerminal(&T);
  L->Prot.SetOperatingMode(omTerminal);

  EnterAndPrepare(*L);
  L->Module.ClearReceivedCommands();
  // The GUI's receive notifier may fire while the transfer processes events: the detached
  // handler takes nothing, so the bootloader's confirmation is still there to be read.
  EXPECT_TRUE(L->Prot.SendFirmwareFile(Dir / "lf.s19", [&](size_t, size_t) {
    EXPECT_FALSE(L->Prot.TerminalPathLive());
    L->Prot.TerminalRxChar();
  }));
  EXPECT_EQ(T.Shown, "");
  // The bootloader took every record, and no line of them ended with a CR.
  EXPECT_EQ(L->Module.ReceivedCommands(), std::vector<std::string>{});
  EXPECT_TRUE(L->Prot.TerminalPathLive());
  L->Prot.SetTerminal(nullptr);
}

TEST(BootloaderSteps, EveryLineReachesTheBootloaderWithAPauseAfterIt) {
  // On a line paced at its rate the port holds what the tool wrote; the pause after each CR
  // must still fall between the lines as the module hears them.
  sim::TSimOptions O;
  O.Paced = true;
  TSimLink L(O);
  ASSERT_TRUE(L.ConnectAt(mb9600));
  EnterAndPrepare(L);
  L.Module.ClearReceivedCommands();
  ASSERT_TRUE(L.Prot.SendFirmwareFile(FirmwareFile()));
  // The bootloader confirms at the last record's final digit; its CR may still be on the way.
  ASSERT_TRUE(Eventually([&] { return L.Module.ReceivedLines().size() == 7; }));
  const auto Lines = L.Module.ReceivedLines();
  std::vector<double> GapsMs;
  for (size_t I = 1; I < Lines.size(); ++I)
    GapsMs.push_back(std::chrono::duration<double, std::milli>(Lines[I].FirstByte -
                                                               Lines[I - 1].End)
                         .count());
  std::sort(GapsMs.begin(), GapsMs.end());
  // Without the pause on the wire every gap is under 3 ms. A busy machine may let the module
  // take a line's bytes late, which shortens that gap (down to nothing), so the median is
  // what shows the pauses.
  EXPECT_GE(GapsMs[GapsMs.size() / 2], 7.0);
}

TEST(BootloaderSteps, LeavingTheBootloaderEndsAtTheFixedRate) {
  sim::TSimOptions O;
  O.BaudRate = 9600;
  TSimLink L(O);
  L.Prot.SetFixBaudrate(mb19200);
  ASSERT_TRUE(L.Prot.Connect());  // found at 9600
  ASSERT_EQ(L.Prot.BaudRate(), mb9600);
  EnterAndPrepare(L);
  ASSERT_TRUE(L.Prot.SendFirmwareFile(FirmwareFile()));
  L.Prot.BootloaderStep(bsRunApplication);
  EXPECT_EQ(L.Prot.BaudRate(), mb19200);
  EXPECT_EQ(L.Prot.ComPort().BaudRate(), 19200);
}

TEST(BootloaderSteps, SilentBootloaderFailsTheStartAndRestoresTheRate) {
  auto L = Link(false);
  L->Module.SetFault(sim::TSimFault::SilentBootloader);
  EXPECT_FALSE(L->Prot.BootloaderStep(bsStart));
  EXPECT_TRUE(L->Prot.PortOpen());
  EXPECT_EQ(L->Prot.BaudRate(), mb9600);
  EXPECT_EQ(L->Prot.ComPort().BaudRate(), 9600);
}

TEST(BootloaderSteps, StepsNeedAnOpenPortAndTransfersAFile) {
  TSimLink L;
  for (const TBootloaderStep Step : {bsErase, bsProgram, bsRunApplication})
    EXPECT_FALSE(L.Prot.BootloaderStep(Step)) << Step;
  EXPECT_FALSE(L.Prot.SendFirmwareFile(FirmwareFile()));  // no port
  ASSERT_TRUE(L.ConnectAt(mb9600));
  EXPECT_FALSE(L.Prot.SendFirmwareFile(testing::TestDataDir() + "/missing.s19"));
  EXPECT_FALSE(L.Prot.SendFirmwareClassic(testing::TestDataDir() + "/missing.s19"));
  EXPECT_TRUE(L.Module.ReceivedCommands().empty());
}

TEST(ClassicFirmwareUpdate, TechnicianDrivesTheMenuInTheTerminal) {
  auto L = Link(false);
  TRecordingTerminal T;
  L->Prot.SetTerminal(&T);
  L->Prot.SetFirmwareUpdateMode(true);
  EXPECT_TRUE(L->Prot.FirmwareUpdateMode());
  EXPECT_EQ(L->Prot.OperatingMode(), omTerminal);
  EXPECT_EQ(L->Prot.BaudRate(), mb57600);

  T.Type("\r");  // what the terminal page sends when it is shown
  ASSERT_TRUE(T.ShowUntil(L->Prot, ">")) << T.Shown;
  EXPECT_NE(T.Shown.find("FLASH erase command"), std::string::npos);
  T.Type("1");
  ASSERT_TRUE(T.ShowUntil(L->Prot, "erased\r\n>")) << T.Shown;
  T.Type("2");
  ASSERT_TRUE(T.ShowUntil(L->Prot, "Program")) << T.Shown;
  // The receive handler stays attached: the GUI processes its events after every byte.
  EXPECT_TRUE(L->Prot.SendFirmwareClassic(FirmwareFile(),
                                          [&](size_t, size_t) { L->Prot.TerminalRxChar(); }));
  ASSERT_TRUE(T.ShowUntil(L->Prot, ">")) << T.Shown;
  EXPECT_NE(T.Shown.find("Programming OK"), std::string::npos);

  L->Prot.SetFirmwareUpdateMode(false);
  EXPECT_FALSE(L->Prot.FirmwareUpdateMode());
  EXPECT_EQ(L->Prot.BaudRate(), mb9600);
  ASSERT_TRUE(T.ShowUntil(L->Prot, "(y/n)")) << T.Shown;
  T.Type("y");
  ASSERT_TRUE(T.ShowUntil(L->Prot, ">")) << T.Shown;
  L->Prot.SetOperatingMode(omIdle);
  std::string Id;
  EXPECT_TRUE(L->Prot.Identify(Id));
  L->Prot.SetTerminal(nullptr);
}

TEST(ClassicFirmwareUpdate, HalfDuplexShowsTheMenuWithoutTheEchoedCommand) {
  auto L = Link(true);
  TRecordingTerminal T;
  L->Prot.SetTerminal(&T);
  L->Prot.SetFirmwareUpdateMode(true);
  EXPECT_EQ(T.Shown.rfind("\r\nX.A.VO.", 0), 0u) << T.Shown;
  EXPECT_TRUE(EndsWith(T.Shown, "G : Start application\r\n>")) << T.Shown;
  L->Prot.SetFirmwareUpdateMode(false);
  EXPECT_FALSE(L->Prot.FirmwareUpdateMode());
  L->Prot.SetTerminal(nullptr);
}

TEST(ClassicFirmwareUpdate, ModeStaysOnWhileThePortIsClosed) {
  auto L = Link(false);
  L->Prot.SetFirmwareUpdateMode(true);
  L->Prot.SetPortOpen(false);
  L->Prot.SetFirmwareUpdateMode(false);
  EXPECT_TRUE(L->Prot.FirmwareUpdateMode());
}

}  // namespace
}  // namespace vdx
