// The main window on a private settings folder with a virtual module listed as a port, and
// the steps that drive it.
#pragma once

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QtTest>
#include <functional>
#include <memory>

#include "UiFixture.h"
#include "app/ui/GuiThreadRunner.h"
#include "app/ui/MainForm.h"

namespace vdx::testing {

// One test's world: settings folder, message answers, module and window, built in that order.
// Polling ticks are handed to the GUI thread as in the tool.
struct TBench {
  // BeforeStart runs with the settings folder in place, before the window exists.
  explicit TBench(sim::TSimOptions Options = {}, const std::function<void()>& BeforeStart = {})
      : Sim(std::move(Options)) {
    if (BeforeStart) BeforeStart();
    SetMainThreadRunner(Runner.Runner());
    Form = std::make_unique<ui::TVDXMainForm>();
    Form->show();
  }
  ~TBench() {
    Runner.Close();
    SetMainThreadRunner({});
    Form.reset();
  }

  void ChoosePort(const QString& Name) {
    QComboBox* Box = Form->Buttons().CBoxPortSel;
    if (Box->findText(Name) < 0) {  // a port added after the start: the list is read again
      Box->showPopup();
      Box->hidePopup();
    }
    const int Index = Box->findText(Name);
    Box->setCurrentIndex(Index);
    emit Box->activated(Index);
  }
  void Connect() {
    ChoosePort(Sim.ComName);
    Form->Actions().ConnectAct->trigger();
  }
  void Identify() {
    Connect();
    Form->Actions().IdentifyAct->trigger();
  }
  // The space bar as the user presses it: to the focused widget, else the window.
  void PressSpace() {
    QWidget* Target = QApplication::focusWidget() ? QApplication::focusWidget() : Form.get();
    QTest::keyClick(Target, Qt::Key_Space);
  }
  QStringList Panels() const {
    QStringList Texts;
    for (int I = ui::spPortState; I <= ui::spModuleId; ++I)
      Texts << Form->StatusText(static_cast<ui::TStatusPanel>(I));
    return Texts;
  }

  TPrivateSettings Settings;
  TMessageLog Messages;
  TSimPort Sim;
  ui::TGuiThreadRunner Runner;
  std::unique_ptr<ui::TVDXMainForm> Form;
};

}  // namespace vdx::testing
