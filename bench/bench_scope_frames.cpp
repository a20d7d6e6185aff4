// The oscilloscope's drawing: composing one frame of four channels with 4001 points each
// (10000 ms per division at 25 ms per sample) on a 1000 x 600 paint box in the rendering
// thread's routine, and the GUI thread's share per frame: the hand-over and the paint of the
// paint box. Runs offscreen. --frames N sets the number of frames (200).
#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchStats.h"
#include "live/ui/VDXScope.h"

using namespace vdx;
using vdx::bench::Percentile;
using vdx::bench::ReportFigure;
using namespace vdx::ui;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration D) { return std::chrono::duration<double, std::milli>(D).count(); }

void Report(const char* What, const std::vector<double>& V) {
  std::printf("%-34s median %8.3f ms   p99 %8.3f ms   (%zu)\n", What, Percentile(V, 0.5),
              Percentile(V, 0.99), V.size());
}

// Four channels bound to four process values with full buffers of moving values.
void FillChannels(TVDXScope& Scope) {
  TModProcessData List;
  for (int N = 0; N < 4; ++N) {
    auto Cmd = std::make_unique<TModProcCommand>();
    Cmd->Name = "V" + std::to_string(N);
    List.Add(std::move(Cmd));
  }
  Scope.Model().SetProcessData(&List);
  Scope.SetTimeScalePerDiv(10000);
  Scope.SetDataSampleRate(25);
  for (int N = 1; N <= 4; ++N) Scope.Channel(N).SetSignal("V" + std::to_string(N - 1));
  for (int I = 0; I < 4001; ++I) {
    const TASCIIProcDataObj S1(I, (I * 7) % 200 - 100), S2(I, (I * 13) % 200 - 100),
        S3(I, (I % 50) * 4 - 100), S4(I, 100 - (I % 80) * 2);
    Scope.Model().AddSamples(&S1, &S2, &S3, &S4);
  }
}

}  // namespace

int main(int argc, char** argv) {
  int Frames = 200;
  for (int I = 1; I + 1 < argc; ++I)
    if (std::strcmp(argv[I], "--frames") == 0) Frames = std::max(1, std::atoi(argv[I + 1]));
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);

  QWidget Box;
  Box.resize(1000, 600);
  Box.show();
  TVDXScope Scope;
  Scope.SetDestPaintBox(&Box);
  FillChannels(Scope);

  std::vector<double> Compose;
  for (int I = 0; I < Frames; ++I) {
    const auto T0 = Clock::now();
    Scope.PaintThread().ComposeFrame();
    Compose.push_back(Ms(Clock::now() - T0));
  }

  // Frames back to back from the rendering thread; the hand-over is timed in the GUI thread.
  std::vector<double> HandOver, Paint;
  const auto FrameReady = Scope.PaintThread().OnFrame;
  Scope.PaintThread().OnFrame = [&] {
    const auto T0 = Clock::now();
    FrameReady();
    HandOver.push_back(Ms(Clock::now() - T0));
  };
  Scope.SetRefreshRate(0);
  Scope.SetEnabled(true);
  while (static_cast<int>(HandOver.size()) < Frames) {
    App.processEvents(QEventLoop::WaitForMoreEvents);
    const auto T0 = Clock::now();
    Box.repaint();
    Paint.push_back(Ms(Clock::now() - T0));
  }
  Scope.SetEnabled(false);

  std::printf("oscilloscope frames, 4 channels x 4001 points, 1000 x 600\n");
  Report("frame composition (render thread)", Compose);
  Report("frame hand-over (GUI thread)", HandOver);
  Report("paint box paint (GUI thread)", Paint);
  ReportFigure("scope frame 4 x 4001 points: composition median (ms)", "-",
               Percentile(Compose, 0.5));
  ReportFigure("scope frame: GUI thread hand-over median (ms)", "-", Percentile(HandOver, 0.5));
  ReportFigure("scope frame: paint box paint median (ms)", "-", Percentile(Paint, 0.5));
  return 0;
}
