// Figures the benchmarks print about a series of measurements.
#pragma once

#include <algorithm>
#include <vector>

namespace vdx::bench {

// The value below which the fraction P (0..1) of V lies; 0 for an empty series.
inline double Percentile(std::vector<double> V, double P) {
  if (V.empty()) return 0;
  std::sort(V.begin(), V.end());
  return V[std::min(V.size() - 1, static_cast<size_t>(P * static_cast<double>(V.size())))];
}

}  // namespace vdx::bench
