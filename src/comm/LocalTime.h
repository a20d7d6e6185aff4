// The wall-clock time of this computer's zone, for names and headings that carry a date.
#pragma once

#include <ctime>

namespace vdx {

// Now, broken down in local time.
std::tm LocalNow();

}  // namespace vdx
