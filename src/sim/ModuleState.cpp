#include "sim/ModuleState.h"

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <numbers>

#include "sim/SimText.h"

namespace vdx::sim {

namespace {

// Quotes a text value that would otherwise read as several entries.
std::string QuoteIfNeeded(const std::string& Text) {
  if (!Text.empty() && Text.find_first_of(" ,\"\t") == std::string::npos) return Text;
  std::string Quoted = "\"";
  for (const char C : Text) {
    if (C == '"') Quoted += '"';
    Quoted += C;
  }
  return Quoted + "\"";
}

std::string Unquote(const std::string& Text) {
  if (Text.size() < 2 || Text.front() != '"' || Text.back() != '"') return Text;
  std::string Plain;
  for (size_t I = 1; I + 1 < Text.size(); ++I) {
    Plain += Text[I];
    if (Text[I] == '"' && Text[I + 1] == '"') ++I;
  }
  return Plain;
}

int32_t WaveValue(const TWave& W, int64_t Ms) {
  const int Period = std::max(W.PeriodMs, 1);
  const double T = static_cast<double>((Ms + W.PhaseMs) % Period) / Period;
  double Unit = 0;  // -1 ... 1
  switch (W.Shape) {
    case TWave::Sine:
      Unit = std::sin(2 * std::numbers::pi * T);
      break;
    case TWave::Ramp:
      Unit = 2 * T - 1;
      break;
    case TWave::Triangle:
      Unit = T < 0.5 ? 4 * T - 1 : 3 - 4 * T;
      break;
    case TWave::Square:
      Unit = T < 0.5 ? 1 : -1;
      break;
  }
  return W.Offset + static_cast<int32_t>(std::lround(W.Amplitude * Unit));
}

bool HasValue(TCmdKind Kind) {
  return Kind == TCmdKind::Text || Kind == TCmdKind::Number || Kind == TCmdKind::Ain ||
         Kind == TCmdKind::Curve || Kind == TCmdKind::RemoteInput;
}

}  // namespace

TModuleState::TModuleState(TModuleType Type) : FType(std::move(Type)) {
  for (const std::string& Line : FType.Lines)
    if (auto Cmd = ParseReadoutLine(Line)) FCommands.push_back(std::move(*Cmd));
  FValues.resize(FCommands.size());
  for (size_t I = 0; I < FCommands.size(); ++I) {
    const TSimCommand& Cmd = FCommands[I];
    TParamValue& V = FValues[I];
    if (!Cmd.Values.empty()) V.Text = Cmd.Values.front();
    V.Number = Cmd.HasLimits ? std::clamp<int32_t>(0, Cmd.Min, std::max(Cmd.Min, Cmd.Max)) : 0;
    V.Ain = {1000, 1000, 0};
    for (int P = -10; P <= 10; ++P) V.Points[P + 10] = {1000 * P, 1000 * P};
  }
  for (const auto& [Name, Value] : FType.Defaults) {
    const int Index = IndexOf(Name);
    if (Index >= 0) WriteValue(Index, Value);
  }
  FDefaults = FValues;
  FNonVolatile = FValues;
}

int TModuleState::IndexOf(const std::string& Name) const {
  for (size_t I = 0; I < FCommands.size(); ++I)
    if (EqualNoCase(FCommands[I].Name, Name)) return static_cast<int>(I);
  return -1;
}

std::string TModuleState::FormatValue(const TSimCommand& Cmd, const TParamValue& V) const {
  switch (Cmd.Kind) {
    case TCmdKind::Text:
      return QuoteIfNeeded(V.Text);
    case TCmdKind::Number:
    case TCmdKind::RemoteInput:
      return std::to_string(V.Number);
    case TCmdKind::Ain:
      return std::to_string(V.Ain[0]) + " " + std::to_string(V.Ain[1]) + " " +
             std::to_string(V.Ain[2]) + (V.AinCurrent ? " C" : " V");
    default:
      return {};
  }
}

std::string TModuleState::ValueText(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(FCommands.size())) return {};
  const TSimCommand& Cmd = FCommands[Index];
  if (Cmd.Kind == TCmdKind::Process) return std::to_string(ProcessValue(Index));
  if (Cmd.Kind == TCmdKind::StatusBit) return std::to_string(StatusWord());
  return FormatValue(Cmd, FValues[Index]);
}

bool TModuleState::PointText(int Index, int Point, std::string& Text) const {
  if (Index < 0 || Index >= static_cast<int>(FCommands.size()) || Point < -10 || Point > 10)
    return false;
  const auto& [X, Y] = FValues[Index].Points[Point + 10];
  Text = std::to_string(X) + " " + std::to_string(Y);
  return true;
}

bool TModuleState::WriteValue(int Index, const std::string& Args) {
  if (Index < 0 || Index >= static_cast<int>(FCommands.size())) return false;
  const TSimCommand& Cmd = FCommands[Index];
  TParamValue& V = FValues[Index];
  const std::string Value = Unquote(Trim(Args));
  switch (Cmd.Kind) {
    case TCmdKind::Text: {
      const auto It = std::find_if(Cmd.Values.begin(), Cmd.Values.end(),
                                   [&](const std::string& E) { return EqualNoCase(E, Value); });
      if (It == Cmd.Values.end()) return false;
      V.Text = *It;
      for (const TValueLink& Link : FType.Links) {
        const size_t Entry = static_cast<size_t>(It - Cmd.Values.begin());
        if (EqualNoCase(Link.Param, Cmd.Name) && Entry < Link.TargetValues.size())
          WriteValue(IndexOf(Link.Target), Link.TargetValues[Entry]);
      }
      return true;
    }
    case TCmdKind::Number:
    case TCmdKind::RemoteInput: {
      const auto N = ParseInteger(Value);
      const auto Taken = N ? Limited(Cmd, *N) : std::nullopt;
      if (!Taken) return false;
      V.Number = *Taken;
      return true;
    }
    case TCmdKind::Ain: {
      // "A B C" with an optional kind letter, separated by blanks: the column text as the
      // tool sends it as well as the module's own answer.
      const std::vector<std::string> E = SplitEntries(Value);
      if (E.size() != 3 && E.size() != 4) return false;
      std::array<int32_t, 3> Abc{};
      for (size_t I = 0; I < 3; ++I) {
        const auto N = ParseInteger(E[I]);
        const auto Taken = N ? Limited(Cmd, *N) : std::nullopt;
        if (!Taken) return false;
        Abc[I] = *Taken;
      }
      int Current = V.AinCurrent;
      if (E.size() == 4) {
        const std::string X = ToUpper(E[3]);
        if (X == "V" || X == "U" || X == "0")
          Current = 0;
        else if (X == "C" || X == "I" || X == "1")
          Current = 1;
        else
          return false;
      }
      V.Ain = Abc;
      V.AinCurrent = Current;
      return true;
    }
    default:
      return false;
  }
}

bool TModuleState::WritePoint(int Index, int Point, const std::string& Args) {
  if (Index < 0 || Index >= static_cast<int>(FCommands.size()) || Point < -10 || Point > 10)
    return false;
  const TSimCommand& Cmd = FCommands[Index];
  if (Cmd.Kind != TCmdKind::Curve) return false;
  const std::vector<std::string> E = SplitEntries(Args);
  if (E.size() != 2) return false;
  const auto X = ParseInteger(E[0]);
  const auto Y = ParseInteger(E[1]);
  const auto TakenX = X ? Limited(Cmd, *X) : std::nullopt;
  const auto TakenY = Y ? Limited(Cmd, *Y) : std::nullopt;
  if (!TakenX || !TakenY) return false;
  FValues[Index].Points[Point + 10] = {*TakenX, *TakenY};
  return true;
}

std::optional<int32_t> TModuleState::Limited(const TSimCommand& Cmd, int32_t Value) const {
  if (!Cmd.HasLimits || (Value >= Cmd.Min && Value <= Cmd.Max)) return Value;
  // Remote inputs are driven live and never clamped; a range without values takes none.
  if (FType.Limits != TLimitHandling::Clamp || Cmd.Kind == TCmdKind::RemoteInput ||
      Cmd.Min > Cmd.Max)
    return std::nullopt;
  return std::clamp(Value, Cmd.Min, Cmd.Max);
}

std::vector<std::string> TModuleState::NonVolatileLines() const {
  std::vector<std::string> Lines{"# " + FType.Name};
  for (size_t I = 0; I < FCommands.size(); ++I) {
    const TSimCommand& Cmd = FCommands[I];
    if (Cmd.Kind == TCmdKind::Curve) {
      for (int P = -10; P <= 10; ++P) {
        const auto& [X, Y] = FNonVolatile[I].Points[P + 10];
        Lines.push_back(Cmd.Name + ":" + std::to_string(P) + " " + std::to_string(X) + " " +
                        std::to_string(Y));
      }
    } else if (HasValue(Cmd.Kind) && Cmd.Kind != TCmdKind::RemoteInput) {
      Lines.push_back(Cmd.Name + " " + FormatValue(Cmd, FNonVolatile[I]));
    }
  }
  return Lines;
}

bool TModuleState::RestoreNonVolatile(const std::vector<std::string>& Lines, std::string& Error) {
  if (Lines.empty() || Trim(Lines.front()) != "# " + FType.Name) {
    Error = "it does not hold the stored values of a " + FType.Name + " module";
    return false;
  }
  for (size_t L = 1; L < Lines.size(); ++L) {
    const std::string Line = Trim(Lines[L]);
    if (Line.empty()) continue;
    const size_t Blank = Line.find(' ');
    const std::string Word = Line.substr(0, Blank);
    const std::string Args = Blank == std::string::npos ? "" : Line.substr(Blank + 1);
    bool Ok = false;
    if (const int Index = IndexOf(Word); Index >= 0) {
      Ok = WriteValue(Index, Args);
    } else if (const size_t Colon = Word.rfind(':'); Colon != std::string::npos) {
      const auto Point = ParseInteger(Word.substr(Colon + 1));
      Ok = Point && WritePoint(IndexOf(Word.substr(0, Colon)), *Point, Args);
    }
    if (!Ok) {
      Error = "line " + std::to_string(L + 1) + " is not a valid value: " + Line;
      return false;
    }
  }
  FNonVolatile = FValues;
  return true;
}

uint16_t TModuleState::AccessCode() const {
  uint16_t Code = FType.AccessCode;
  if (FUnlocked) Code |= FType.PasswordAccess;
  const int Expert = IndexOf(FType.ExpertParam);
  if (Expert >= 0 && EqualNoCase(FValues[Expert].Text, FType.ExpertValue))
    Code |= FType.ExpertAccess;
  return Code;
}

bool TModuleState::TryPassword(const std::string& Password) {
  if (Password != FType.Password) return false;
  FUnlocked = true;
  return true;
}

int64_t TModuleState::ElapsedMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               FStart)
      .count();
}

int32_t TModuleState::ProcessValue(int Index) const {
  const TSimCommand& Cmd = FCommands[Index];
  if (FRemoteMode && EqualNoCase(Cmd.Name, FType.SetpointProcess)) {
    const int Input = IndexOf(FType.SetpointInput);
    if (Input >= 0) return FValues[Input].Number;
  }
  if (const auto It = FType.Waves.find(Cmd.Name); It != FType.Waves.end())
    return WaveValue(It->second, ElapsedMs());
  // Process values without a waveform of their own: shapes and periods by position, around
  // 50 physical units.
  int K = 0;
  for (int I = 0; I < Index; ++I) K += FCommands[I].Kind == TCmdKind::Process;
  const int32_t Scale = std::clamp<int32_t>(Cmd.Factor, -1000000, 1000000);
  const TWave Generic{static_cast<TWave::TShape>(K % 4), 50 * Scale, 40 * Scale, 2000 + 700 * K, 0};
  return WaveValue(Generic, ElapsedMs());
}

uint16_t TModuleState::StatusWord() const {
  uint16_t Word = 0x0001;  // ready
  const int Enable = IndexOf("ENABLE");
  const bool Enabled = FRemoteMode ? (FDigitalInputs & 0x01) != 0
                                   : Enable < 0 || EqualNoCase(FValues[Enable].Text, "ON");
  if (Enabled) Word |= 0x0004;
  // The bits follow the process values: error while the control error leaves its band (a
  // third of its swing), ramp running while the setpoint rises; without such values the ramp
  // runs every other second.
  const int E = IndexOf("E"), W = IndexOf(FType.SetpointProcess);
  if (E >= 0 && FCommands[E].Kind == TCmdKind::Process) {
    const auto It = FType.Waves.find(FCommands[E].Name);
    const int32_t Band = It != FType.Waves.end() ? It->second.Amplitude * 2 / 3 : 0;
    if (Band > 0 && std::abs(ProcessValue(E)) > Band) Word |= 0x0002;
  }
  if (W >= 0 && FCommands[W].Kind == TCmdKind::Process && !FRemoteMode) {
    if (const auto It = FType.Waves.find(FCommands[W].Name); It != FType.Waves.end()) {
      const int64_t Now = ElapsedMs();
      if (WaveValue(It->second, Now + 50) > WaveValue(It->second, Now)) Word |= 0x0008;
    }
  } else if ((ElapsedMs() / 1000) % 2) {
    Word |= 0x0008;
  }
  Word |= 0x0010;                                // solenoid cable present
  if (FRemoteMode) Word |= 0x0020;
  return Word;
}

}  // namespace vdx::sim
