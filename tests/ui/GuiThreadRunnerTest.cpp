// Work handed from a worker thread to the GUI thread, and the release on shutdown.
#include <QCoreApplication>
#include <QtTest>

#include <atomic>
#include <thread>

#include "MainFormBench.h"
#include "app/ui/GuiThreadRunner.h"

using vdx::ui::TGuiThreadRunner;

class GuiThreadRunnerTest : public QObject {
  Q_OBJECT

 private slots:
  void workRunsInTheGuiThreadAndTheWorkerWaitsForIt() {
    TGuiThreadRunner Runner;
    std::atomic<bool> Returned{false};
    QThread* RanIn = nullptr;
    std::thread Worker([&] {
      Runner.Run([&] { RanIn = QThread::currentThread(); });
      Returned = true;
    });
    QTRY_VERIFY(Returned.load());  // processes events meanwhile
    Worker.join();
    QCOMPARE(RanIn, QCoreApplication::instance()->thread());
  }

  void closeReleasesAWaitingWorkerWithoutRunningItsWork() {
    TGuiThreadRunner Runner;
    std::atomic<bool> Ran{false}, Returned{false};
    std::thread Worker([&] {
      Runner.Run([&] { Ran = true; });
      Returned = true;
    });
    // The GUI thread does not process events: it closes, as a window does before it joins.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Runner.Close();
    Worker.join();
    QVERIFY(Returned.load());
    QCoreApplication::processEvents();  // the queued hand-over finds itself cancelled
    QVERIFY(!Ran.load());
    Runner.Run([&] { Ran = true; });  // in the GUI thread it still runs directly
    QVERIFY(Ran.load());
  }

  // The desktop tool's arrangement: on the monitor page the polling tick waits for the GUI
  // thread; closing the runner first lets the window join its timer thread without a hang.
  void windowShutsDownWhileATickWaitsForTheGuiThread() {
    TGuiThreadRunner Runner;
    vdx::SetMainThreadRunner(Runner.Runner());
    {
      vdx::testing::TBench B;
      B.Identify();
      B.Form->Actions().ShowMonitorAct->trigger();
      // The GUI thread is busy: the next tick is handed over and has to wait.
      std::this_thread::sleep_for(std::chrono::milliseconds(700));
      Runner.Close();
      vdx::SetMainThreadRunner({});
    }  // the window and its timer thread go here
    QVERIFY(true);
  }
};

QTEST_MAIN(GuiThreadRunnerTest)
#include "GuiThreadRunnerTest.moc"
