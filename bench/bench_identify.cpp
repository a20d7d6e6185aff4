// Identification of the rich virtual module over a line paced at 115200 and at 9600 bit/s.
#include "PacedLink.h"

using namespace vdx;

namespace {

bool Run(TModBaudrate Rate) {
  bench::TPacedLink Link(Rate);
  if (!Link.Connect()) return false;
  return Link.Measure("Identification", [&] {
    std::string Id;
    return Link.Prot.Identify(Id);
  });
}

}  // namespace

int main() { return Run(mb115200) && Run(mb9600) ? 0 : 1; }
