#include "app/ui/ModulIdSelDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vdx::ui {

TModulIdSelDlg::TModulIdSelDlg(QWidget* Parent)
    : QDialog(Parent),
      FLBoxModulId(new QListWidget),
      FBtnOk(new QPushButton("OK")),
      FBtnCancel(new QPushButton("Cancel")) {
  setWindowTitle("Modul Selection");
  FLBoxModulId->setObjectName("LBoxModulId");
  FBtnOk->setObjectName("BtnOk");
  FBtnCancel->setObjectName("BtnCancel");
  FBtnOk->setDefault(true);

  auto* Group = new QGroupBox("Available Modul Data");
  auto* GroupLayout = new QVBoxLayout(Group);
  GroupLayout->addWidget(FLBoxModulId);
  auto* Buttons = new QHBoxLayout;
  Buttons->addStretch();
  Buttons->addWidget(FBtnOk);
  Buttons->addWidget(FBtnCancel);
  auto* Layout = new QVBoxLayout(this);
  Layout->addWidget(Group);
  Layout->addLayout(Buttons);
  setFixedSize(340, 280);

  connect(FBtnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(FBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(FLBoxModulId, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

void TModulIdSelDlg::SetIdList(const QStringList& IdList) {
  FLBoxModulId->clear();
  FLBoxModulId->addItems(IdList);
  FLBoxModulId->setCurrentRow(-1);
}

int TModulIdSelDlg::SelectedIndex() const {
  const QList<QListWidgetItem*> Selected = FLBoxModulId->selectedItems();
  return Selected.isEmpty() ? -1 : FLBoxModulId->row(Selected.first());
}

int TModulIdSelDlg::SelectModulId(const QStringList& IdList, QWidget* Parent) {
  if (IdList.isEmpty()) return -1;
  TModulIdSelDlg Dlg(Parent);
  Dlg.SetIdList(IdList);
  if (Dlg.exec() != QDialog::Accepted) return -1;
  return Dlg.SelectedIndex();
}

int TModulIdSelDlg::SelectModulId(const std::vector<std::string>& IdList, QWidget* Parent) {
  QStringList Ids;
  for (const std::string& Id : IdList)
    Ids << QString::fromLatin1(Id.data(), static_cast<qsizetype>(Id.size()));
  return SelectModulId(Ids, Parent);
}

// Centred on the desktop, also when a parent window is given for modality.
void TModulIdSelDlg::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  if (const QScreen* Screen = screen())
    move(Screen->availableGeometry().center() - rect().center());
}

}  // namespace vdx::ui
