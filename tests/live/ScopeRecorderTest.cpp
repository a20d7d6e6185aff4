// The oscilloscope's recording file, through the disk, against a file written by hand.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <regex>

#include "TestPaths.h"
#include "TestScopes.h"
#include "live/ScopeRecorder.h"

namespace vdx {
namespace {

using testing::FileText;
using testing::TTempFolder;

TEST(ScopeRecorder, HeaderBlocksAndDataLinesAsTheFixtureShowsThem) {
  TTempFolder Dir;
  TScopeRecorder R;
  R.SetFileName(Dir / "rec.txt");
  std::string Error;
  ASSERT_TRUE(R.PrepareRecordFile(Error));
  EXPECT_TRUE(std::filesystem::exists(Dir / "rec.txt"));
  EXPECT_EQ(FileText(Dir / "rec.txt"), "");
  const std::array<std::string, 4> Signals{"W", "X", "---", "ALongSignalName"};
  const TASCIIProcDataObj A(0, 1234), B(0, -5), Min(0, INT32_MIN), Zero(0, 0), Max(0, INT32_MAX);
  // Each Start adds a header block to the same file.
  ASSERT_TRUE(R.WriteRecordHeader(Signals));
  ASSERT_TRUE(R.WriteRecordData(&A, nullptr, &B, nullptr));
  ASSERT_TRUE(R.PrepareRecordFile(Error));
  ASSERT_TRUE(R.WriteRecordHeader(Signals));
  ASSERT_TRUE(R.WriteRecordData(&Min, &Zero, nullptr, &Max));

  const std::regex Stamp(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d:\d{3})");
  EXPECT_EQ(std::regex_replace(FileText(Dir / "rec.txt"), Stamp, "DD.MM.YYYY hh:mm:ss:zzz"),
            FileText(testing::TestDataDir() + "/scope/recording.txt"));
}

TEST(ScopeRecorder, TimeStampIsLocalTimeWithMillisecondsIn23Characters) {
  testing::TEnvScope Utc(std::map<std::string, std::optional<std::string>>{{"TZ", "UTC"}});
  tzset();
  std::tm T{};
  T.tm_year = 2024 - 1900;
  T.tm_mon = 2;
  T.tm_mday = 5;
  T.tm_hour = 7;
  T.tm_min = 8;
  T.tm_sec = 9;
  const auto Point =
      std::chrono::system_clock::from_time_t(timegm(&T)) + std::chrono::milliseconds(45);
  EXPECT_EQ(TScopeRecorder::TimeStamp(Point), "05.03.2024 07:08:09:045");
  EXPECT_EQ(TScopeRecorder::TimeStamp(Point, '.'), "05.03.2024 07.08.09.045");
}

TEST(ScopeRecorder, NoFileNameTouchesNothingAndAnUncreatableFileIsReported) {
  TTempFolder Dir;
  TScopeRecorder R;
  std::string Error;
  EXPECT_TRUE(R.PrepareRecordFile(Error));
  EXPECT_TRUE(R.WriteRecordHeader({}));
  EXPECT_TRUE(std::filesystem::is_empty(Dir.Path()));

  const std::string Missing = Dir / "no/such/folder/rec.txt";
  R.SetFileName(Missing);
  EXPECT_FALSE(R.PrepareRecordFile(Error));
  EXPECT_EQ(Error, "Datei " + Missing + " konnte nicht erstellt werden.");
  EXPECT_FALSE(R.AppendRecordLine("lost"));  // later lines fail quietly
  EXPECT_FALSE(std::filesystem::exists(Missing));
}

}  // namespace
}  // namespace vdx
