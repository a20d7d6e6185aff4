// The bootloader's record check: what it takes as an S-record and what it refuses.
#include <gtest/gtest.h>

#include "sim/Bootloader.h"

namespace vdx::sim {
namespace {

TEST(SRecordCheck, TakesWellFormedRecordsAndRefusesTheRest) {
  const struct {
    const char* Record;
    bool Valid;
    bool End;
  } Cases[] = {
      {"S00E00004B56323020465720332E367A", true, false},
      {"S1131000A54DCA182530BB1D6D132CDED6237B2EAF", true, false},
      {"S1131000a54dca182530bb1d6d132cded6237b2eaf", true, false},  // lower-case digits
      {"S208010000112233444C", true, false},
      {"S30900010000AABBCCDDE7", true, false},
      {"S5030004F8", true, false},
      {"S9031000EC", true, true},
      {"S804010000FA", true, true},
      {"S70500010000F9", true, true},
      {"S1131000A54DCA182530BB1D6D132CDED6237B2EAE", false, false},  // checksum
      {"S1131000A54DCA182530BB1D6D132CDED6237B2FAF", false, false},  // a data digit
      {"S1141000A54DCA182530BB1D6D132CDED6237B2EAF", false, false},  // count too large
      {"S1131000A54DCA182530BB1D6D132CDED6237B2EA", false, false},   // odd length
      {"S4030004F8", false, false},                                  // reserved type
      {"S901FE", false, false},                                      // no room for the address
      {"S9031000EX", false, false},
      {"X9031000EC", false, false},
      {"S9", false, false},
  };
  for (const auto& C : Cases) {
    bool End = !C.End;
    EXPECT_EQ(CheckSRecord(C.Record, End), C.Valid) << C.Record;
    if (C.Valid) {
      EXPECT_EQ(End, C.End) << C.Record;
    }
  }
}

}  // namespace
}  // namespace vdx::sim
