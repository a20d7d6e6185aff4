#include "comm/BaseThread.h"

#include <chrono>

namespace vdx {

TBaseThread::~TBaseThread() { Stop(); }

void TBaseThread::Stop() {
  if (!Started()) return;
  Terminate();
  WaitFor();
}

void TBaseThread::Start() {
  if (!Started()) FThread = std::thread([this] { Execute(); });
}

void TBaseThread::Terminate() {
  FTerminated = true;
  PostMessage(QuitMessage);
}

void TBaseThread::WaitFor() {
  if (FThread.joinable() && FThread.get_id() != std::this_thread::get_id()) FThread.join();
}

void TBaseThread::PostMessage(int Msg) {
  {
    std::lock_guard Lock(FQueueLock);
    FQueue.push_back(Msg);
  }
  FQueueSignal.notify_one();
}

bool TBaseThread::WaitMessage(int& Msg, int TimeoutMs) {
  std::unique_lock Lock(FQueueLock);
  const auto HasMessage = [this] { return !FQueue.empty(); };
  if (TimeoutMs < 0)
    FQueueSignal.wait(Lock, HasMessage);
  else if (!FQueueSignal.wait_for(Lock, std::chrono::milliseconds(TimeoutMs), HasMessage))
    return false;
  Msg = FQueue.front();
  FQueue.pop_front();
  return true;
}

}  // namespace vdx
