#include "live/ui/RemoteCtrlPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui/ErrorGuard.h"
#include "app/ui/MessageService.h"
#include "comm/IntegerText.h"
#include "comm/ModCommProt.h"
#include "live/ui/LabeledEdit.h"
#include "live/ui/NamedLed.h"
#include "live/ui/TrackBar.h"

namespace vdx::ui {

namespace {

// The track bar's range when the selected input's range is not known.
constexpr int kDefaultMax = 10000;

void SetRangeLabels(QLabel* Min, QLabel* Max, int MinValue, int MaxValue) {
  Min->setText(QString::number(MinValue));
  Max->setText(QString::number(MaxValue));
}

// Keys that only move or delete inside an edit: they never reach it as typed characters.
bool IsEditingKey(int Key) {
  switch (Key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
      return true;
    default:
      return false;
  }
}

bool ReadNumber(const QString& Text, int32_t& Value) {
  return TryStrToInt(Text.toStdString(), Value);
}

}  // namespace

TRemoteCtrlPanel::TRemoteCtrlPanel(QWidget* Parent)
    : QWidget(Parent),
      FCBoxRemoteCtrlEnable(new QCheckBox(QStringLiteral("Enable Remote Control"), this)) {
  setObjectName(QStringLiteral("RemoteCtrlPanel"));
  FCBoxRemoteCtrlEnable->setObjectName(QStringLiteral("CBoxRemoteCtrlEnable"));
  connect(FCBoxRemoteCtrlEnable, &QCheckBox::clicked, this,
          [this] { RunGuarded([this] { CBoxRemoteCtrlEnableClick(); }); });

  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(FCBoxRemoteCtrlEnable);
  Layout->addWidget(BuildAnalogInputs());
  Layout->addWidget(BuildDigitalInputs());
  Layout->addWidget(BuildStatusInfo(), 1);

  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget* Old, QWidget* Now) { FocusChanged(Old, Now); });
}

QGroupBox* TRemoteCtrlPanel::BuildAnalogInputs() {
  FGBoxAnaInputs = new QGroupBox(QStringLiteral("Analogue Inputs"), this);
  FGBoxAnaInputs->setObjectName(QStringLiteral("GBoxAnaInputs"));
  FGBoxAnaInputs->setFixedHeight(143);
  static const char* const kCaptions[] = {"Pin 9/10", "Pin 6", "Pin 13", "Pin 14", "Pin 29"};
  for (int I = 0; I < 5; ++I) {
    auto* Edit = new TLabeledEdit(QString::fromLatin1(kCaptions[I]), FGBoxAnaInputs);
    Edit->setObjectName(QStringLiteral("LEditPinX%1").arg(I));
    Edit->setText(QStringLiteral("0"));
    Edit->Place(QRect(10 + I * 87, 42, 76, 22));
    Edit->installEventFilter(this);
    SetSelectedLook(Edit, false);
    FAnalogInputEdits[I] = Edit;
  }
  FTBarAnaInputs = new TTrackBar(FGBoxAnaInputs);
  FTBarAnaInputs->setObjectName(QStringLiteral("TBarAnaInputs"));
  FTBarAnaInputs->setRange(0, kDefaultMax);
  FTBarAnaInputs->setGeometry(8, 72, 433, 32);
  FTBarAnaInputs->setEnabled(false);
  connect(FTBarAnaInputs, &QSlider::valueChanged, this,
          [this] { RunGuarded([this] { TBarAnaInputsChange(); }); });
  FLabelTBarMin = new QLabel(QStringLiteral("-100"), FGBoxAnaInputs);
  FLabelTBarMin->setObjectName(QStringLiteral("LabelTBarMin"));
  FLabelTBarMin->setGeometry(8, 106, 120, 16);
  FLabelTBarMax = new QLabel(QStringLiteral("10"), FGBoxAnaInputs);
  FLabelTBarMax->setObjectName(QStringLiteral("LabelTBarMax"));
  FLabelTBarMax->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FLabelTBarMax->setGeometry(441 - 120, 106, 120, 16);
  return FGBoxAnaInputs;
}

QGroupBox* TRemoteCtrlPanel::BuildDigitalInputs() {
  auto* Group = new QGroupBox(QStringLiteral("Digital Inputs / Outputs"), this);
  Group->setObjectName(QStringLiteral("GBoxDigitalIO"));
  Group->setFixedHeight(136);
  static const char* const kCaptions[] = {
      "Pin 8 (Enable)", "Pin7 (START / RUN)",      "Pin 5", "Pin 6 (Enable B for PLX)", "Pin 13",
      "Pin 14",         "Pin 15 (Enable for PLX)", "free"};
  auto* Grid = new QGridLayout(Group);
  for (int B = 0; B < 8; ++B) {
    auto* Box = new QCheckBox(QString::fromLatin1(kCaptions[B]), Group);
    Box->setObjectName(QStringLiteral("CBDInp%1").arg(B));
    Box->setProperty("Tag", B);
    connect(Box, &QCheckBox::clicked, this,
            [this, Box] { RunGuarded([this, Box] { CBoxDigitalIOClick(Box); }); });
    Grid->addWidget(Box, B % 4, B / 4);
    FDigitalInputBoxes[B] = Box;
  }
  return Group;
}

QGroupBox* TRemoteCtrlPanel::BuildStatusInfo() {
  auto* Group = new QGroupBox(QStringLiteral("Status Info"), this);
  Group->setObjectName(QStringLiteral("GBoxStatusInfo"));
  Group->setMinimumHeight(8 * 31 + 24);
  for (int I = 0; I < 16; ++I) {
    auto* Led = new TNamedLed(Group);
    Led->setObjectName(QStringLiteral("SILed%1").arg(I));
    Led->SetLedText(QStringLiteral("SILed%1").arg(I));
    Led->SetState(lsOff);
    Led->SetColor(lcRed);
    Led->setGeometry(I < 8 ? 12 : 232, 22 + (I % 8) * 31, 150, TNamedLed::kLampSize + 2);
    FStatusLeds[I] = Led;
  }
  return Group;
}

void TRemoteCtrlPanel::VDXMonitorStatusInfoStrucInit(const TModStatusInfoData& StatusStruc) {
  for (TNamedLed* Led : FStatusLeds) {
    Led->hide();
    Led->setToolTip(QString());
    Led->SetColor(lcRed);
  }
  for (int I = 0; I < std::min(StatusStruc.Count(), 16); ++I) {
    const TModStatusBitCommand* Cmd = StatusStruc.Items(I);
    if (!Cmd) continue;
    TNamedLed* Led = FStatusLeds[I];
    std::string Name;
    Cmd->GetDisplayName(Name);
    Led->show();
    Led->SetLedText(QString::fromLatin1(Name));
    Led->setToolTip(QString::fromLatin1(Cmd->BitHint));
    Led->SetColor(StatusBitLampColor(Cmd->BColor));
  }
}

void TRemoteCtrlPanel::VDXMonitorNewStatusInfo(uint16_t Status) {
  for (int I = 0; I < 16; ++I) {
    const TLedState State = (Status >> I) & 1 ? lsOn : lsOff;
    if (FStatusLeds[I]->State() != State) FStatusLeds[I]->SetState(State);
  }
}

void TRemoteCtrlPanel::VDXModProtDigitalInputStateInfo(uint8_t State) {
  for (int B = 0; B < 8; ++B) FDigitalInputBoxes[B]->setChecked((State >> B) & 1);
}

void TRemoteCtrlPanel::CBoxDigitalIOClick(QCheckBox* Box) {
  if (!FModProt) return;
  const int Bit = Box->property("Tag").toInt();
  uint8_t State = 0;
  if (FModProt->ReadDigitalInputs(State)) {
    if (Box->isChecked())
      State |= static_cast<uint8_t>(1u << Bit);
    else
      State &= static_cast<uint8_t>(~(1u << Bit));
  }
  if (FModProt->SetDigitalInputs(State)) VDXModProtDigitalInputStateInfo(State);
}

void TRemoteCtrlPanel::CBoxRemoteCtrlEnableClick() {
  const bool Enable = FCBoxRemoteCtrlEnable->isChecked();
  const QString Question = QStringLiteral("Attention! You will") +
                           (Enable ? QStringLiteral(" enable ") : QStringLiteral(" disable ")) +
                           QStringLiteral(
                               "remote control!!!\r"
                               "After that all analogue and digital input values will "
                               "be changed!!!\r"
                               "Are you really sure that you want to continue?");
  if (ShowMessage(TMessageKind::Warning, Question, TMessageButtons::YesNo) != QMessageBox::Yes) {
    FCBoxRemoteCtrlEnable->setChecked(!Enable);
    return;
  }
  if (!FModProt) return;
  FModProt->SetRemoteCtrlEnabled(Enable);
  FCBoxRemoteCtrlEnable->setChecked(FModProt->RemoteCtrlEnabled());
  if (FCBoxRemoteCtrlEnable->isChecked()) {
    uint8_t AllOff = 0;
    FModProt->SetDigitalInputs(AllOff);
  }
  RefreshRemoteControl();
}

void TRemoteCtrlPanel::RefreshRemoteControl() {
  if (!FModProt || !FModProt->PingModule()) return;
  FCBoxRemoteCtrlEnable->setChecked(FModProt->RemoteCtrlEnabled());
  FCBoxRemoteCtrlEnable->setEnabled(FModProt->RemoteCtrlSupported());
  FTBarAnaInputs->setEnabled(false);
  const bool Enabled = FModProt->RemoteCtrlEnabled();
  if (FModProt->RemoteCtrlSupported()) {
    for (TLabeledEdit* Edit : FAnalogInputEdits) {
      if (Edit->isHidden()) break;
      Edit->setEnabled(Enabled);
      int32_t Value = 0;
      if (FModProt->ReadRemoteCtrlValue(Edit->Tag(), Value)) Edit->setText(QString::number(Value));
    }
  }
  for (QCheckBox* Box : FDigitalInputBoxes) Box->setEnabled(FModProt->RemoteCtrlEnabled());
  if (!FCBoxRemoteCtrlEnable->isChecked()) {
    FLabelTBarMin->clear();
    FLabelTBarMax->clear();
  }
}

void TRemoteCtrlPanel::PrepareAnalogInputs() {
  // A new module's inputs replace the old ones: an edit still selected is let go unsent.
  if (FSelectedInput) {
    SetSelectedLook(FSelectedInput, false);
    FSelectedInput = nullptr;
    FTBarAnaInputs->setEnabled(false);
  }
  for (TLabeledEdit* Edit : FAnalogInputEdits) {
    Edit->hide();
    Edit->EditLabel()->setText(QStringLiteral("Pin"));
    Edit->SetTag(0);
  }
  if (!FModProt) return;
  const TModRemoteCtrlCommandList& Inputs = FModProt->RemoteCtrlList();
  if (Inputs.Count() > 5) return;
  for (int I = 0; I < Inputs.Count(); ++I) {
    const TModRemoteCtrlCmd* Cmd = Inputs.Items(I);
    if (!Cmd) continue;
    TLabeledEdit* Edit = FAnalogInputEdits[I];
    Edit->show();
    Edit->SetTag(Cmd->PinCode());
    Edit->EditLabel()->setText(QString::fromLatin1(Cmd->PinName()));
    Edit->setText(QString::number(Cmd->Val));
  }
}

void TRemoteCtrlPanel::SetSelectedLook(TLabeledEdit* Edit, bool Selected) {
  Edit->setStyleSheet(Selected ? QStringLiteral("QLineEdit { color: red; background: rgb(192, 192, "
                                                "192); border: 1px solid palette(dark); }")
                               : QStringLiteral("QLineEdit { color: palette(window-text); "
                                                "background: palette(window); border: none; }"));
  QFont Caption = Edit->EditLabel()->font();
  Caption.setBold(Selected);
  Edit->EditLabel()->setFont(Caption);
  Edit->update();
}

void TRemoteCtrlPanel::CommitSelectedInput() {
  TLabeledEdit* Edit = FSelectedInput;
  if (!Edit) return;
  int32_t Value = 0;
  if (ReadNumber(Edit->text(), Value)) {
    // The track bar spans the input's range, so its limits are the input's limits.
    Value = std::clamp<int32_t>(Value, FTBarAnaInputs->minimum(), FTBarAnaInputs->maximum());
    Edit->setText(QString::number(Value));
    FTBarAnaInputs->setValue(Value);
  } else {
    Edit->setText(QString::number(FTBarAnaInputs->value()));
  }
  SetSelectedLook(Edit, false);
  FSelectedInput = nullptr;
}

void TRemoteCtrlPanel::SelectInput(TLabeledEdit* Edit) {
  if (FSelectedInput && FSelectedInput != Edit) {
    CommitSelectedInput();
    FTBarAnaInputs->setEnabled(false);
  }
  int32_t Min = 0, Max = kDefaultMax;
  const bool Known = FModProt && FModProt->RemoteCtrlList().GetPinRange(Edit->Tag(), Min, Max);
  if (!Known) {
    Min = 0;
    Max = kDefaultMax;
  }
  FTBarAnaInputs->setRange(Min, Max);
  SetRangeLabels(FLabelTBarMin, FLabelTBarMax, Min, Max);
  std::vector<int> Ticks;
  for (int K = 1; K <= 9; ++K) Ticks.push_back(Min + K * ((Max - Min) / 10));
  FTBarAnaInputs->SetTicks(std::move(Ticks));

  FSelectedInput = Edit;
  SetSelectedLook(Edit, true);
  FTBarAnaInputs->setEnabled(true);
  int32_t Value = 0;
  if (!ReadNumber(Edit->text(), Value)) Value = 0;
  FTBarAnaInputs->setValue(Value);
}

void TRemoteCtrlPanel::LEditAnaInputsDlbClick(TLabeledEdit* Edit) { SelectInput(Edit); }

void TRemoteCtrlPanel::TBarAnaInputsChange() {
  if (!FSelectedInput) return;
  int32_t Value = FTBarAnaInputs->value();
  FSelectedInput->setText(QString::number(Value));
  if (FModProt && FModProt->SetAnalogInput(FSelectedInput->Tag(), Value))
    FSelectedInput->setText(QString::number(Value));
}

void TRemoteCtrlPanel::GBoxAnaInputsExit() {
  if (FSelectedInput) CommitSelectedInput();
  FTBarAnaInputs->setEnabled(false);
  FLabelTBarMin->clear();
  FLabelTBarMax->clear();
}

void TRemoteCtrlPanel::FocusChanged(QWidget* Old, QWidget* Now) {
  const bool WasInside = Old && FGBoxAnaInputs->isAncestorOf(Old);
  const bool IsInside = Now && FGBoxAnaInputs->isAncestorOf(Now);
  if (WasInside && !IsInside) RunGuarded([this] { GBoxAnaInputsExit(); });
}

bool TRemoteCtrlPanel::AnaInputKey(TLabeledEdit* Edit, QKeyEvent* Key) {
  const bool Enter = Key->key() == Qt::Key_Return || Key->key() == Qt::Key_Enter;
  if (Edit != FSelectedInput) {
    if (Enter) {
      SelectInput(Edit);
      return true;
    }
    // No edit selected: no key works in any of them. Otherwise typed characters are
    // refused while moving and deleting keys pass.
    return !FSelectedInput || !IsEditingKey(Key->key());
  }
  if (Enter) {
    FTBarAnaInputs->setEnabled(false);
    CommitSelectedInput();
    return true;
  }
  if (IsEditingKey(Key->key()) || Key->key() == Qt::Key_Backspace) return false;
  const QString Text = Key->text();
  if (Text.size() != 1 || (Key->modifiers() & Qt::ControlModifier)) return true;
  if (Text[0].isDigit()) return false;
  if (Text[0] == QLatin1Char('-')) return FTBarAnaInputs->minimum() >= 0;
  return true;
}

bool TRemoteCtrlPanel::eventFilter(QObject* Watched, QEvent* Event) {
  auto* Edit = dynamic_cast<TLabeledEdit*>(Watched);
  if (Edit && Event->type() == QEvent::KeyPress) {
    bool Discard = true;
    RunGuarded([&] { Discard = AnaInputKey(Edit, static_cast<QKeyEvent*>(Event)); });
    return Discard;
  }
  if (Edit && Event->type() == QEvent::MouseButtonDblClick) {
    RunGuarded([&] { LEditAnaInputsDlbClick(Edit); });
    return true;
  }
  return QWidget::eventFilter(Watched, Event);
}

}  // namespace vdx::ui
