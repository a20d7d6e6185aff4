// The oscilloscope page against the virtual module: signals chosen in the selectors, Start,
// traces in the channel colours, copy to the clipboard and the printout to a PDF file; the
// cursors dragged over the paint box with their status bar readouts.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPrinter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "MainFormBench.h"
#include "app/ui/ColorPicker.h"
#include "app/ui/DropDownComboBox.h"
#include "live/ScopeChannels.h"
#include "live/ui/ScopeCursorDlg.h"
#include "live/ui/VDXScope.h"

using namespace vdx;
using namespace vdx::testing;
using namespace vdx::ui;

namespace {

// Pixels of Color strictly inside the grid of Image (the labels lie outside it).
int PixelsInGrid(const QImage& Image, const QColor& Color) {
  const TScopeGrid G(Image.width(), Image.height());
  int Count = 0;
  for (int Y = G.y0 + 1; Y < G.y0 + 10 * G.rh; ++Y)
    for (int X = G.x0 + 1; X < G.x0 + 10 * G.cw; ++X)
      if (Image.pixelColor(X, Y) == Color) ++Count;
  return Count;
}

// Whether Text on the first page shows in black, and is not covered by something printed later.
bool TextShows(QPdfDocument& Doc, const QString& Text) {
  const int At = Doc.getAllText(0).text().indexOf(Text);
  if (At < 0) return false;
  constexpr double Zoom = 2;  // 144 dpi
  const QRect Box = QTransform::fromScale(Zoom, Zoom)
                        .mapRect(Doc.getSelectionAtIndex(0, At, Text.size()).boundingRectangle())
                        .toRect();
  const QImage Page = Doc.render(0, (Doc.pagePointSize(0) * Zoom).toSize());
  for (int Y = Box.top(); Y <= Box.bottom(); ++Y)
    for (int X = Box.left(); X <= Box.right(); ++X)
      if (Page.valid(X, Y) && qGray(Page.pixel(X, Y)) < 80) return true;
  return false;
}

void SendMouse(QWidget* W, QEvent::Type Type, QPoint Pos, Qt::MouseButton Button,
               Qt::MouseButtons Buttons, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
  QMouseEvent Event(Type, Pos, W->mapToGlobal(Pos), Button, Buttons, Mods);
  QApplication::sendEvent(W, &Event);
}

}  // namespace

class ScopeTest : public QObject {
  Q_OBJECT

 private:
  // Identifies the module and shows page "Scope".
  static void OpenScope(TBench& B) {
    B.Identify();
    B.Form->Actions().ShowScopeAct->trigger();
    QCOMPARE(B.Form->CurrentPage(), mpScope);
  }
  // Picks the Item-th entry of channel N's signal list as the user does; returns its text.
  static QString ChooseSignal(TBench& B, int N, int Item) {
    TDropDownComboBox* Box = B.Form->Pages().ScopeControls.CBChCustSignal[N - 1];
    Box->showPopup();
    Box->hidePopup();
    Box->setCurrentIndex(Item);
    emit Box->activated(Item);
    return Box->currentText();
  }

 private slots:
  void samplesCopiesAndPrints() {
    TBench B;
    OpenScope(B);
    TVDXScope& Scope = B.Form->Scope();
    QCOMPARE(Scope.Model().DataSampleRate(),
             uint32_t(ScopeSamplingIntervalMs(B.Form->ModProt().BaudRate(),
                                              B.Form->ModProt().TransferMode())));
    const QString First = ChooseSignal(B, 1, 1);
    const QString Second = ChooseSignal(B, 2, 1);
    QVERIFY(First != QLatin1String("---"));
    // The value on channel 1 is not offered again on channel 2.
    QVERIFY(Second != First && Second != QLatin1String("---"));
    QCOMPARE(Scope.Channel(1).Signal(), First.toStdString());

    const TScopeControls& C = B.Form->Pages().ScopeControls;
    QTest::mouseClick(C.BtnStart, Qt::LeftButton);
    QVERIFY(!C.BtnStart->isEnabled() && C.BtnStop->isEnabled());
    QVERIFY(Scope.RunScope());

    const QColor Blue = ToQColor(Scope.Channel(1).Color());
    const QColor Red = ToQColor(Scope.Channel(2).Color());
    QImage Bitmap;
    QTRY_VERIFY_WITH_TIMEOUT(Scope.CopyToBitmap(Bitmap) && PixelsInGrid(Bitmap, Blue) > 20 &&
                                 PixelsInGrid(Bitmap, Red) > 20,
                             10000);

    B.Form->CopyScopeDisplayItem()->trigger();
    const QImage Copied = QApplication::clipboard()->image();
    QCOMPARE(Copied.size(), B.Form->Pages().PBoxScope->size());
    QVERIFY(PixelsInGrid(Copied, Blue) > 20 && PixelsInGrid(Copied, Red) > 20);

    QTemporaryDir Dir;
    const QString Pdf = Dir.filePath(QStringLiteral("scope.pdf"));
    {
      QPrinter Printer(QPrinter::HighResolution);
      Printer.setOutputFormat(QPrinter::PdfFormat);
      Printer.setOutputFileName(Pdf);
      B.Form->PrintScopeDisplay(Printer);
    }
    QPdfDocument Doc;
    QCOMPARE(Doc.load(Pdf), QPdfDocument::Error::None);
    QCOMPARE(Doc.pageCount(), 1);
    const QString Text = Doc.getAllText(0).text().simplified();
    QVERIFY2(Text.contains(QStringLiteral("Oszilloskop Display at:")), qPrintable(Text));
    QVERIFY(Text.contains(QStringLiteral("Module: ") +
                          QString::fromLatin1(B.Form->ModProt().ModuleId())));
    QVERIFY(TextShows(Doc, QStringLiteral("Module: ")));
    QVERIFY(Text.contains(QStringLiteral("Time base: 1000 ms / DIV")));
    QVERIFY(Text.contains(QStringLiteral("Cha.1: ") + First +
                          QStringLiteral(" Vertical range from: -100 to 100")));
    QVERIFY(Text.contains(QStringLiteral("Cha.2: ") + Second));
    QVERIFY(!Text.contains(QStringLiteral("Cha.3:")));

    QTest::mouseClick(C.BtnStop, Qt::LeftButton);
    QVERIFY(!Scope.RunScope() && C.BtnStart->isEnabled());
    // Leaving the page stops the sampling.
    B.Form->Actions().ShowParamlistAct->trigger();
    QVERIFY(!B.Form->ModProt().ScopeSampling());
  }

  void spaceBarResumesStoppedSampling() {
    TBench B;
    OpenScope(B);
    ChooseSignal(B, 1, 1);
    QTest::mouseClick(B.Form->Pages().ScopeControls.BtnStart, Qt::LeftButton);
    TVDXModCommProt& Prot = B.Form->ModProt();
    QVERIFY(Prot.ScopeSampling());
    B.Sim.Module.SetFault(sim::TSimFault::Silence);
    QTRY_VERIFY_WITH_TIMEOUT(Prot.PollingStopped() == 2 && !Prot.ScopeSampling(), 10000);
    B.Sim.Module.SetFault(sim::TSimFault::None);
    B.PressSpace();
    QVERIFY(Prot.ScopeSampling());
    QVERIFY(B.Messages.Texts().isEmpty());
  }

  void cursorsDragAndReadOut() {
    TBench B;
    OpenScope(B);
    QWidget* Box = B.Form->Pages().PBoxScope;
    TVDXScope& Scope = B.Form->Scope();
    QTimer::singleShot(0, [&B] {
      TScopeCursorDlg& Dlg = B.Form->ScopeCursorDlg();
      Dlg.CBAmplitude->setChecked(true);
      Dlg.CBTime->setChecked(true);
      Dlg.accept();
    });
    B.Form->ScopeCursorItem()->trigger();
    QVERIFY(Scope.CursorEnable() == (TCursors{ckAmplitude, ckTime}));

    const TScopeGrid G(Box->width(), Box->height());
    const int Bottom = G.y0 + 10 * G.rh, Right = G.x0 + 10 * G.cw;
    // Amplitude cursor 1 (row 200) to the top grid line, time cursor 1 (column 200) to the
    // right grid edge.
    SendMouse(Box, QEvent::MouseButtonPress, {400, 203}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(Box, QEvent::MouseMove, {400, G.y0}, Qt::NoButton, Qt::LeftButton);
    SendMouse(Box, QEvent::MouseButtonRelease, {400, G.y0}, Qt::LeftButton, Qt::NoButton);
    SendMouse(Box, QEvent::MouseButtonPress, {198, 20}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(Box, QEvent::MouseMove, {Right, 20}, Qt::NoButton, Qt::LeftButton);
    SendMouse(Box, QEvent::MouseButtonRelease, {Right, 20}, Qt::LeftButton, Qt::NoButton);
    // With the right button or Ctrl held nothing moves.
    SendMouse(Box, QEvent::MouseButtonPress, {400, 300}, Qt::RightButton, Qt::RightButton);
    SendMouse(Box, QEvent::MouseMove, {400, Bottom}, Qt::NoButton, Qt::RightButton);
    SendMouse(Box, QEvent::MouseButtonRelease, {400, Bottom}, Qt::RightButton, Qt::NoButton);
    SendMouse(Box, QEvent::MouseButtonPress, {400, 300}, Qt::LeftButton, Qt::LeftButton,
              Qt::ControlModifier);
    SendMouse(Box, QEvent::MouseMove, {400, Bottom}, Qt::NoButton, Qt::LeftButton,
              Qt::ControlModifier);
    SendMouse(Box, QEvent::MouseButtonRelease, {400, Bottom}, Qt::LeftButton, Qt::NoButton);

    QCOMPARE(Scope.Cursors().FAmpCursor1.PosY, G.y0);
    QCOMPARE(Scope.Cursors().FAmpCursor2.PosY, 300);
    QCOMPARE(Scope.Cursors().FTimeCursor1.PosX, Right);
    TCursorInfo Info;
    Scope.GetCursorInfo(Info);
    QCOMPARE(B.Form->StatusText(spAmplitude),
             QString::fromStdString(AmplitudeReadingText(1, Info)));
    QVERIFY(
        B.Form->StatusText(spAmplitude).startsWith(QStringLiteral("Cha. 1   y1: 100.00   y2: ")));
    QVERIFY(B.Form->StatusText(spTime).startsWith(QStringLiteral("Cha. 1   t1: 0 ms   t2: ")));

    // The copy carries the four cursor lines.
    QImage Bitmap;
    QVERIFY(Scope.CopyToBitmap(Bitmap));
    QCOMPARE(Bitmap.pixelColor(Right, 5), QColor(Qt::black));
    QCOMPARE(Bitmap.pixelColor(3, 300), QColor(Qt::black));

    // Cancel keeps the settings; leaving the page empties the readouts.
    QTimer::singleShot(0, [&B] { B.Form->ScopeCursorDlg().reject(); });
    B.Form->ScopeCursorItem()->trigger();
    QVERIFY(Scope.CursorEnable() == (TCursors{ckAmplitude, ckTime}));
    B.Form->Actions().ShowParamlistAct->trigger();
    QVERIFY(B.Form->StatusText(spAmplitude).isEmpty() && B.Form->StatusText(spTime).isEmpty());
  }
};

QTEST_MAIN(ScopeTest)
#include "ScopeTest.moc"
