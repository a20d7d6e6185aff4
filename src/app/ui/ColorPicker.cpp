#include "app/ui/ColorPicker.h"

#include <QApplication>
#include <QColorDialog>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace vdx::ui {

namespace {

constexpr int kValueRole = Qt::UserRole + 1;

struct TNamedColor {
  TColor Color;
  const char* Name;
};

// The sixteen standard colours and the button face, in the usual order.
const TNamedColor kColors[] = {
    {MakeColor(0, 0, 0), "Black"},        {MakeColor(128, 0, 0), "Maroon"},
    {MakeColor(0, 128, 0), "Green"},      {MakeColor(128, 128, 0), "Olive"},
    {MakeColor(0, 0, 128), "Navy"},       {MakeColor(128, 0, 128), "Purple"},
    {MakeColor(0, 128, 128), "Teal"},     {MakeColor(128, 128, 128), "Gray"},
    {MakeColor(192, 192, 192), "Silver"}, {MakeColor(255, 0, 0), "Red"},
    {MakeColor(0, 255, 0), "Lime"},       {MakeColor(255, 255, 0), "Yellow"},
    {MakeColor(0, 0, 255), "Blue"},       {MakeColor(255, 0, 255), "Fuchsia"},
    {MakeColor(0, 255, 255), "Aqua"},     {MakeColor(255, 255, 255), "White"},
    {clBtnFace, "Button face"},
};

QIcon Swatch(const QColor& Color) {
  QPixmap Pixmap(14, 14);
  Pixmap.fill(Qt::transparent);
  QPainter P(&Pixmap);
  P.setPen(QColor(0x60, 0x60, 0x60));
  P.setBrush(Color);
  P.drawRect(0, 0, 13, 13);
  return QIcon(Pixmap);
}

}  // namespace

QColor ToQColor(TColor Color) {
  if (!IsSystemColor(Color)) return QColor(ColorRed(Color), ColorGreen(Color), ColorBlue(Color));
  const QPalette Palette = QApplication::palette();
  // The desktop colours the tool uses; others fall back to the window colour.
  switch (SystemColorIndex(Color)) {
    case 5:
      return Palette.color(QPalette::Base);
    case 8:
      return Palette.color(QPalette::Text);
    case 13:
      return Palette.color(QPalette::Highlight);
    case 15:
      return Palette.color(QPalette::Button);
    default:
      return Palette.color(QPalette::Window);
  }
}

TColor FromQColor(const QColor& Color) {
  return MakeColor(static_cast<uint8_t>(Color.red()), static_cast<uint8_t>(Color.green()),
                   static_cast<uint8_t>(Color.blue()));
}

TColorPicker::TColorPicker(QWidget* Parent) : QComboBox(Parent) {
  for (const auto& C : kColors) AddEntry(C.Color, QString::fromLatin1(C.Name));
  addItem(QStringLiteral("Custom..."));
  FCustomIndex = count() - 1;
  setMaxVisibleItems(count());
  connect(this, &QComboBox::activated, this, &TColorPicker::ItemActivated);
  SetColor(clBlack);
}

int TColorPicker::AddEntry(TColor Color, const QString& Name) {
  const int Index = FCustomIndex < 0 ? count() : FCustomIndex;
  insertItem(Index, Swatch(ToQColor(Color)), Name);
  setItemData(Index, static_cast<int>(Color), kValueRole);
  if (FCustomIndex >= 0) ++FCustomIndex;
  return Index;
}

int TColorPicker::IndexOf(TColor Color) const {
  for (int I = 0; I < count(); ++I)
    if (I != FCustomIndex && itemData(I, kValueRole).toInt() == Color) return I;
  return -1;
}

void TColorPicker::SetColor(TColor Color) {
  FColor = Color;
  int Index = IndexOf(Color);
  if (Index < 0) Index = AddEntry(Color, ToQColor(Color).name().toUpper());
  setCurrentIndex(Index);
}

void TColorPicker::ItemActivated(int Index) {
  if (Index != FCustomIndex) {
    FColor = itemData(Index, kValueRole).toInt();
    return;
  }
  const QColor Chosen = QColorDialog::getColor(ToQColor(FColor), this);
  SetColor(Chosen.isValid() ? FromQColor(Chosen) : FColor);
}

}  // namespace vdx::ui
