#include "live/ScopeModel.h"

namespace vdx {

TVDXScopeModel::TVDXScopeModel()
    : FSettings{TVDXSCopeChaSettings(0), TVDXSCopeChaSettings(1), TVDXSCopeChaSettings(2),
                TVDXSCopeChaSettings(3)} {
  for (auto& S : FSettings) {
    S.OnChange = [this](TVDXSCopeChaSettings& Sender) { ChannelSettingsChanged(Sender); };
    S.OnSignalChange = [this](TVDXSCopeChaSettings& Sender) { ChannelSignalChanged(Sender); };
    TScopeChannel& C = FChannels[static_cast<size_t>(S.Number())];
    C.YScale = static_cast<uint32_t>(S.YScalePerDiv());
    C.YOffset = S.YZeroOffset();
    C.LineColor = S.Color();
  }
}

void TVDXScopeModel::SetProcessData(const TModProcessData* List) {
  std::vector<std::string> Names;
  {
    std::lock_guard Lock(FLock);
    if (List) List->CopyTo(FScopeProcessData);
    for (int I = 0; I < FScopeProcessData.Count(); ++I)
      Names.push_back(FScopeProcessData.Items(I)->Name);
  }
  if (OnProcessDataChanged) OnProcessDataChanged(*this, Names);
}

void TVDXScopeModel::SetEnabled(bool Value) {
  if (FEnabled.exchange(Value) == Value) return;
  if (Value) ClearChannels();
  if (OnEnabledChanged) OnEnabledChanged(*this, Value);
}

std::array<std::string, 4> TVDXScopeModel::ChannelSignals() const {
  std::lock_guard Lock(FLock);
  return FSignals;
}

void TVDXScopeModel::AddScopeSamples(const TASCIIProcDataObj* Ch1, const TASCIIProcDataObj* Ch2,
                                     const TASCIIProcDataObj* Ch3, const TASCIIProcDataObj* Ch4) {
  if (!FRunScope) return;
  AddSamples(Ch1, Ch2, Ch3, Ch4);
  if (OnScopeData) OnScopeData(Ch1, Ch2, Ch3, Ch4);
}

int16_t TVDXScopeModel::TimeScalePerDiv() const {
  std::lock_guard Lock(FLock);
  return FTimeScalePerDiv;
}

void TVDXScopeModel::SetTimeScalePerDiv(int16_t Ms) {
  std::lock_guard Lock(FLock);
  FTimeScalePerDiv = Ms;
}

void TVDXScopeModel::AddSamples(const TASCIIProcDataObj* Ch1, const TASCIIProcDataObj* Ch2,
                                const TASCIIProcDataObj* Ch3, const TASCIIProcDataObj* Ch4) {
  const TASCIIProcDataObj* Samples[] = {Ch1, Ch2, Ch3, Ch4};
  std::lock_guard Lock(FLock);
  for (size_t K = 0; K < FChannels.size(); ++K)
    if (Samples[K])
      FChannels[K].FPoints.push_back(
          {Samples[K]->TimeStamp, static_cast<double>(Samples[K]->Value)});
}

void TVDXScopeModel::ClearChannels() {
  std::lock_guard Lock(FLock);
  for (auto& C : FChannels) C.FPoints.clear();
}

TScopeChannel TVDXScopeModel::ChannelState(int Number) const {
  std::lock_guard Lock(FLock);
  return FChannels.at(static_cast<size_t>(Number));
}

std::vector<TScopeTrace> TVDXScopeModel::BuildTraces(int W, int H) {
  const TScopeGrid Grid(W, H);
  const uint32_t Period = FDataSampleRate;
  std::vector<TScopeTrace> Traces;
  std::lock_guard Lock(FLock);
  const auto TimePerDiv = static_cast<uint16_t>(FTimeScalePerDiv);
  const size_t Capacity = ScopeBufferCapacity(TimePerDiv, Period);
  for (size_t K = 0; K < FChannels.size(); ++K) {
    TScopeChannel& C = FChannels[K];
    if (C.SourceIndex < 0) continue;
    while (C.FPoints.size() > Capacity) C.FPoints.pop_front();
    Traces.push_back({static_cast<int>(K), C.LineColor, BuildPoints(C, Grid, Period, TimePerDiv)});
  }
  return Traces;
}

void TVDXScopeModel::GetCursorInfo(std::optional<std::pair<int, int>> PaintBoxSize,
                                   TCursorInfo& Info) const {
  if (!PaintBoxSize) {
    Info = NoCursorReadings();
    return;
  }
  const TScopeGrid Grid(PaintBoxSize->first, PaintBoxSize->second);
  const bool Bound = FCursorChannel >= 1 && FCursorChannel <= 4;
  const TVDXSCopeChaSettings& S = FSettings[Bound ? static_cast<size_t>(FCursorChannel - 1) : 0];
  TCursorInfo Readings;
  CursorReadings(FCursors, Grid, S.YScalePerDiv(), S.YZeroOffset(), TimeScalePerDiv(), Readings);
  if (Bound) {
    Info.Y1 = Readings.Y1;
    Info.Y2 = Readings.Y2;
    Info.DY = Readings.DY;
  }
  Info.T1 = Readings.T1;
  Info.T2 = Readings.T2;
  Info.DT = Readings.DT;
}

void TVDXScopeModel::ChannelSettingsChanged(TVDXSCopeChaSettings& Settings) {
  {
    std::lock_guard Lock(FLock);
    TScopeChannel& C = FChannels[static_cast<size_t>(Settings.Number())];
    C.YScale = static_cast<uint32_t>(Settings.YScalePerDiv());
    C.YOffset = Settings.YZeroOffset();
    C.LineColor = Settings.Color();
  }
  if (OnChannelChanged) OnChannelChanged(*this, Settings.Number());
}

void TVDXScopeModel::ChannelSignalChanged(TVDXSCopeChaSettings& Settings) {
  {
    std::lock_guard Lock(FLock);
    const size_t N = static_cast<size_t>(Settings.Number());
    FSignals[N] = Settings.Signal();
    const int32_t I = FScopeProcessData.IndexOf(Settings.Signal());
    const TModProcCommand* Cmd = FScopeProcessData.Items(I);
    FChannels[N].SetSource(I);
    FChannels[N].Divisor = Cmd ? Cmd->CompFactor : 1;
  }
  if (OnChannelChanged) OnChannelChanged(*this, Settings.Number());
}

}  // namespace vdx
