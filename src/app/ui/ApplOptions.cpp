#include "app/ui/ApplOptions.h"

#include "app/ui/ApplOptionsDlg.h"

namespace vdx::ui {

TApplOptions::TApplOptions(QWidget* Owner) : FOwner(Owner) {}

int TApplOptions::AddOption(const QString& Name, bool Enabled) {
  FOptions.push_back({Name, Enabled, FNextId++});
  return static_cast<int>(FOptions.size()) - 1;
}

void TApplOptions::SetOptions(const std::vector<TOptionItem>& Options) {
  FOptions.clear();
  for (const TOptionItem& Item : Options) AddOption(Item.Name, Item.Enabled);
}

bool TApplOptions::IsEnabled(const QString& Name) const {
  for (const TOptionItem& Item : FOptions)
    if (Item.Name == Name) return Item.Enabled;
  return false;
}

bool TApplOptions::EditOptions() {
  TApplOptionsDlgForm Dlg(FOwner);
  QStringList Names;
  std::vector<bool> Checked;
  for (const TOptionItem& Item : FOptions) {
    Names << Item.Name;
    Checked.push_back(Item.Enabled);
  }
  Dlg.SetEntries(Names, Checked);
  if (Dlg.exec() != QDialog::Accepted) return false;
  // A handler may change the list; stop at its current end.
  for (size_t I = 0; I < FOptions.size() && I < Checked.size(); ++I) {
    const bool On = Dlg.IsChecked(static_cast<int>(I));
    if (On == FOptions[I].Enabled) continue;
    FOptions[I].Enabled = On;
    const TOptionItem Changed = FOptions[I];
    if (OnOptionStateChanged)
      OnOptionStateChanged(*this, Changed.Name, static_cast<int>(I), Changed.Id);
  }
  return true;
}

}  // namespace vdx::ui
