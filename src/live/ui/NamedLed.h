// A labelled status lamp: a round lamp picture (red, blue, yellow or green; lit or dark) with a
// text to its right. Clicking the lamp or the text raises OnClick.
#pragma once

#include <QFrame>
#include <QPixmap>
#include <cstdint>
#include <functional>

class QLabel;

namespace vdx::ui {

enum TLedState { lsOn = 0, lsOff = 1 };
enum TLedColor { lcRed = 0, lcBlue = 1, lcYellow = 2, lcGreen = 3 };

// The lamp colour of a module status bit's colour code: 2 green, 3 yellow, any other red.
TLedColor StatusBitLampColor(uint8_t Code);

class TNamedLed : public QFrame {
 public:
  static constexpr int kLampSize = 23;

  explicit TNamedLed(QWidget* Parent = nullptr);

  QString LedText() const;
  void SetLedText(const QString& Text);
  TLedState State() const { return FState; }
  // Values other than lsOn and lsOff are ignored.
  void SetState(int Value);
  TLedColor Color() const { return FColor; }
  // Values outside the four colours are ignored.
  void SetColor(int Value);

  std::function<void(TNamedLed& Sender)> OnClick;

  // The lamp picture of a colour and state, drawn once and kept.
  static QPixmap LampPicture(TLedColor Color, TLedState State);

 protected:
  void resizeEvent(QResizeEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;

 private:
  void ShowLamp();

  QLabel* FImage;
  QLabel* FLabel;
  TLedState FState = lsOff;
  TLedColor FColor = lcRed;
};

}  // namespace vdx::ui
