// Fixed-column texts of analogue input scalings and curve points, and the two small text
// tables they share with the main window.
#pragma once

#include <array>
#include <string>

namespace vdx {

// Places T so that it ends at position EndPos (counted from 1) of Line: the first
// EndPos - length(T) characters of Line, then T, then Line from position EndPos + 1 on.
std::string PlaceText(const std::string& Line, const std::string& T, int EndPos);

// Letters of the analogue input kinds: entry 0 voltage ("V"), entry 1 current ("C").
// The main window switches them to "U" and "I" when asked to.
std::array<std::string, 2>& AinKindLetters();

// Names of the remote-control pins 0 to 5 (entry 0 is empty); the main window may replace 1..5.
std::array<std::string, 6>& PinNames();

}  // namespace vdx
