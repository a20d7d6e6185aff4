// Colours as the settings file stores them: red + 256 * green + 65536 * blue for a plain
// colour, 0xFF000000 + n for the desktop's system colour n (negative as a signed integer).
#pragma once

#include <cstdint>

namespace vdx {

using TColor = int32_t;

constexpr TColor MakeColor(uint8_t Red, uint8_t Green, uint8_t Blue) {
  return Red + 256 * Green + 65536 * Blue;
}
constexpr TColor SystemColor(int Index) { return static_cast<TColor>(0xFF000000u + Index); }
constexpr bool IsSystemColor(TColor Color) {
  return (static_cast<uint32_t>(Color) & 0xFF000000u) == 0xFF000000u;
}
constexpr int SystemColorIndex(TColor Color) {
  return static_cast<int>(static_cast<uint32_t>(Color) & 0x00FFFFFFu);
}
constexpr uint8_t ColorRed(TColor Color) { return static_cast<uint32_t>(Color) & 0xFF; }
constexpr uint8_t ColorGreen(TColor Color) { return (static_cast<uint32_t>(Color) >> 8) & 0xFF; }
constexpr uint8_t ColorBlue(TColor Color) { return (static_cast<uint32_t>(Color) >> 16) & 0xFF; }

constexpr TColor clBlack = MakeColor(0, 0, 0);
constexpr TColor clRed = MakeColor(255, 0, 0);
constexpr TColor clGreen = MakeColor(0, 128, 0);
constexpr TColor clBlue = MakeColor(0, 0, 255);
// The button face of the desktop theme (system colour 15); stored as -16777201.
constexpr TColor clBtnFace = SystemColor(15);

}  // namespace vdx
