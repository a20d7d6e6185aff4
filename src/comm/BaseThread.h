// Worker thread with its own message queue and a stop request. A thread is created suspended
// and runs Execute once started; destroying it stops it and waits for its end.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace vdx {

class TBaseThread {
 public:
  // Message posted by the stop request.
  static constexpr int QuitMessage = 0x0012;

  TBaseThread() = default;
  virtual ~TBaseThread();
  TBaseThread(const TBaseThread&) = delete;
  TBaseThread& operator=(const TBaseThread&) = delete;

  void Start();
  bool Started() const { return FThread.joinable(); }
  // Sets the terminate flag and posts the quit message.
  void Terminate();
  bool Terminated() const { return FTerminated.load(); }
  // Waits for the thread to end (nothing when it never started).
  void WaitFor();

  void PostMessage(int Msg);
  // Waits for the next message; false when none came within TimeoutMs (negative: no limit).
  bool WaitMessage(int& Msg, int TimeoutMs = -1);

 protected:
  // The thread procedure. Derived classes that own state Execute uses must call Stop() in their
  // own destructor, before that state goes.
  virtual void Execute() = 0;
  void Stop();

 private:
  std::thread FThread;
  std::atomic<bool> FTerminated{false};
  std::mutex FQueueLock;
  std::condition_variable FQueueSignal;
  std::deque<int> FQueue;
};

}  // namespace vdx
