#include "app/ui/DemoModule.h"

#include "comm/SerialPortList.h"

namespace vdx::ui {

TDemoModule::TDemoModule() : FModule(sim::TSimOptions{}) {}

TDemoModule::~TDemoModule() {
  if (!FPortName.empty()) RemoveTransientPort(FModule.SlavePath());
  FModule.Stop();
}

bool TDemoModule::Start(std::string& Error) {
  if (!FModule.Start(Error)) return false;
  FPortName = AddTransientPort(FModule.SlavePath());
  return true;
}

}  // namespace vdx::ui
