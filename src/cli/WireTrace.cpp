#include "cli/WireTrace.h"

namespace vdx::cli {

void TWireTrace::Add(TTraceDirection Direction, const std::string& Bytes) {
  if (Direction != FDirection) Flush();
  FDirection = Direction;
  for (char C : Bytes) {
    FPending += C;
    if (C == '\n') Flush();
  }
}

void TWireTrace::Flush() {
  if (FPending.empty()) return;
  std::string Line = FDirection == TTraceDirection::tdSent ? "-> " : "<- ";
  for (char C : FPending) {
    const auto U = static_cast<unsigned char>(C);
    if (C == '\r') Line += "\\r";
    else if (C == '\n') Line += "\\n";
    else if (C == '\\') Line += "\\\\";
    else if (U < 0x20 || U >= 0x7F) {
      char Buf[8];
      std::snprintf(Buf, sizeof Buf, "\\x%02X", U);
      Line += Buf;
    } else Line += C;
  }
  std::fprintf(FOut, "%s\n", Line.c_str());
  FPending.clear();
}

}  // namespace vdx::cli
