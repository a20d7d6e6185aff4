// What a faulty module puts on the line before it echoes a command, and which commands it
// refuses.
#pragma once

#include <cstdint>
#include <string>

#include "sim/ModuleSim.h"

namespace vdx::sim {

// True when Fault makes the module refuse the command line Line (received, without its CR)
// with "command error" instead of carrying it out. A data block after "DOWNLOAD" counts as a
// write.
bool RefusedByFault(TSimFault Fault, const std::string& Line, bool DataBlock = false);

class TFaultNoise {
 public:
  explicit TFaultNoise(uint32_t Seed = 20260101u) : FState(Seed) {}

  // The bytes sent ahead of the first echo of a command: for NoiseBeforeEcho one to four
  // bytes that are neither letters nor the prompt character; for StalePrompt the prompt and
  // a line end; nothing for the other faults.
  std::string BeforeEcho(TSimFault Fault, const std::string& Prompt, const std::string& LineEnd);

 private:
  uint32_t Next();
  uint32_t FState;
};

}  // namespace vdx::sim
