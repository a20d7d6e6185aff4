// vdxctl remote: the module's remote-control mode, its digital input byte and its analogue
// inputs, each written and read back.
#include <cstdio>
#include <optional>

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/TextTable.h"
#include "comm/IntegerText.h"
#include "comm/TextUtil.h"

namespace vdx::cli {

namespace {

const char* const RemoteUsage =
    "usage: vdxctl remote status | on | off | din [BYTE] | ain PIN [VALUE]";

std::string ModeText(bool On) { return On ? "on" : "off"; }

// "5 (00000101)": decimal, then bit 7 down to bit 0.
std::string ByteText(uint8_t State) {
  std::string Bits;
  for (int Bit = 7; Bit >= 0; --Bit) Bits += (State >> Bit) & 1 ? '1' : '0';
  return std::to_string(State) + " (" + Bits + ")";
}

void PrintJson(TJsonWriter& J) { std::printf("%s\n", J.Text().c_str()); }

void WriteInputJson(TJsonWriter& J, const TModRemoteCtrlCmd& In) {
  J.BeginObject().Key("pin").Value(In.PinCode()).Key("name").Value(In.Name);
  J.Key("pinName").Value(In.PinName());
  J.Key("min").Value(static_cast<int64_t>(In.Min)).Key("max").Value(static_cast<int64_t>(In.Max));
  J.Key("value").Value(static_cast<int64_t>(In.Val)).EndObject();
}

void PrintByte(const TCliOptions& Options, uint8_t State) {
  if (Options.Json) {
    TJsonWriter J;
    J.BeginObject().Key("digitalInputs").Value(static_cast<int>(State)).EndObject();
    PrintJson(J);
  } else {
    std::printf("%s\n", ByteText(State).c_str());
  }
}

// Writes need the module's mode on; the mode is asked, not taken from the identification.
bool CheckModeOn(TVDXModCommProt& P) {
  if (P.RemoteCtrlEnabled()) return true;
  PrintError("remote control is off; use 'vdxctl remote on' first");
  return false;
}

// PIN is the pin code 1..5 or the input's name (without regard to case).
TModRemoteCtrlCmd* FindInput(TVDXModCommProt& P, const std::string& Pin) {
  TModRemoteCtrlCommandList& L = P.RemoteCtrlList();
  int32_t Code;
  if (auto* In = TryStrToInt(Pin, Code) ? L.FindByPin(Code) : L.Items(L.IndexOf(Pin))) return In;
  std::string List;
  for (int I = 0; I < L.Count(); ++I)
    if (auto* In = L.Items(I))
      List += (List.empty() ? "" : ", ") + std::to_string(In->PinCode()) + " " + In->Name + " (" +
              In->PinName() + ")";
  PrintError("no remote input " + Pin + "; inputs: " + (List.empty() ? "none" : List));
  return nullptr;
}

int Status(const TCliOptions& Options, TVDXModCommProt& P) {
  const bool On = P.RemoteCtrlEnabled();
  uint8_t State;
  if (!P.ReadDigitalInputs(State)) {
    PrintError("reading the digital inputs failed");
    return exLinkFailed;
  }
  TModRemoteCtrlCommandList& L = P.RemoteCtrlList();
  for (int I = 0; I < L.Count(); ++I) {
    int32_t Value;
    if (auto* In = L.Items(I); In && !P.ReadRemoteCtrlValue(In->PinCode(), Value)) {
      PrintError("reading the remote input " + In->Name + " failed");
      return exLinkFailed;
    }
  }
  if (Options.Json) {
    TJsonWriter J;
    J.BeginObject().Key("remote").Value(On).Key("digitalInputs").Value(static_cast<int>(State));
    J.Key("analogInputs").BeginArray();
    for (int I = 0; I < L.Count(); ++I)
      if (auto* In = L.Items(I)) WriteInputJson(J, *In);
    J.EndArray().EndObject();
    PrintJson(J);
    return exDone;
  }
  std::printf("Remote control: %s\n", ModeText(On).c_str());
  std::printf("Digital inputs: %s\n", ByteText(State).c_str());
  std::printf("\nAnalogue inputs\n");
  TTextTable Inputs({"CODE", "NAME", "PIN", "MIN", "MAX", "VALUE"});
  for (int I = 0; I < L.Count(); ++I)
    if (auto* In = L.Items(I))
      Inputs.AddRow({std::to_string(In->PinCode()), In->Name, In->PinName(),
                     std::to_string(In->Min), std::to_string(In->Max), std::to_string(In->Val)});
  Inputs.Print(stdout);
  return exDone;
}

// Switching on also clears the digital inputs, so the module starts from a known state.
int Switch(const TCliOptions& Options, TVDXModCommProt& P, bool On) {
  P.SetRemoteCtrlEnabled(On);
  if (P.RemoteCtrlEnabled() != On) {
    PrintError("the module did not switch remote control " + ModeText(On));
    return exLinkFailed;
  }
  // A query that got no answer also reads as off; "off" is believed only from a live module.
  if (!On && !P.PingModule()) {
    PrintError("the module did not answer");
    return exLinkFailed;
  }
  uint8_t State = 0;
  if (On && !P.SetDigitalInputs(State)) {
    PrintError("clearing the digital inputs failed");
    return exLinkFailed;
  }
  if (Options.Json) {
    TJsonWriter J;
    J.BeginObject().Key("remote").Value(On);
    if (On) J.Key("digitalInputs").Value(static_cast<int>(State));
    PrintJson(J.EndObject());
  } else {
    std::printf("Remote control: %s\n", ModeText(On).c_str());
    if (On) std::printf("Digital inputs: %s\n", ByteText(State).c_str());
  }
  return exDone;
}

int DigitalInputs(const TCliOptions& Options, TVDXModCommProt& P, std::optional<uint8_t> Write) {
  uint8_t State = Write.value_or(0);
  if (Write) {
    if (!CheckModeOn(P)) return exLinkFailed;
    if (!P.SetDigitalInputs(State)) {
      PrintError("the module refused the digital inputs or did not answer");
      return exLinkFailed;
    }
  } else if (!P.ReadDigitalInputs(State)) {
    PrintError("reading the digital inputs failed");
    return exLinkFailed;
  }
  PrintByte(Options, State);
  if (Write && State != *Write) {
    PrintError("the module did not take the digital inputs " + ByteText(*Write));
    return exLinkFailed;
  }
  return exDone;
}

int AnalogInput(const TCliOptions& Options, TVDXModCommProt& P, const std::string& Pin,
                std::optional<int32_t> Write) {
  TModRemoteCtrlCmd* In = FindInput(P, Pin);
  if (!In) return exUsage;
  int32_t Value = Write.value_or(0);
  if (Write) {
    int32_t Min, Max;
    P.RemoteCtrlList().GetPinRange(In->PinCode(), Min, Max);
    if (Value < Min || Value > Max) {
      PrintError("value " + std::to_string(Value) + " is outside the range " + std::to_string(Min) +
                 ".." + std::to_string(Max) + " of " + In->Name);
      return exUsage;
    }
    if (!CheckModeOn(P)) return exLinkFailed;
    if (!P.SetAnalogInput(In->PinCode(), Value)) {
      PrintError("the module refused " + In->Name + " or did not answer");
      return exLinkFailed;
    }
  } else if (!P.ReadRemoteCtrlValue(In->PinCode(), Value)) {
    PrintError("reading the remote input " + In->Name + " failed");
    return exLinkFailed;
  }
  if (Options.Json) {
    TJsonWriter J;
    WriteInputJson(J, *In);
    PrintJson(J);
  } else {
    std::printf("%d\n", Value);
  }
  if (Write && Value != *Write) {
    PrintError("the module did not take the value " + std::to_string(*Write) + " for " + In->Name);
    return exLinkFailed;
  }
  return exDone;
}

}  // namespace

int RunRemote(const TCliOptions& Options) {
  const std::vector<std::string>& A = Options.Args;
  const std::string Sub = A.empty() ? "" : A[0];
  const bool Fits = ((Sub == "status" || Sub == "on" || Sub == "off") && A.size() == 1) ||
                    (Sub == "din" && A.size() <= 2) ||
                    (Sub == "ain" && (A.size() == 2 || A.size() == 3));
  if (!Fits) {
    PrintError(RemoteUsage);
    return exUsage;
  }
  // Numbers are checked before the module is asked anything.
  std::optional<uint8_t> Byte;
  std::optional<int32_t> Value;
  int32_t N;
  if (Sub == "din" && A.size() == 2) {
    if (!TryStrToInt(A[1], N) || N < 0 || N > 255) {
      PrintError("the digital input byte must be an integer 0..255, not '" + A[1] + "'");
      return exUsage;
    }
    Byte = static_cast<uint8_t>(N);
  }
  if (Sub == "ain" && A.size() == 3) {
    if (!TryStrToInt(A[2], N)) {
      PrintError("'" + A[2] + "' is not an integer");
      return exUsage;
    }
    Value = N;
  }

  TCliSession Session(Options);
  if (int Code = Session.Identify(); Code != exDone) return Code;
  TVDXModCommProt& P = Session.Prot();
  if (!P.RemoteCtrlSupported()) {
    std::string Name;
    P.GetModuleName(Name);
    PrintError("the module " + Name + " has no remote control");
    return exLinkFailed;
  }
  if (Sub == "status") return Status(Options, P);
  if (Sub == "on" || Sub == "off") return Switch(Options, P, Sub == "on");
  if (Sub == "din") return DigitalInputs(Options, P, Byte);
  return AnalogInput(Options, P, A[1], Value);
}

}  // namespace vdx::cli
