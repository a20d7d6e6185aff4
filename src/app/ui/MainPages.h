// The main window's page set: four pages without tabs ("Parameter", "Monitor", "Scope",
// "Terminal") with their frames and group boxes, the parameter grid and the terminal editor.
// The components that drive them (grid, monitor, oscilloscope, terminal) bind to these
// widgets or take the places held by the placeholders.
#pragma once

#include <QFrame>
#include <QString>

class QPushButton;
class QStackedWidget;
class QTableWidget;
class QTextEdit;

namespace vdx::ui {

enum TMainPage { mpParameter = 0, mpMonitor = 1, mpScope = 2, mpTerminal = 3 };

// An empty, sunken area that keeps a view's place and size; it says what will be there.
class TPlaceholder : public QFrame {
 public:
  TPlaceholder(const QString& Name, const QString& Caption, QWidget* Parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  QString FCaption;
};

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
  TPlaceholder* RemoteCtrlPanel = nullptr;  // remote-control controls and status LEDs
  TPlaceholder* ScopeControls = nullptr;    // the oscilloscope's settings column
  TPlaceholder* PBoxScope = nullptr;        // the oscilloscope's paint box
  QTextEdit* VDXTermEditor = nullptr;       // the terminal editor
  TModuleCommandButtons Commands[2];        // [0] page "Parameter", [1] page "Terminal"
};

// Builds the page set into Parent.
TMainPages BuildMainPages(QWidget* Parent);

}  // namespace vdx::ui
