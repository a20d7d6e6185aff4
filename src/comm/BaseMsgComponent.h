// Base of components that own a message thread. The thread is created suspended; the component
// stops and frees it when destroyed.
#pragma once

#include <memory>

#include "comm/BaseThread.h"

namespace vdx {

class TBaseMsgComponent;

class TMsgThread : public TBaseThread {
 public:
  explicit TMsgThread(TBaseMsgComponent& Owner) : FOwner(Owner) {}
  ~TMsgThread() override { Stop(); }

 protected:
  void Execute() override;

 private:
  TBaseMsgComponent& FOwner;
};

class TBaseMsgComponent {
 public:
  TBaseMsgComponent() : FMsgThread(std::make_unique<TMsgThread>(*this)) {}
  virtual ~TBaseMsgComponent() = default;
  TBaseMsgComponent(const TBaseMsgComponent&) = delete;
  TBaseMsgComponent& operator=(const TBaseMsgComponent&) = delete;

  // The message thread's procedure.
  virtual void ThreadProc(TBaseThread& Thread) = 0;

 protected:
  // Stops and frees the message thread; derived destructors call it before their state goes.
  void FreeMsgThread() { FMsgThread.reset(); }
  TMsgThread& MsgThread() { return *FMsgThread; }

 private:
  std::unique_ptr<TMsgThread> FMsgThread;
};

inline void TMsgThread::Execute() { FOwner.ThreadProc(*this); }

}  // namespace vdx
