// The views the protocol component pushes data into. The GUI implements them; the links are
// non-owning and are cleared when a view goes away.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vdx {

class TModCommandList;
class TModCtrlCommand;
class TModProcessData;
class TModStatusInfoData;
class TASCIIProcDataObj;

class IParameterView {
 public:
  virtual ~IParameterView() = default;
  // Fills the view with the parameters of List whose groups share a bit with AccessCode.
  virtual bool LoadCommandList(TModCommandList* List, uint16_t AccessCode) = 0;
  // Shows the current values of the rows again.
  virtual void RefreshValues() = 0;
  // Raised by the view after the user confirmed an edit of Cmd.
  std::function<void(IParameterView& Sender, TModCtrlCommand* Cmd)> OnCmdSendRequest;
};

class IMonitorView {
 public:
  virtual ~IMonitorView() = default;
  // The module's process values and status bits after an identification; the view keeps copies.
  virtual void SetProcessData(const TModProcessData* List) = 0;
  virtual void SetStatusInfo(const TModStatusInfoData* List) = 0;
  // A process value from the monitor polling; the sample is freed after the call.
  virtual void NewProcData(const TASCIIProcDataObj& /*Sample*/) {}
  // The status mask from the monitor polling: bit I set when status bit command I is active.
  virtual void DoNewStatusInfo(uint16_t /*Mask*/) {}
};

class IScopeView {
 public:
  virtual ~IScopeView() = default;
  // The module's process values after an identification; the view keeps a copy.
  virtual void SetProcessData(const TModProcessData* List) = 0;
  // Follows the operating mode: true only in the oscilloscope mode.
  virtual void SetEnabled(bool /*Value*/) {}
  // The process value names shown on the four channels, "" for none. Asked by the sampling
  // thread at every cycle.
  virtual std::array<std::string, 4> ChannelSignals() const { return {}; }
  // Milliseconds between two samples; the time stamps of consecutive cycles are this far apart.
  virtual uint32_t DataSampleRate() const { return 100; }
  // The samples of one oscilloscope cycle, one per channel, null for a channel without one.
  // Called in the sampling thread; the samples are freed after the call.
  virtual void AddScopeSamples(const TASCIIProcDataObj* /*Ch1*/, const TASCIIProcDataObj* /*Ch2*/,
                               const TASCIIProcDataObj* /*Ch3*/, const TASCIIProcDataObj* /*Ch4*/) {
  }
};

class ITerminalView {
 public:
  virtual ~ITerminalView() = default;
  // Shows characters received from the module, in order; a whole read comes in one call.
  virtual void DisplayText(std::string_view Text) = 0;
  void DisplayChar(char C) { DisplayText(std::string_view(&C, 1)); }
  // Raised for every key typed into the terminal; the protocol component sends it.
  std::function<void(ITerminalView& Sender, char Key, std::string& Response)> OnTerminalInput;
};

}  // namespace vdx
