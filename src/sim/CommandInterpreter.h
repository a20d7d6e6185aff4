// The module's command interpreter: one command line in, the answer lines out.
#pragma once

#include <string>
#include <vector>

#include "sim/ModuleState.h"

namespace vdx::sim {

inline constexpr const char* CommandErrorText = "command error";

struct TAnswer {
  std::vector<std::string> Lines;  // each sent followed by the line end, then the prompt
  int NewBaudRate = 0;             // switch to this rate once the answer is out
  bool Saved = false;              // the non-volatile copy changed
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
  TAnswer Execute(const std::string& Line);

 private:
  TAnswer Parameter(const std::string& Word, const std::string& Args, bool HasArgs);
  TAnswer ControlCommand(const TSimCommand& Cmd, bool HasArgs);
  TAnswer Memory(const std::string& Upper, bool HasArgs);
  TAnswer RemoteMode(const std::string& Args, bool HasArgs);
  TAnswer DigitalInputs(const std::string& Args, bool HasArgs);
  TAnswer BaudRate(const std::string& Args);

  TModuleState& FState;
  TInterpreterOptions FOptions;
};

}  // namespace vdx::sim
