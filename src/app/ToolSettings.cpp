#include "app/ToolSettings.h"

#include <algorithm>
#include <stdexcept>

#include "app/ExecutableDir.h"

namespace vdx {

namespace {

constexpr const char* kInterface = "Interface";
constexpr const char* kScope = "Scope";
constexpr const char* kMonitor = "Monitor";
constexpr const char* kXavo = "Xavo";
constexpr const char* kTableInput = "TableInput";
constexpr const char* kApplication = "Application";

constexpr const char* kChannelColorKeys[4] = {"Cha1Color", "Cha2Color", "Cha3Color", "Cha4Color"};

// Read as the "AutoBR" default: no rate of the table, so a missing key gives the in-memory rate.
constexpr int kNoBaudrate = 2;

bool ValidLineWidth(int Value) { return Value >= 0 && Value <= 2; }
bool ValidVisParaKind(int Value) { return Value >= 0 && Value <= 2; }
int LimitVisParaCnt(int Value) { return std::clamp(Value, 1, 10); }
int LimitDelay(int Value) { return std::clamp(Value, 0, 100); }

size_t ChannelIndex(int Channel) {
  if (Channel < 1 || Channel > 4)
    throw std::out_of_range("no scope channel " + std::to_string(Channel));
  return static_cast<size_t>(Channel - 1);
}

}  // namespace

TToolSettings::TToolSettings(TApplIni* Ini) : FIni(Ini) {
  FMem.FirmwarePath = ToolFolder();
  FMem.ParaFilePath = ToolFolder();
}

std::string TToolSettings::ToolFolder() {
  const std::string Dir = ExecutableDir();
  return Dir.empty() ? Dir : Dir + "/";
}

// Without a settings file every read gives its default, which the callers pass as the
// in-memory value where that is the rule.
bool TToolSettings::ReadBool(const char* Section, const char* Key, bool Default) const {
  return FIni ? FIni->ReadBool(Section, Key, Default) : Default;
}
int TToolSettings::ReadInteger(const char* Section, const char* Key, int Default) const {
  return FIni ? FIni->ReadInteger(Section, Key, Default) : Default;
}
std::string TToolSettings::ReadString(const char* Section, const char* Key,
                                      const std::string& Default) const {
  return FIni ? FIni->ReadString(Section, Key, Default) : Default;
}
TModBaudrate TToolSettings::ReadBaudrate(const char* Key, int DefaultBps,
                                         TModBaudrate Fallback) const {
  TModBaudrate Baud = Fallback;
  if (FIni && BaudrateFromBps(FIni->ReadInteger(kInterface, Key, DefaultBps), Baud)) return Baud;
  return Fallback;
}
void TToolSettings::WriteBool(const char* Section, const char* Key, bool Value) {
  if (FIni) FIni->WriteBool(Section, Key, Value);
}
void TToolSettings::WriteInteger(const char* Section, const char* Key, int Value) {
  if (FIni) FIni->WriteInteger(Section, Key, Value);
}
void TToolSettings::WriteString(const char* Section, const char* Key, const std::string& Value) {
  if (FIni) FIni->WriteString(Section, Key, Value);
}

// [Interface]

std::string TToolSettings::Port() const {
  return FIni ? ReadString(kInterface, "Port", "") : FMem.Port;
}
void TToolSettings::SetPort(const std::string& Value) {
  FMem.Port = Value;
  WriteString(kInterface, "Port", Value);
}

TTransferMode TToolSettings::TransferMode() const {
  const int Value = ReadInteger(kInterface, "TranferMode", FMem.TransferMode);
  return Value == tmFullDuplex || Value == tmHalfDuplex ? static_cast<TTransferMode>(Value)
                                                        : FMem.TransferMode;
}
void TToolSettings::SetTransferMode(TTransferMode Value) {
  FMem.TransferMode = Value;
  WriteInteger(kInterface, "TranferMode", Value);
}

bool TToolSettings::AutoBRDetection() const {
  return ReadBool(kInterface, "AutoBRDetection", FMem.AutoBRDetection);
}
void TToolSettings::SetAutoBRDetection(bool Value) {
  FMem.AutoBRDetection = Value;
  WriteBool(kInterface, "AutoBRDetection", Value);
}

TModBaudrate TToolSettings::FixBR() const {
  return ReadBaudrate("FixBR", BaudrateBps(FMem.FixBR), FMem.FixBR);
}
void TToolSettings::SetFixBR(TModBaudrate Value) {
  FMem.FixBR = Value;
  WriteInteger(kInterface, "FixBR", BaudrateBps(Value));
}

bool TToolSettings::AutoSetBR() const {
  return FIni ? ReadBool(kInterface, "AutoSetBR", false) : FMem.AutoSetBR;
}
void TToolSettings::SetAutoSetBR(bool Value) {
  FMem.AutoSetBR = Value;
  WriteBool(kInterface, "AutoSetBR", Value);
}

TModBaudrate TToolSettings::AutoBR() const {
  return ReadBaudrate("AutoBR", kNoBaudrate, FMem.AutoBR);
}
void TToolSettings::SetAutoBR(TModBaudrate Value) {
  FMem.AutoBR = Value;
  WriteInteger(kInterface, "AutoBR", BaudrateBps(Value));
}

int TToolSettings::DelayOnFirmwareUpdate() const {
  return FIni ? LimitDelay(ReadInteger(kInterface, "DelayOnFirmwareUpdate", 0))
              : FMem.DelayOnFirmwareUpdate;
}
void TToolSettings::SetDelayOnFirmwareUpdate(int Value) {
  FMem.DelayOnFirmwareUpdate = LimitDelay(Value);
  WriteInteger(kInterface, "DelayOnFirmwareUpdate", Value);
}

// [Scope]

TColor TToolSettings::DisplayColor() const {
  return ReadInteger(kScope, "BackgoundColor", FMem.DisplayColor);
}
void TToolSettings::SetDisplayColor(TColor Value) {
  FMem.DisplayColor = Value;
  WriteInteger(kScope, "BackgoundColor", Value);
}

TColor TToolSettings::GridColor() const { return ReadInteger(kScope, "GridColor", FMem.GridColor); }
void TToolSettings::SetGridColor(TColor Value) {
  FMem.GridColor = Value;
  WriteInteger(kScope, "GridColor", Value);
}

TColor TToolSettings::ChannelColor(int Channel) const {
  const size_t I = ChannelIndex(Channel);
  return ReadInteger(kScope, kChannelColorKeys[I], FMem.ChannelColor[I]);
}
void TToolSettings::SetChannelColor(int Channel, TColor Value) {
  const size_t I = ChannelIndex(Channel);
  FMem.ChannelColor[I] = Value;
  WriteInteger(kScope, kChannelColorKeys[I], Value);
}

int TToolSettings::SignalLineWidth() const {
  const int Value = ReadInteger(kScope, "SignalLineWidth", FMem.SignalLineWidth);
  return ValidLineWidth(Value) ? Value : FMem.SignalLineWidth;
}
void TToolSettings::SetSignalLineWidth(int Value) {
  if (ValidLineWidth(Value)) FMem.SignalLineWidth = Value;
  WriteInteger(kScope, "SignalLineWidth", Value);
}

bool TToolSettings::ULimLLimManually() const {
  return ReadBool(kScope, "ULimLLimManually", FMem.ULimLLimManually);
}
void TToolSettings::SetULimLLimManually(bool Value) {
  FMem.ULimLLimManually = Value;
  WriteBool(kScope, "ULimLLimManually", Value);
}

// [Monitor]

int TToolSettings::VisParaKind() const {
  if (!FIni) return FMem.VisParaKind;
  const int Value = ReadInteger(kMonitor, "VisParaKind", 0);
  return ValidVisParaKind(Value) ? Value : 0;
}
void TToolSettings::SetVisParaKind(int Value) {
  if (ValidVisParaKind(Value)) FMem.VisParaKind = Value;
  WriteInteger(kMonitor, "VisParaKind", Value);
}

int TToolSettings::VisParaCnt() const {
  return FIni ? LimitVisParaCnt(ReadInteger(kMonitor, "VisParaCnt", 4)) : FMem.VisParaCnt;
}
void TToolSettings::SetVisParaCnt(int Value) {
  FMem.VisParaCnt = LimitVisParaCnt(Value);
  WriteInteger(kMonitor, "VisParaCnt", Value);
}

// [Xavo] and [TableInput]: plain flags, false when missing.

bool TToolSettings::Flag(const char* Section, const char* Key, bool Memory) const {
  return FIni ? ReadBool(Section, Key, false) : Memory;
}
void TToolSettings::SetFlag(const char* Section, const char* Key, bool& Memory, bool Value) {
  Memory = Value;
  WriteBool(Section, Key, Value);
}

bool TToolSettings::ShowCmdGrpInfo() const {
  return Flag(kXavo, "ShowCmdGrpInfo", FMem.ShowCmdGrpInfo);
}
void TToolSettings::SetShowCmdGrpInfo(bool Value) {
  SetFlag(kXavo, "ShowCmdGrpInfo", FMem.ShowCmdGrpInfo, Value);
}
bool TToolSettings::VDXFileViewer() const {
  return Flag(kXavo, "VDXFileViewer", FMem.VDXFileViewer);
}
void TToolSettings::SetVDXFileViewer(bool Value) {
  SetFlag(kXavo, "VDXFileViewer", FMem.VDXFileViewer, Value);
}
bool TToolSettings::SFWUpdate() const { return Flag(kXavo, "SFWUpdate", FMem.SFWUpdate); }
void TToolSettings::SetSFWUpdate(bool Value) { SetFlag(kXavo, "SFWUpdate", FMem.SFWUpdate, Value); }
bool TToolSettings::TermFWUpdate() const { return Flag(kXavo, "TermFWUpdate", FMem.TermFWUpdate); }
void TToolSettings::SetTermFWUpdate(bool Value) {
  SetFlag(kXavo, "TermFWUpdate", FMem.TermFWUpdate, Value);
}
bool TToolSettings::ShowDecimals() const {
  return Flag(kTableInput, "ShowDecimals", FMem.ShowDecimals);
}
void TToolSettings::SetShowDecimals(bool Value) {
  SetFlag(kTableInput, "ShowDecimals", FMem.ShowDecimals, Value);
}
bool TToolSettings::AinCommandUI() const {
  return Flag(kTableInput, "AinCommandUI", FMem.AinCommandUI);
}
void TToolSettings::SetAinCommandUI(bool Value) {
  SetFlag(kTableInput, "AinCommandUI", FMem.AinCommandUI, Value);
}

// [Application]

std::string TToolSettings::FirmwarePath() const {
  return FIni ? ReadString(kApplication, "FirmwarePath", ToolFolder()) : FMem.FirmwarePath;
}
void TToolSettings::SetFirmwarePath(const std::string& Value) {
  FMem.FirmwarePath = Value;
  WriteString(kApplication, "FirmwarePath", Value);
}

std::string TToolSettings::LastFirmware() const {
  return FIni ? ReadString(kApplication, "LastFirmware", "") : FMem.LastFirmware;
}
void TToolSettings::SetLastFirmware(const std::string& Value) {
  FMem.LastFirmware = Value;
  WriteString(kApplication, "LastFirmware", Value);
}

std::string TToolSettings::ParaFilePath() const {
  return FIni ? ReadString(kApplication, "ParaFilePath", ToolFolder()) : FMem.ParaFilePath;
}
void TToolSettings::SetParaFilePath(const std::string& Value) {
  FMem.ParaFilePath = Value;
  WriteString(kApplication, "ParaFilePath", Value);
}

}  // namespace vdx
