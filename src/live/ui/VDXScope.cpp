#include "live/ui/VDXScope.h"

#include <QMouseEvent>
#include <QPainter>

namespace vdx::ui {

TVDXScope::TVDXScope(QObject* Parent) : QObject(Parent) {
  FPaintThread = std::make_unique<TScopePaintThread>(FModel);
  FPaintThread->OnFrame = [this] { FrameReady(); };
  FModel.OnEnabledChanged = [this](TVDXScopeModel&, bool Enabled) {
    FPaintThread->PostEnable(Enabled);
  };
  FModel.OnChannelChanged = [this](TVDXScopeModel&, int) {
    FPaintThread->SettingsChanged();
    // While no frames run, one frame shows the change at once.
    if (!FPaintThread->Running()) FPaintThread->RequestRepaint();
  };
  FModel.Cursors().FTimeCursor1.PosX = 200;
  FModel.Cursors().FAmpCursor1.PosY = 200;
  FModel.Cursors().FTimeCursor2.PosX = 300;
  FModel.Cursors().FAmpCursor2.PosY = 300;
  FPaintThread->Start();
}

TVDXScope::~TVDXScope() {
  if (FPaintBox) FPaintBox->removeEventFilter(this);
  FPaintThread.reset();
}

void TVDXScope::SetDestPaintBox(QWidget* Box) {
  if (FPaintBox) FPaintBox->removeEventFilter(this);
  FPaintBox = Box;
  if (!Box) return;
  Box->installEventFilter(this);
  Box->setAttribute(Qt::WA_OpaquePaintEvent);
  FPaintThread->SetSize(Box->width(), Box->height());
  FPaintThread->SetFrameSurface(&FFrameSurface);
  FShownFrame = FFrameSurface.copy();
}

void TVDXScope::SetGridColor(TColor Color) {
  FGridColor = Color;
  FPaintThread->SetGridColor(Color);
}

void TVDXScope::SetDisplayColor(TColor Color) {
  FDisplayColor = Color;
  FPaintThread->SetDisplayColor(Color);
}

void TVDXScope::SetSignalLineWidth(TSignalLineWidthKind Kind) {
  FLineWidth = Kind;
  FPaintThread->SetLineWidth(Kind);
}

void TVDXScope::SetTimeScalePerDiv(int16_t Ms) {
  FModel.SetTimeScalePerDiv(Ms);
  FPaintThread->SettingsChanged();
}

void TVDXScope::SetCursorEnable(TCursors Value) {
  FModel.SetCursorEnable(Value);
  if (FPaintBox) FPaintBox->update();
}

void TVDXScope::GetCursorInfo(TCursorInfo& Info) const {
  std::optional<std::pair<int, int>> Size;
  if (FPaintBox) Size = std::make_pair(FPaintBox->width(), FPaintBox->height());
  FModel.GetCursorInfo(Size, Info);
}

void TVDXScope::FrameReady() {
  // The rendering thread waits while this runs, so the frame surface holds still. Every
  // composed frame is shown, also the one a settings change asked for while frames are off.
  if (!FPaintBox) return;
  FShownFrame = FFrameSurface;
  ++FFramesShown;
  FPaintBox->update();
}

void TVDXScope::DrawCursors(QPainter& P, QSize Size) const {
  P.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  const TScopeCusors& C = FModel.Cursors();
  if (CursorEnable().Contains(ckAmplitude))
    for (const TScopeCursor* A : {&C.FAmpCursor1, &C.FAmpCursor2})
      P.drawLine(0, A->PosY, Size.width(), A->PosY);
  if (CursorEnable().Contains(ckTime))
    for (const TScopeCursor* T : {&C.FTimeCursor1, &C.FTimeCursor2})
      P.drawLine(T->PosX, 0, T->PosX, Size.height());
}

bool TVDXScope::CopyToBitmap(QImage& Bitmap) const {
  if (!FPaintBox) return false;
  Bitmap = FShownFrame.copy();
  if (Bitmap.isNull()) return false;
  QPainter P(&Bitmap);
  DrawCursors(P, Bitmap.size());
  return true;
}

void TVDXScope::PaintBoxResized() {
  FPaintThread->SetSize(FPaintBox->width(), FPaintBox->height());
  FPaintThread->SetFrameSurface(&FFrameSurface);
  FShownFrame = FFrameSurface.copy();
  if (!FPaintThread->Running()) FPaintThread->RequestRepaint();
}

void TVDXScope::PaintBoxPaint() {
  if (FShownFrame.size() != FPaintBox->size()) PaintBoxResized();
  QPainter P(FPaintBox);
  P.drawImage(0, 0, FShownFrame);
  DrawCursors(P, FPaintBox->size());
}

bool TVDXScope::PaintBoxMouse(QEvent* Event) {
  auto* Mouse = static_cast<QMouseEvent*>(Event);
  const QPoint Pos = Mouse->position().toPoint();
  const bool LeftOnly = Mouse->buttons() == Qt::LeftButton && Mouse->modifiers() == Qt::NoModifier;
  switch (Event->type()) {
    case QEvent::MouseButtonPress:
      if (Mouse->button() == Qt::LeftButton && LeftOnly) {
        FDragCursor = FModel.Cursors().HitTest(Pos.x(), Pos.y());
        FMousePos = Pos;
      }
      return false;
    case QEvent::MouseMove:
      if (LeftOnly && FDragCursor) {
        FDragCursor->PosY = Pos.y();
        FDragCursor->PosX = Pos.x();
        FMousePos = Pos;
        FPaintBox->update();
        if (OnCursorPosChanged) {
          TCursorInfo Info;
          GetCursorInfo(Info);
          OnCursorPosChanged(*this, Info);
        }
      }
      return false;
    default:  // button released
      FDragCursor = nullptr;
      return false;
  }
}

bool TVDXScope::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched != FPaintBox) return QObject::eventFilter(Watched, Event);
  switch (Event->type()) {
    case QEvent::Paint:
      PaintBoxPaint();
      return true;
    case QEvent::Resize:
      PaintBoxResized();
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
      return PaintBoxMouse(Event);
    default:
      return QObject::eventFilter(Watched, Event);
  }
}

}  // namespace vdx::ui
