// One reading of every process value and of the status word, taken at a moment of the user's
// choosing (for a report) rather than by the monitor's polling timer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vdx {

class TVDXModCommProt;

struct TProcessValueReading {
  std::string Name;
  std::string Unit;
  std::string Text;  // the value in its unit, two decimals; empty when not read
  bool Read = false;
};

struct TStatusLampReading {
  std::string Name;   // the status bit's display name
  uint8_t Color = 1;  // 1 red, 2 green, 3 yellow
};

struct TProcessSnapshot {
  bool Online = false;  // the port was open and a module identified
  std::vector<TProcessValueReading> Values;
  bool StatusRead = false;
  std::vector<TStatusLampReading> LitLamps;  // the lamps the status word lights, in list order
};

// Reads each process value and the status word once. Without an open port or identified
// module nothing is sent: the values are listed by name and unit as not read. A value whose
// query fails stays not read; the others are still taken.
TProcessSnapshot ReadProcessSnapshot(TVDXModCommProt& Prot);

}  // namespace vdx
