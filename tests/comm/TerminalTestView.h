// A terminal that records what it was given to show, and feeds it from the port as the GUI's
// receive notifier would.
#pragma once

#include <chrono>
#include <string>
#include <thread>

#include "comm/ModCommProt.h"
#include "comm/TextUtil.h"

namespace vdx::testing {

struct TRecordingTerminal : ITerminalView {
  void DisplayText(std::string_view Text) override { Shown += Text; }

  // Types each character as a key into the terminal.
  void Type(const std::string& Keys) {
    std::string Response;
    for (char C : Keys) OnTerminalInput(*this, C, Response);
  }
  // Hands received bytes to the terminal until what it shows ends with Tail (3 s at most).
  bool ShowUntil(TVDXModCommProt& Prot, const std::string& Tail) {
    const auto End = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < End) {
      Prot.TerminalRxChar();
      if (EndsWith(Shown, Tail)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  std::string Shown;
};

}  // namespace vdx::testing
