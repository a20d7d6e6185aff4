#include "comm/LocalTime.h"

namespace vdx {

std::tm LocalNow() {
  const std::time_t Now = std::time(nullptr);
  std::tm Local{};
  localtime_r(&Now, &Local);
  return Local;
}

}  // namespace vdx
