// Ctrl-C for the commands that run until stopped: SIGINT only sets a flag that the command
// checks between cycles; the previous handling comes back when the scope ends.
#pragma once

#include <signal.h>

namespace vdx::cli {

class TInterruptScope {
 public:
  TInterruptScope();
  ~TInterruptScope();
  TInterruptScope(const TInterruptScope&) = delete;
  TInterruptScope& operator=(const TInterruptScope&) = delete;

  // SIGINT arrived since the scope began.
  static bool Interrupted();

 private:
  struct sigaction FOld {};
};

}  // namespace vdx::cli
