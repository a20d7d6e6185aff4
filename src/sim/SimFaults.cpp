#include "sim/SimFaults.h"

namespace vdx::sim {

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
