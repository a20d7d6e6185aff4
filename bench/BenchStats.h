// Figures the benchmarks print about a series of measurements.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace vdx::bench {

// The value below which the fraction P (0..1) of V lies; 0 for an empty series.
inline double Percentile(std::vector<double> V, double P) {
  if (V.empty()) return 0;
  std::sort(V.begin(), V.end());
  return V[std::min(V.size() - 1, static_cast<size_t>(P * static_cast<double>(V.size())))];
}

// One figure for bench/report, as a line "REPORT<TAB>figure<TAB>target<TAB>measured"; Target
// "-" when none is set.
inline void ReportFigure(const std::string& Figure, const char* Target, double Measured,
                         int Decimals = 3) {
  std::printf("REPORT\t%s\t%s\t%.*f\n", Figure.c_str(), Target, Decimals, Measured);
}

}  // namespace vdx::bench
