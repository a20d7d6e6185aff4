// The rendering thread's frame loop seen from the GUI thread: frames while enabled, exactly one
// more after the disable request, one frame for a settings change while off; the grid and the
// traces on the frame.
#include <QtTest>

#include "app/ui/ColorPicker.h"
#include "comm/ProcessSamples.h"
#include "live/ui/VDXScope.h"

using namespace vdx;
using namespace vdx::ui;

class ScopeFramesTest : public QObject {
  Q_OBJECT

 private:
  struct TRig {
    TRig() {
      Box.resize(1000, 600);
      Box.show();
      Scope.SetRefreshRate(400);
      Scope.SetDestPaintBox(&Box);
    }
    QWidget Box;
    TVDXScope Scope;
  };
  // Waits for the next frame, then long enough that the thread sits in its pause.
  static void SettleAfterFrame(TRig& R) {
    const int Before = R.Scope.FramesShown();
    QTRY_VERIFY(R.Scope.FramesShown() > Before);
    QTest::qWait(100);
  }

 private slots:
  void disableYieldsExactlyOneMoreFrame() {
    TRig R;
    R.Scope.SetEnabled(true);
    SettleAfterFrame(R);
    const int Shown = R.Scope.FramesShown();
    R.Scope.SetEnabled(false);
    QTest::qWait(1200);
    QCOMPARE(R.Scope.FramesShown(), Shown + 1);
  }

  void settingChangeWhileOffYieldsOneFrame() {
    TRig R;
    QTest::qWait(300);
    const int Shown = R.Scope.FramesShown();
    R.Scope.Channel(1).SetYScalePerDiv(20);  // unchanged: nothing
    QTest::qWait(300);
    QCOMPARE(R.Scope.FramesShown(), Shown);
    R.Scope.Channel(1).SetYScalePerDiv(10);
    QTest::qWait(1200);
    QCOMPARE(R.Scope.FramesShown(), Shown + 1);
  }

  void traceOnTheGrid() {
    TRig R;
    TModProcessData List;
    auto Cmd = std::make_unique<TModProcCommand>();
    Cmd->Name = "ValueA";
    List.Add(std::move(Cmd));
    R.Scope.Model().SetProcessData(&List);
    R.Scope.Channel(1).SetSignal("ValueA");
    R.Scope.SetRunScope(true);
    // A value far above the top line lies on it (y0 = 50), from the right edge leftwards.
    for (int I = 0; I < 20; ++I) {
      const TASCIIProcDataObj Sample(I, 100000);
      R.Scope.Model().AddScopeSamples(&Sample, nullptr, nullptr, nullptr);
    }
    R.Scope.Channel(1).SetYScalePerDiv(30);  // a settings change while off draws one frame
    QImage Frame;
    const QColor Blue = ToQColor(R.Scope.Channel(1).Color());
    QTRY_VERIFY(R.Scope.CopyToBitmap(Frame) && Frame.pixelColor(925, 50) == Blue);
    QCOMPARE(Frame.pixelColor(925, 49), ToQColor(clBtnFace));
    QCOMPARE(Frame.pixelColor(700, 310), ToQColor(clBtnFace));
    QVERIFY(Frame.pixelColor(70, 300) == ToQColor(clBlue));  // left grid border
  }
};

QTEST_MAIN(ScopeFramesTest)
#include "ScopeFramesTest.moc"
