#include "sim/ModuleSim.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "sim/Bootloader.h"
#include "sim/CommandInterpreter.h"
#include "sim/ModuleState.h"
#include "sim/ModuleTypes.h"
#include "sim/NvFile.h"
#include "sim/PtyLine.h"
#include "sim/SimFaults.h"
#include "sim/SimText.h"
#include "sim/WireFramer.h"

namespace vdx::sim {

namespace {

int64_t MonotonicNs() {
  timespec T{};
  clock_gettime(CLOCK_MONOTONIC, &T);
  return int64_t{T.tv_sec} * 1000000000 + T.tv_nsec;
}

void SleepUntilNs(int64_t Deadline) {
  const timespec T{static_cast<time_t>(Deadline / 1000000000),
                   static_cast<long>(Deadline % 1000000000)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &T, nullptr) == EINTR) {
  }
}

bool IsModuleBaudRate(int Rate) {
  return Rate == 9600 || Rate == 19200 || Rate == 38400 || Rate == 57600 || Rate == 115200;
}

// The rate a module with the WrongBaud fault runs at instead of Rate.
int WrongBaudRate(int Rate) { return Rate == 19200 ? 9600 : 19200; }

constexpr size_t MaxTurnarounds = 1000000;
constexpr size_t MaxRecordedLine = 65536;  // a line without CR is not kept beyond this
constexpr size_t MaxDataBlock = 65536;     // the longest block "DOWNLOAD" takes
constexpr int BootloaderBaudRate = 57600;  // on a full-duplex line; half duplex keeps the rate

}  // namespace

struct TModuleSim::TImpl {
  explicit TImpl(TSimOptions O)
      : Options(std::move(O)), BaudRate(Options.BaudRate), Framer(Options.Prompt, Options.LineEnd) {
    TModuleType Type;
    if (LoadModuleType(Options.ModuleType, Type, LoadError)) {
      State = std::make_unique<TModuleState>(std::move(Type));
      Interpreter = std::make_unique<TCommandInterpreter>(
          *State, TInterpreterOptions{Options.ReadoutFails, Options.AnswersRemote});
      Boot = std::make_unique<TBootloader>(State->Type().IdText, Options.Prompt, Options.LineEnd);
    }
  }

  void Serve();
  // Takes the bytes waiting on the line into Heard; false when the line is gone.
  bool Listen();
  // SeenNs: when the byte was found on the line; LineRate: the line's rate then.
  void HandleByte(char C, int64_t SeenNs, int LineRate);
  void Record(char C);  // a byte heard, into the received command lines
  // A byte heard by the bootloader (or the application's question after it).
  void BootloaderByte(char C, int Rate);
  // Puts bytes on the line; module bytes are slowed by the Slow fault and, when paced, spaced
  // ByteNs apart. The line's copy of a received byte (half duplex) is neither.
  void Send(const std::string& Bytes, bool FromModule, int64_t ByteNs);
  bool SleepMs(int Ms);  // false when told to stop
  static int64_t ByteTimeNs(int Rate) { return 10 * int64_t{1000000000} / Rate; }

  const TSimOptions Options;
  std::string LoadError;

  // Guarded by Mutex: the module's state, its rate and the counters.
  mutable std::mutex Mutex;
  std::unique_ptr<TModuleState> State;
  std::unique_ptr<TCommandInterpreter> Interpreter;
  std::unique_ptr<TBootloader> Boot;  // used by the serving thread only
  int BaudRate;
  TSimStats Stats;
  std::deque<TModuleSim::TReceivedLine> Received;  // whole command lines, each with its CR
  TModuleSim::TReceivedLine Receiving;              // the line being received
  std::string SlavePath;

  std::atomic<TSimFault> Fault{TSimFault::None};
  std::atomic<int> SlowDelayMs{50};
  std::atomic<bool> StopRequested{false};
  std::mutex StopMutex;
  std::condition_variable StopCv;
  int WakePipe[2] = {-1, -1};
  std::thread Thread;
  bool Running = false;  // touched by the owner's thread only

  // The serving thread's own.
  TPtyLine Line;
  TWireFramer Framer;
  TFaultNoise Noise;
  int64_t RxDeadlineNs = 0;
  int64_t TxDeadlineNs = 0;
  int64_t LastWriteNs = 0;    // when the last write to the line began
  int64_t PromptSentNs = -1;  // when the last prompt went out, until the next command starts
  // Bytes taken from the line and not yet handled. A module busy sending still hears what
  // arrives meanwhile, at the rate the line had then, as a UART would.
  struct THeardByte {
    char C;
    int64_t SeenNs;
    int LineRate;
  };
  std::deque<THeardByte> Heard;
};

void TModuleSim::TImpl::Serve() {
  // Pacing sleeps a byte time at a time (87 us at 115200 bit/s); the default timer slack of
  // 50 us would stretch every one of them.
  if (Options.Paced) prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  while (!StopRequested && Line.IsOpen()) {
    if (Heard.empty()) {
      pollfd P[2] = {{Line.MasterFd(), POLLIN, 0}, {WakePipe[0], POLLIN, 0}};
      if (poll(P, 2, -1) < 0) {
        if (errno == EINTR) continue;
        break;
      }
      if (P[1].revents != 0) break;
      if ((P[0].revents & POLLIN) == 0) {
        // A hang-up without data would wake poll at once again; wait instead of spinning.
        if (P[0].revents & (POLLHUP | POLLERR)) SleepMs(10);
        continue;
      }
      if (!Listen()) break;
    }
    while (!Heard.empty() && Line.IsOpen() && !StopRequested) {
      const THeardByte B = Heard.front();
      Heard.pop_front();
      HandleByte(B.C, B.SeenNs, B.LineRate);
    }
  }
}

bool TModuleSim::TImpl::Listen() {
  // Bytes read together were all on hand at SeenNs, at the line's rate then; paced, they are
  // taken at the line rate from then on.
  char Buffer[256];
  const int64_t SeenNs = MonotonicNs();
  const int LineRate = Line.LineBaudRate();
  const long N = Line.Read(Buffer, sizeof Buffer);
  for (long I = 0; I < N; ++I) Heard.push_back({Buffer[I], SeenNs, LineRate});
  return N >= 0;
}

void TModuleSim::TImpl::HandleByte(char C, int64_t SeenNs, int LineRate) {
  const int64_t ReceivedNs = SeenNs;
  int Rate;
  {
    std::lock_guard Lock(Mutex);
    ++Stats.BytesReceived;
    Rate = BaudRate;
  }
  if (Options.Paced) {
    // A full-duplex line carries both ways at once: the echo of a byte goes out while the
    // next one comes in, so received and sent bytes keep schedules of their own.
    RxDeadlineNs = std::max(RxDeadlineNs, ReceivedNs) + ByteTimeNs(Rate);
    SleepUntilNs(RxDeadlineNs);
    TxDeadlineNs = std::max(TxDeadlineNs, RxDeadlineNs);
  }
  // On a two-wire line the sender hears its own byte, whatever the module does with it.
  if (Options.HalfDuplex) Send(std::string(1, C), false, 0);
  // At another rate than its own the module hears garbage and keeps quiet.
  const TSimFault F = Fault.load();
  if (LineRate != (F == TSimFault::WrongBaud ? WrongBaudRate(Rate) : Rate)) return;
  Record(C);

  if (Boot->Active()) {
    if (F != TSimFault::Silence && F != TSimFault::SilentBootloader) BootloaderByte(C, Rate);
    return;
  }
  const bool CommandStart = Framer.AtLineStart();
  if (CommandStart && PromptSentNs >= 0) {
    std::lock_guard Lock(Mutex);
    if (Stats.TurnaroundUs.size() < MaxTurnarounds)
      Stats.TurnaroundUs.push_back(static_cast<double>(ReceivedNs - PromptSentNs) / 1000.0);
    PromptSentNs = -1;
  }
  const TWireFramer::TStep Step = Framer.Receive(C);
  if (Step.LineDone) {
    std::lock_guard Lock(Mutex);
    ++Stats.Commands;
  }
  if (F == TSimFault::Silence) return;
  std::string Echo;
  if (CommandStart && !Step.Echo.empty())
    Echo = Noise.BeforeEcho(F, Framer.Prompt(), Framer.LineEnd());
  Send(Echo + Step.Echo, true, ByteTimeNs(Rate));
  if (!Step.LineDone) return;
  if (F == TSimFault::Drop) {
    Line.HangUp();
    return;
  }

  TAnswer Answer;
  std::unique_lock Lock(Mutex);
  // A data block is taken even when empty; one cut at the line limit is refused whole.
  const bool DataBlock = Interpreter->AwaitingData();
  if (DataBlock || !Trim(Step.Line).empty()) {
    if (RefusedByFault(F, Step.Line, DataBlock) || (DataBlock && Step.Overlong)) {
      Answer = Interpreter->Refuse();
    } else {
      Answer = Interpreter->Execute(Step.Line);
      std::string Ignored;  // a failed write leaves the last good file; the module goes on
      if (Answer.Saved && !Options.NvFile.empty())
        WriteNvFile(Options.NvFile, State->NonVolatileLines(), Ignored);
    }
  }
  // "BR" answers at the old rate; bytes after the answer are heard at the new one.
  if (Answer.NewBaudRate != 0) BaudRate = Answer.NewBaudRate;
  if (Answer.EnterBootloader && !Options.HalfDuplex) BaudRate = BootloaderBaudRate;
  Lock.unlock();
  if (Answer.EnterBootloader) {
    // Half duplex the bootloader shows its menu at once; full duplex it answers a CR at its
    // own rate.
    const std::string Menu = Boot->Enter();
    if (Options.HalfDuplex && F != TSimFault::SilentBootloader) Send(Menu, true, ByteTimeNs(Rate));
    return;
  }
  if (Answer.AwaitsData) Framer.SetNextLineLimit(MaxDataBlock);
  Send(Framer.Answer(Answer.Lines, !Answer.AwaitsData), true, ByteTimeNs(Rate));
  PromptSentNs = LastWriteNs;
}

void TModuleSim::TImpl::BootloaderByte(char C, int Rate) {
  const TBootloader::TStep Step = Boot->Receive(C);
  Send(Step.Now, true, ByteTimeNs(Rate));
  if (Step.DelayMs > 0 && !SleepMs(Step.DelayMs)) return;
  {
    std::lock_guard Lock(Mutex);
    // The application starts at the module's rate of power-on.
    if (Step.Started && !Options.HalfDuplex) Rate = BaudRate = Options.BaudRate;
    if (Step.LoadDefaults) State->LoadDefaults();
  }
  Send(Step.Later, true, ByteTimeNs(Rate));
}

void TModuleSim::TImpl::Record(char C) {
  const auto Now = std::chrono::steady_clock::now();
  std::lock_guard Lock(Mutex);
  if (Receiving.Text.empty()) Receiving.FirstByte = Now;
  if (Receiving.Text.size() < MaxRecordedLine || C == '\r') Receiving.Text += C;
  if (C != '\r') return;
  Receiving.End = Now;
  if (Received.size() >= MaxReceivedCommands) Received.pop_front();
  Received.push_back(std::move(Receiving));
  Receiving = {};
}

void TModuleSim::TImpl::Send(const std::string& Bytes, bool FromModule, int64_t ByteNs) {
  if (Bytes.empty()) return;
  // Counted as handed to the line, so a reader that has seen the bytes sees them counted.
  {
    std::lock_guard Lock(Mutex);
    Stats.BytesSent += Bytes.size();
  }
  const bool Slow = FromModule && Fault.load() == TSimFault::Slow;
  const bool Paced = Options.Paced && FromModule;
  constexpr auto WriteTimeout = std::chrono::milliseconds(1000);
  if (!Slow && !Paced) {
    LastWriteNs = MonotonicNs();
    Line.Write(Bytes.data(), Bytes.size(), WriteTimeout);
    return;
  }
  for (const char C : Bytes) {
    if (Slow && !SleepMs(SlowDelayMs.load())) return;
    if (Slow) Listen();
    if (Paced) {
      // Absolute deadlines: each byte leaves one byte time after the previous one ended.
      TxDeadlineNs += ByteNs;
      SleepUntilNs(TxDeadlineNs);
    }
    LastWriteNs = MonotonicNs();
    if (!Line.Write(&C, 1, WriteTimeout)) return;
  }
}

bool TModuleSim::TImpl::SleepMs(int Ms) {
  std::unique_lock Lock(StopMutex);
  return !StopCv.wait_for(Lock, std::chrono::milliseconds(Ms),
                          [this] { return StopRequested.load(); });
}

TModuleSim::TModuleSim(TSimOptions Options) : FImpl(std::make_unique<TImpl>(std::move(Options))) {}

TModuleSim::~TModuleSim() { Stop(); }

bool TModuleSim::Start(std::string& Error) {
  TImpl& I = *FImpl;
  if (I.Running) return true;
  if (!I.State) {
    Error = I.LoadError;
    return false;
  }
  if (!IsModuleBaudRate(I.Options.BaudRate)) {
    Error = "unsupported baud rate " + std::to_string(I.Options.BaudRate) +
            " (9600, 19200, 38400, 57600 or 115200)";
    return false;
  }
  if (I.Options.Prompt.empty() || I.Options.LineEnd.empty()) {
    Error = "the prompt and the line end must not be empty";
    return false;
  }
  if (!I.Options.NvFile.empty()) {
    std::vector<std::string> Lines;
    bool Exists = false;
    if (!ReadNvFile(I.Options.NvFile, Lines, Exists, Error)) return false;
    std::lock_guard Lock(I.Mutex);
    if (Exists && !I.State->RestoreNonVolatile(Lines, Error)) {
      Error = I.Options.NvFile + ": " + Error;
      return false;
    }
  }
  if (!I.Line.Open(I.Options.BaudRate, Error)) return false;
  if (pipe2(I.WakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    Error = "cannot create the stop pipe";
    I.Line.Close();
    return false;
  }
  {
    std::lock_guard Lock(I.Mutex);
    I.SlavePath = I.Line.SlavePath();
  }
  I.StopRequested = false;
  I.Running = true;
  I.Thread = std::thread([&I] { I.Serve(); });
  return true;
}

void TModuleSim::Stop() {
  TImpl& I = *FImpl;
  if (!I.Running) return;
  {
    std::lock_guard Lock(I.StopMutex);
    I.StopRequested = true;
  }
  I.StopCv.notify_all();
  const char Wake = 1;
  [[maybe_unused]] const ssize_t Ignored = write(I.WakePipe[1], &Wake, 1);
  I.Thread.join();
  I.Line.Close();
  close(I.WakePipe[0]);
  close(I.WakePipe[1]);
  I.WakePipe[0] = I.WakePipe[1] = -1;
  I.Running = false;
}

std::string TModuleSim::SlavePath() const {
  std::lock_guard Lock(FImpl->Mutex);
  return FImpl->SlavePath;
}

void TModuleSim::SetFault(TSimFault Fault) { FImpl->Fault = Fault; }

void TModuleSim::SetSlowDelayMs(int Ms) { FImpl->SlowDelayMs = Ms < 0 ? 0 : Ms; }

int TModuleSim::CurrentBaudRate() const {
  std::lock_guard Lock(FImpl->Mutex);
  return FImpl->BaudRate;
}

std::string TModuleSim::ParameterValue(const std::string& Name) const {
  std::lock_guard Lock(FImpl->Mutex);
  const TModuleState* State = FImpl->State.get();
  if (!State) return {};
  if (const int Index = State->IndexOf(Name); Index >= 0) return State->ValueText(Index);
  const size_t Colon = Name.rfind(':');
  if (Colon == std::string::npos) return {};
  const auto Point = ParseInteger(Name.substr(Colon + 1));
  std::string Text;
  if (Point) State->PointText(State->IndexOf(Name.substr(0, Colon)), *Point, Text);
  return Text;
}

void TModuleSim::SetParameterValue(const std::string& Name, const std::string& Value) {
  std::lock_guard Lock(FImpl->Mutex);
  TModuleState* State = FImpl->State.get();
  if (!State) return;
  if (const int Index = State->IndexOf(Name); Index >= 0) {
    State->WriteValue(Index, Value);
    return;
  }
  const size_t Colon = Name.rfind(':');
  if (Colon == std::string::npos) return;
  if (const auto Point = ParseInteger(Name.substr(Colon + 1)))
    State->WritePoint(State->IndexOf(Name.substr(0, Colon)), *Point, Value);
}

TSimStats TModuleSim::Stats() const {
  std::lock_guard Lock(FImpl->Mutex);
  return FImpl->Stats;
}

void TModuleSim::ResetStats() {
  std::lock_guard Lock(FImpl->Mutex);
  FImpl->Stats = TSimStats{};
}

std::vector<std::string> TModuleSim::ReceivedCommands() const {
  std::lock_guard Lock(FImpl->Mutex);
  std::vector<std::string> Lines;
  Lines.reserve(FImpl->Received.size());
  for (const auto& Line : FImpl->Received) Lines.push_back(Line.Text);
  return Lines;
}

std::vector<TModuleSim::TReceivedLine> TModuleSim::ReceivedLines() const {
  std::lock_guard Lock(FImpl->Mutex);
  return {FImpl->Received.begin(), FImpl->Received.end()};
}

void TModuleSim::ClearReceivedCommands() {
  std::lock_guard Lock(FImpl->Mutex);
  FImpl->Received.clear();
}

std::string TModuleSim::IdText() const {
  return FImpl->State ? FImpl->State->Type().IdText : std::string();
}

std::vector<std::string> TModuleSim::ReadoutLines() const {
  return FImpl->State ? FImpl->State->Type().Lines : std::vector<std::string>();
}

}  // namespace vdx::sim
