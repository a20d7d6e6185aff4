#include "sim/SimFaults.h"

#include "sim/SimText.h"

namespace vdx::sim {

bool RefusedByFault(TSimFault Fault, const std::string& Line, bool DataBlock) {
  if (Fault == TSimFault::CommandError) return true;
  if (Fault != TSimFault::RefuseWrites) return false;
  if (DataBlock) return true;
  const std::string Text = Trim(Line);
  const size_t Blank = Text.find(' ');
  if (Blank == std::string::npos) return false;  // no argument: a read or a bare command
  return ToUpper(Text.substr(0, 3)) != "RC:";
}

uint32_t TFaultNoise::Next() {
  // xorshift32: fixed seed, so a test sees the same noise every run.
  FState ^= FState << 13;
  FState ^= FState >> 17;
  FState ^= FState << 5;
  return FState;
}

std::string TFaultNoise::BeforeEcho(TSimFault Fault, const std::string& Prompt,
                                    const std::string& LineEnd) {
  if (Fault == TSimFault::StalePrompt) return Prompt + LineEnd;
  if (Fault != TSimFault::NoiseBeforeEcho) return {};
  static constexpr char Pool[] = "0123456789#*+-=~!?$%&()[]{}|:;.@\x01\x07\x7F\x80\xA7\xFE";
  std::string Noise;
  const uint32_t Count = 1 + Next() % 4;
  for (uint32_t I = 0; I < Count; ++I) Noise += Pool[Next() % (sizeof Pool - 1)];
  return Noise;
}

}  // namespace vdx::sim
