// Writing every parameter of the rich virtual module (SendAllParameters: all values, then all
// read back) over a line paced at 115200 bit/s.
#include "PacedLink.h"

using namespace vdx;

int main() {
  bench::TPacedLink Link(mb115200);
  std::string Id;
  if (!Link.Connect() || !Link.Prot.Identify(Id)) {
    std::fprintf(stderr, "identification failed\n");
    return 1;
  }
  std::vector<std::string> Errors;
  if (Link.Measure("SendAllParameters", [&] { return Link.Prot.SendAllParameters(&Errors); }))
    return 0;
  for (const auto& Name : Errors) std::fprintf(stderr, "  not written: %s\n", Name.c_str());
  return 1;
}
