// The monitor polling timer in the desktop tool: tick intervals at 320 ms while the window
// shows page "Monitor" on a virtual module at 115200 bit/s and its GUI thread repaints the
// whole window without pause. Runs offscreen. --ticks N sets the number of ticks (1000, about
// five and a half minutes).
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchStats.h"
#include "WindowBench.h"
#include "app/ui/GuiThreadRunner.h"
#include "app/ui/MainForm.h"
#include "comm/IntegerText.h"

using namespace vdx;
using vdx::bench::Percentile;
using vdx::bench::ReportFigure;
using Clock = std::chrono::steady_clock;

int main(int argc, char** argv) {
  const int Ticks = bench::CountOption(argc, argv, "--ticks", 1000);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);

  bench::TPacedLink Link(mb115200);
  if (!Link.Start()) return 1;

  ui::TGuiThreadRunner Runner;
  SetMainThreadRunner(Runner.Runner());
  std::vector<Clock::time_point> Starts;
  int Repaints = 0;
  {
    ui::TVDXMainForm Form;
    if (!bench::IdentifyInWindow(Form, Link)) return 1;
    TVDXModCommProt& Prot = Form.ModProt();
    // Each tick is noted as it starts, then runs the monitor cycle as the tool does.
    Prot.PollTimer().SetOnTimer([&](TBaseTimerThread&) {
      Starts.push_back(Clock::now());
      Prot.PollMonitor();
      // A cycle in which no value answered stops the polling; the run ends with the ticks it has.
      if (Starts.size() > static_cast<size_t>(Ticks) || Prot.PollingStopped() != 0)
        QApplication::quit();
    });
    Form.Actions().ShowMonitorAct->trigger();
    Starts.push_back(Clock::now());  // tick 0: the timer starts with the page

    QTimer Repaint;
    QObject::connect(&Repaint, &QTimer::timeout, [&] {
      Form.repaint();
      ++Repaints;
    });
    Repaint.start(0);
    App.exec();
    Repaint.stop();
    Runner.Close();
    Prot.SetOperatingMode(omIdle);
  }
  SetMainThreadRunner({});

  std::vector<double> OverMs;
  for (size_t I = 1; I < Starts.size(); ++I)
    OverMs.push_back(std::chrono::duration<double, std::milli>(Starts[I] - Starts[I - 1]).count() -
                     320.0);
  const double Seconds = std::chrono::duration<double>(Starts.back() - Starts.front()).count();
  std::printf(
      "Monitor polling in the window at 320 ms, %zu ticks, %d full repaints (%.0f per s): "
      "interval - 320 ms median %.3f ms, 99th percentile %.3f ms, worst %.3f ms\n",
      OverMs.size(), Repaints, Repaints / std::max(Seconds, 1e-9), Percentile(OverMs, 0.5),
      Percentile(OverMs, 0.99), Percentile(OverMs, 1.0));
  ReportFigure("page Monitor, window repainting: tick interval - 320 ms, median (ms)", "-",
               Percentile(OverMs, 0.5));
  ReportFigure("page Monitor, window repainting: tick interval - 320 ms, p99 (ms)", "-",
               Percentile(OverMs, 0.99));
  return 0;
}
