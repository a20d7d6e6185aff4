#include "app/ui/ApplOptionsDlg.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vdx::ui {

TApplOptionsDlgForm::TApplOptionsDlgForm(QWidget* Parent)
    : QDialog(Parent), FChkLBox(new QListWidget) {
  setWindowTitle("Options");
  setFont(QFont("Arial", 8));
  FChkLBox->setObjectName("ChkLBox");
  auto* Ok = new QPushButton("OK");
  auto* Cancel = new QPushButton("Cancel");
  Ok->setObjectName("BtnOk");
  Cancel->setObjectName("BtnCancel");
  Ok->setDefault(true);

  auto* Buttons = new QHBoxLayout;
  Buttons->addStretch();
  Buttons->addWidget(Ok);
  Buttons->addWidget(Cancel);
  auto* Layout = new QVBoxLayout(this);
  Layout->addWidget(FChkLBox);
  Layout->addLayout(Buttons);
  setFixedSize(260, 240);

  connect(Ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TApplOptionsDlgForm::SetEntries(const QStringList& Names, const std::vector<bool>& Checked) {
  FChkLBox->clear();
  for (qsizetype I = 0; I < Names.size(); ++I) {
    auto* Item = new QListWidgetItem(Names[I], FChkLBox);
    Item->setFlags(Item->flags() | Qt::ItemIsUserCheckable);
    const bool On = static_cast<size_t>(I) < Checked.size() && Checked[I];
    Item->setCheckState(On ? Qt::Checked : Qt::Unchecked);
  }
}

bool TApplOptionsDlgForm::IsChecked(int Index) const {
  const QListWidgetItem* Item = FChkLBox->item(Index);
  return Item && Item->checkState() == Qt::Checked;
}

}  // namespace vdx::ui
