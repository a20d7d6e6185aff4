// Worker threads: message queue, stop request, waiting on destruction.
#include <gtest/gtest.h>

#include <atomic>

#include "comm/BaseThread.h"

namespace vdx {
namespace {

// Counts messages until the quit message arrives.
class TCountingThread : public TBaseThread {
 public:
  ~TCountingThread() override { Stop(); }
  std::atomic<int> Seen{0};
  std::atomic<bool> Finished{false};

 protected:
  void Execute() override {
    int Msg;
    while (WaitMessage(Msg) && Msg != QuitMessage) ++Seen;
    Finished = true;
  }
};

TEST(BaseThread, RunsUntilTheStopRequest) {
  TCountingThread T;
  T.Start();
  T.PostMessage(1);
  T.PostMessage(2);
  T.Terminate();
  T.WaitFor();
  EXPECT_TRUE(T.Terminated());
  EXPECT_TRUE(T.Finished);
  EXPECT_EQ(T.Seen, 2);
}

TEST(BaseThread, DestructionStopsARunningThreadAndSkipsASuspendedOne) {
  {
    TCountingThread Running;
    Running.Start();
  }  // must return: the stop request ends the wait for messages
  TCountingThread Suspended;  // never started: destruction does not wait
  EXPECT_FALSE(Suspended.Started());
  int Msg;
  EXPECT_FALSE(Suspended.WaitMessage(Msg, 10));
}

}  // namespace
}  // namespace vdx
