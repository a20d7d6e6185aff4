#include "live/ui/ScopeCursorDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vdx::ui {

TScopeCursorDlg::TScopeCursorDlg(QWidget* Parent) : QDialog(Parent) {
  setWindowTitle(QStringLiteral("Scope Cursor Settings"));
  setFixedSize(234, 183);
  QFont Font(QStringLiteral("Arial"));
  Font.setPixelSize(11);
  setFont(Font);

  auto* RGrpChaSelect = new QGroupBox(QStringLiteral("Channel select"), this);
  RGrpChaSelect->setObjectName(QStringLiteral("RGrpChaSelect"));
  auto* Radios = new QVBoxLayout(RGrpChaSelect);
  auto* Group = new QButtonGroup(this);
  for (int N = 0; N < 4; ++N) {
    FChannels[N] = new QRadioButton(QStringLiteral("Channel %1").arg(N + 1), RGrpChaSelect);
    Group->addButton(FChannels[N], N);
    Radios->addWidget(FChannels[N]);
  }
  auto* Adjustment = new QGroupBox(QStringLiteral("Adjustment"), this);
  auto* Checks = new QVBoxLayout(Adjustment);
  CBAmplitude = new QCheckBox(QStringLiteral("Amplitude"), Adjustment);
  CBTime = new QCheckBox(QStringLiteral("Time"), Adjustment);
  Checks->addWidget(CBAmplitude);
  Checks->addWidget(CBTime);
  Checks->addStretch();

  auto* Buttons = new QDialogButtonBox(this);
  Buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  Buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* Groups = new QHBoxLayout;
  Groups->addWidget(RGrpChaSelect);
  Groups->addWidget(Adjustment);
  auto* Layout = new QVBoxLayout(this);
  Layout->addLayout(Groups);
  Layout->addWidget(Buttons);
}

bool TScopeCursorDlg::EditCursorSettings(int& Channel, TCursors& Kinds) {
  CBAmplitude->setChecked(Kinds.Contains(ckAmplitude));
  CBTime->setChecked(Kinds.Contains(ckTime));
  if (Channel >= 1 && Channel <= 4) FChannels[Channel - 1]->setChecked(true);
  if (exec() != QDialog::Accepted) return false;
  for (int N = 0; N < 4; ++N)
    if (FChannels[N]->isChecked()) Channel = N + 1;
  Kinds = TCursors();
  if (CBAmplitude->isChecked() && CBTime->isChecked())
    Kinds = TCursors{ckAmplitude, ckTime};
  else if (CBAmplitude->isChecked())
    Kinds = TCursors{ckAmplitude};
  else if (CBTime->isChecked())
    Kinds = TCursors{ckTime};
  return true;
}

}  // namespace vdx::ui
