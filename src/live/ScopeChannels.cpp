#include "live/ScopeChannels.h"

#include <algorithm>
#include <cmath>

namespace vdx {

namespace {

// A / B rounded down, B > 0.
int64_t FloorDiv(int64_t A, int64_t B) { return A >= 0 ? A / B : -((-A + B - 1) / B); }

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

std::vector<TScopeRun> ColumnRuns(const std::vector<TScopePoint>& Points) {
  std::vector<TScopeRun> Runs;
  if (Points.empty()) return Runs;
  Runs.reserve(static_cast<size_t>(std::max(0, Points.back().X - Points.front().X)) + 1);
  const auto Cover = [&Runs](int X, int A, int B) {
    const int Top = std::min(A, B), Bottom = std::max(A, B);
    if (!Runs.empty() && Runs.back().X == X) {
      Runs.back().Top = std::min(Runs.back().Top, Top);
      Runs.back().Bottom = std::max(Runs.back().Bottom, Bottom);
    } else {
      Runs.push_back({X, Top, Bottom});
    }
  };
  Cover(Points[0].X, Points[0].Y, Points[0].Y);
  for (size_t I = 1; I < Points.size(); ++I) {
    const TScopePoint P = Points[I - 1], Q = Points[I];
    const int Dx = Q.X - P.X;
    if (Dx <= 0) {
      Cover(P.X, P.Y, Q.Y);
      continue;
    }
    // As a one-pixel line is drawn, in whole numbers: a flat line takes one row per column, a
    // steep one shares its rows out among the columns, each row once (halves go forward).
    const int Dy = std::abs(Q.Y - P.Y), Sign = Q.Y < P.Y ? -1 : 1;
    if (Dy <= Dx) {
      for (int K = 0; K <= Dx; ++K) {
        const int Y = P.Y + Sign * static_cast<int>(FloorDiv(2LL * K * Dy + Dx, 2LL * Dx));
        Cover(P.X + K, Y, Y);
      }
      continue;
    }
    // Column K takes the rows T with K - 1/2 <= T * Dx / Dy < K + 1/2.
    const auto FirstRow = [&](int K) -> int64_t {
      return K == 0 ? 0 : K > Dx ? Dy + 1 : -FloorDiv(-(2LL * K - 1) * Dy, 2LL * Dx);
    };
    for (int K = 0; K <= Dx; ++K)
      Cover(P.X + K, P.Y + Sign * static_cast<int>(FirstRow(K)),
            P.Y + Sign * static_cast<int>(FirstRow(K + 1) - 1));
  }
  return Runs;
}

}  // namespace vdx
