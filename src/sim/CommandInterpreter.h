// The module's command interpreter: one command line in, the answer lines out.
#pragma once

#include <string>
#include <vector>

#include "sim/ModuleState.h"

namespace vdx::sim {

inline constexpr const char* CommandErrorText = "command error";
inline constexpr const char* DataReadyText = "ready for data!";
inline constexpr const char* DataDoneText = "completed!";

struct TAnswer {
  std::vector<std::string> Lines;  // each sent followed by the line end, then the prompt
  int NewBaudRate = 0;             // switch to this rate once the answer is out
  bool Saved = false;              // the non-volatile copy changed
  bool AwaitsData = false;         // the last line ends the answer: no line end, no prompt
  bool EnterBootloader = false;    // the bootloader takes over once the echo is out
};

struct TInterpreterOptions {
  bool ReadoutFails = false;   // "Readout" answers "command error"
  bool AnswersRemote = false;  // "REMOTE" is answered (modules without the RC:M mode)
};

class TCommandInterpreter {
 public:
  TCommandInterpreter(TModuleState& State, TInterpreterOptions Options)
      : FState(State), FOptions(Options) {}

  // Line is the received text without its CR. Command words are matched without regard to
  // letter case; an empty line gives an empty answer (just the prompt).
  // "BOOTLOADER" hands the module over to its bootloader.
  // "DOWNLOAD" answers "ready for data!" and makes the next line a data block (DataBlock.h):
  // each item is written as "NAME VALUE" would be; the answer is "completed!" when every item
  // was taken, else "command error" (the items taken stay). A block without items is refused.
  TAnswer Execute(const std::string& Line);
  // True after "DOWNLOAD" until the next line arrives, empty or not.
  bool AwaitingData() const { return FAwaitingData; }
  // The next line is refused without being looked at (a fault); a data block awaited is
  // dropped.
  TAnswer Refuse();

 private:
  TAnswer Parameter(const std::string& Word, const std::string& Args, bool HasArgs);
  TAnswer ControlCommand(const TSimCommand& Cmd, bool HasArgs);
  TAnswer Memory(const std::string& Upper, bool HasArgs);
  TAnswer RemoteMode(const std::string& Args, bool HasArgs);
  TAnswer DigitalInputs(const std::string& Args, bool HasArgs);
  TAnswer BaudRate(const std::string& Args);
  TAnswer Download(bool HasArgs);
  TAnswer DataBlock(const std::string& Block);

  TModuleState& FState;
  TInterpreterOptions FOptions;
  bool FAwaitingData = false;
};

}  // namespace vdx::sim
