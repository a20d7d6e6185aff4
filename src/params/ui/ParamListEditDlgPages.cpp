#include "params/ui/ParamListEditDlgPages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui/RadioGroup.h"
#include "comm/ModCommands.h"
#include "params/ui/ParamListEditDlgNumber.h"

namespace vdx::ui {

namespace {

QLabel* BoldLabel(const QString& Text, QWidget* Parent) {
  auto* Label = new QLabel(Text, Parent);
  QFont Font = Label->font();
  Font.setBold(true);
  Label->setFont(Font);
  return Label;
}

QLineEdit* NumberEdit(const QString& Name, QWidget* Parent) {
  auto* Edit = new QLineEdit(Parent);
  Edit->setObjectName(Name);
  Edit->setAlignment(Qt::AlignRight);
  Edit->setFixedWidth(110);
  return Edit;
}

}  // namespace

TTextParaPage::TTextParaPage(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("TextPara"));
  CBoxTextPara = new QComboBox(this);
  CBoxTextPara->setObjectName(QStringLiteral("CBoxTextPara"));
  CBoxTextPara->setMinimumWidth(200);
  auto* Layout = new QVBoxLayout(this);
  Layout->addWidget(BoldLabel(QStringLiteral("New Value"), this));
  Layout->addWidget(CBoxTextPara, 0, Qt::AlignLeft);
  Layout->addStretch();
}

void TTextParaPage::Load(const TModTextParaCmd& Cmd) {
  CBoxTextPara->clear();
  for (const std::string& Text : Cmd.VList) CBoxTextPara->addItem(QString::fromLatin1(Text));
  CBoxTextPara->setMaxVisibleItems(std::max(1, static_cast<int>(Cmd.VList.size())));
  // The value may carry another letter case than its list entry.
  CBoxTextPara->setCurrentIndex(
      Cmd.Txt.empty() ? -1
                      : CBoxTextPara->findText(QString::fromLatin1(Cmd.Txt), Qt::MatchFixedString));
}

void TTextParaPage::Store(TModTextParaCmd& Cmd) const {
  if (CBoxTextPara->currentIndex() < 0) return;
  Cmd.SetText(CBoxTextPara->currentText().toLatin1().toStdString());
}

TNumParaPage::TNumParaPage(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("NumPara"));
  LENumPara = NumberEdit(QStringLiteral("LENumPara"), this);
  LabelMin = new QLabel(this);
  LabelMin->setObjectName(QStringLiteral("LabelMin"));
  LabelMax = new QLabel(this);
  LabelMax->setObjectName(QStringLiteral("LabelMax"));
  auto* Layout = new QGridLayout(this);
  Layout->addWidget(BoldLabel(QStringLiteral("New Value"), this), 0, 0, 1, 2);
  Layout->addWidget(LENumPara, 1, 0, 1, 2, Qt::AlignLeft);
  Layout->addWidget(new QLabel(QStringLiteral("Min Value:"), this), 2, 0);
  Layout->addWidget(LabelMin, 2, 1);
  Layout->addWidget(new QLabel(QStringLiteral("Max Value:"), this), 3, 0);
  Layout->addWidget(LabelMax, 3, 1);
  Layout->setColumnStretch(1, 1);
  Layout->setRowStretch(4, 1);
}

void TNumParaPage::Load(const TModNumParaCmd& Cmd, bool ShowDecimals) {
  const bool Decimals = ShowDecimals && Cmd.IsHundredths();
  const auto Text = [Decimals](int32_t V) {
    return QString::fromLatin1(Decimals ? HundredthsText(V) : std::to_string(V));
  };
  LabelMin->setText(Text(Cmd.Min));
  LabelMax->setText(Text(Cmd.Max));
  LENumPara->setText(Text(Cmd.Val));
}

void TNumParaPage::Store(TModNumParaCmd& Cmd) const {
  ReadNumberText(LENumPara->text().toLatin1().toStdString(), Cmd.Val);
}

TAinParaPage::TAinParaPage(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("AinPara"));
  LEditAinA = NumberEdit(QStringLiteral("LEditAinA"), this);
  LEditAinB = NumberEdit(QStringLiteral("LEditAinB"), this);
  LEditAinC = NumberEdit(QStringLiteral("LEditAinC"), this);
  CBoxAinX = new QComboBox(this);
  CBoxAinX->setObjectName(QStringLiteral("CBoxAinX"));
  CBoxAinX->setFixedWidth(110);
  VoltageLabel = new QLabel(this);
  VoltageLabel->setObjectName(QStringLiteral("VoltageLabel"));
  auto* Equation = new QLabel(QStringLiteral("Y = A / B * (X - C)"), this);
  QFont Large(QStringLiteral("Arial"), 14);
  Large.setBold(true);
  Equation->setFont(Large);
  RGrpPresetting = new TRadioGroup(
      QStringLiteral("Presetting"),
      {QStringLiteral("user defined"), QStringLiteral("0 - 10V"), QStringLiteral("4 - 20mA")},
      this);
  RGrpPresetting->setObjectName(QStringLiteral("RGrpPresetting"));
  RGrpPresetting->OnClick = [this](int Index) { ApplyPreset(Index); };

  auto* Layout = new QGridLayout(this);
  const struct {
    const char* Name;
    QWidget* Field;
    const char* Unit;
  } Rows[] = {{"A", LEditAinA, "A / B"},
              {"B", LEditAinB, "A / B"},
              {"C", LEditAinC, "0,01%"},
              {"X", CBoxAinX, nullptr}};
  int Row = 0;
  for (const auto& R : Rows) {
    Layout->addWidget(BoldLabel(QString::fromLatin1(R.Name), this), Row, 0);
    Layout->addWidget(R.Field, Row, 1);
    Layout->addWidget(R.Unit ? new QLabel(QString::fromLatin1(R.Unit), this) : VoltageLabel, Row,
                      2);
    ++Row;
  }
  Layout->addWidget(Equation, Row++, 0, 1, 3, Qt::AlignCenter);
  Layout->addWidget(RGrpPresetting, Row++, 0, 1, 3);
  Layout->setColumnStretch(2, 1);
  Layout->setRowStretch(Row, 1);
}

void TAinParaPage::Load(const TModAinParaCmd& Cmd, bool UI) {
  RGrpPresetting->SetItemIndex(psUserDefined);
  ApplyPreset(psUserDefined);
  LEditAinA->setText(QString::number(Cmd.A));
  LEditAinB->setText(QString::number(Cmd.B));
  LEditAinC->setText(QString::number(Cmd.C));
  CBoxAinX->clear();
  if (UI) {
    CBoxAinX->addItems({QStringLiteral("U"), QStringLiteral("I")});
    VoltageLabel->setText(QStringLiteral("U (Voltage) or I (Current)"));
  } else {
    CBoxAinX->addItems({QStringLiteral("V"), QStringLiteral("C")});
    VoltageLabel->setText(QStringLiteral("V (Voltage) or C (Current)"));
  }
  CBoxAinX->setCurrentIndex(Cmd.X <= 1 ? Cmd.X : -1);
}

void TAinParaPage::Store(TModAinParaCmd& Cmd) const {
  ReadNumberText(LEditAinA->text().toLatin1().toStdString(), Cmd.A);
  ReadNumberText(LEditAinB->text().toLatin1().toStdString(), Cmd.B);
  ReadNumberText(LEditAinC->text().toLatin1().toStdString(), Cmd.C);
  if (CBoxAinX->currentIndex() >= 0) Cmd.X = static_cast<uint8_t>(CBoxAinX->currentIndex());
}

void TAinParaPage::ApplyPreset(int Preset) {
  const bool UserDefined = Preset == psUserDefined;
  if (Preset == ps0To10V || Preset == ps4To20mA) {
    const bool Current = Preset == ps4To20mA;
    LEditAinA->setText(QString::number(Current ? 1250 : 1000));
    LEditAinB->setText(QStringLiteral("1000"));
    LEditAinC->setText(QString::number(Current ? 2000 : 0));
    CBoxAinX->setCurrentIndex(Current ? 1 : 0);
  }
  for (QWidget* Field : {static_cast<QWidget*>(LEditAinA), static_cast<QWidget*>(LEditAinB),
                         static_cast<QWidget*>(LEditAinC), static_cast<QWidget*>(CBoxAinX)})
    Field->setEnabled(UserDefined);
}

}  // namespace vdx::ui
