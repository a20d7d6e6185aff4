// The parameter grid: drives the table of page "Parameter" with one row per shown parameter
// (name, value, help), keeps each row's value current through the command's change event, and
// opens the input dialog for a row; a confirmed edit is reported through OnCmdSendRequest.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "comm/ModViews.h"

class QTableWidget;

namespace vdx::ui {

class TParamListEditDlg;

class TVDXParamList : public QObject, public IParameterView {
 public:
  explicit TVDXParamList(QObject* Parent = nullptr);
  ~TVDXParamList() override;

  QTableWidget* ParamGrid() const { return FGrid; }
  // Takes the grid (not owned) and gives it its columns and headers; forgets it when the grid
  // is destroyed.
  void SetParamGrid(QTableWidget* Grid);

  // Fills the grid with the parameters of List that are read-and-write and share a group bit
  // with AccessCode (0: the default groups). False without a grid or a list.
  bool LoadCommandList(TModCommandList* List, uint16_t AccessCode) override;
  // Rewrites the value cell of every row (plain value texts).
  void RefreshValues() override;
  // The change event of a shown command: rewrites that command's value cell.
  void CmdValueChanged(TModCtrlCommand& Cmd);

  // The parameter command a row (0 for the first data row) shows; none for an inert row.
  TModCtrlCommand* RowCommand(int Row) const;
  // Opens the input dialog for the current row, as Enter does; true when an edit was sent.
  bool EditCurrentRow();

  bool ShowCmdGrpInfo() const;
  void SetShowCmdGrpInfo(bool Value);
  bool ShowDecimals() const;
  void SetShowDecimals(bool Value);
  bool AinCommandUI() const;
  void SetAinCommandUI(bool Value);
  TParamListEditDlg& EditDlg() { return *FEditDlg; }

 protected:
  // Mouse presses and double-clicks on the cells, Enter on the grid.
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void ApplyGridLayout(int DataRows, const int (&Widths)[3]);
  void SetRow(int Row, TModCtrlCommand* Cmd);
  bool EditCommand(TModCtrlCommand* Cmd);

  QPointer<QTableWidget> FGrid;
  std::unique_ptr<TParamListEditDlg> FEditDlg;
  TModCtrlCommand* FClickedCmd = nullptr;
  // Lives as long as this; the change handlers left in commands test it before calling in.
  std::shared_ptr<TVDXParamList*> FAlive;
};

}  // namespace vdx::ui
