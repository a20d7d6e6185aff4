#include "sim/Bootloader.h"

#include <cctype>

namespace vdx::sim {

namespace {

constexpr int EraseMs = 300;
constexpr int ProgramMs = 200;  // after the closing record
constexpr int StartMs = 300;    // from "G" to the application's first output
constexpr size_t MaxRecord = 4 + 2 * 255;

std::string MenuText() {
  return std::string(TBootloader::Banner) +
         " Bootloader 2.1\r\n"
         "1 : FLASH erase command\r\n"
         "2 : FLASH program command\r\n"
         "G : Start application\r\n"
         ">";
}

int HexValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  return -1;
}

}  // namespace

bool CheckSRecord(const std::string& Record, bool& IsEnd) {
  IsEnd = false;
  if (Record.size() < 4 || Record[0] != 'S' || Record.size() % 2 != 0) return false;
  static const int AddressBytes[10] = {2, 2, 3, 4, -1, 2, 3, 4, 3, 2};
  const int Type = Record[1] - '0';
  if (Type < 0 || Type > 9 || AddressBytes[Type] < 0) return false;
  unsigned Sum = 0;
  std::string::size_type Bytes = 0;
  for (std::string::size_type I = 2; I < Record.size(); I += 2) {
    const int Hi = HexValue(Record[I]), Lo = HexValue(Record[I + 1]);
    if (Hi < 0 || Lo < 0) return false;
    Sum += static_cast<unsigned>(Hi * 16 + Lo);
    ++Bytes;
  }
  const unsigned Count = static_cast<unsigned>(HexValue(Record[2]) * 16 + HexValue(Record[3]));
  // The count covers address, data and checksum; all bytes but the checksum sum to its
  // complement, so the sum of all of them ends in 0xFF.
  if (Count != Bytes - 1 || Count < static_cast<unsigned>(AddressBytes[Type]) + 1) return false;
  IsEnd = Type >= 7;
  return (Sum & 0xFF) == 0xFF;
}

std::string TBootloader::Enter() {
  FState = stMenu;
  FChanged = false;
  return MenuText();
}

TBootloader::TStep TBootloader::Receive(char C) {
  switch (FState) {
    case stMenu:
      return MenuKey(C);
    case stRecords:
      return RecordByte(C);
    case stQuestion:
      return Question(C);
    case stOff:
      break;
  }
  return {};
}

TBootloader::TStep TBootloader::MenuKey(char C) {
  TStep Step;
  switch (C) {
    case '\r':
      Step.Now = "\r\n" + MenuText();
      break;
    case '1':
      Step.Now = "1\r\nErasing FLASH ...";
      Step.DelayMs = EraseMs;
      Step.Later = "\r\nFLASH erased\r\n>";
      FValid = false;
      FErased = FChanged = true;
      break;
    case '2':
      Step.Now = "2\r\nSend file to Program";
      FState = stRecords;
      FRecord.clear();
      FRecords = FBadRecord = 0;
      break;
    case 'G':
    case 'g':
      Step.Now = "G";
      Step.DelayMs = StartMs;
      if (!FValid) {
        Step.Later = "\r\nNo valid application!\r\n>";
        break;
      }
      Step.Later = StartUp();
      Step.Started = true;
      FState = FChanged ? stQuestion : stOff;
      break;
    default:
      if (std::isprint(static_cast<unsigned char>(C))) Step.Now = std::string(1, C);
      break;
  }
  return Step;
}

TBootloader::TStep TBootloader::RecordByte(char C) {
  TStep Step;
  if (C == 'S' && !FRecord.empty()) EndRecord(Step);
  if (FState != stRecords) return Step;
  if (C == 'S' || (!FRecord.empty() && HexValue(C) >= 0)) {
    if (FRecord.size() <= MaxRecord) FRecord += C;
    // A record is complete with as many bytes as its count says, line end or not.
    const int Hi = FRecord.size() >= 4 ? HexValue(FRecord[2]) : -1;
    const int Lo = FRecord.size() >= 4 ? HexValue(FRecord[3]) : -1;
    if (Hi >= 0 && Lo >= 0 && FRecord.size() == 4 + 2 * static_cast<size_t>(Hi * 16 + Lo))
      EndRecord(Step);
  } else if (C == '\r' || C == '\n') {
    if (!FRecord.empty()) EndRecord(Step);
  } else if (C != ' ') {
    // Anything else breaks off the transfer; what came so far is no application.
    FState = stMenu;
    FValid = false;
    Step.Now = "\r\nTransfer aborted\r\n>";
  }
  return Step;
}

void TBootloader::EndRecord(TStep& Step) {
  ++FRecords;
  bool IsEnd = false;
  if (!CheckSRecord(FRecord, IsEnd) && FBadRecord == 0) FBadRecord = FRecords;
  FRecord.clear();
  if (IsEnd) Step = Finish();
}

TBootloader::TStep TBootloader::Finish() {
  TStep Step;
  FState = stMenu;
  Step.DelayMs = ProgramMs;
  if (!FErased) {
    Step.Later = "\r\nFLASH not erased! Erase it first\r\n>";
  } else if (FBadRecord != 0) {
    Step.Later = "\r\nChecksum error in record " + std::to_string(FBadRecord) +
                 "! FLASH not programmed\r\n>";
  } else {
    Step.Later = "\r\nProgramming OK, " + std::to_string(FRecords) + " records\r\n>";
    FValid = true;
  }
  FErased = false;
  return Step;
}

std::string TBootloader::StartUp() const {
  const std::string Text = FLineEnd + FIdText + FLineEnd;
  return FChanged ? Text + "Firmware changed! Load default parameters? (y/n)" : Text + FPrompt;
}

TBootloader::TStep TBootloader::Question(char C) {
  TStep Step;
  if (C == 'y' || C == 'Y') {
    Step.Now = std::string(1, C) + FLineEnd + "Default parameters loaded" + FLineEnd + FPrompt;
    Step.LoadDefaults = true;
    FState = stOff;
  } else if (C == 'n' || C == 'N') {
    Step.Now = std::string(1, C) + FLineEnd + FPrompt;
    FState = stOff;
  }
  return Step;
}

}  // namespace vdx::sim
