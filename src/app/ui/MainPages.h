// The main window's page set: four pages without tabs ("Parameter", "Monitor", "Scope",
// "Terminal") with their frames and group boxes, the parameter grid and the terminal editor.
// The components that drive them (grid, monitor, oscilloscope, terminal) bind to these
// widgets.
#pragma once

#include <QFrame>
#include <QString>

#include "live/ui/ScopeControls.h"

class QPushButton;
class QStackedWidget;
class QTableWidget;
class QTextEdit;

namespace vdx::ui {

class TRemoteCtrlPanel;

enum TMainPage { mpParameter = 0, mpMonitor = 1, mpScope = 2, mpTerminal = 3 };

// The buttons of the groups "Module Commands" and "Parameter Import / Export"; pages
// "Parameter" and "Terminal" carry one set each.
struct TModuleCommandButtons {
  QPushButton* BtnSave = nullptr;
  QPushButton* BtnDefault = nullptr;
  QPushButton* BtnLoadBack = nullptr;
  QPushButton* BBtnUpload = nullptr;
  QPushButton* BBtnDownload = nullptr;
};

struct TMainPages {
  QStackedWidget* NbMain = nullptr;
  QTableWidget* ParamGrid = nullptr;        // the parameter grid: "Command", "Parameter", "Help"
  QFrame* MonitorPanel = nullptr;           // the panel the monitor builds its display in
  TRemoteCtrlPanel* RemoteCtrlPanel = nullptr;  // remote-control controls and status LEDs
  TScopeControls ScopeControls;            // the oscilloscope's settings column
  QWidget* PBoxScope = nullptr;             // the oscilloscope's paint box
  QTextEdit* VDXTermEditor = nullptr;       // the terminal editor
  TModuleCommandButtons Commands[2];        // [0] page "Parameter", [1] page "Terminal"
};

// Builds the page set into Parent.
TMainPages BuildMainPages(QWidget* Parent);

}  // namespace vdx::ui
