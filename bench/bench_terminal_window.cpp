// Terminal display throughput in the window's terminal: the virtual module at 115200 bit/s,
// unpaced, answers "Readout" again and again while the terminal shows every byte through
// DisplayText in a real editor. Prints the bytes per second shown and that figure as a
// multiple of what a 115200 bit/s line carries (11520 bytes/s). --seconds N sets the
// measuring time (3). Runs offscreen.
#include <QApplication>
#include <QElapsedTimer>
#include <QTextEdit>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "PacedLink.h"
#include "comm/ModCommProt.h"
#include "service/ui/VDXPTerminal.h"

using namespace vdx;

namespace {

class TCountingTerminal : public ui::TVDXPTerminal {
 public:
  void DisplayText(std::string_view Text) override {
    Shown += static_cast<long long>(Text.size());
    if (!Text.empty()) Last = Text.back();
    ui::TVDXPTerminal::DisplayText(Text);
  }
  long long Shown = 0;
  char Last = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int Seconds = 3;
  for (int I = 1; I + 1 < argc; ++I)
    if (std::strcmp(argv[I], "--seconds") == 0) Seconds = std::max(1, std::atoi(argv[I + 1]));
  QApplication App(argc, argv);

  bench::TPacedLink Link(mb115200, false);
  if (!Link.Connect()) return 1;
  TVDXModCommProt& Prot = Link.Prot;
  QTextEdit Editor;
  Editor.resize(800, 600);
  Editor.show();
  TCountingTerminal Terminal;
  Terminal.SetTerminalEditor(&Editor);
  Prot.SetTerminal(&Terminal);
  ui::TTerminalRxNotifier Notifier(Prot);
  Prot.SetOperatingMode(omTerminal);
  Notifier.Update();

  auto Request = [&] {
    for (char C : std::string("Readout\r")) Prot.SendTerminalChar(C);
  };
  QElapsedTimer Timer;
  Timer.start();
  Request();
  int Rounds = 0;
  while (Timer.elapsed() < Seconds * 1000LL) {
    App.processEvents(QEventLoop::AllEvents, 50);
    if (Terminal.Last == '>') {  // the answer is complete: ask again at once
      Terminal.Last = 0;
      ++Rounds;
      Request();
    }
  }
  const double Elapsed = static_cast<double>(Timer.nsecsElapsed()) / 1e9;
  const double BytesPerSecond = static_cast<double>(Terminal.Shown) / Elapsed;
  std::printf("terminal display: %lld bytes in %.2f s over %d answers\n", Terminal.Shown, Elapsed,
              Rounds);
  std::printf("terminal display: %.0f bytes/s = %.2f x a 115200 bit/s line (11520 bytes/s)\n",
              BytesPerSecond, BytesPerSecond / 11520.0);
  bench::ReportFigure("terminal display: bytes shown / 115200 bit/s line", "-",
                      BytesPerSecond / 11520.0, 2);
  Prot.SetOperatingMode(omIdle);
  Prot.SetTerminal(nullptr);
  Prot.Disconnect();
  return 0;
}
