// The monitor's display form: one row per shown process value, each a selector naming the
// value and a large-print panel with its name, value, unit and help text. Embedded in the main
// window's monitor panel, or a dialog of its own when it has no parent.
#pragma once

#include <QWidget>
#include <vector>

class QPushButton;
class QStackedWidget;

namespace vdx {
class TModProcessData;
class TModProcCommand;
}  // namespace vdx

namespace vdx::ui {

class TDropDownComboBox;
class TVDXMonitorInfoPanel;

// How many rows the monitor builds: four, a chosen count, or one per process value.
enum TVisibleParamKind { vpDefault = 0, vpCustom = 1, vpMax = 2 };

class TMonitorForm : public QWidget {
 public:
  static constexpr int kSelectorWidth = 100;
  static constexpr int kPanelWidth = 340;
  static constexpr int kRowGap = 20;
  static constexpr int kTopMargin = 25;
  static constexpr int kSideGap = 25;

  explicit TMonitorForm(QWidget* Parent = nullptr);

  // Rebuilds the rows for List (a copy the monitor owns; none: no rows).
  void BuildRows(const TModProcessData* List, TVisibleParamKind Kind, int Count);
  // Rewrites the panels of the rows that show a process value.
  void RefreshRows();
  // Rows that fit into the row area's height.
  int RowsThatFit() const;
  static int RowsThatFit(int Height);

  int RowCount() const { return static_cast<int>(FComboBoxes.size()); }
  TDropDownComboBox* RowSelector(int Row) const { return FComboBoxes[Row]; }
  TVDXMonitorInfoPanel* RowPanel(int Row) const { return FInfoPanels[Row]; }
  QWidget* Panel2() const { return FPanel2; }
  QWidget* Panel3() const { return FPanel3; }

  // The row selector handlers: filling the list as it opens, a typed text, a selection.
  void FillSignalList(int Row);
  void CheckRowText(int Row);
  void ShowRowCommand(int Row);

 protected:
  void showEvent(QShowEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void ClearRows();
  void AddRow(int Row, bool Visible);
  void Panel3Resize();
  int RowOf(const QObject* Selector) const;
  // The process command a row's selector has selected; none for "---" or no selection.
  const TModProcCommand* SelectedCommand(int Row) const;
  void ShowCommand(int Row, const TModProcCommand* Cmd);

  QWidget* FPanel1;
  QStackedWidget* FNB;
  QWidget* FPanel3;
  QWidget* FPanel2;
  QPushButton* FBBtnOK;

  std::vector<TDropDownComboBox*> FComboBoxes;
  std::vector<TVDXMonitorInfoPanel*> FInfoPanels;
  const TModProcessData* FProcessList = nullptr;
  TVisibleParamKind FKind = vpDefault;
  int FCount = 4;
  // Set while the rows are changed in code: text changes then are not the user's.
  bool FUpdating = false;
};

}  // namespace vdx::ui
