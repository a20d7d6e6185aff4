#include "live/ui/ScopePaintThread.h"

#include <QPainter>
#include <QRect>
#include <algorithm>

#include "app/ui/ColorPicker.h"
#include "live/ScopeModel.h"

namespace vdx::ui {

namespace {

// Fills R, clipped to the image, with an opaque colour; the surface holds 32-bit pixels.
void FillOpaque(QImage& Image, QRect R, QRgb Color) {
  R = R.intersected(Image.rect());
  if (R.isEmpty()) return;
  const qsizetype Stride = Image.bytesPerLine();
  uchar* Row = Image.bits() + R.top() * Stride + R.left() * qsizetype{sizeof(QRgb)};
  for (int Y = R.top(); Y <= R.bottom(); ++Y, Row += Stride)
    std::fill_n(reinterpret_cast<QRgb*>(Row), R.width(), Color);
}

}  // namespace

TScopePaintThread::TScopePaintThread(TVDXScopeModel& Model) : FModel(Model) {}

TScopePaintThread::~TScopePaintThread() {
  {
    std::lock_guard Lock(FStopLock);
    FStopEvent = true;
  }
  FStopSignal.notify_all();
  // A frame waiting for its hand-over is released without being shown.
  FRunner.Close();
  Stop();
}

void TScopePaintThread::SetSize(int W, int H) {
  std::lock_guard Lock(FLock);
  if (W == FWidth && H == FHeight) return;
  FWidth = W;
  FHeight = H;
  if (!FBackSurface.isNull()) FBackSurface = QImage(FWidth, FHeight, QImage::Format_RGB32);
  if (FTarget) *FTarget = QImage(FWidth, FHeight, QImage::Format_RGB32);
  DrawBackground();
}

void TScopePaintThread::SetFrameSurface(QImage* Surface) {
  std::lock_guard Lock(FLock);
  FTarget = Surface;
  *FTarget = QImage(FWidth, FHeight, QImage::Format_RGB32);
  FBackSurface = QImage(FWidth, FHeight, QImage::Format_RGB32);
  DrawBackground();
  *FTarget = FBackSurface.copy();
}

void TScopePaintThread::SetGridColor(TColor Color) {
  std::lock_guard Lock(FLock);
  if (Color == FGridColor) return;
  FGridColor = Color;
  DrawBackground();
}

void TScopePaintThread::SetDisplayColor(TColor Color) {
  std::lock_guard Lock(FLock);
  if (Color == FDisplayColor) return;
  FDisplayColor = Color;
  DrawBackground();
}

void TScopePaintThread::SetLineWidth(TSignalLineWidthKind Kind) {
  std::lock_guard Lock(FLock);
  if (Kind == FLineWidth) return;
  FLineWidth = Kind;
  DrawBackground();
}

void TScopePaintThread::SettingsChanged() {
  std::lock_guard Lock(FLock);
  DrawBackground();
}

void TScopePaintThread::PostEnable(bool Enable) {
  PostMessage(Enable ? EnableOnMessage : EnableOffMessage);
}

void TScopePaintThread::RequestRepaint() { PostMessage(RepaintMessage); }

void TScopePaintThread::DrawBackground() {
  if (FBackSurface.isNull()) return;
  const TScopeGrid G(FWidth, FHeight);
  const int Right = G.x0 + 10 * G.cw, Bottom = G.y0 + 10 * G.rh;
  QPainter P(&FBackSurface);
  P.fillRect(0, 0, FWidth, FHeight, ToQColor(FDisplayColor));
  QPen Solid(ToQColor(FGridColor), 1, Qt::SolidLine);
  QPen Dotted(ToQColor(FGridColor), 1, Qt::DotLine);
  QFont Font(QStringLiteral("Arial"));
  Font.setPixelSize(12);
  P.setFont(Font);
  const int TextH = P.fontMetrics().height();

  TScopeChannel Channels[4];
  for (int N = 0; N < 4; ++N) Channels[N] = FModel.ChannelState(N);
  for (int I = 1; I <= 11; ++I) {
    const int Y = G.y0 + (I - 1) * G.rh;
    P.setPen(I == 1 || I == 11 ? Solid : Dotted);
    P.drawLine(G.x0, Y, Right, Y);
    int K = 0;
    for (const TScopeChannel& C : Channels) {
      if (C.SourceIndex < 0) continue;
      ++K;
      const QString Label = QString::number(
          static_cast<int64_t>(11 - I) * static_cast<int64_t>(C.YScale) - C.YOffset);
      P.setPen(ToQColor(C.LineColor));
      const int Top = Y - 10;
      switch (K) {
        case 1:
          P.drawText(QRect(0, Top, G.x0 - 5, TextH), Qt::AlignRight | Qt::AlignTop, Label);
          break;
        case 2:
          P.drawText(QRect(0, Top, G.x0 - 40, TextH), Qt::AlignRight | Qt::AlignTop, Label);
          break;
        case 3:
          P.drawText(QRect(Right + 5, Top, FWidth, TextH), Qt::AlignLeft | Qt::AlignTop, Label);
          break;
        default:
          P.drawText(QRect(Right + 40, Top, FWidth, TextH), Qt::AlignLeft | Qt::AlignTop, Label);
          break;
      }
    }
  }
  const double TimePerDiv = static_cast<uint16_t>(FModel.TimeScalePerDiv());
  for (int I = 1; I <= 11; ++I) {
    const int X = G.x0 + (I - 1) * G.cw;
    P.setPen(I == 1 || I == 11 ? Solid : Dotted);
    P.drawLine(X, G.y0, X, Bottom);
    P.setPen(Qt::black);
    P.drawText(QRect(X - 16, Bottom + 5, 80, TextH), Qt::AlignLeft | Qt::AlignTop,
               QString::asprintf("%1.1f s", -(11 - I) * TimePerDiv / 1000));
  }
}

void TScopePaintThread::ComposeFrame() {
  std::lock_guard Lock(FLock);
  if (!FTarget || FBackSurface.isNull()) return;
  const std::vector<TScopeTrace> Traces = FModel.BuildTraces(FWidth, FHeight);
  *FTarget = FBackSurface;
  static constexpr int kWidths[] = {1, 2, 4};
  const int W = kWidths[FLineWidth];
  for (const TScopeTrace& T : Traces) {
    if (Terminated()) break;
    const QRgb Color = ToQColor(T.LineColor).rgb();
    // Each column's run as a rectangle of the pen's width, written straight into the pixels:
    // a frame holds thousands of short runs, and a painter's per-shape cost would dominate.
    for (const TScopeRun& R : ColumnRuns(T.Points))
      FillOpaque(*FTarget, QRect(R.X - W / 2, R.Top - W / 2, W, R.Bottom - R.Top + W), Color);
  }
}

bool TScopePaintThread::TakeMessage(int Msg) {
  if (Msg == EnableOnMessage || Msg == EnableOffMessage) FRunning = Msg == EnableOnMessage;
  return Msg == RepaintMessage;
}

void TScopePaintThread::Execute() {
  while (!Terminated()) {
    int Msg = 0;
    if (!WaitMessage(Msg) || Msg == QuitMessage) return;
    TakeMessage(Msg);
    do {
      ComposeFrame();
      if (Terminated()) return;
      if (OnFrame) FRunner.Run(OnFrame);
      bool Skip = false;
      if (WaitMessage(Msg, 0)) {
        if (Msg == QuitMessage) return;
        Skip = TakeMessage(Msg);
      }
      if (!Skip) {
        std::unique_lock Lock(FStopLock);
        if (FStopSignal.wait_for(Lock, std::chrono::milliseconds(FRefreshRate.load()),
                                 [this] { return FStopEvent; }))
          FRunning = false;
      }
    } while (!Terminated() && FRunning);
  }
}

}  // namespace vdx::ui
