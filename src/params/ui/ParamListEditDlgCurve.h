// Page "CCPara" of the input dialog: the 21 points of a characteristic curve as a table and as
// a draggable plot, kept in step, with the straight-line default.
#pragma once

#include <QWidget>
#include <cstdint>

class QPushButton;
class QTableWidget;

namespace vdx {
class TModCCParaCmd;
}

namespace vdx::ui {

class TCCPlot;
class TCCCellDelegate;

class TCCParaPage : public QWidget {
 public:
  static constexpr int kRows = 22;  // header row and the points 10 .. -10

  explicit TCCParaPage(QWidget* Parent = nullptr);

  // Table rows count as the user sees them: row 1 is point 10, row 21 point -10.
  // Fills the table and the plot from Cmd, or with the straight line 10000 .. -10000.
  void LoadCCTable(const TModCCParaCmd* Cmd, bool Default);
  // Takes the rows whose X and Y cells both hold integers into Cmd.
  void Store(TModCCParaCmd& Cmd) const;
  // Closes an open cell editor, taking its text, and checks the cell it edited.
  void FinishEditing();

  QString CellText(int Col, int Row) const;
  void SetCellText(int Col, int Row, const QString& Text);
  // Checks a cell: an X cell of rows 2..20 is limited to its neighbours' X, row 1 and 21 get
  // 10000 and -10000. False when the cell's row cannot be checked (a missing integer).
  bool ValidateCCCell(int Col, int Row);
  // Moves the row's plot point to the row's X and Y when both are integers.
  void CCRowToPoint(int Row);

  QTableWidget* SGridCC = nullptr;
  TCCPlot* PBoxCC = nullptr;
  QPushButton* BtnDefault = nullptr;

 protected:
  // Leaving the table checks its current cell.
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  // A cell lost the selection or its editor was closed: validate ("0" when not valid), then
  // move its row's point.
  void CheckCell(int Col, int Row);

  TCCCellDelegate* FDelegate = nullptr;
};

}  // namespace vdx::ui
