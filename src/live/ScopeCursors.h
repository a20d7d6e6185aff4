// The oscilloscope's measuring cursors: two amplitude cursors (pixel rows) and two time
// cursors (pixel columns), what they read on the grid, and the readings as text.
#pragma once

#include <cstdint>
#include <string>

#include "live/ScopeChannels.h"

namespace vdx {

enum TCursorKind : uint8_t { ckAmplitude = 0, ckTime = 1 };

// A set of cursor kinds.
class TCursors {
 public:
  TCursors() = default;
  TCursors(std::initializer_list<TCursorKind> Kinds) {
    for (TCursorKind K : Kinds) FBits |= Bit(K);
  }
  bool Contains(TCursorKind K) const { return FBits & Bit(K); }
  bool Empty() const { return FBits == 0; }
  bool operator==(const TCursors&) const = default;

 private:
  static uint8_t Bit(TCursorKind K) { return static_cast<uint8_t>(1u << K); }
  uint8_t FBits = 0;
};

struct TScopeCursor {
  int32_t PosY = 0;  // amplitude cursors
  int32_t PosX = 0;  // time cursors
  TCursorKind Kind = ckAmplitude;
};

class TScopeCusors {
 public:
  TScopeCusors();
  // The first cursor within 5 pixels of (X, Y): amplitude cursors by row, then time cursors by
  // column; null for none. Whether a pair is shown does not matter.
  TScopeCursor* HitTest(int X, int Y);

  TScopeCursor FTimeCursor1, FAmpCursor1, FTimeCursor2, FAmpCursor2;
};

// Times in ms before the right grid edge, values in the units of the channel's grid.
struct TCursorInfo {
  double T1 = 0, T2 = 0, Y1 = 0, Y2 = 0, DT = 0, DY = 0;
};

// The readings on Grid. Y1, Y2 and DY come from the amplitude cursors with the channel's
// YScalePerDiv and YZeroOffset (Divisor not applied); T1, T2 and DT from the time cursors with
// TimeScalePerDiv. A grid without height (or width) reads 0 for its values (or times).
void CursorReadings(const TScopeCusors& Cursors, const TScopeGrid& Grid, int16_t YScalePerDiv,
                    int32_t YZeroOffset, int16_t TimeScalePerDiv, TCursorInfo& Info);
// The readings without a paint box: times and values -1, differences 0.
TCursorInfo NoCursorReadings();

// "Cha. 1   y1: 100.00   y2: -100.00   dy: 200.00"; DecimalPoint replaces the ".".
std::string AmplitudeReadingText(int Channel, const TCursorInfo& Info, char DecimalPoint = '.');
// "Cha. 1   t1: 0 ms   t2: 10000 ms   dt: 10000 ms".
std::string TimeReadingText(int Channel, const TCursorInfo& Info);

}  // namespace vdx
