#include "service/SRecordFile.h"

#include <fstream>
#include <iterator>

namespace vdx {

namespace {

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  return -1;
}

// Empty when Record is sound, otherwise what is wrong with it.
std::string RecordFault(const std::string& Record, int& Type) {
  static const int AddressBytes[10] = {2, 2, 3, 4, -1, 2, 3, 4, 3, 2};
  if (Record.size() < 2 || Record[0] != 'S' || Record[1] < '0' || Record[1] > '9' ||
      AddressBytes[Record[1] - '0'] < 0)
    return "unknown record type";
  Type = Record[1] - '0';
  if (Record.size() % 2 != 0 || Record.size() < 4) return "odd or missing hex digits";
  unsigned Sum = 0;
  for (size_t I = 2; I < Record.size(); I += 2) {
    const int Hi = HexDigit(Record[I]), Lo = HexDigit(Record[I + 1]);
    if (Hi < 0 || Lo < 0) return "not a hex digit";
    Sum += static_cast<unsigned>(Hi * 16 + Lo);
  }
  const size_t Bytes = (Record.size() - 2) / 2;
  const size_t Count = static_cast<size_t>(HexDigit(Record[2]) * 16 + HexDigit(Record[3]));
  if (Count != Bytes - 1 || Count < static_cast<size_t>(AddressBytes[Type]) + 1)
    return "wrong record length";
  // Count, address, data and checksum together sum to 0xFF in their low byte.
  if ((Sum & 0xFF) != 0xFF) return "checksum error";
  return {};
}

TSRecordCheck Bad(int Line, std::string Reason) {
  TSRecordCheck Result;
  Result.Line = Line;
  Result.Reason = std::move(Reason);
  return Result;
}

}  // namespace

TSRecordCheck CheckSRecordText(const std::string& Data) {
  bool HaveData = false, Closed = false;
  int LineNo = 0;
  size_t Pos = 0;
  while (Pos < Data.size()) {
    size_t End = Data.find_first_of("\r\n", Pos);
    if (End == std::string::npos) End = Data.size();
    const std::string Record = Data.substr(Pos, End - Pos);
    ++LineNo;
    Pos = End;
    if (Pos < Data.size() && Data[Pos] == '\r') ++Pos;
    if (Pos < Data.size() && Data[Pos] == '\n') ++Pos;
    if (Record.empty()) continue;
    if (Closed) return Bad(LineNo, "record after the closing record");
    int Type = -1;
    if (std::string Fault = RecordFault(Record, Type); !Fault.empty())
      return Bad(LineNo, std::move(Fault));
    HaveData = HaveData || (Type >= 1 && Type <= 3);
    Closed = Type >= 7;
  }
  if (!HaveData) return Bad(LineNo + 1, "no data record");
  if (!Closed) return Bad(LineNo + 1, "closing record missing");
  TSRecordCheck Result;
  Result.Ok = true;
  return Result;
}

TSRecordCheck CheckSRecordFile(const std::string& FileName) {
  std::ifstream In(FileName, std::ios::binary);
  if (!In.is_open()) return Bad(0, "the file cannot be read");
  const std::string Data{std::istreambuf_iterator<char>(In), {}};
  if (In.bad()) return Bad(0, "the file cannot be read");
  return CheckSRecordText(Data);
}

}  // namespace vdx
