#include "live/CsvText.h"

#include <cstdio>
#include <ctime>

#include "comm/ModCommands.h"

namespace vdx {

std::string CsvField(std::string_view Text) {
  if (Text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(Text);
  std::string Quoted = "\"";
  for (char C : Text) {
    if (C == '"') Quoted += '"';
    Quoted += C;
  }
  return Quoted + "\"";
}

std::string CsvRecord(const std::vector<std::string>& Fields) {
  std::string Record;
  for (size_t I = 0; I < Fields.size(); ++I) {
    if (I > 0) Record += ',';
    Record += CsvField(Fields[I]);
  }
  return Record + "\r\n";
}

std::string IsoLocalTime(std::chrono::system_clock::time_point Time, char DateTimeSeparator) {
  using namespace std::chrono;
  const auto Ms = time_point_cast<milliseconds>(Time);
  const std::time_t Secs = system_clock::to_time_t(time_point_cast<seconds>(Ms));
  std::tm Local{};
  localtime_r(&Secs, &Local);
  char Text[64];
  std::snprintf(Text, sizeof Text, "%04d-%02d-%02d%c%02d:%02d:%02d.%03d", Local.tm_year + 1900,
                Local.tm_mon + 1, Local.tm_mday, DateTimeSeparator, Local.tm_hour, Local.tm_min,
                Local.tm_sec,
                static_cast<int>((Ms.time_since_epoch() % seconds(1)) / milliseconds(1)));
  return Text;
}

std::string ValueColumnTitle(const TModProcCommand& Cmd) {
  return Cmd.PhysUnit.empty() ? Cmd.Name : Cmd.Name + " [" + Cmd.PhysUnit + "]";
}

}  // namespace vdx
