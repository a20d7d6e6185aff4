// RFC 4180 CSV for the process values vdxctl writes: quoted fields, records ended by CR LF,
// and ISO 8601 local time stamps with milliseconds.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace vdx {

class TModProcCommand;

// Text as one field: in double quotes, with each quote doubled, when it holds a comma, a
// double quote, CR or LF; otherwise unchanged.
std::string CsvField(std::string_view Text);

// The fields quoted as needed, joined by commas and ended by CR LF.
std::string CsvRecord(const std::vector<std::string>& Fields);

// Local time as "2026-12-11T07:30:00.250", or with another separator between date and time.
std::string IsoLocalTime(std::chrono::system_clock::time_point Time, char DateTimeSeparator = 'T');

// A process value's column heading: its name, and its unit in brackets when it has one.
std::string ValueColumnTitle(const TModProcCommand& Cmd);

}  // namespace vdx
