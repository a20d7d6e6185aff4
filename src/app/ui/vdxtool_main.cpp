// vdxtool: the desktop start-up and service tool.
//   --demo            start a virtual module in this process and preselect its port
//   --port PATH       add a serial device (or pseudo-terminal) to the port list
//   --screenshot FILE after start-up (with --demo: after connecting and identifying) save the
//                     window as a PNG and quit
//   --page NAME       with --screenshot: show page "monitor", "scope" or "terminal" for two
//                     seconds first, so live values are on it
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <memory>

#include "app/ExecutableDir.h"
#include "app/ui/DemoModule.h"
#include "app/ui/GettextTranslator.h"
#include "app/ui/GuiThreadRunner.h"
#include "app/ui/MainForm.h"
#include "comm/ComPort.h"
#include "comm/SerialPortList.h"

namespace {

// High scheduling priority keeps the polling intervals; without the right to raise it the
// tool runs at normal priority.
void RaiseProcessPriority() { setpriority(PRIO_PROCESS, 0, -10); }

void SaveScreenshot(vdx::ui::TVDXMainForm& Form, const QString& FileName) {
  QApplication::processEvents();
  const bool Saved = Form.grab().save(FileName, "PNG");
  if (!Saved) std::fprintf(stderr, "vdxtool: cannot write %s\n", qPrintable(FileName));
  QApplication::exit(Saved ? 0 : 1);
}

void TakeScreenshot(vdx::ui::TVDXMainForm& Form, const QString& FileName, bool Identify,
                    const QString& Page) {
  if (Identify) {
    Form.Actions().ConnectAct->trigger();
    Form.Actions().IdentifyAct->trigger();
  }
  const auto& A = Form.Actions();
  QAction* Show = Page == QLatin1String("monitor")    ? A.ShowMonitorAct
                  : Page == QLatin1String("scope")    ? A.ShowScopeAct
                  : Page == QLatin1String("terminal") ? A.ShowTerminalAct
                                                      : nullptr;
  if (!Show) {
    SaveScreenshot(Form, FileName);
    return;
  }
  Show->trigger();
  QTimer::singleShot(2000, &Form, [&Form, FileName] { SaveScreenshot(Form, FileName); });
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  QApplication App(argc, argv);

  // Translations before any widget: the toolkit's texts and the port layer's messages.
  const std::string LocaleDir = vdx::ExecutableDir() + "/locale";
  vdx::ui::TGettextTranslator Translator(QString::fromStdString(LocaleDir));
  QApplication::installTranslator(&Translator);
  vdx::BindPortMessages(LocaleDir);
  RaiseProcessPriority();

  QCommandLineParser Parser;
  Parser.setApplicationDescription(QStringLiteral("Start-up and service tool"));
  Parser.addHelpOption();
  const QCommandLineOption DemoOption(QStringLiteral("demo"),
                                      QStringLiteral("Start a virtual module and use its port."));
  const QCommandLineOption PortOption(QStringLiteral("port"),
                                      QStringLiteral("Add a serial device to the port list."),
                                      QStringLiteral("PATH"));
  const QCommandLineOption ShotOption(QStringLiteral("screenshot"),
                                      QStringLiteral("Save the window as a PNG file and quit."),
                                      QStringLiteral("FILE"));
  const QCommandLineOption PageOption(
      QStringLiteral("page"), QStringLiteral("Page shown for the screenshot."), QStringLiteral("NAME"));
  Parser.addOptions({DemoOption, PortOption, ShotOption, PageOption});
  Parser.process(App);

  QString Preselect;
  for (const QString& Path : Parser.values(PortOption))
    Preselect = QString::fromStdString(vdx::AddTransientPort(Path.toStdString()));

  std::unique_ptr<vdx::ui::TDemoModule> Demo;
  if (Parser.isSet(DemoOption)) {
    Demo = std::make_unique<vdx::ui::TDemoModule>();
    std::string Error;
    if (!Demo->Start(Error)) {
      std::fprintf(stderr, "vdxtool: the virtual module cannot start: %s\n", Error.c_str());
      return 1;
    }
    Preselect = QString::fromStdString(Demo->PortName());
  }

  // The monitor's polling tick runs in the GUI thread, handed over by this runner.
  vdx::ui::TGuiThreadRunner GuiRunner;
  vdx::SetMainThreadRunner(GuiRunner.Runner());

  vdx::ui::TVDXMainForm Form;
  Form.show();
  if (!Preselect.isEmpty()) Form.PreselectPort(Preselect);

  if (Parser.isSet(ShotOption)) {
    const QString FileName = Parser.value(ShotOption);
    const bool Identify = Demo != nullptr;
    const QString Page = Parser.value(PageOption);
    QTimer::singleShot(0, &Form, [&Form, FileName, Identify, Page] {
      TakeScreenshot(Form, FileName, Identify, Page);
    });
  }
  const int Result = App.exec();
  // Release a tick waiting for the GUI thread before the window joins the timer thread.
  GuiRunner.Close();
  vdx::SetMainThreadRunner({});
  return Result;
}
