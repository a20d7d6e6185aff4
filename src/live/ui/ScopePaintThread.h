// The oscilloscope's rendering thread: keeps the grid and its labels ready on a background
// surface, composes each frame (background plus the bound channels' traces) on the frame
// surface under its lock, and hands the finished frame to the GUI thread, waiting until it
// has been taken.
#pragma once

#include <QImage>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "app/ToolColor.h"
#include "app/ui/GuiThreadRunner.h"
#include "comm/BaseThread.h"

namespace vdx {
class TVDXScopeModel;
}

namespace vdx::ui {

// Trace pen width: 1, 2 or 4 pixels.
enum TSignalLineWidthKind { swSmall = 0, swMedium = 1, swFat = 2 };

class TScopePaintThread : public TBaseThread {
 public:
  // Create it in the GUI thread; it starts suspended.
  explicit TScopePaintThread(TVDXScopeModel& Model);
  ~TScopePaintThread() override;

  // Size of the trace area; a change redraws the background.
  void SetSize(int W, int H);
  // Under the lock: Surface becomes the frame surface, resized to the trace area, with a new
  // background surface of the same size.
  void SetFrameSurface(QImage* Surface);
  void SetGridColor(TColor Color);
  void SetDisplayColor(TColor Color);
  void SetLineWidth(TSignalLineWidthKind Kind);
  // Redraws the background after the time base or a channel's scale, colour or binding changed.
  void SettingsChanged();
  void SetRefreshRate(int Ms) { FRefreshRate = Ms; }

  // Periodic frames on (true) or off after one more frame (false).
  void PostEnable(bool Enable);
  // One frame soon.
  void RequestRepaint();
  bool Running() const { return FRunning.load(); }

  // Composes one frame on the frame surface, under the lock.
  void ComposeFrame();

  // Runs in the GUI thread after each frame, while this thread waits.
  std::function<void()> OnFrame;

 protected:
  void Execute() override;

 private:
  enum { EnableOnMessage = 0x401, EnableOffMessage, RepaintMessage };
  void DrawBackground();  // with the lock held
  // Applies an enable request; true for a repaint request.
  bool TakeMessage(int Msg);

  TVDXScopeModel& FModel;
  std::mutex FLock;  // guards the surfaces, the size, the colours and the line width
  QImage FBackSurface;
  QImage* FTarget = nullptr;
  int FWidth = 1200, FHeight = 1200;
  TColor FGridColor = clBlue;
  TColor FDisplayColor = clBtnFace;
  TSignalLineWidthKind FLineWidth = swSmall;
  std::atomic<bool> FRunning{false};
  std::atomic<int> FRefreshRate{250};

  // Set only when the thread goes; ends a refresh pause at once.
  std::mutex FStopLock;
  std::condition_variable FStopSignal;
  bool FStopEvent = false;

  TGuiThreadRunner FRunner;
};

}  // namespace vdx::ui
