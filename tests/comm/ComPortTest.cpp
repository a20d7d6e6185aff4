// TComPort on a real pseudo-terminal: the test holds the master side, the port opens the slave.
// Timing checks use lower bounds and generous upper bounds only.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "TestScopes.h"
#include "app/ExecutableDir.h"
#include "comm/ComPort.h"
#include "comm/SerialPortList.h"

namespace vdx {
namespace {

using Clock = std::chrono::steady_clock;

int64_t MsSince(Clock::time_point Start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Start).count();
}

// German port messages from the catalogue beside the executables.
void UseGermanPortMessages() {
  const char* Bin = std::getenv("VDX_BIN_DIR");
  BindPortMessages((Bin ? std::string(Bin) : ExecutableDir()) + "/locale");
  setenv("LANGUAGE", "de", 1);
  // LANGUAGE is ignored in the plain "C" locale.
  const char* Current = setlocale(LC_ALL, "");
  if (!Current || std::string(setlocale(LC_MESSAGES, nullptr)) == "C") setlocale(LC_ALL, "C.UTF-8");
}

std::string Message(const std::string& Text, int Code) {
  return Text + " (win error code: " + std::to_string(Code) + ")";
}

class ComPortTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { UseGermanPortMessages(); }

  void SetUp() override { NewLine(); }

  void TearDown() override {
    Port.ClosePort();
    if (!Transient.empty()) RemoveTransientPort(Transient);
    CloseLine();
  }

  // A fresh pseudo-terminal with the port open on its slave side. The test keeps the slave
  // open as well, as the virtual module does.
  void NewLine() {
    Port.ClosePort();
    CloseLine();
    ASSERT_EQ(openpty(&Master, &Slave, nullptr, nullptr, nullptr), 0);
    SlavePath = ptsname(Master);
    Port.SetPort(SlavePath);
    Port.OpenPort();
    ASSERT_TRUE(Port.Connected());
  }

  void CloseLine() {
    if (Master >= 0) close(Master);
    if (Slave >= 0) close(Slave);
    Master = Slave = -1;
  }

  void MasterWrite(const std::string& S) {
    ASSERT_EQ(write(Master, S.data(), S.size()), static_cast<ssize_t>(S.size()));
  }

  std::string MasterRead(size_t N, int TimeoutMs = 2000) {
    std::string S;
    const auto Deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (S.size() < N && Clock::now() < Deadline) {
      pollfd P{Master, POLLIN, 0};
      if (poll(&P, 1, 50) <= 0) continue;
      char Buf[256];
      const ssize_t R = read(Master, Buf, std::min(sizeof Buf, N - S.size()));
      if (R > 0) S.append(Buf, static_cast<size_t>(R));
    }
    return S;
  }

  // Waits until the port's input queue holds Count bytes (the pty hands them over shortly).
  void WaitForInput(int Count) {
    const auto Start = Clock::now();
    while (Port.BytesWaiting() < Count && MsSince(Start) < 2000)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_EQ(Port.BytesWaiting(), Count);
  }

  testing::TTempFolder Temp;
  testing::TPortRootsScope Roots{Temp};
  int Master = -1;
  int Slave = -1;
  std::string SlavePath;
  std::string Transient;  // device added as a transient port, forgotten again in TearDown
  TComPort Port;
};

TEST_F(ComPortTest, OpensRawEightNOneWithoutFlowControlAndChangesBaudRateAtOnce) {
  termios T{};
  ASSERT_EQ(tcgetattr(Slave, &T), 0);
  EXPECT_EQ(T.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(T.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(T.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
  EXPECT_EQ(T.c_iflag & (IXON | IXOFF | ICRNL), 0u);
  EXPECT_EQ(T.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(T.c_cc[VMIN], 0);
  EXPECT_EQ(T.c_cc[VTIME], 0);
  EXPECT_EQ(cfgetospeed(&T), static_cast<speed_t>(B9600));

  Port.SetBaudRate(57600);
  ASSERT_EQ(tcgetattr(Slave, &T), 0);
  EXPECT_EQ(cfgetospeed(&T), static_cast<speed_t>(B57600));
  EXPECT_EQ(cfgetispeed(&T), static_cast<speed_t>(B57600));

  try {
    Port.SetBaudRate(12345);
    FAIL() << "an unsupported rate was accepted";
  } catch (const TComPortError& E) {
    EXPECT_EQ(E.what(), Message("Funktion SetCommState fehlgeschlagen", EINVAL));
  }
  EXPECT_EQ(Port.BaudRate(), 57600);
}

TEST_F(ComPortTest, SilentLineReturnsNothingAfterTheTotalTime) {
  struct TCase {
    const char* Use;
    uint32_t Interval, Multiplier, Constant;
    int N;
    int64_t MinMs;
  };
  const TCase Cases[] = {
      {"per-character wait of an exchange", TComPort::NoLimit, 0, 250, 1, 250},
      {"baud-rate probe of two bytes", 5, 2, 600, 2, 604},
      {"draining after a probe", 5, 2, 600, 1, 602},
      {"draining after the module switched", TComPort::NoLimit, 0, 200, 1, 200},
      {"bootloader text, interval has no effect", 40, 0, 250, 1, 250},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Use);
    Port.SetReadTimeouts(C.Interval, C.Multiplier, C.Constant);
    std::string S = "old";
    const auto Start = Clock::now();
    EXPECT_EQ(Port.ReadText(S, C.N), 0);
    const int64_t Ms = MsSince(Start);
    EXPECT_EQ(S, "");
    EXPECT_GE(Ms, C.MinMs);
    EXPECT_LT(Ms, C.MinMs + 1500);
    EXPECT_TRUE(Port.Connected());
  }
}

TEST_F(ComPortTest, ReadReturnsAsSoonAsAllBytesArrived) {
  Port.SetReadTimeouts(TComPort::NoLimit, 0, 3000);
  std::jthread Module([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    MasterWrite("ID\r");
  });
  std::string S;
  const auto Start = Clock::now();
  const int Got = Port.ReadText(S, 3);
  const int64_t Ms = MsSince(Start);
  EXPECT_EQ(Got, 3);
  EXPECT_EQ(S, "ID\r");
  EXPECT_LT(Ms, 2000);
}

TEST_F(ComPortTest, ProbeReadEndsWhenTheSecondByteIsLate) {
  Port.SetReadTimeouts(5, 2, 600);
  std::string S;
  MasterWrite("ID");
  EXPECT_EQ(Port.ReadText(S, 2), 2);
  EXPECT_EQ(S, "ID");

  // Second byte 300 ms after the first: far beyond the 5 ms interval, within the 604 ms total.
  MasterWrite("I");
  std::jthread Module([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    MasterWrite("D");
  });
  const auto Start = Clock::now();
  const int Got = Port.ReadText(S, 2);
  const int64_t Ms = MsSince(Start);
  EXPECT_EQ(Got, 1);
  EXPECT_EQ(S, "I");
  EXPECT_LT(Ms, 300);

  Port.SetReadTimeouts(TComPort::NoLimit, 0, 1000);
  EXPECT_EQ(Port.ReadText(S, 1), 1);
  EXPECT_EQ(S, "D");
}

TEST_F(ComPortTest, NoLimitWithZeroTotalsReturnsAtOnceWithWhatIsThere) {
  Port.SetReadTimeouts(TComPort::NoLimit, 0, 0);
  std::string S;
  {
    // A byte after 500 ms ends a read that wrongly waits, so the fault shows instead of a hang.
    std::jthread Module([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      MasterWrite("z");
    });
    const auto Start = Clock::now();
    EXPECT_EQ(Port.ReadText(S, 1), 0);
    EXPECT_LT(MsSince(Start), 100);
  }
  MasterWrite("abc");
  ASSERT_NO_FATAL_FAILURE(WaitForInput(4));
  EXPECT_EQ(Port.ReadText(S, 10), 4);
  EXPECT_EQ(S, "zabc");
}

TEST_F(ComPortTest, WriteReachesTheLineAndBothDirectionsAreTraced) {
  std::string Sent, Received;
  Port.OnTrace = [&](TTraceDirection D, const std::string& Bytes) {
    (D == TTraceDirection::tdSent ? Sent : Received) += Bytes;
  };
  EXPECT_EQ(Port.WriteText("ID\r"), 3);
  EXPECT_EQ(MasterRead(3), "ID\r");

  MasterWrite("ID 7\r\n>");
  Port.SetReadTimeouts(TComPort::NoLimit, 0, 1000);
  std::string S;
  EXPECT_EQ(Port.ReadText(S, 7), 7);
  EXPECT_EQ(Sent, "ID\r");
  EXPECT_EQ(Received, "ID 7\r\n>");
}

TEST_F(ComPortTest, PurgeDropsOnlyTheChosenQueue) {
  MasterWrite("stale");
  ASSERT_NO_FATAL_FAILURE(WaitForInput(5));
  Port.PurgeBuffers(false, true);
  EXPECT_EQ(Port.BytesWaiting(), 5);

  Port.PurgeBuffers(true, false);
  EXPECT_EQ(Port.BytesWaiting(), 0);
  Port.SetReadTimeouts(TComPort::NoLimit, 0, 50);
  std::string S;
  EXPECT_EQ(Port.ReadText(S, 1), 0);
}

TEST_F(ComPortTest, LostLinkThrowsAndClosesThePort) {
  struct TCase {
    const char* Op;
    std::string Text;
    std::function<void(TComPort&)> Run;
  };
  const TCase Cases[] = {
      {"read", "Funktion ReadFile fehlgeschlagen",
       [](TComPort& P) {
         std::string S;
         P.SetReadTimeouts(TComPort::NoLimit, 0, 3000);
         P.ReadText(S, 1);
       }},
      {"read without waiting", "Funktion ReadFile fehlgeschlagen",
       [](TComPort& P) {
         std::string S;
         P.SetReadTimeouts(TComPort::NoLimit, 0, 0);
         P.ReadText(S, 1);
       }},
      {"write", "Funktion WriteFile fehlgeschlagen", [](TComPort& P) { P.WriteText("ID\r"); }},
      {"purge", "Funktion PurgeComm fehlgeschlagen",
       [](TComPort& P) { P.PurgeBuffers(true, true); }},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Op);
    NewLine();
    close(Master);  // the module side goes away
    Master = -1;
    const auto Start = Clock::now();
    try {
      C.Run(Port);
      ADD_FAILURE() << "no error on a lost link";
    } catch (const TComPortError& E) {
      EXPECT_EQ(std::string(E.what()).rfind(C.Text + " (win error code: ", 0), 0u) << E.what();
      EXPECT_NE(E.Code(), 0);
    }
    EXPECT_LT(MsSince(Start), 2000);
    EXPECT_FALSE(Port.Connected());
    EXPECT_EQ(Port.Handle(), -1);
    // Later calls on the closed port fail at once instead of touching a stale descriptor.
    EXPECT_THROW(C.Run(Port), TComPortError);
  }
}

TEST_F(ComPortTest, OpenFailsWithTheTranslatedMessageAndErrorNumber) {
  std::ofstream(Temp / "plain-file") << "not a terminal";
  struct TCase {
    std::string Name;
    int Code;
  };
  const TCase Cases[] = {
      {"/nonexistent/ttyUSB9", ENOENT},
      {"/dev/null", ENOTTY},
      {Temp / "plain-file", ENOTTY},
      {"COM4711", ENOENT},  // no such number in the port map
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TComPort P;
    bool Reopened = false;
    P.OnReopened = [&] { Reopened = true; };
    P.SetPort(C.Name);
    try {
      P.OpenPort();
      ADD_FAILURE() << "opened";
    } catch (const TComPortError& E) {
      EXPECT_EQ(E.what(), Message("COM-Port kann nicht geöffnet werden", C.Code));
      EXPECT_EQ(E.Code(), C.Code);
    }
    EXPECT_FALSE(P.Connected());
    EXPECT_FALSE(Reopened);
  }
}

TEST_F(ComPortTest, SetPortReopensUnderTheNewNameOrStaysClosed) {
  int Reopened = 0;
  Port.OnReopened = [&] { ++Reopened; };
  Transient = SlavePath;
  const std::string ComName = AddTransientPort(SlavePath);

  Port.SetPort(ComName);
  EXPECT_TRUE(Port.Connected());
  EXPECT_EQ(Reopened, 1);
  EXPECT_EQ(Port.WriteText("x"), 1);
  EXPECT_EQ(MasterRead(1), "x");

  try {
    Port.SetPort("/nonexistent/ttyUSB9");
    ADD_FAILURE() << "opened a missing port";
  } catch (const TComPortError& E) {
    EXPECT_EQ(E.what(), Message("COM-Port kann nicht geöffnet werden", ENOENT));
  }
  EXPECT_FALSE(Port.Connected());
  EXPECT_EQ(Port.Port(), "/nonexistent/ttyUSB9");
  EXPECT_EQ(Reopened, 1);

  EXPECT_THROW(Port.SetConnected(true), TComPortError);
  Port.SetPort(SlavePath);  // closed: only stored
  EXPECT_FALSE(Port.Connected());
  Port.SetConnected(true);
  EXPECT_TRUE(Port.Connected());
  EXPECT_EQ(Reopened, 2);
}

}  // namespace
}  // namespace vdx
