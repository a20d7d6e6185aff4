// The dialog that chooses which cursor pairs the oscilloscope shows and which channel's scale
// the amplitude readings use.
#pragma once

#include <QDialog>

#include "live/ScopeCursors.h"

class QCheckBox;
class QRadioButton;

namespace vdx::ui {

class TScopeCursorDlg : public QDialog {
 public:
  explicit TScopeCursorDlg(QWidget* Parent = nullptr);
  // Shows Channel (1 ... 4) and Kinds; on OK takes the choice into them and returns true.
  bool EditCursorSettings(int& Channel, TCursors& Kinds);

  QRadioButton* ChannelButton(int N) const { return FChannels[N - 1]; }
  QCheckBox* CBAmplitude = nullptr;
  QCheckBox* CBTime = nullptr;

 private:
  QRadioButton* FChannels[4] = {};
};

}  // namespace vdx::ui
