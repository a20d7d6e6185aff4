// What the benchmarks of the desktop tool share: a number from the command line, and the main
// window connected to a paced virtual module at the link's fixed rate and identified.
#pragma once

#include <QAction>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "PacedLink.h"
#include "app/ui/MainForm.h"
#include "comm/IntegerText.h"

namespace vdx::bench {

// The number after Name ("--ticks N"), at least 1; Default when not given.
inline int CountOption(int argc, char** argv, const char* Name, int Default) {
  int Value = Default;
  for (int I = 1; I + 1 < argc; ++I)
    if (std::strcmp(argv[I], Name) == 0) TryStrToInt(argv[I + 1], Value);
  return std::max(Value, 1);
}

// Shows Form, connects it to the started Link's module and identifies it; false (and says so)
// when no module was identified.
inline bool IdentifyInWindow(ui::TVDXMainForm& Form, TPacedLink& Link) {
  Form.show();
  Form.PreselectPort(QString::fromStdString(Link.PortName()));
  TVDXModCommProt& Prot = Form.ModProt();
  Prot.SetFixBaudrate(Link.Rate());
  Prot.SetAutoBaudDetection(false);
  Form.Actions().ConnectAct->trigger();
  Form.Actions().IdentifyAct->trigger();
  if (Prot.ModuleDataValid()) return true;
  std::fprintf(stderr, "the module was not identified\n");
  return false;
}

}  // namespace vdx::bench
