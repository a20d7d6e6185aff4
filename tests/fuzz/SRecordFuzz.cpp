// The firmware file check. Besides not crashing, it must never accept a file holding a record
// that an independent reading finds broken (bad checksum, length or hex digits), a file without
// data, or one whose last record is not a closing record.
#include <vector>

#include "FuzzSupport.h"
#include "service/SRecordFile.h"

using namespace vdx;
using fuzz::Check;

namespace {

int Hex(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  return -1;
}

// Whether Line is a sound record: S and a type digit, then hex byte pairs whose first byte
// counts the rest and whose sum (count through checksum) is 0xFF in its low byte.
bool SoundRecord(const std::string& Line, int& Type) {
  // Address bytes per record type; S4 does not exist.
  static const int AddressBytes[10] = {2, 2, 3, 4, -1, 2, 3, 4, 3, 2};
  if (Line.size() < 6 || Line[0] != 'S' || Hex(Line[1]) < 0 || Hex(Line[1]) > 9) return false;
  Type = Hex(Line[1]);
  if (AddressBytes[Type] < 0) return false;
  if (Line.size() % 2 != 0) return false;
  std::vector<int> Bytes;
  for (size_t I = 2; I < Line.size(); I += 2) {
    if (Hex(Line[I]) < 0 || Hex(Line[I + 1]) < 0) return false;
    Bytes.push_back(Hex(Line[I]) * 16 + Hex(Line[I + 1]));
  }
  int Sum = 0;
  for (int B : Bytes) Sum += B;
  return Bytes[0] == static_cast<int>(Bytes.size()) - 1 && Bytes[0] >= AddressBytes[Type] + 1 &&
         (Sum & 0xFF) == 0xFF;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text = fuzz::AsText(Data, Size);
  const TSRecordCheck Result = CheckSRecordText(Text);
  if (!Result.Ok) {
    Check(!Result.Reason.empty() && Result.Line >= 1, "a refusal names no line or reason");
    return 0;
  }
  Check(Result.Line == 0 && Result.Reason.empty(), "an accepted file carries a refusal");

  bool HaveData = false;
  int LastType = -1;
  std::string Line;
  for (size_t I = 0; I <= Text.size(); ++I) {
    if (I < Text.size() && Text[I] != '\r' && Text[I] != '\n') {
      Line += Text[I];
      continue;
    }
    if (Line.empty()) continue;
    int Type = -1;
    Check(SoundRecord(Line, Type), "a broken record was accepted");
    HaveData = HaveData || (Type >= 1 && Type <= 3);
    LastType = Type;
    Line.clear();
  }
  Check(HaveData, "a file without data records was accepted");
  Check(LastType >= 7, "a file not ending with a closing record was accepted");
  return 0;
}
