#include "live/ScopeChannels.h"

#include <algorithm>
#include <cmath>

namespace vdx {

namespace {

// Limits V to Lo ... Hi, and then to the paint box 0 ... Size, which a paint box too small for
// its grid (Lo beyond Hi) needs.
int Limit(double V, double Lo, double Hi, int Size) {
  const double InGrid = std::max(Lo, std::min(V, Hi));
  return static_cast<int>(std::max(0.0, std::min(InGrid, static_cast<double>(Size))));
}

}  // namespace

TVDXSCopeChaSettings::TVDXSCopeChaSettings(int Number) : FNumber(Number) {
  static constexpr TColor Colors[] = {clBlue, clRed, clGreen, clBlack};
  FColor = Colors[static_cast<size_t>(Number) % 4];
}

void TVDXSCopeChaSettings::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  if (OnChange) OnChange(*this);
}

void TVDXSCopeChaSettings::SetYScalePerDiv(int16_t Value) {
  if (Value == FYScalePerDiv) return;
  FYScalePerDiv = Value;
  if (OnChange) OnChange(*this);
}

void TVDXSCopeChaSettings::SetYZeroOffset(int32_t Value) {
  if (Value == FYZeroOffset) return;
  FYZeroOffset = Value;
  if (OnChange) OnChange(*this);
}

void TVDXSCopeChaSettings::SetSignal(const std::string& Value) {
  if (Value == FSignal) return;
  FSignal = Value;
  if (OnSignalChange) OnSignalChange(*this);
}

void TScopeChannel::SetSource(int32_t I) {
  if (I != SourceIndex) FPoints.clear();
  SourceIndex = I;
}

size_t ScopeBufferCapacity(uint16_t TimePerDiv, uint32_t SamplePeriod) {
  const uint32_t Period = std::max<uint16_t>(static_cast<uint16_t>(SamplePeriod), 1);
  return TimePerDiv * 10u / Period + 1;
}

TScopeGrid::TScopeGrid(int Width, int Height) : W(Width), H(Height) {
  cw = (W - 140) / 10;
  rh = H / 12;
  x0 = (W - 10 * cw) / 2;
  y0 = (H - 10 * rh) / 2;
}

std::vector<TScopePoint> BuildPoints(const TScopeChannel& Channel, const TScopeGrid& G,
                                     uint32_t SamplePeriod, uint16_t TimePerDiv) {
  std::vector<TScopePoint> Points;
  if (Channel.YScale == 0 || Channel.Divisor == 0 || TimePerDiv == 0) return Points;
  const size_t N = Channel.FPoints.size();
  Points.reserve(N);
  const double Bottom = G.y0 + 10.0 * G.rh, Right = G.x0 + 10.0 * G.cw;
  for (size_t I = 0; I < N; ++I) {
    const double V = Channel.FPoints[I].Value;
    const double Y =
        Bottom - std::trunc((V / Channel.Divisor + Channel.YOffset) / Channel.YScale * G.rh + 0.5);
    // 64 bits: a long buffer at a slow rate must not wrap around.
    const int64_t Span = static_cast<int64_t>(N - 1 - I) * SamplePeriod * G.cw;
    const double X = Right - std::trunc(static_cast<double>(Span) / TimePerDiv + 0.5);
    Points.push_back({Limit(X, G.x0, G.W - G.x0, G.W), Limit(Y, G.y0, G.H - G.y0, G.H)});
  }
  return Points;
}

std::vector<TScopeSegment> ColumnStrokes(const std::vector<TScopePoint>& Points) {
  std::vector<TScopeSegment> Segments;
  for (size_t Begin = 0; Begin < Points.size();) {
    int Lo = Points[Begin].Y, Hi = Lo;
    size_t End = Begin + 1;
    for (; End < Points.size() && Points[End].X == Points[Begin].X; ++End) {
      Lo = std::min(Lo, Points[End].Y);
      Hi = std::max(Hi, Points[End].Y);
    }
    if (Begin > 0) Segments.push_back({Points[Begin - 1], Points[Begin]});
    // A lone point is still drawn, as a polyline's single point is.
    if (Hi > Lo || Segments.empty())
      Segments.push_back({{Points[Begin].X, Lo}, {Points[Begin].X, Hi}});
    Begin = End;
  }
  return Segments;
}

}  // namespace vdx
