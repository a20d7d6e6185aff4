// The firmware file check that runs before the bootloader erases anything: sound files pass
// with any line end, and the first damaged record is named by its line.
#include <gtest/gtest.h>

#include <fstream>

#include "TestPaths.h"
#include "TestScopes.h"
#include "service/SRecordFile.h"

namespace vdx {
namespace {

const std::string Header = "S00E00004B56323020465720332E367A";
const std::string Data1 = "S1131000A54DCA182530BB1D6D132CDED6237B2EAF";
const std::string Data2 = "S1131010D91E3F721FCB1971174494D6493C9D5C6D";
const std::string Close = "S9031000EC";

std::string Lines(std::initializer_list<std::string> Records, const std::string& End) {
  std::string Text;
  for (const auto& R : Records) Text += R + End;
  return Text;
}

TEST(SRecordFile, SoundFilesPass) {
  for (const char* End : {"\r\n", "\n", "\r"}) {
    const TSRecordCheck Check = CheckSRecordText(Lines({Header, Data1, Data2, Close}, End));
    EXPECT_TRUE(Check.Ok) << Check.Line << " " << Check.Reason;
  }
  // Lower-case hex, S2/S3 data with S8/S7, an empty line and no line end after the last record.
  EXPECT_TRUE(CheckSRecordText("S1041000ab40\n\nS9031000EC").Ok);
  EXPECT_TRUE(CheckSRecordText("S2050100001ADF\nS804010000FA").Ok);
  EXPECT_TRUE(CheckSRecordText("S306000010001ACF\nS70500001000EA").Ok);
  EXPECT_TRUE(CheckSRecordFile(testing::TestDataDir() + "/KV20FW.s19").Ok);
}

TEST(SRecordFile, FirstBadRecordIsNamedByItsLine) {
  struct TCase {
    const char* Name;
    std::string Text;
    int Line;
    const char* Reason;
  };
  std::string Flipped = Data2;
  Flipped[10] = Flipped[10] == 'F' ? 'E' : 'F';
  const TCase Cases[] = {
      {"checksum", Lines({Header, Data1, Flipped, Close}, "\r\n"), 3, "checksum error"},
      {"type S4", Lines({Header, "S4031000EC", Close}, "\n"), 2, "unknown record type"},
      {"no S", Lines({Header, "X1131000", Close}, "\n"), 2, "unknown record type"},
      {"odd digits", Lines({Header, Data1.substr(0, 41), Close}, "\n"), 2,
       "odd or missing hex digits"},
      {"not hex", Lines({Header, "S1131000A54DCA182530BB1D6D132CDED6237B2EZF", Close}, "\n"), 2,
       "not a hex digit"},
      {"cut short", Lines({Header, Data1.substr(0, 40), Close}, "\n"), 2, "wrong record length"},
      {"count too small", Lines({"S1011000EE", Close}, "\n"), 1, "wrong record length"},
      {"bad after empty lines", "\n\n" + Lines({Flipped}, "\n"), 3, "checksum error"},
      {"after the end", Lines({Data1, Close, Data2}, "\n"), 3, "record after the closing record"},
      {"no closing record", Lines({Header, Data1}, "\r\n"), 3, "closing record missing"},
      {"no data", Lines({Header, Close}, "\n"), 3, "no data record"},
      {"empty file", "", 1, "no data record"},
      {"plain text", "Hello\r\n", 1, "unknown record type"},
  };
  for (const TCase& C : Cases) {
    const TSRecordCheck Check = CheckSRecordText(C.Text);
    EXPECT_FALSE(Check.Ok) << C.Name;
    EXPECT_EQ(Check.Line, C.Line) << C.Name;
    EXPECT_EQ(Check.Reason, C.Reason) << C.Name;
  }
}

TEST(SRecordFile, MissingFileIsNotOk) {
  const TSRecordCheck Check = CheckSRecordFile("/nonexistent/firmware.s19");
  EXPECT_FALSE(Check.Ok);
  EXPECT_EQ(Check.Line, 0);
}

}  // namespace
}  // namespace vdx
