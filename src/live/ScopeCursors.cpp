#include "live/ScopeCursors.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vdx {

namespace {

constexpr int HitDistance = 5;

// (Edge - Pos) x PerDiv / Size: the integer product, then a floating-point division.
double Reading(int Edge, int Pos, int PerDiv, int Size) {
  if (Size == 0) return 0;
  return static_cast<double>(static_cast<int64_t>(Edge - Pos) * PerDiv) / Size;
}

std::string Fixed(const char* Format, double V, char DecimalPoint) {
  char Text[64];
  std::snprintf(Text, sizeof Text, Format, V);
  std::string S = Text;
  if (DecimalPoint != '.')
    for (char& C : S)
      if (C == '.') C = DecimalPoint;
  return S;
}

}  // namespace

TScopeCusors::TScopeCusors() {
  FTimeCursor1 = {0, 200, ckTime};
  FAmpCursor1 = {200, 0, ckAmplitude};
  FTimeCursor2 = {0, 300, ckTime};
  FAmpCursor2 = {300, 0, ckAmplitude};
}

TScopeCursor* TScopeCusors::HitTest(int X, int Y) {
  for (TScopeCursor* C : {&FAmpCursor1, &FAmpCursor2})
    if (std::abs(C->PosY - Y) <= HitDistance) return C;
  for (TScopeCursor* C : {&FTimeCursor1, &FTimeCursor2})
    if (std::abs(C->PosX - X) <= HitDistance) return C;
  return nullptr;
}

void CursorReadings(const TScopeCusors& Cursors, const TScopeGrid& G, int16_t YScalePerDiv,
                    int32_t YZeroOffset, int16_t TimeScalePerDiv, TCursorInfo& Info) {
  const int Bottom = 10 * G.rh + G.y0, Right = 10 * G.cw + G.x0;
  const double Offset = G.rh == 0 ? 0 : YZeroOffset;
  Info.Y1 = Reading(Bottom, Cursors.FAmpCursor1.PosY, YScalePerDiv, G.rh) - Offset;
  Info.Y2 = Reading(Bottom, Cursors.FAmpCursor2.PosY, YScalePerDiv, G.rh) - Offset;
  Info.DY = std::fabs(Info.Y2 - Info.Y1);
  Info.T1 = Reading(Right, Cursors.FTimeCursor1.PosX, TimeScalePerDiv, G.cw);
  Info.T2 = Reading(Right, Cursors.FTimeCursor2.PosX, TimeScalePerDiv, G.cw);
  Info.DT = std::fabs(Info.T2 - Info.T1);
}

TCursorInfo NoCursorReadings() { return {-1, -1, -1, -1, 0, 0}; }

std::string AmplitudeReadingText(int Channel, const TCursorInfo& Info, char DecimalPoint) {
  return "Cha. " + std::to_string(Channel) + "   y1: " + Fixed("%1.2f", Info.Y1, DecimalPoint) +
         "   y2: " + Fixed("%1.2f", Info.Y2, DecimalPoint) +
         "   dy: " + Fixed("%1.2f", Info.DY, DecimalPoint);
}

std::string TimeReadingText(int Channel, const TCursorInfo& Info) {
  return "Cha. " + std::to_string(Channel) + "   t1: " + Fixed("%1.0f ms", Info.T1, '.') +
         "   t2: " + Fixed("%1.0f ms", Info.T2, '.') + "   dt: " + Fixed("%1.0f ms", Info.DT, '.');
}

}  // namespace vdx
