#include "cli/InterruptScope.h"

#include <atomic>

namespace vdx::cli {

namespace {

std::atomic<bool> Flag{false};

void OnInterrupt(int) { Flag = true; }

}  // namespace

TInterruptScope::TInterruptScope() {
  Flag = false;
  struct sigaction A {};
  A.sa_handler = OnInterrupt;
  sigemptyset(&A.sa_mask);
  sigaction(SIGINT, &A, &FOld);
}

TInterruptScope::~TInterruptScope() { sigaction(SIGINT, &FOld, nullptr); }

bool TInterruptScope::Interrupted() { return Flag; }

}  // namespace vdx::cli
