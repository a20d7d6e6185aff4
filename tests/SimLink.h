// A protocol component linked to a virtual module on a pseudo-terminal, for end-to-end tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "comm/IntegerText.h"
#include "comm/ModCommProt.h"
#include "comm/SerialPortList.h"
#include "sim/ModuleSim.h"

namespace vdx::testing {

struct TSimLink {
  explicit TSimLink(sim::TSimOptions Options = {}) : Module(std::move(Options)) {
    std::string Error;
    Started = Module.Start(Error);
    EXPECT_TRUE(Started) << Error;
    int32_t Number = 0;
    TryStrToInt(AddTransientPort(Module.SlavePath()).substr(3), Number);
    Prot.SetPortNo(static_cast<uint16_t>(Number));
    Prot.SetAutoSetBaudrate(false);
  }
  ~TSimLink() { RemoveTransientPort(Module.SlavePath()); }

  // Fixed rate, no detection: the quick way to a connected module.
  bool ConnectAt(TModBaudrate Rate) {
    Prot.SetFixBaudrate(Rate);
    Prot.SetAutoBaudDetection(false);
    return Prot.Connect();
  }

  // Connects at 9600 bit/s and identifies the module.
  bool Identify() {
    std::string Id;
    return ConnectAt(mb9600) && Prot.Identify(Id);
  }

  sim::TModuleSim Module;
  bool Started = false;
  TVDXModCommProt Prot;
};

}  // namespace vdx::testing
