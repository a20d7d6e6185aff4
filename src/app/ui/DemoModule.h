// A virtual module inside the tool ("--demo"): it serves a pseudo-terminal that the port list
// shows as one more port, so the whole tool works without hardware.
#pragma once

#include <string>

#include "sim/ModuleSim.h"

namespace vdx::ui {

class TDemoModule {
 public:
  TDemoModule();
  ~TDemoModule();  // takes the port off the list and stops the module
  TDemoModule(const TDemoModule&) = delete;
  TDemoModule& operator=(const TDemoModule&) = delete;

  // Starts the module and lists its port; false with Error set when it cannot start.
  bool Start(std::string& Error);
  // "COM" name of its port, empty before Start.
  const std::string& PortName() const { return FPortName; }
  sim::TModuleSim& Module() { return FModule; }

 private:
  sim::TModuleSim FModule;
  std::string FPortName;
};

}  // namespace vdx::ui
