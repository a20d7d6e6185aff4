// The oscilloscope's channels: the settings the user edits, the point buffer each channel
// keeps, its capacity, the trace area's grid and the mapping of buffered points to pixels.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/ToolColor.h"
#include "comm/ProcessSamples.h"

namespace vdx {

// One channel's settings. Writing a value already stored does nothing; a change of Color,
// YScalePerDiv or YZeroOffset raises OnChange, a change of Signal OnSignalChange.
class TVDXSCopeChaSettings {
 public:
  // Number 0 ... 3; the colour is blue, red, green or black by number.
  explicit TVDXSCopeChaSettings(int Number);

  std::string Name() const { return "Cha. " + std::to_string(FNumber); }
  int Number() const { return FNumber; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int16_t YScalePerDiv() const { return FYScalePerDiv; }
  void SetYScalePerDiv(int16_t Value);
  int32_t YZeroOffset() const { return FYZeroOffset; }
  void SetYZeroOffset(int32_t Value);
  // Name of the process value shown; empty for none.
  const std::string& Signal() const { return FSignal; }
  void SetSignal(const std::string& Value);

  std::function<void(TVDXSCopeChaSettings& Sender)> OnChange;
  std::function<void(TVDXSCopeChaSettings& Sender)> OnSignalChange;

 private:
  int FNumber;
  TColor FColor;
  int16_t FYScalePerDiv = 20;
  int32_t FYZeroOffset = 100;
  std::string FSignal;
};

struct TChaDataPoint {
  TDateTime TimeStamp = 0;
  double Value = 0;  // the sample's raw value
};

// A channel's copy of its settings and its buffered points, oldest first.
struct TScopeChannel {
  uint32_t YScale = 20;
  int32_t YOffset = 100;
  TColor LineColor = 0;
  std::deque<TChaDataPoint> FPoints;
  int32_t SourceIndex = -1;  // position of the shown value in the process data; -1: none
  int32_t Divisor = 1;       // CompFactor of the shown value

  // Binds the channel to process value I; the points are dropped when I differs.
  void SetSource(int32_t I);
};

// How many points a channel keeps: one screen width, (TimePerDiv x 10) div SamplePeriod + 1,
// both as 16-bit values. A sample period of 0 counts as 1 ms.
size_t ScopeBufferCapacity(uint16_t TimePerDiv, uint32_t SamplePeriod);

// The trace area's grid of 10 x 10 divisions inside a paint box of W x H pixels.
struct TScopeGrid {
  TScopeGrid(int W, int H);
  int W, H;
  int cw, rh;  // column width, row height
  int x0, y0;  // left and top grid edge
};

struct TScopePoint {
  int X, Y;
};

// The pixels of a channel's points, oldest first: the newest on the right grid edge, each older
// one SamplePeriod ms further left; values scaled by Divisor, YScale and YOffset; everything
// outside the grid drawn on its border. A channel whose scale, divisor or time base is 0 has
// no drawable points and yields none.
std::vector<TScopePoint> BuildPoints(const TScopeChannel& Channel, const TScopeGrid& Grid,
                                     uint32_t SamplePeriod, uint16_t TimePerDiv);

// The pixels of one column from Top to Bottom (Top <= Bottom).
struct TScopeRun {
  int X, Top, Bottom;
};

// The pixels of a polyline through Points (X never decreasing), one run per pixel column from
// left to right: the column's full extent, a one-sample spike included, with each line between
// points split among the columns it crosses as a one-pixel line is. A screen width of samples
// lies on far fewer columns, and this draws each pixel about once.
std::vector<TScopeRun> ColumnRuns(const std::vector<TScopePoint>& Points);

}  // namespace vdx
