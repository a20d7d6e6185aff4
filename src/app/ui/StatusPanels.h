// The main window's status bar: seven panels of fixed width, each showing one text.
#pragma once

#include <QString>
#include <array>

class QLabel;
class QStatusBar;

namespace vdx::ui {

// What each panel shows.
enum TStatusPanel {
  spPortState = 0,  // "port open" / "port closed"
  spPortNo = 1,     // "Port: 3"
  spDuplex = 2,     // "FDX" / "HDX"
  spBaudrate = 3,   // "19.2 KBaud" while open
  spModuleId = 4,   // the module's ID text
  spAmplitude = 5,  // amplitude cursor readout of the oscilloscope
  spTime = 6,       // time cursor readout of the oscilloscope
};
constexpr int StatusPanelCount = 7;

class TStatusPanels {
 public:
  // Fills Bar with the panels; their labels are owned by the bar.
  explicit TStatusPanels(QStatusBar* Bar);

  void SetText(TStatusPanel Panel, const QString& Text);
  QString Text(TStatusPanel Panel) const;

 private:
  std::array<QLabel*, StatusPanelCount> FLabels{};
};

}  // namespace vdx::ui
