// The module's side of the line dialogue: collects received bytes into command lines,
// produces the echo of each byte, and frames answers with line ends and the prompt.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vdx::sim {

class TWireFramer {
 public:
  TWireFramer(std::string Prompt, std::string LineEnd)
      : FPrompt(std::move(Prompt)), FLineEnd(std::move(LineEnd)) {}

  struct TStep {
    std::string Echo;       // what the module sends back for this byte
    bool LineDone = false;  // a CR ended a command line
    std::string Line;       // the command line, without its CR
    bool Overlong = false;  // bytes beyond the line limit were dropped from Line
  };

  // One byte heard by the module. Printable bytes are echoed as received and collected; CR
  // is echoed as the line end and ends the line; backspace and DEL remove the last byte;
  // other control bytes are ignored.
  TStep Receive(char C);

  // True when no byte of the next command line has been received yet.
  bool AtLineStart() const { return FAtLineStart; }

  // The answer lines, each followed by the line end, then the prompt. Without the prompt the
  // last line ends the answer as it is (a request for more input, such as "ready for data!").
  std::string Answer(const std::vector<std::string>& Lines, bool WithPrompt = true) const;

  // The next line may be up to Limit bytes long (a data block) instead of the usual limit.
  void SetNextLineLimit(size_t Limit) { FLimit = Limit; }

  const std::string& Prompt() const { return FPrompt; }
  const std::string& LineEnd() const { return FLineEnd; }

 private:
  static constexpr size_t MaxLine = 4096;

  std::string FPrompt;
  std::string FLineEnd;
  std::string FLine;
  size_t FLimit = MaxLine;
  bool FOverlong = false;
  bool FAtLineStart = true;
};

}  // namespace vdx::sim
