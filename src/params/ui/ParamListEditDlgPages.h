// Pages "TextPara", "NumPara" and "AinPara" of the input dialog: each fills its controls from a
// command and writes the user's input back into it.
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace vdx {
class TModAinParaCmd;
class TModNumParaCmd;
class TModTextParaCmd;
}  // namespace vdx

namespace vdx::ui {

class TRadioGroup;

// A text parameter: one text of its value list.
class TTextParaPage : public QWidget {
 public:
  explicit TTextParaPage(QWidget* Parent = nullptr);
  void Load(const TModTextParaCmd& Cmd);
  // The selected text becomes the value; with none selected the value stays.
  void Store(TModTextParaCmd& Cmd) const;

  QComboBox* CBoxTextPara = nullptr;
};

// An integer parameter within Min .. Max; hundredths may be shown with two decimals.
class TNumParaPage : public QWidget {
 public:
  explicit TNumParaPage(QWidget* Parent = nullptr);
  void Load(const TModNumParaCmd& Cmd, bool ShowDecimals);
  // The text read by the number rule becomes the value; an unreadable text changes nothing.
  void Store(TModNumParaCmd& Cmd) const;

  QLineEdit* LENumPara = nullptr;
  QLabel* LabelMin = nullptr;
  QLabel* LabelMax = nullptr;
};

// An analogue input scaling Y = A / B * (X - C) with its input kind X and two presets.
class TAinParaPage : public QWidget {
 public:
  enum TPreset { psUserDefined = 0, ps0To10V = 1, ps4To20mA = 2 };

  explicit TAinParaPage(QWidget* Parent = nullptr);
  // UI: the input kinds are offered as "U"/"I" instead of "V"/"C".
  void Load(const TModAinParaCmd& Cmd, bool UI);
  // A, B and C read by the number rule (a field that cannot be read keeps its value); X is the
  // selected kind, unchanged when none is selected.
  void Store(TModAinParaCmd& Cmd) const;
  // Sets the fields of a preset and locks them; "user defined" unlocks them as they are.
  void ApplyPreset(int Preset);

  QLineEdit* LEditAinA = nullptr;
  QLineEdit* LEditAinB = nullptr;
  QLineEdit* LEditAinC = nullptr;
  QComboBox* CBoxAinX = nullptr;
  QLabel* VoltageLabel = nullptr;
  TRadioGroup* RGrpPresetting = nullptr;
};

}  // namespace vdx::ui
