// The protocol component: the only part that talks to the module. It owns the serial port and
// the module's four command lists, runs every exchange under one lock, identifies the module,
// reads its parameters and manages the baud rate, and pushes data into the linked views.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "comm/BaseMsgComponent.h"
#include "comm/Baudrate.h"
#include "comm/ComPort.h"
#include "comm/ModCommandLists.h"
#include "comm/ModViews.h"
#include "comm/PeriodicTimer.h"
#include "comm/ProcessSamples.h"
#include "comm/ThreadTimer.h"

namespace vdx {

enum TOperatingMode { omIdle = 0, omTerminal = 1, omMonitor = 2, omScope = 3 };

// The bootloader's steps driven by the firmware update.
enum TBootloaderStep { bsStart = 0, bsRunApplication = 1, bsErase = 2, bsProgram = 3 };

// Progress of a firmware transfer: Done of Total bytes of the file handled. Called before the
// first byte and after every byte, so a GUI can move its progress bar and process its events.
using TFirmwareProgress = std::function<void(size_t Done, size_t Total)>;

enum TVDXCommProtMsgKind { cpmkImpFktNoValidModulId = 0, cpmkImpFktOverWriteQuestion = 1 };

// Results of the parameter file imports.
enum TImportResult : uint8_t {
  irDone = 0,         // done, also when nothing had to be done
  irNoModule = 2,     // no module identified and no offline list loaded
  irOtherModule = 3,  // the file does not match the identified module
  irNotUsable = 4,    // the file is not a usable parameter file
};

// Name and value texts of the last parameter reply.
struct TCmdUpdateInfo {
  std::string CmdName;
  std::vector<std::string> Values;
};

class TVDXModCommProt : public TBaseMsgComponent {
 public:
  TVDXModCommProt();
  ~TVDXModCommProt() override;

  // --- Events. Sender is this component.
  // The module's own readout failed; the handler may fill ExtCmdList with readout lines.
  std::function<void(TVDXModCommProt& Sender, const std::string& ModID,
                     std::vector<std::string>& ExtCmdList)>
      OnReadoutError;
  // The user picks one module ID of a file; SelIdx -1 for none.
  std::function<void(TVDXModCommProt& Sender, const std::vector<std::string>& IdList,
                     int& SelIdx)>
      OnModIdSelRequest;
  // A question to the user; Result 1 (OK) means go on.
  std::function<void(TVDXModCommProt& Sender, TVDXCommProtMsgKind MsgKind, int& Result)>
      OnInfoMsg;
  // Names of the commands a parameter file import could not apply.
  std::function<void(TVDXModCommProt& Sender, const std::vector<std::string>& CmdErrList)>
      OnParaDownloadError;
  // The module's digital input byte was read.
  std::function<void(TVDXModCommProt& Sender, uint8_t State)> OnDigitalInputStateInfo;
  // Raised in the sampling thread after each oscilloscope cycle the sampling timer ran: Ok false
  // when a value exchange failed; Lateness is how long after its due time the tick began.
  // Assign it before StartScopeSampling.
  std::function<void(TVDXModCommProt& Sender, bool Ok, std::chrono::nanoseconds Lateness)>
      OnScopeCycle;

  // --- Link and line properties. Setters that reopen the port throw TComPortError.
  TModBaudrate BaudRate() const { return FCurrentBaudrate; }
  void SetBaudRate(TModBaudrate Value);
  uint16_t PortNo() const { return FPortNo; }
  // Sets the port "COM" + number; when an open port cannot be reopened, PortNo becomes 0.
  void SetPortNo(uint16_t Value);
  TTransferMode TransferMode() const { return FTransferMode; }
  void SetTransferMode(TTransferMode Value);
  bool PortOpen() const { return FComPort.Connected(); }
  void SetPortOpen(bool Value);
  bool AutoSetBaudrate() const { return FAutoSetBaudrate; }
  void SetAutoSetBaudrate(bool Value) { FAutoSetBaudrate = Value; }
  TModBaudrate AutoBaudrate() const { return FAutoBaudrate; }
  void SetAutoBaudrate(TModBaudrate Value) { FAutoBaudrate = Value; }
  TModBaudrate FixBaudrate() const { return FFixBaudrate; }
  void SetFixBaudrate(TModBaudrate Value);
  bool AutoBaudDetection() const { return FAutoBaudDetection; }
  void SetAutoBaudDetection(bool Value);
  int32_t DelayOnSendFirmwareData() const { return FDelayOnSendFirmwareData; }
  void SetDelayOnSendFirmwareData(int32_t Value) { FDelayOnSendFirmwareData = Value; }

  // --- Links to the views (non-owning; pass nullptr when a view goes away).
  IParameterView* ParameterList() const { return FParameterList; }
  // Links the grid and makes its send requests come here.
  void SetParameterList(IParameterView* View);
  IMonitorView* Monitor() const { return FMonitor; }
  void SetMonitor(IMonitorView* View) { FMonitor = View; }
  IScopeView* Scope() const { return FScope; }
  void SetScope(IScopeView* View) { FScope = View; }
  ITerminalView* Terminal() const { return FTerminal; }
  // Links the terminal and makes its typed keys come to TerminalInput.
  void SetTerminal(ITerminalView* View);

  // --- State for the other parts.
  TModCommandList& CmdList() { return FLists.CmdList; }
  TModProcessData& ProcessData() { return FLists.ProcessData; }
  TModStatusInfoData& StatusInfo() { return FLists.StatusInfo; }
  TModRemoteCtrlCommandList& RemoteCtrlList() { return FLists.RemoteCtrlList; }
  const std::string& ModuleId() const { return FModuleId; }
  bool ModuleDataValid() const { return FModuleDataValid; }
  bool RemoteCtrlSupported() const { return FRemoteCtrlSupported; }
  bool RemoteCtrlActive() const { return FRemoteCtrlActive; }
  TOperatingMode OperatingMode() const { return FOperatingMode.load(); }
  bool FirmwareUpdateMode() const { return FFirmwareUpdateMode; }
  uint8_t PollingStopped() const { return FPollingStopped.load(); }
  // The serial port, for the terminal, the bootloader dialogue and wire traces.
  TComPort& ComPort() { return FComPort; }

  // --- Exchanges.
  // Sends Cmd (with its own CR), awaits Echo (empty: none) and collects up to Prompt, with
  // TimeoutMs per character (negative: 3000). Never throws.
  bool SendCommand(const std::string& Cmd, const std::string& Echo, const std::string& Prompt,
                   std::string& Reply, int TimeoutMs);
  // Opens the link and, when configured, detects and switches the baud rate.
  bool Connect();
  // Closes the link and forgets the module's data.
  void Disconnect();
  // Stores the mode and starts the monitor's polling timer in omMonitor, stops it otherwise.
  void SetOperatingMode(TOperatingMode Mode);
  // Interval of the monitor polling; 0 (the default) picks 320 ms for up to 10 process values
  // above 9600 bit/s, else 500 ms. Takes effect at the next start of the polling timer.
  uint32_t MonitorIntervalMs() const { return FMonitorIntervalMs.load(); }
  void SetMonitorIntervalMs(uint32_t Ms) { FMonitorIntervalMs = Ms; }
  // The timer that runs PollMonitor in the main thread; idle unless in omMonitor.
  TThreadTimer_SL& PollTimer() { return *FPollTimer; }

  // --- Process data acquisition.
  // One monitor cycle: every process value (20 ms per character), the status word and the
  // digital inputs, handed to the monitor. Stops the polling timer with PollingStopped 1 when
  // every value query failed. Runs in the main thread; only the polling timer calls it.
  void PollMonitor();
  // Per-character time-out of a process value query: a cycle over many values stays short.
  static constexpr int ProcessValueTimeoutMs = 20;
  // One oscilloscope cycle: the process values shown on the scope's channels, handed over as
  // one set of four samples stamped one DataSampleRate after the previous set. False when a
  // value exchange failed (the set is then dropped). Only the sampling timer calls it.
  bool PollScope();
  // Starts the oscilloscope sampling timer: a cycle every IntervalMs in the timer's thread;
  // four failed cycles in a row stop it with PollingStopped 2. False when it already runs.
  bool StartScopeSampling(uint32_t IntervalMs);
  // Stops the sampling timer; returns once a cycle in progress has ended (from inside the
  // cycle's own callbacks it only marks the stop).
  void StopScopeSampling();
  bool ScopeSampling() const { return FScopeTimer.Running(); }

  // --- Terminal path: live in omTerminal with a terminal linked and the receive handler
  // attached (the bootloader steps detach it while they run).
  // The terminal's key handler: sends Key; Response stays unchanged.
  void TerminalInput(char Key, std::string& Response);
  // Writes Ch in omTerminal on an open port (write errors swallowed); true in omTerminal.
  bool SendTerminalChar(char Ch);
  // The receive handler: reads Count bytes (negative: all waiting) and shows each on the
  // terminal; on a half-duplex line the copy of the last key sent is dropped. Acts only while
  // the path is live; errors are swallowed.
  void TerminalRxChar(int Count = -1);
  // True while received bytes belong to the terminal: a receive notifier on
  // ComPort().Handle() should be enabled exactly then (and follow ComPort().OnReopened).
  bool TerminalPathLive() const;

  // --- Firmware update through the module's bootloader. Port errors turn into false.
  // One step of the bootloader dialogue; the terminal's receive handler is detached meanwhile.
  bool BootloaderStep(TBootloaderStep Step);
  // Streams the S-record file (after bsProgram) byte by byte, without LF and backspace, 10 ms
  // after each CR, then waits for the bootloader's "Programming" ... ">". False when the file
  // is missing or the bootloader did not confirm.
  bool SendFirmwareFile(const std::string& FileName, const TFirmwareProgress& Progress = {});
  // Streams the file the same way for the classic update in the terminal, with the receive
  // handler attached; true when the file exists.
  bool SendFirmwareClassic(const std::string& FileName, const TFirmwareProgress& Progress = {});
  // Classic update mode: on enters the bootloader for the terminal (omTerminal), off starts the
  // application again (only while the port is open).
  void SetFirmwareUpdateMode(bool On);

  // --- Identification and reading.
  bool Identify(std::string& ModuleId);
  virtual bool ReadOut();
  virtual bool ParseReadoutList(const std::string& Text);
  bool ReadAccessCode(uint16_t& ACode);
  bool ReadParameter(TModBaseCommand* Cmd);
  virtual bool ReadAllParameters();
  virtual void ApplyUpdateInfo();
  bool ProbeRemoteCtrl(bool& Active);
  static bool ParseModuleId(const std::string& IdText, std::string& ModuleName);
  void GetModuleName(std::string& Name) const;
  bool CheckModuleId();
  bool PasswordSupported();
  bool SendPassword(const std::string& Password);

  // --- Parameter transfer and the module's memory commands.
  // Writes one parameter, reads it back, reads the access code and follows NewData and NewTab.
  // A write the module answers with "command error" fails.
  bool SendParameter(TModBaseCommand* Cmd);
  // Writes every text, numeric, curve and analogue input parameter, then reads all back.
  // ErrList (when given) receives the names of the commands whose write failed.
  bool SendAllParameters(std::vector<std::string>* ErrList);
  // Access code, all values, refill of the grid.
  bool ReloadParameters();
  // Puts value texts into a command as a module reply would, without talking to the module.
  static bool SetCmdValues(TModBaseCommand* Cmd, const std::vector<std::string>* Values);
  bool SaveParameters();  // "SAVE"
  bool LoadDefaults();    // "DEFAULT"
  bool LoadBack();        // "LOADBACK"
  // The grid's send request: online the command is written; offline only shown again.
  void ParamListCmdSendRequest(TModCtrlCommand* Cmd);

  // --- Parameter files. FileError() tells why the last of these failed ("" when it did not).
  // Writes the legacy parameter file (".par") of the identified module.
  bool ExportParFile(const std::string& FileName);
  // Reads a legacy parameter file and applies it; Force skips the module name test.
  uint8_t ImportParFile(const std::string& FileName, bool Force);
  // Stores the command lists and values as the module's data in a command list file (".vdx");
  // asks OnInfoMsg before overwriting the module's data already in the file.
  bool ExportVdxFile(const std::string& FileName);
  // Writes the values a command list file holds for the module into the parameters and, when
  // connected, into the module.
  uint8_t ImportVdxFile(const std::string& FileName);
  // With the port closed: takes a module's command lists from a command list file.
  bool LoadOfflineCmdList(const std::string& FileName);
  const std::string& FileError() const { return FFileError; }

  // --- Remote control of the module's inputs.
  // The module's remote-control mode, asked with "RC:M".
  bool RemoteCtrlEnabled();
  void SetRemoteCtrlEnabled(bool Value);
  bool ReadDigitalInputs(uint8_t& State);
  // Writes the byte; State receives the byte read back (0 when that fails).
  bool SetDigitalInputs(uint8_t& State);
  // Writes one analogue input; Value receives the value read back (0 when that fails).
  bool SetAnalogInput(int PinCode, int32_t& Value);
  bool ReadRemoteCtrlValue(int PinCode, int32_t& Value);
  // True when the module answers a bare CR with its prompt.
  bool PingModule();

  // --- Baud rate management.
  bool DetectBaudrate(TModBaudrate& Baud);
  virtual bool CheckBaudrateCmd(TModBaudrate Baud);
  bool SwitchModuleBaudrate();

  void ThreadProc(TBaseThread& Thread) override;

 private:
  // The ID text of an "ID" reply: echo, prompt and a trailing "CMD" removed, trimmed.
  static std::string IdTextOfReply(const std::string& Reply);
  void ForgetModule();
  // The time Bytes take on the line at the port's rate (10 bits each).
  std::chrono::nanoseconds LineTime(size_t Bytes) const;
  // Writes Text and waits the time its bytes take on the line, so the module has heard them
  // at the current rate before the port changes its rate.
  void WriteBeforeRateChange(const std::string& Text);
  // Closes the port, sets Baud on port and component and opens the port again.
  void ReopenAt(TModBaudrate Baud);
  bool EnterBootloader();
  bool RunApplication();
  // Sends the bytes of a firmware file as the bootloader takes them.
  void StreamFirmware(const std::string& Data, const TFirmwareProgress& Progress);
  // The sampling timer's tick; Due is when it was due.
  void ScopeSamplingTick(TPeriodicTimer::TClock::time_point Due);
  bool RefillGrid(uint16_t AccessCode);
  // An exchange with prompt ">" whose reply does not say "command error".
  bool ExchangeAccepted(const std::string& Cmd, const std::string& Echo, std::string& Reply,
                        int TimeoutMs);
  enum TWriteResult { wrDone, wrRefused, wrNoAnswer };
  // Writes a command's value ("NAME value", or the 21 points of a curve); wrRefused when the
  // module answered "command error".
  TWriteResult WriteValue(TModBaseCommand& Cmd);
  // Runs a memory command: the listed command of that name, or Cmd with its echo.
  bool MemoryCommand(const std::string& Name, const std::string& Cmd, const std::string& Echo,
                     int TimeoutMs, bool ReadBack);
  // Reads the single integer value of a remote-control query.
  bool ReadRemoteInteger(const std::string& Name, int32_t& Value);

  std::recursive_mutex FExchangeLock;
  TComPort FComPort;
  TModCommandSet FLists;
  TCmdUpdateInfo FUpdateInfo;

  IParameterView* FParameterList = nullptr;
  IMonitorView* FMonitor = nullptr;
  IScopeView* FScope = nullptr;
  ITerminalView* FTerminal = nullptr;

  uint16_t FPortNo = 1;
  TTransferMode FTransferMode = tmFullDuplex;
  bool FAutoSetBaudrate = true;
  TModBaudrate FAutoBaudrate = mb57600;
  TModBaudrate FFixBaudrate = mb9600;
  bool FAutoBaudDetection = true;
  int32_t FDelayOnSendFirmwareData = 0;

  TModBaudrate FCurrentBaudrate = mb9600;
  std::string FModuleId;
  std::string FFileError;
  bool FModuleDataValid = false;
  bool FRemoteCtrlSupported = false;
  bool FRemoteCtrlActive = false;
  std::atomic<TOperatingMode> FOperatingMode{omIdle};
  bool FFirmwareUpdateMode = false;
  char FLastTermChar = 0;
  std::atomic<int> FTerminalRxDetached{0};  // nesting count of the bootloader steps
  std::atomic<bool> FScopePollBusy{false};
  std::atomic<TDateTime> FScopeTimeBase{NowDateTime()};
  std::atomic<int> FScopeFailCount{0};
  TPeriodicTimer FScopeTimer;
  std::atomic<uint8_t> FPollingStopped{0};
  std::atomic<uint32_t> FMonitorIntervalMs{0};
  std::unique_ptr<TThreadTimer_SL> FPollTimer;  // created last, freed first
};

}  // namespace vdx
