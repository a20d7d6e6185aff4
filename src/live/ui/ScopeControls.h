// The oscilloscope's settings column: per channel a colour swatch, the signal selector and the
// two limit selectors; the time scale selector; the buttons "Start", "Stop" and
// "Save To File...". The main window runs the handlers behind them.
#pragma once

#include <QColor>
#include <QString>

class QComboBox;
class QFrame;
class QPushButton;
class QWidget;

namespace vdx::ui {

class TDropDownComboBox;

struct TScopeControls {
  QWidget* Column = nullptr;
  QFrame* ShapeCustChaCol[4] = {};
  TDropDownComboBox* CBChCustSignal[4] = {};
  TDropDownComboBox* CBChCustMin[4] = {};
  TDropDownComboBox* CBChCustMax[4] = {};
  QComboBox* CBCustTimeScale = nullptr;
  QPushButton* BtnStart = nullptr;
  QPushButton* BtnStop = nullptr;
  QPushButton* SaveToFileButton = nullptr;
};

// Builds the column (209 pixels wide) into Parent.
TScopeControls BuildScopeControls(QWidget* Parent);

// Fills a channel's colour swatch.
void SetSwatchColor(QFrame* Swatch, const QColor& Color);

}  // namespace vdx::ui
