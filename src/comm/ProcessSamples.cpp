#include "comm/ProcessSamples.h"

#include <chrono>
#include <ctime>

namespace vdx {

TDateTime NowDateTime() {
  using namespace std::chrono;
  const auto Now = system_clock::now();
  const std::time_t Secs = system_clock::to_time_t(Now);
  std::tm Local{};
  localtime_r(&Secs, &Local);
  // Local seconds since 1970 (the offset of the local zone added), then days since 1899-12-30.
  const double LocalSecs = static_cast<double>(Secs + Local.tm_gmtoff) +
                           duration<double>(Now - system_clock::from_time_t(Secs)).count();
  return 25569.0 + LocalSecs / 86400.0;
}

}  // namespace vdx
