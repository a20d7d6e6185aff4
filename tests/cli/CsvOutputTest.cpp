// vdxctl monitor --csv and record --csv: RFC 4180 records with a header row, CR LF line ends and
// ISO 8601 time stamps with milliseconds.
#include <gtest/gtest.h>

#include <regex>

#include "VdxctlFixture.h"

namespace vdx::testing {
namespace {

// The records of Text, each without its CR LF; fails when a line does not end with CR LF.
std::vector<std::string> Records(const std::string& Text) {
  std::vector<std::string> Lines;
  size_t Start = 0;
  for (size_t End; (End = Text.find('\n', Start)) != std::string::npos; Start = End + 1) {
    EXPECT_TRUE(End > Start && Text[End - 1] == '\r') << Text.substr(Start, End - Start);
    Lines.push_back(Text.substr(Start, End - Start - 1));
  }
  EXPECT_EQ(Start, Text.size()) << "the last record has no line end";
  return Lines;
}

// A data record: the ISO 8601 time stamp, then the fields that Values matches.
void ExpectDataRecord(const std::string& Record, const std::string& Values) {
  EXPECT_TRUE(
      std::regex_match(Record, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3})" + Values)))
      << Record;
}

TEST_F(VdxctlTest, MonitorCsvHasAHeaderRowAndOneRecordPerCycle) {
  Module();
  const TRun R = Run("monitor --csv --count 2 --interval 100" + At9600());
  ASSERT_EQ(R.Exit, 0) << R.Err;
  const auto Lines = Records(R.Out);
  ASSERT_EQ(Lines.size(), 3u) << R.Out;
  EXPECT_EQ(Lines[0], "time,W [%],X [%],E [%],IA [A],P [bar],UB [V],status,inputs");
  for (size_t I = 1; I < Lines.size(); ++I)
    // A value whose query failed in a slow cycle stays empty.
    ExpectDataRecord(Lines[I], R"((,(-?\d+\.\d\d)?){6},(0x[0-9A-F]{4})?,\d*)");
}

TEST_F(VdxctlTest, RecordCsvReplacesItsFileWithHeaderAndRecords) {
  Module();
  const std::string File = (FDir / "rec.csv").string();
  std::ofstream(File) << "an older recording\n";
  const TRun R = Run("record --csv --channel ia --channel W --duration 1 --out " + File + At9600());
  ASSERT_EQ(R.Exit, 0) << R.Err;
  const auto Lines = Records(FileText(File));
  ASSERT_GE(Lines.size(), 3u);
  EXPECT_EQ(Lines[0], "time,IA [A],W [%]");
  for (size_t I = 1; I < Lines.size(); ++I) ExpectDataRecord(Lines[I], R"((,-?\d+\.\d\d){2})");
  EXPECT_NE(R.Out.find(" cycles, "), std::string::npos) << R.Out;  // the summary, not in the file
}

TEST_F(VdxctlTest, CsvAndRestoreApplyOnlyToTheirCommands) {
  const struct {
    std::string Args, Err;
  } Cases[] = {{"identify --csv", "--csv does not apply to identify"},
               {"export x.vdx --restore", "--restore does not apply to export"}};
  for (const auto& C : Cases) {
    const TRun R = Run(C.Args + " --port /dev/null");
    EXPECT_EQ(R.Exit, 2) << C.Args;
    EXPECT_NE(R.Err.find(C.Err), std::string::npos) << R.Err;
  }
}

}  // namespace
}  // namespace vdx::testing
