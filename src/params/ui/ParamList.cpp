#include "params/ui/ParamList.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableWidget>

#include "comm/ModCommandLists.h"
#include "comm/ModCommands.h"
#include "params/ui/ParamListEditDlg.h"

namespace vdx::ui {

namespace {

constexpr int kColumns = 3;
constexpr int kDefaultWidths[kColumns] = {100, 120, 660};
constexpr int kLoadedWidths[kColumns] = {100, 180, 725};
// The row's command sits in the first cell under this role.
constexpr int kCommandRole = Qt::UserRole + 1;

// A parameter the grid shows: read and write, in one of the groups of Mask.
bool IsShown(const TModBaseCommand* Cmd, uint16_t Mask) {
  return dynamic_cast<const TModCtrlCommand*>(Cmd) && Cmd->AType == 3 && (Cmd->GCode & Mask) != 0;
}

QString ValueText(const TModCtrlCommand& Cmd) {
  std::string Text;
  Cmd.GetValueText(Text);
  return QString::fromLatin1(Text);
}

QFont BoldArial(QFont Font) {
  Font.setFamily(QStringLiteral("Arial"));
  Font.setBold(true);
  return Font;
}

}  // namespace

TVDXParamList::TVDXParamList(QObject* Parent)
    : QObject(Parent),
      FEditDlg(std::make_unique<TParamListEditDlg>()),
      FAlive(std::make_shared<TVDXParamList*>(this)) {}

TVDXParamList::~TVDXParamList() = default;

void TVDXParamList::SetParamGrid(QTableWidget* Grid) {
  if (FGrid) {
    FGrid->removeEventFilter(this);
    FGrid->viewport()->removeEventFilter(this);
  }
  FGrid = Grid;
  if (!FGrid) return;
  FGrid->clearContents();
  ApplyGridLayout(1, kDefaultWidths);
}

void TVDXParamList::ApplyGridLayout(int DataRows, const int (&Widths)[3]) {
  static const char* const kHeaders[kColumns] = {"Command", "Parameter", "Help"};
  FGrid->setColumnCount(kColumns);
  FGrid->setRowCount(DataRows);
  const QFont HeaderFont = BoldArial(FGrid->font());
  for (int Col = 0; Col < kColumns; ++Col) {
    auto* Header = new QTableWidgetItem(QString::fromLatin1(kHeaders[Col]));
    Header->setFont(HeaderFont);
    Header->setTextAlignment((Col == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    FGrid->setHorizontalHeaderItem(Col, Header);
    FGrid->setColumnWidth(Col, Widths[Col]);
  }
}

bool TVDXParamList::LoadCommandList(TModCommandList* List, uint16_t AccessCode) {
  if (!FGrid || !List) return false;
  FGrid->clearContents();
  FClickedCmd = nullptr;
  FGrid->installEventFilter(this);
  FGrid->viewport()->installEventFilter(this);

  FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  FGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  FGrid->setShowGrid(true);
  FGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  FGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  FGrid->setFont(QFont(QStringLiteral("Courier New"), 10));
  FGrid->verticalHeader()->setDefaultSectionSize(FGrid->fontMetrics().height() + 6);

  // Without an access code the default groups are shown, but the grid keeps a row per entry.
  const uint16_t Mask = AccessCode != 0 ? AccessCode : DefaultReadoutGCode;
  int Shown = 0;
  for (int I = 0; I < List->Count(); ++I)
    if (IsShown(List->Objects(I), Mask)) ++Shown;
  const int DataRows = std::max(1, AccessCode != 0 ? Shown : List->Count());
  ApplyGridLayout(DataRows, kLoadedWidths);

  int Row = 0;
  for (int I = 0; I < List->Count(); ++I) {
    TModBaseCommand* Cmd = List->Objects(I);
    if (!IsShown(Cmd, Mask)) continue;
    auto* Param = static_cast<TModCtrlCommand*>(Cmd);
    SetRow(Row++, Param);
    Param->OnChange = [Alive = std::weak_ptr<TVDXParamList*>(FAlive)](TModCtrlCommand& Changed) {
      if (const auto Self = Alive.lock()) (*Self)->CmdValueChanged(Changed);
    };
  }
  return true;
}

void TVDXParamList::SetRow(int Row, TModCtrlCommand* Cmd) {
  auto* Name = new QTableWidgetItem(QString::fromLatin1(Cmd->Name));
  Name->setFont(BoldArial(FGrid->font()));
  Name->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Name->setData(kCommandRole, QVariant::fromValue(reinterpret_cast<quintptr>(Cmd)));
  auto* Value = new QTableWidgetItem(ValueText(*Cmd));
  Value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* Help = new QTableWidgetItem(QString::fromLatin1(Cmd->Help));
  Help->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  FGrid->setItem(Row, 0, Name);
  FGrid->setItem(Row, 1, Value);
  FGrid->setItem(Row, 2, Help);
}

TModCtrlCommand* TVDXParamList::RowCommand(int Row) const {
  if (!FGrid) return nullptr;
  const QTableWidgetItem* Item = FGrid->item(Row, 0);
  if (!Item) return nullptr;
  return reinterpret_cast<TModCtrlCommand*>(Item->data(kCommandRole).value<quintptr>());
}

void TVDXParamList::CmdValueChanged(TModCtrlCommand& Cmd) {
  if (!FGrid) return;
  for (int Row = 0; Row < FGrid->rowCount(); ++Row) {
    if (RowCommand(Row) != &Cmd) continue;
    QString Text;
    const auto* Num = dynamic_cast<const TModNumParaCmd*>(&Cmd);
    if (Num && Num->IsHundredths() && ShowDecimals()) {
      std::string Percent;
      Num->GetPercentText(Percent);
      Text = QString::fromLatin1(Percent);
    } else {
      Text = ValueText(Cmd);
    }
    if (QTableWidgetItem* Item = FGrid->item(Row, 1)) Item->setText(Text);
    return;
  }
}

void TVDXParamList::RefreshValues() {
  if (!FGrid) return;
  for (int Row = 0; Row < FGrid->rowCount(); ++Row)
    if (const TModCtrlCommand* Cmd = RowCommand(Row))
      if (QTableWidgetItem* Item = FGrid->item(Row, 1)) Item->setText(ValueText(*Cmd));
}

bool TVDXParamList::EditCommand(TModCtrlCommand* Cmd) {
  if (!Cmd) return false;
  FEditDlg->SetOwnerWindow(FGrid ? FGrid->window() : nullptr);
  if (!FEditDlg->Execute(Cmd)) return false;
  // The edited command is the one of the current row.
  TModCtrlCommand* Edited = FGrid ? RowCommand(FGrid->currentRow()) : Cmd;
  if (OnCmdSendRequest && Edited) OnCmdSendRequest(*this, Edited);
  return true;
}

bool TVDXParamList::EditCurrentRow() {
  return FGrid && EditCommand(RowCommand(FGrid->currentRow()));
}

bool TVDXParamList::eventFilter(QObject* Watched, QEvent* Event) {
  // Only input events are of interest; the grid is not touched for the others, which also
  // arrive while it is being destroyed.
  const QEvent::Type Type = Event->type();
  if (Type != QEvent::MouseButtonPress && Type != QEvent::MouseButtonDblClick &&
      Type != QEvent::KeyPress)
    return QObject::eventFilter(Watched, Event);
  if (!FGrid) return false;
  if (Watched == FGrid->viewport()) {
    if (Event->type() == QEvent::MouseButtonPress) {
      FClickedCmd = nullptr;
      const QModelIndex Index =
          FGrid->indexAt(static_cast<QMouseEvent*>(Event)->position().toPoint());
      if (Index.isValid()) {
        FGrid->setCurrentCell(Index.row(), Index.column());
        FClickedCmd = RowCommand(Index.row());
      }
    } else if (Event->type() == QEvent::MouseButtonDblClick) {
      if (FClickedCmd) EditCommand(FClickedCmd);
      return true;
    }
  } else if (Watched == FGrid && Event->type() == QEvent::KeyPress) {
    const int Key = static_cast<QKeyEvent*>(Event)->key();
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
      EditCurrentRow();
      return true;
    }
  }
  return QObject::eventFilter(Watched, Event);
}

bool TVDXParamList::ShowCmdGrpInfo() const { return FEditDlg->Options.ShowCmdGrpInfo; }
void TVDXParamList::SetShowCmdGrpInfo(bool Value) { FEditDlg->Options.ShowCmdGrpInfo = Value; }
bool TVDXParamList::ShowDecimals() const { return FEditDlg->Options.ShowDecimals; }
void TVDXParamList::SetShowDecimals(bool Value) { FEditDlg->Options.ShowDecimals = Value; }
bool TVDXParamList::AinCommandUI() const { return FEditDlg->Options.AinCommandUI; }
void TVDXParamList::SetAinCommandUI(bool Value) { FEditDlg->Options.AinCommandUI = Value; }

}  // namespace vdx::ui
