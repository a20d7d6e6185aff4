// "Modul Selection": lets the user pick one module ID from a list, e.g. the modules of a
// command list file when the identified module is not among them.
#pragma once

#include <QDialog>
#include <QStringList>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace vdx::ui {

class TModulIdSelDlg : public QDialog {
 public:
  explicit TModulIdSelDlg(QWidget* Parent = nullptr);

  // Replaces the entries; none is selected afterwards.
  void SetIdList(const QStringList& IdList);
  // Row of the selected entry; -1 when none is selected.
  int SelectedIndex() const;

  // Shows the dialog with IdList and returns the index chosen with OK. -1 when the list is
  // empty (the dialog is then not shown), when nothing is selected or when it is cancelled.
  static int SelectModulId(const QStringList& IdList, QWidget* Parent = nullptr);
  // The same for 8-bit module texts (ISO-8859-1).
  static int SelectModulId(const std::vector<std::string>& IdList, QWidget* Parent = nullptr);

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  QListWidget* FLBoxModulId;
  QPushButton* FBtnOk;
  QPushButton* FBtnCancel;
};

}  // namespace vdx::ui
