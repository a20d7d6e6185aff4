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
  };

  // One byte heard by the module. Printable bytes are echoed as received and collected; CR
  // is echoed as the line end and ends the line; backspace and DEL remove the last byte;
  // other control bytes are ignored.
  TStep Receive(char C);

  // True when no byte of the next command line has been received yet.
  bool AtLineStart() const { return FAtLineStart; }

  // The answer lines, each followed by the line end, then the prompt.
  std::string Answer(const std::vector<std::string>& Lines) const;

  const std::string& Prompt() const { return FPrompt; }
  const std::string& LineEnd() const { return FLineEnd; }

 private:
  static constexpr size_t MaxLine = 4096;

  std::string FPrompt;
  std::string FLineEnd;
  std::string FLine;
  bool FAtLineStart = true;
};

}  // namespace vdx::sim
