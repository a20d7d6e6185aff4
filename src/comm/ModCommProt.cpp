#include "comm/ModCommProt.h"

#include <chrono>
#include <thread>

#include "comm/Exchange.h"

namespace vdx {

TVDXModCommProt::TVDXModCommProt() : FPollTimer(std::make_unique<TThreadTimer_SL>()) {
  FComPort.SetPort("COM1");
  FPollTimer->Synchronized = true;
  FPollTimer->SetOnTimer([this](TBaseTimerThread&) { PollMonitor(); });
}

TVDXModCommProt::~TVDXModCommProt() {
  StopScopeSampling();
  FPollTimer.reset();
  FreeMsgThread();
  FComPort.ClosePort();
}

void TVDXModCommProt::ThreadProc(TBaseThread& Thread) {
  int Msg;
  while (!Thread.Terminated() && Thread.WaitMessage(Msg) && Msg != TBaseThread::QuitMessage) {
  }
}

void TVDXModCommProt::SetPortNo(uint16_t Value) {
  std::lock_guard Lock(FExchangeLock);
  FPortNo = Value;
  try {
    FComPort.SetPort("COM" + std::to_string(Value));
  } catch (const TComPortError&) {
    FPortNo = 0;
  }
}

void TVDXModCommProt::SetPortOpen(bool Value) {
  std::lock_guard Lock(FExchangeLock);
  FComPort.SetConnected(Value);
}

bool TVDXModCommProt::SendCommand(const std::string& Cmd, const std::string& Echo,
                                  const std::string& Prompt, std::string& Reply, int TimeoutMs) {
  std::lock_guard Lock(FExchangeLock);
  switch (FTransferMode) {
    case tmFullDuplex: return ExchangeFullDuplex(&FComPort, Cmd, Echo, Prompt, Reply, TimeoutMs);
    case tmHalfDuplex: return ExchangeHalfDuplex(&FComPort, Cmd, Echo, Prompt, Reply, TimeoutMs);
  }
  Reply.clear();
  return false;
}

bool TVDXModCommProt::RefillGrid(uint16_t AccessCode) {
  return FParameterList && FParameterList->LoadCommandList(&FLists.CmdList, AccessCode);
}

void TVDXModCommProt::SetParameterList(IParameterView* View) {
  FParameterList = View;
  if (View)
    View->OnCmdSendRequest = [this](IParameterView&, TModCtrlCommand* Cmd) {
      ParamListCmdSendRequest(Cmd);
    };
}

bool TVDXModCommProt::ExchangeAccepted(const std::string& Cmd, const std::string& Echo,
                                       std::string& Reply, int TimeoutMs) {
  return SendCommand(Cmd, Echo, ">", Reply, TimeoutMs) &&
         Reply.find("command error") == std::string::npos;
}

bool TVDXModCommProt::Connect() {
  std::lock_guard Lock(FExchangeLock);
  FLists.Clear();
  FModuleDataValid = false;
  RefillGrid(0);
  try {
    if (!FComPort.Connected()) {
      if (FTransferMode == tmHalfDuplex && FCurrentBaudrate != mb19200)
        SetBaudRate(mb19200);
      else if (FTransferMode == tmFullDuplex && !FAutoBaudDetection &&
               FCurrentBaudrate != FFixBaudrate)
        SetBaudRate(FFixBaudrate);
      FComPort.OpenPort();
    }
  } catch (const TComPortError&) {
    return false;
  }
  if (!FComPort.Connected()) return false;
  if (FFirmwareUpdateMode || !FAutoBaudDetection || FTransferMode == tmHalfDuplex) return true;

  TModBaudrate Detected;
  if (!DetectBaudrate(Detected)) return false;
  if (CheckBaudrateCmd(Detected) && FAutoSetBaudrate) return SwitchModuleBaudrate();
  return true;
}

void TVDXModCommProt::Disconnect() {
  FPollTimer->StopTimer();
  while (FScopePollBusy.load()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::lock_guard Lock(FExchangeLock);
  FComPort.ClosePort();
  ForgetModule();
  RefillGrid(0);
}

void TVDXModCommProt::ForgetModule() {
  FLists.Clear();
  FModuleDataValid = false;
  FRemoteCtrlSupported = false;
  FRemoteCtrlActive = false;
}

void TVDXModCommProt::SetOperatingMode(TOperatingMode Mode) {
  FOperatingMode = Mode;
  if (Mode == omScope) FScopeTimeBase = NowDateTime();
  if (Mode != omMonitor) {
    FPollTimer->StopTimer();
  } else {
    uint32_t Interval = FMonitorIntervalMs;
    if (Interval == 0)
      Interval = FLists.ProcessData.Count() <= 10 && FCurrentBaudrate != mb9600 ? 320 : 500;
    FPollTimer->StartTimer(Interval);
  }
  if (FScope) FScope->SetEnabled(Mode == omScope);
}

}  // namespace vdx
