// Checks a firmware file as Motorola S-records before any of it reaches the bootloader, so a
// damaged file is refused while the module still holds its working firmware. The file's
// bytes are only read here; what is sent stays exactly the file.
#pragma once

#include <string>

namespace vdx {

struct TSRecordCheck {
  bool Ok = false;
  int Line = 0;        // 1-based line of the first bad record; 0 when Ok or unreadable
  std::string Reason;  // what is wrong, in English, for the message to the user
};

// Checks every line of Data: record type S0..S9 (not S4), an even number of hex digits, the
// count byte matching the record's length and covering at least the address and checksum,
// and the checksum. Line ends may be LF, CR LF or CR; empty lines are allowed. The file must
// hold at least one data record (S1, S2, S3) and end with its closing record (S7, S8, S9).
TSRecordCheck CheckSRecordText(const std::string& Data);

// The same for a file on disk; a file that cannot be read is not Ok, with Line 0.
TSRecordCheck CheckSRecordFile(const std::string& FileName);

}  // namespace vdx
