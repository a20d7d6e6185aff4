// The oscilloscope without its widget: four channel settings, the channel buffers fed by the
// oscilloscope cycle, the binding of channels to process values, the frame's traces and the
// cursor readings. The protocol component talks to it as its scope view; the widget wraps it,
// draws the traces it builds and follows its events.
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "comm/ModCommandLists.h"
#include "comm/ModViews.h"
#include "live/ScopeChannels.h"
#include "live/ScopeCursors.h"

namespace vdx {

// A bound channel's line in one frame.
struct TScopeTrace {
  int Number = 0;
  TColor LineColor = 0;
  std::vector<TScopePoint> Points;
};

class TVDXScopeModel : public IScopeView {
 public:
  TVDXScopeModel();
  TVDXScopeModel(const TVDXScopeModel&) = delete;
  TVDXScopeModel& operator=(const TVDXScopeModel&) = delete;

  // Channel1 ... Channel4 by N = 1 ... 4. Edited in the main thread only.
  TVDXSCopeChaSettings& Channel(int N) { return FSettings.at(static_cast<size_t>(N - 1)); }

  // --- The protocol component's side (IScopeView).
  void SetProcessData(const TModProcessData* List) override;
  // Becoming enabled empties every channel's buffer.
  void SetEnabled(bool Value) override;
  std::array<std::string, 4> ChannelSignals() const override;
  uint32_t DataSampleRate() const override { return FDataSampleRate.load(); }
  // Only while RunScope: the samples go into the buffers, then OnScopeData is raised.
  void AddScopeSamples(const TASCIIProcDataObj* Ch1, const TASCIIProcDataObj* Ch2,
                       const TASCIIProcDataObj* Ch3, const TASCIIProcDataObj* Ch4) override;

  // --- Properties.
  bool Enabled() const { return FEnabled.load(); }
  void SetDataSampleRate(uint32_t Ms) { FDataSampleRate = Ms; }
  bool RunScope() const { return FRunScope.load(); }
  void SetRunScope(bool Value) { FRunScope = Value; }
  int16_t TimeScalePerDiv() const;
  void SetTimeScalePerDiv(int16_t Ms);
  TCursors CursorEnable() const { return FCursorEnable; }
  void SetCursorEnable(TCursors Value) { FCursorEnable = Value; }
  int CursorChannel() const { return FCursorChannel; }
  void SetCursorChannel(int Value) { FCursorChannel = Value; }
  TScopeCusors& Cursors() { return FCursors; }
  const TScopeCusors& Cursors() const { return FCursors; }

  // --- Buffers.
  // Appends each given sample to its channel, whatever the channel is bound to.
  void AddSamples(const TASCIIProcDataObj* Ch1, const TASCIIProcDataObj* Ch2,
                  const TASCIIProcDataObj* Ch3, const TASCIIProcDataObj* Ch4);
  void ClearChannels();
  // A copy of channel Number (0 ... 3) with its buffer.
  TScopeChannel ChannelState(int Number) const;
  // The frame's traces on a paint box of W x H: every bound channel's buffer is first trimmed
  // to its capacity, then mapped to pixels. All under one lock, so a frame never sees a sample
  // half appended or a setting half changed.
  std::vector<TScopeTrace> BuildTraces(int W, int H);

  // The cursor readings on a paint box of W x H, or without one (nullopt). The values are left
  // as they are when CursorChannel is not 1 ... 4.
  void GetCursorInfo(std::optional<std::pair<int, int>> PaintBoxSize, TCursorInfo& Info) const;

  // --- Events.
  // The names of all process values of a new list, in order.
  std::function<void(TVDXScopeModel& Sender, const std::vector<std::string>& ProcessPara)>
      OnProcessDataChanged;
  // Raised in the sampling thread with the samples just taken.
  std::function<void(const TASCIIProcDataObj* Ch1, const TASCIIProcDataObj* Ch2,
                     const TASCIIProcDataObj* Ch3, const TASCIIProcDataObj* Ch4)>
      OnScopeData;
  // A channel's scale, offset, colour or binding changed (the grid labels change with them).
  std::function<void(TVDXScopeModel& Sender, int Number)> OnChannelChanged;
  // Enabled changed; when it became true the buffers were emptied first.
  std::function<void(TVDXScopeModel& Sender, bool Enabled)> OnEnabledChanged;

 private:
  void ChannelSettingsChanged(TVDXSCopeChaSettings& Settings);
  void ChannelSignalChanged(TVDXSCopeChaSettings& Settings);

  std::array<TVDXSCopeChaSettings, 4> FSettings;
  mutable std::mutex FLock;  // guards everything below up to the cursors
  std::array<TScopeChannel, 4> FChannels;
  std::array<std::string, 4> FSignals;  // the sampling thread's copy of the settings' signals
  TModProcessData FScopeProcessData;
  int16_t FTimeScalePerDiv = 1000;
  std::atomic<uint32_t> FDataSampleRate{100};
  std::atomic<bool> FEnabled{false};
  std::atomic<bool> FRunScope{false};
  TCursors FCursorEnable;
  int FCursorChannel = 1;
  TScopeCusors FCursors;
};

}  // namespace vdx
