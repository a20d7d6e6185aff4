// "Compare with File": every parameter of the module beside the value a file holds for it, with
// its state, differences first. The user ticks rows and "Write selected" writes exactly those
// file values into the module (offline: into the command lists), then the comparison is made
// again.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "params/ParameterComparison.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace vdx::ui {

class TCompareDlg : public QDialog {
 public:
  // Columns of the table.
  enum TColumn { ccName, ccModule, ccFile, ccState, ccWhere, ccCount };

  // File stays loaded while the dialog lives; Prot's lists are the module side.
  TCompareDlg(TVDXModCommProt& Prot, const TCompareFile& File, const TCompareOptions& Options,
              QWidget* Parent = nullptr);

  // Compares again and refills the table; ticks are cleared.
  void Refresh();
  const TParameterComparison& Comparison() const { return FComparison; }
  // Names of the ticked rows, in table order.
  std::vector<std::string> TickedNames() const;
  // Ticks or clears the row of parameter Name; false when it has no tickable row.
  bool SetTicked(const std::string& Name, bool Ticked);

 private:
  void FillGrid();
  void ApplyFilter();
  void UpdateButtons();
  void BtnWriteSelectedClick();

  TVDXModCommProt& FProt;
  const TCompareFile& FFile;
  TCompareOptions FOptions;
  TParameterComparison FComparison;

  QLabel* FLblSource;
  QLabel* FLblSummary;
  QCheckBox* FCBDifferencesOnly;
  QTableWidget* FGridCompare;
  QPushButton* FBtnWriteSelected;
  QPushButton* FBtnClose;
};

}  // namespace vdx::ui
