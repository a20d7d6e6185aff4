// vdxctl firmware and terminal: the firmware update through the module's bootloader with the
// steps of the desktop tool's update dialog, and a raw terminal session with the module.
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "app/AppDataFolder.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/FileQuestions.h"
#include "comm/LocalTime.h"
#include "comm/TextUtil.h"
#include "params/ParameterBackup.h"

namespace vdx::cli {

namespace {

constexpr const char* StartFailedText =
    "Firmware update could not start! Check port settings or availability of the bootloader. "
    "Restart the module and try it again! ";
constexpr char SessionEndKey = 0x1D;  // Ctrl-]
// After Ctrl-] or the end of the input the module's last answer is awaited until it has been
// quiet this long.
constexpr int QuietEndMs = 500;

// The update's warning, asked on a terminal; --yes answers it.
bool ConfirmUpdate(const TCliOptions& Options) {
  if (Options.Yes) return true;
  if (!isatty(STDIN_FILENO)) {
    PrintError("a firmware update needs --yes when no terminal can be asked; nothing was sent");
    return false;
  }
  std::fprintf(stderr,
               "Attention! You will start firmware update!!!\n"
               "Are you really sure that you want to continue? [y/N] ");
  std::fflush(stderr);
  std::string Answer;
  std::getline(std::cin, Answer);
  Answer = UpperCase(TrimControl(Answer));
  if (Answer == "Y" || Answer == "YES") return true;
  PrintError("firmware update cancelled; nothing was sent");
  return false;
}

void Status(const char* Text) { std::fprintf(stderr, "%s\n", Text); }

// Percent of the transfer on standard error: one line per tenth, or one updated line on a
// terminal.
class TTransferProgress {
 public:
  void operator()(size_t Done, size_t Total) {
    const int Percent = Total == 0 ? 100 : static_cast<int>(Done * 100 / Total);
    if (Percent / 10 == FShown / 10 && !(FTty && Percent != FShown)) return;
    FShown = Percent;
    std::fprintf(stderr, FTty ? "\rsent %3d %%" : "sent %3d %%\n", Percent);
    if (FTty && Done == Total) std::fputc('\n', stderr);
    std::fflush(stderr);
  }

 private:
  const bool FTty = isatty(STDERR_FILENO) != 0;
  int FShown = -10;
};

// The module's characters, as they come, on standard output.
class TStdoutTerminal : public ITerminalView {
 public:
  void DisplayText(std::string_view Received) override {
    const std::string Text = Latin1ToUtf8(std::string(Received));
    std::fwrite(Text.data(), 1, Text.size(), stdout);
    std::fflush(stdout);
  }
};

// Raw keys on a terminal for the scope of a session: no line editing, no local echo, no
// signals from the keyboard.
class TRawInputScope {
 public:
  TRawInputScope() {
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &FSaved) != 0) return;
    termios Raw = FSaved;
    cfmakeraw(&Raw);
    FActive = tcsetattr(STDIN_FILENO, TCSANOW, &Raw) == 0;
  }
  ~TRawInputScope() {
    if (FActive) tcsetattr(STDIN_FILENO, TCSANOW, &FSaved);
  }
  TRawInputScope(const TRawInputScope&) = delete;
  TRawInputScope& operator=(const TRawInputScope&) = delete;
  bool Active() const { return FActive; }

 private:
  termios FSaved{};
  bool FActive = false;
};

// Identifies the module and saves its parameters before the update; the outcome is told in
// either case. False when --restore was asked for and there is nothing to restore.
bool BackUpParameters(TCliSession& S, const TCliOptions& Options, TParameterBackup& Backup) {
  if (S.IdentifyConnected() == exDone)
    Backup = SaveParameterBackup(S.Prot(), AppDataFolder(), LocalNow());
  else
    Backup.Message = NoModuleBackupText;
  if (Backup.Saved)
    Status(Backup.Message.c_str());
  else
    PrintError(Backup.Message);
  if (Backup.Saved || !Options.Restore) return true;
  PrintError("--restore needs a parameter backup; nothing was sent");
  return false;
}

// Identifies the updated module and writes the backup into it; the import's warnings about
// names the new firmware lacks go to standard error.
int RestoreParameters(TCliSession& S, const TCliOptions& Options, const std::string& Backup) {
  if (int Code = S.IdentifyConnected(); Code != exDone) {
    PrintError("nothing was restored; the backup stays in " + Backup);
    return Code;
  }
  TFileQuestions Questions(S.Prot(), Options);
  const uint8_t Result = RestoreParameterBackup(S.Prot(), Backup);
  const std::string Message = RestoreMessage(Result, Backup, S.Prot().FileError());
  if (Result != irDone) {
    PrintError(Message);
    return exLinkFailed;
  }
  std::printf("%s\n", Message.c_str());
  return exDone;
}

}  // namespace

int RunFirmware(const TCliOptions& Options) {
  if (Options.Args.size() != 1) {
    PrintError("usage: vdxctl firmware FILE [--yes] [--restore]");
    return exUsage;
  }
  const std::string& File = Options.Args[0];
  std::error_code Ec;
  if (!std::filesystem::is_regular_file(File, Ec) || !std::ifstream(File, std::ios::binary)) {
    PrintError("cannot read " + File + (Ec ? ": " + Ec.message() : ""));
    return exFileFailed;
  }
  if (!ConfirmUpdate(Options)) return exUsage;

  TCliSession S(Options);
  if (int Code = S.Connect(); Code != exDone) return Code;
  TVDXModCommProt& P = S.Prot();
  // The application comes back at the rate it answers at now.
  if (P.TransferMode() == tmFullDuplex) P.SetFixBaudrate(P.BaudRate());
  TParameterBackup Backup;
  if (!BackUpParameters(S, Options, Backup)) return exLinkFailed;

  Status("starting!");
  if (!P.BootloaderStep(bsStart)) {
    PrintError(StartFailedText);
    return exLinkFailed;
  }
  Status("erasing!");
  std::string Problem;
  if (!P.BootloaderStep(bsErase)) {
    Problem = "the bootloader did not erase the module's FLASH";
  } else if (!P.BootloaderStep(bsProgram)) {
    Problem = "the bootloader did not accept the program command";
  } else {
    Status("programming!");
    TTransferProgress Progress;
    if (P.SendFirmwareFile(File, std::ref(Progress)))
      Status("Ready!");
    else
      Problem = "the bootloader did not confirm the programming of " + File;
  }
  const bool Back = P.BootloaderStep(bsRunApplication);
  if (!Problem.empty()) PrintError(Problem);
  if (!Back) {
    PrintError("checksum error!");
    PrintError("the module did not come back to its application; it waits in its bootloader");
    return exLinkFailed;
  }
  if (!Problem.empty()) return exLinkFailed;
  std::printf("Firmware %s programmed; the module runs it\n", File.c_str());
  std::fflush(stdout);
  return Options.Restore ? RestoreParameters(S, Options, Backup.FileName) : exDone;
}

int RunTerminal(const TCliOptions& Options) {
  if (!Options.Args.empty()) {
    PrintError("usage: vdxctl terminal");
    return exUsage;
  }
  TCliSession S(Options);
  if (int Code = S.Connect(); Code != exDone) return Code;
  TVDXModCommProt& P = S.Prot();
  try {
    P.ComPort().PurgeBuffers(true, false);  // left over from before this session
  } catch (const TComPortError&) {
  }
  TStdoutTerminal View;
  P.SetTerminal(&View);
  P.SetOperatingMode(omTerminal);
  TRawInputScope Raw;
  if (Raw.Active()) std::fprintf(stderr, "Terminal session; Ctrl-] ends it.\r\n");

  bool InputOpen = true, Lost = false;
  char Previous = 0;
  while (!Lost) {
    pollfd Fds[2] = {{P.ComPort().Handle(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    const int N = poll(Fds, InputOpen ? 2 : 1, InputOpen ? -1 : QuietEndMs);
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) break;  // input ended and the module is quiet
    if (Fds[0].revents & POLLIN) P.TerminalRxChar();
    if ((Fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) || !P.PortOpen()) Lost = true;
    if (!InputOpen || !(Fds[1].revents & (POLLIN | POLLHUP))) continue;
    char Keys[256];
    const ssize_t Got = read(STDIN_FILENO, Keys, sizeof Keys);
    if (Got < 0 && errno == EINTR) continue;
    if (Got <= 0) {
      InputOpen = false;
      continue;
    }
    for (ssize_t I = 0; I < Got && InputOpen; ++I) {
      const char Typed = Keys[I];
      InputOpen = Typed != SessionEndKey;
      // Lines of a piped input end like typed lines: with one carriage return.
      const bool LineFeed = !Raw.Active() && Typed == '\n';
      if (InputOpen && !(LineFeed && Previous == '\r')) P.SendTerminalChar(LineFeed ? '\r' : Typed);
      Previous = Typed;
    }
  }
  P.SetOperatingMode(omIdle);
  P.SetTerminal(nullptr);
  if (Raw.Active()) std::fprintf(stderr, "\r\n");
  if (Lost) {
    PrintError("the link was lost");
    return exLinkFailed;
  }
  return exDone;
}

}  // namespace vdx::cli
