#include "sim/CommandInterpreter.h"

#include "sim/DataBlock.h"
#include "sim/SimText.h"

namespace vdx::sim {

namespace {

TAnswer Error() { return TAnswer{{CommandErrorText}}; }
TAnswer Lines(std::vector<std::string> L) { return TAnswer{std::move(L)}; }

bool IsControl(TCmdKind Kind) {
  return Kind == TCmdKind::In || Kind == TCmdKind::NoPara || Kind == TCmdKind::AinS ||
         Kind == TCmdKind::L;
}

}  // namespace

TAnswer TCommandInterpreter::Execute(const std::string& Line) {
  if (FAwaitingData) {
    FAwaitingData = false;
    return DataBlock(Line);
  }
  const std::string Text = Trim(Line);
  if (Text.empty()) return {};
  const size_t Blank = Text.find(' ');
  const std::string Word = Text.substr(0, Blank);
  const std::string RawArgs = Blank == std::string::npos ? "" : Text.substr(Blank + 1);
  const std::string Args = Trim(RawArgs);
  const bool HasArgs = !Args.empty();
  const std::string Upper = ToUpper(Word);

  if (Upper == "ID") return Lines({FState.Type().IdText});
  if (Upper == "READOUT") {
    if (FOptions.ReadoutFails || FState.Type().ReadoutFails) return Error();
    return Lines(FState.Type().Lines);
  }
  if (Upper == "ACODE") return Lines({std::to_string(FState.AccessCode())});
  if (Upper == "PASSWORD") {
    if (!HasArgs) return Lines({"PASSWORD ?"});
    return Lines({FState.TryPassword(RawArgs) ? "OK" : "WRONG PASSWORD"});
  }
  if (Upper == "SAVE" || Upper == "DEFAULT" || Upper == "LOADBACK") return Memory(Upper, HasArgs);
  if (Upper == "REMOTE") return FOptions.AnswersRemote ? Lines({"0"}) : Error();
  if (Upper == "RC:M") return RemoteMode(Args, HasArgs);
  if (Upper == "RC:S") return DigitalInputs(Args, HasArgs);
  if (Upper == "BR") return BaudRate(Args);
  if (Upper == "DOWNLOAD") return Download(HasArgs);
  if (Upper == "BOOTLOADER") {
    if (HasArgs) return Error();
    TAnswer A;
    A.EnterBootloader = true;
    return A;
  }
  return Parameter(Word, Args, HasArgs);
}

TAnswer TCommandInterpreter::Parameter(const std::string& Word, const std::string& Args,
                                       bool HasArgs) {
  const int Index = FState.IndexOf(Word);
  if (Index >= 0) {
    const TSimCommand& Cmd = FState.Commands()[Index];
    if (IsControl(Cmd.Kind)) return ControlCommand(Cmd, HasArgs);
    if (Cmd.Kind == TCmdKind::Curve) return Error();  // points are read one by one
    if (Cmd.Kind == TCmdKind::Process || Cmd.Kind == TCmdKind::StatusBit)
      return HasArgs ? Error() : Lines({FState.ValueText(Index)});
    if (!HasArgs) return Cmd.Readable() ? Lines({FState.ValueText(Index)}) : Error();
    if (!Cmd.Writable()) return Error();
    if (Cmd.Kind == TCmdKind::RemoteInput && !FState.RemoteMode()) return Error();
    return FState.WriteValue(Index, Args) ? TAnswer{} : Error();
  }
  // A curve point: NAME:i, NAME:i X Y
  const size_t Colon = Word.rfind(':');
  if (Colon == std::string::npos) return Error();
  const int Curve = FState.IndexOf(Word.substr(0, Colon));
  const auto Point = ParseInteger(Word.substr(Colon + 1));
  if (Curve < 0 || !Point || FState.Commands()[Curve].Kind != TCmdKind::Curve) return Error();
  const TSimCommand& Cmd = FState.Commands()[Curve];
  if (!HasArgs) {
    std::string Text;
    if (!Cmd.Readable() || !FState.PointText(Curve, *Point, Text)) return Error();
    return Lines({Text});
  }
  if (!Cmd.Writable()) return Error();
  return FState.WritePoint(Curve, *Point, Args) ? TAnswer{} : Error();
}

// A control command has no value: "NAME" and "NAME " are carried out, a value is refused, and
// so is a command the module lists without write access.
TAnswer TCommandInterpreter::ControlCommand(const TSimCommand& Cmd, bool HasArgs) {
  if (HasArgs || !Cmd.Writable()) return Error();
  return {};  // carried out; nothing to report
}

// The memory commands work whether listed or not; a listed one obeys its access type (a
// module may list SAVE read only: its memory is locked).
TAnswer TCommandInterpreter::Memory(const std::string& Upper, bool HasArgs) {
  const int Index = FState.IndexOf(Upper);
  if (HasArgs || (Index >= 0 && !FState.Commands()[Index].Writable())) return Error();
  TAnswer A;
  if (Upper == "SAVE") {
    FState.Save();
    A.Saved = true;
  } else if (Upper == "DEFAULT") {
    FState.LoadDefaults();
  } else {
    FState.Loadback();
  }
  return A;
}

TAnswer TCommandInterpreter::RemoteMode(const std::string& Args, bool HasArgs) {
  if (!HasArgs) return Lines({FState.RemoteMode() ? "1" : "0"});
  if (Args != "0" && Args != "1") return Error();
  FState.SetRemoteMode(Args == "1");
  return {};
}

TAnswer TCommandInterpreter::DigitalInputs(const std::string& Args, bool HasArgs) {
  if (!HasArgs) return Lines({std::to_string(FState.DigitalInputs())});
  const auto State = ParseInteger(Args);
  if (!FState.RemoteMode() || !State || *State < 0 || *State > 255) return Error();
  FState.SetDigitalInputs(static_cast<uint8_t>(*State));
  return {};
}

// The answer carries no line of its own: the echo "BR n" already gives the reader exactly one
// value after the command word, n, which is what a baud command check accepts.
TAnswer TCommandInterpreter::BaudRate(const std::string& Args) {
  const auto N = ParseInteger(Args);
  if (!N || (*N != 1 && *N != 2 && *N != 4 && *N != 6 && *N != 12)) return Error();
  TAnswer A;
  A.NewBaudRate = *N * 9600;
  return A;
}

TAnswer TCommandInterpreter::Refuse() {
  FAwaitingData = false;
  return Error();
}

TAnswer TCommandInterpreter::Download(bool HasArgs) {
  if (HasArgs) return Error();
  FAwaitingData = true;
  TAnswer A{{DataReadyText}};
  A.AwaitsData = true;
  return A;
}

TAnswer TCommandInterpreter::DataBlock(const std::string& Block) {
  const std::vector<TBlockItem> Items = SplitDataBlock(Block);
  bool AllTaken = !Items.empty();
  for (const TBlockItem& Item : Items)
    if (!Item.WellFormed || !Parameter(Item.Name, Item.Value, true).Lines.empty()) AllTaken = false;
  return AllTaken ? Lines({DataDoneText}) : Error();
}

}  // namespace vdx::sim
