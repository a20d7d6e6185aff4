// RFC 4180 fields and records and the ISO 8601 time stamps of vdxctl's CSV output.
#include <gtest/gtest.h>

#include <ctime>

#include "live/CsvText.h"

namespace vdx {
namespace {

TEST(CsvText, FieldsAreQuotedExactlyWhenTheyHoldASeparatorAQuoteOrALineEnd) {
  const struct {
    std::string Text, Field;
  } Cases[] = {
      {"", ""},
      {"12.50", "12.50"},
      {"W [%]", "W [%]"},
      {" padded ", " padded "},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"\"", "\"\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"cr\r", "\"cr\r\""},
      {"lf\n", "\"lf\n\""},
  };
  for (const auto& C : Cases) EXPECT_EQ(CsvField(C.Text), C.Field) << C.Text;
}

TEST(CsvText, RecordsJoinFieldsWithCommasAndEndWithCrLf) {
  EXPECT_EQ(CsvRecord({"time", "P [bar, abs]", "", "0x001D"}), "time,\"P [bar, abs]\",,0x001D\r\n");
  EXPECT_EQ(CsvRecord({""}), "\r\n");
}

TEST(CsvText, TimeStampsAreLocalIso8601WithMilliseconds) {
  std::tm Local{};
  Local.tm_year = 2026 - 1900;
  Local.tm_mon = 11;
  Local.tm_mday = 11;
  Local.tm_hour = 7;
  Local.tm_min = 30;
  Local.tm_isdst = -1;
  const auto Second = std::chrono::system_clock::from_time_t(std::mktime(&Local));
  const struct {
    int Ms;
    std::string Text;
  } Cases[] = {{0, "2026-12-11T07:30:00.000"},
               {5, "2026-12-11T07:30:00.005"},
               {250, "2026-12-11T07:30:00.250"},
               {59999, "2026-12-11T07:30:59.999"}};
  for (const auto& C : Cases)
    EXPECT_EQ(IsoLocalTime(Second + std::chrono::milliseconds(C.Ms)), C.Text) << C.Ms;
}

}  // namespace
}  // namespace vdx
