// Process data samples: one value taken from the module, handed by a polling cycle to its
// consumers and freed right after the hand-over. A consumer that keeps anything copies it.
#pragma once

#include <cstdint>

namespace vdx {

// Days since 30 December 1899 as a float; the fraction is the time of day (local time).
using TDateTime = double;

// The current local date and time.
TDateTime NowDateTime();

class TBaseProcDataObj {
 public:
  virtual ~TBaseProcDataObj() = default;
  TDateTime TimeStamp = 0;

 protected:
  TBaseProcDataObj() = default;
  // Takes the raw data of a reply; every sample class calls its own version when created.
  virtual void Init(TDateTime Stamp, int32_t /*Raw*/) { TimeStamp = Stamp; }
};

// A sample of a process value the module replied as one whole number.
class TASCIIProcDataObj : public TBaseProcDataObj {
 public:
  TASCIIProcDataObj(TDateTime Stamp, int32_t Raw) { TASCIIProcDataObj::Init(Stamp, Raw); }
  // Position of the process command in the component's process data list; -1 when unknown.
  int32_t Index = -1;
  // The raw value as replied, not divided by the command's CompFactor.
  int32_t Value = 0;

 protected:
  void Init(TDateTime Stamp, int32_t Raw) override {
    TimeStamp = Stamp;
    Value = Raw;
  }
};

}  // namespace vdx
