// The --verbose wire trace: what goes out and comes in, one line per burst, with control
// characters escaped.
#pragma once

#include <cstdio>
#include <string>

#include "comm/ComPort.h"

namespace vdx::cli {

class TWireTrace {
 public:
  explicit TWireTrace(std::FILE* Out) : FOut(Out) {}
  ~TWireTrace() { Flush(); }
  void Add(TTraceDirection Direction, const std::string& Bytes);
  void Flush();

 private:
  std::FILE* FOut;
  TTraceDirection FDirection = TTraceDirection::tdSent;
  std::string FPending;
};

}  // namespace vdx::cli
