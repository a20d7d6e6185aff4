// The tool's settings, typed, over the settings file. Every getter reads the file, so a value
// takes effect when it is read; a setter keeps the value in memory and writes its key at once
// (throwing TApplIniWriteError when that fails). Without a settings file (before the main
// window hands it over) getters return the in-memory values and setters write nothing.
// Several keys fall back to the in-memory value when missing or invalid, as listed below.
#pragma once

#include <string>

#include "app/ApplIni.h"
#include "app/ToolColor.h"
#include "comm/Baudrate.h"

namespace vdx {

class TToolSettings {
 public:
  // Ini: not owned; may be null.
  explicit TToolSettings(TApplIni* Ini = nullptr);

  void SetIni(TApplIni* Ini) { FIni = Ini; }
  TApplIni* Ini() const { return FIni; }

  // [Interface]
  // Port name as listed in the port box ("COM3"); empty when none.
  std::string Port() const;
  void SetPort(const std::string& Value);
  // "TranferMode": 0 full, 1 half duplex; other values give the in-memory value.
  TTransferMode TransferMode() const;
  void SetTransferMode(TTransferMode Value);
  bool AutoBRDetection() const;  // missing: in-memory value
  void SetAutoBRDetection(bool Value);
  // Baud rates are stored in bit/s; a number that is no rate of the table gives the in-memory
  // value (initially 9600 and 38400).
  TModBaudrate FixBR() const;
  void SetFixBR(TModBaudrate Value);
  bool AutoSetBR() const;  // missing: false
  void SetAutoSetBR(bool Value);
  TModBaudrate AutoBR() const;
  void SetAutoBR(TModBaudrate Value);
  // Milliseconds, limited to 0..100; missing: 0.
  int DelayOnFirmwareUpdate() const;
  void SetDelayOnFirmwareUpdate(int Value);

  // [Scope]; colours missing give the in-memory value.
  TColor DisplayColor() const;  // key "BackgoundColor"
  void SetDisplayColor(TColor Value);
  TColor GridColor() const;
  void SetGridColor(TColor Value);
  // Channel 1..4 ("Cha1Color" ...); other numbers throw std::out_of_range.
  TColor ChannelColor(int Channel) const;
  void SetChannelColor(int Channel, TColor Value);
  // 0 small, 1 medium, 2 fat; other values give the in-memory value.
  int SignalLineWidth() const;
  void SetSignalLineWidth(int Value);
  bool ULimLLimManually() const;  // missing: in-memory value
  void SetULimLLimManually(bool Value);

  // [Monitor]
  // 0 default, 1 custom, 2 all; other values and missing give 0.
  int VisParaKind() const;
  void SetVisParaKind(int Value);
  // Number of custom rows, limited to 1..10; missing: 4.
  int VisParaCnt() const;
  void SetVisParaCnt(int Value);

  // [Xavo], the maker options; missing: false.
  bool ShowCmdGrpInfo() const;
  void SetShowCmdGrpInfo(bool Value);
  bool VDXFileViewer() const;
  void SetVDXFileViewer(bool Value);
  bool SFWUpdate() const;
  void SetSFWUpdate(bool Value);
  bool TermFWUpdate() const;
  void SetTermFWUpdate(bool Value);

  // [TableInput]; missing: false.
  bool ShowDecimals() const;
  void SetShowDecimals(bool Value);
  bool AinCommandUI() const;
  void SetAinCommandUI(bool Value);

  // [Application]: folders end with '/'; missing: the tool's folder.
  std::string FirmwarePath() const;
  void SetFirmwarePath(const std::string& Value);
  std::string LastFirmware() const;  // missing: empty
  void SetLastFirmware(const std::string& Value);
  std::string ParaFilePath() const;
  void SetParaFilePath(const std::string& Value);

  // The folder of the running executable with a trailing '/'; empty when unknown.
  static std::string ToolFolder();

 private:
  struct TMemory {
    std::string Port;
    TTransferMode TransferMode = tmFullDuplex;
    bool AutoBRDetection = false;
    TModBaudrate FixBR = mb9600;
    bool AutoSetBR = false;
    TModBaudrate AutoBR = mb38400;
    int DelayOnFirmwareUpdate = 0;
    TColor DisplayColor = clBtnFace;
    TColor GridColor = clBlue;
    TColor ChannelColor[4] = {clBlue, clRed, clGreen, clBlack};
    int SignalLineWidth = 0;
    bool ULimLLimManually = false;
    int VisParaKind = 0;
    int VisParaCnt = 4;
    bool ShowCmdGrpInfo = false;
    bool VDXFileViewer = false;
    bool SFWUpdate = false;
    bool TermFWUpdate = false;
    bool ShowDecimals = false;
    bool AinCommandUI = false;
    std::string FirmwarePath;
    std::string LastFirmware;
    std::string ParaFilePath;
  };

  bool ReadBool(const char* Section, const char* Key, bool Default) const;
  int ReadInteger(const char* Section, const char* Key, int Default) const;
  std::string ReadString(const char* Section, const char* Key, const std::string& Default) const;
  TModBaudrate ReadBaudrate(const char* Key, int DefaultBps, TModBaudrate Fallback) const;
  // The maker and table flags: false when missing.
  bool Flag(const char* Section, const char* Key, bool Memory) const;
  void SetFlag(const char* Section, const char* Key, bool& Memory, bool Value);
  void WriteBool(const char* Section, const char* Key, bool Value);
  void WriteInteger(const char* Section, const char* Key, int Value);
  void WriteString(const char* Section, const char* Key, const std::string& Value);

  TApplIni* FIni;
  TMemory FMem;
};

}  // namespace vdx
