// The oscilloscope component: wraps the oscilloscope model, draws through its rendering thread
// into a paint box, and runs the measuring cursors on that paint box.
#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "live/ScopeModel.h"
#include "live/ui/ScopePaintThread.h"

namespace vdx::ui {

class TVDXScope : public QObject {
 public:
  explicit TVDXScope(QObject* Parent = nullptr);
  ~TVDXScope() override;

  // The protocol component's scope view and the channel settings.
  TVDXScopeModel& Model() { return FModel; }
  TVDXSCopeChaSettings& Channel(int N) { return FModel.Channel(N); }

  // The widget drawn into; its paint, resize and mouse events are taken over.
  QWidget* DestPaintBox() const { return FPaintBox; }
  void SetDestPaintBox(QWidget* Box);

  TColor GridColor() const { return FGridColor; }
  void SetGridColor(TColor Color);
  TColor DisplayColor() const { return FDisplayColor; }
  void SetDisplayColor(TColor Color);
  int16_t TimeScalePerDiv() const { return FModel.TimeScalePerDiv(); }
  void SetTimeScalePerDiv(int16_t Ms);
  void SetRefreshRate(int Ms) { FPaintThread->SetRefreshRate(Ms); }
  void SetDataSampleRate(uint32_t Ms) { FModel.SetDataSampleRate(Ms); }
  bool Enabled() const { return FModel.Enabled(); }
  void SetEnabled(bool Value) { FModel.SetEnabled(Value); }
  bool RunScope() const { return FModel.RunScope(); }
  void SetRunScope(bool Value) { FModel.SetRunScope(Value); }
  TSignalLineWidthKind SignalLineWidth() const { return FLineWidth; }
  void SetSignalLineWidth(TSignalLineWidthKind Kind);
  TCursors CursorEnable() const { return FModel.CursorEnable(); }
  void SetCursorEnable(TCursors Value);
  int CursorChannel() const { return FModel.CursorChannel(); }
  void SetCursorChannel(int Value) { FModel.SetCursorChannel(Value); }
  TScopeCusors& Cursors() { return FModel.Cursors(); }

  // The cursor readings on the paint box (without one: -1 and 0).
  void GetCursorInfo(TCursorInfo& Info) const;
  // The frame last shown with the shown cursor lines; false without a paint box.
  bool CopyToBitmap(QImage& Bitmap) const;
  // Frames handed over to the GUI thread so far.
  int FramesShown() const { return FFramesShown; }
  TScopePaintThread& PaintThread() { return *FPaintThread; }

  // A cursor was dragged.
  std::function<void(TVDXScope& Sender, const TCursorInfo& Info)> OnCursorPosChanged;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void FrameReady();
  void DrawCursors(QPainter& P, QSize Size) const;
  void PaintBoxPaint();
  void PaintBoxResized();
  bool PaintBoxMouse(QEvent* Event);

  TVDXScopeModel FModel;
  std::unique_ptr<TScopePaintThread> FPaintThread;
  QPointer<QWidget> FPaintBox;
  QImage FFrameSurface;  // composed by the rendering thread under its lock
  QImage FShownFrame;    // the frame last handed over, what the paint box shows
  TColor FGridColor = clBlue;
  TColor FDisplayColor = clBtnFace;
  TSignalLineWidthKind FLineWidth = swSmall;
  TScopeCursor* FDragCursor = nullptr;
  QPoint FMousePos;
  int FFramesShown = 0;
};

}  // namespace vdx::ui
