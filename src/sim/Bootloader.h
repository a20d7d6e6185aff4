// The module's bootloader and the restart of its application: the menu, erasing the FLASH,
// taking an S-record file with a check of every record, and the application's question after
// a firmware change. Fed one received byte at a time; says what goes back on the line.
#pragma once

#include <string>
#include <utility>

namespace vdx::sim {

class TBootloader {
 public:
  // The application's prompt and line end, for its start-up output.
  TBootloader(std::string IdText, std::string Prompt, std::string LineEnd)
      : FIdText(std::move(IdText)), FPrompt(std::move(Prompt)), FLineEnd(std::move(LineEnd)) {}

  // What one received byte gives: Now goes out at once, then after DelayMs (the work takes
  // time) Later follows.
  struct TStep {
    std::string Now;
    int DelayMs = 0;
    std::string Later;
    bool Started = false;       // the application runs again from Later on
    bool LoadDefaults = false;  // the question was answered "y"
  };

  // The module's bytes go to the bootloader (menu, file intake) or to the application's
  // question; otherwise to the command interpreter.
  bool Active() const { return FState != stOff; }
  // Entered from the application's "BOOTLOADER" command; returns the banner and menu.
  std::string Enter();
  TStep Receive(char C);

  // The menu's banner begins with this text.
  static constexpr const char* Banner = "X.A.VO.";

 private:
  enum TState { stOff, stMenu, stRecords, stQuestion };
  TStep MenuKey(char C);
  TStep RecordByte(char C);
  TStep Question(char C);
  // Checks the record collected so far; a closing record ends the file.
  void EndRecord(TStep& Step);
  TStep Finish();
  std::string StartUp() const;

  const std::string FIdText, FPrompt, FLineEnd;
  TState FState = stOff;
  bool FValid = true;     // the FLASH holds a complete application
  bool FErased = false;   // erased since the last programming
  bool FChanged = false;  // the FLASH was changed in this bootloader session
  std::string FRecord;    // the record being received
  int FRecords = 0;       // records received in this transfer
  int FBadRecord = 0;     // number of the first bad record, 0 for none
};

// True when Record (without line end) is a well-formed S-record with a correct checksum;
// IsEnd tells whether it is a closing record (S7, S8, S9).
bool CheckSRecord(const std::string& Record, bool& IsEnd);

}  // namespace vdx::sim
