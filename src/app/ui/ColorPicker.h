// A drop-down of colours with swatches: the standard colours, the desktop's button face, and
// "Custom..." for any other colour. Values are colours as the settings file stores them.
#pragma once

#include <QColor>
#include <QComboBox>

#include "app/ToolColor.h"

namespace vdx::ui {

// The screen colour of a stored colour; system colours follow the desktop's palette.
QColor ToQColor(TColor Color);
TColor FromQColor(const QColor& Color);

class TColorPicker : public QComboBox {
 public:
  explicit TColorPicker(QWidget* Parent = nullptr);

  TColor Color() const { return FColor; }
  // Selects the entry of Color; a colour not listed gets an entry of its own.
  void SetColor(TColor Color);

 private:
  void ItemActivated(int Index);
  int IndexOf(TColor Color) const;
  int AddEntry(TColor Color, const QString& Name);

  TColor FColor = clBlack;
  int FCustomIndex = -1;
};

}  // namespace vdx::ui
