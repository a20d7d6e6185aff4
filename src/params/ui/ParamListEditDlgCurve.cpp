#include "params/ui/ParamListEditDlgCurve.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "comm/IntegerText.h"
#include "comm/ModCommands.h"
#include "params/ui/ParamListEditDlgCurvePlot.h"

namespace vdx::ui {

namespace {

constexpr int32_t kLimit = 10000;

bool CellInteger(const QString& Text, int32_t& Value) {
  return TryStrToInt(Text.toLatin1().toStdString(), Value);
}

}  // namespace

// Cell editors of the curve table: only digits, Backspace, minus and Enter get through, and a
// number beyond +-10000 is cut to the limit while it is typed.
class TCCCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem& Option,
                        const QModelIndex& Index) const override {
    auto* Editor =
        static_cast<QLineEdit*>(QStyledItemDelegate::createEditor(Parent, Option, Index));
    auto* Self = const_cast<TCCCellDelegate*>(this);
    Self->FEditor = Editor;
    Self->FIndex = Index;
    QObject::connect(Editor, &QLineEdit::textEdited, Editor, [Editor](const QString& Text) {
      int32_t Value = 0;
      if (!CellInteger(Text, Value)) return;
      if (Value > kLimit) Editor->setText(QString::number(kLimit));
      if (Value < -kLimit) Editor->setText(QString::number(-kLimit));
    });
    return Editor;
  }

  // Takes the open editor's text and closes it.
  void Finish() {
    if (!FEditor || !FEditor->isVisible()) return;
    QWidget* Editor = FEditor;
    FEditor = nullptr;
    emit commitData(Editor);
    emit closeEditor(Editor, QAbstractItemDelegate::NoHint);
  }

  QPersistentModelIndex EditedIndex() const { return FIndex; }

 protected:
  bool eventFilter(QObject* Object, QEvent* Event) override {
    if (Event->type() == QEvent::KeyPress) {
      const auto* Key = static_cast<QKeyEvent*>(Event);
      const QString Text = Key->text();
      const bool Control = Text.isEmpty() || Text.at(0).unicode() < 32;
      const bool Allowed =
          Control || (Text.size() == 1 &&
                      ((Text.at(0) >= QLatin1Char('0') && Text.at(0) <= QLatin1Char('9')) ||
                       Text.at(0) == QLatin1Char('-')));
      if (!Allowed) return true;
    }
    return QStyledItemDelegate::eventFilter(Object, Event);
  }

 private:
  QPointer<QLineEdit> FEditor;
  QPersistentModelIndex FIndex;
};

TCCParaPage::TCCParaPage(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("CCPara"));
  SGridCC = new QTableWidget(kRows - 1, 3, this);
  SGridCC->setObjectName(QStringLiteral("SGridCC"));
  SGridCC->setHorizontalHeaderLabels(
      {QStringLiteral("Command"), QStringLiteral("X-Value"), QStringLiteral("Y-Value")});
  SGridCC->verticalHeader()->hide();
  SGridCC->verticalHeader()->setMinimumSectionSize(18);
  SGridCC->verticalHeader()->setDefaultSectionSize(18);
  SGridCC->horizontalHeader()->setFixedHeight(18);
  SGridCC->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  SGridCC->setSelectionMode(QAbstractItemView::SingleSelection);
  SGridCC->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
  SGridCC->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SGridCC->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int Col = 0; Col < 3; ++Col) SGridCC->setColumnWidth(Col, 56);
  SGridCC->setFixedSize(3 * 56 + 2 * SGridCC->frameWidth(), 18 * kRows + 2 * SGridCC->frameWidth());
  QFont Bold = SGridCC->font();
  Bold.setBold(true);
  for (int Row = 1; Row < kRows; ++Row) {
    auto* Fixed = new QTableWidgetItem(QStringLiteral("CC:") + QString::number(11 - Row));
    Fixed->setFlags(Qt::ItemIsEnabled);
    Fixed->setFont(Bold);
    Fixed->setBackground(palette().color(QPalette::Button));
    SGridCC->setItem(Row - 1, 0, Fixed);
    for (int Col = 1; Col < 3; ++Col) {
      auto* Cell = new QTableWidgetItem();
      Cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      SGridCC->setItem(Row - 1, Col, Cell);
    }
  }
  FDelegate = new TCCCellDelegate(SGridCC);
  SGridCC->setItemDelegate(FDelegate);
  SGridCC->installEventFilter(this);

  PBoxCC = new TCCPlot(this);
  PBoxCC->OnPointMoved = [this](int K, int32_t X, int32_t Y) {
    SetCellText(1, K + 1, QString::number(X));
    SetCellText(2, K + 1, QString::number(Y));
  };

  auto* Settings = new QGroupBox(QStringLiteral("Settings"), this);
  BtnDefault = new QPushButton(QStringLiteral("Default"), Settings);
  BtnDefault->setObjectName(QStringLiteral("BtnDefault"));
  (new QVBoxLayout(Settings))->addWidget(BtnDefault);
  connect(BtnDefault, &QPushButton::clicked, this, [this] { LoadCCTable(nullptr, true); });

  auto* Left = new QVBoxLayout;
  Left->addWidget(SGridCC);
  Left->addWidget(Settings);
  Left->addStretch();
  auto* Layout = new QHBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addLayout(Left);
  Layout->addStretch();
  Layout->addWidget(PBoxCC, 0, Qt::AlignTop);

  connect(SGridCC, &QTableWidget::currentCellChanged, this,
          [this](int Row, int Col, int PrevRow, int PrevCol) {
            if (PrevRow >= 0 && PrevCol >= 0 && (PrevRow != Row || PrevCol != Col))
              CheckCell(PrevCol, PrevRow + 1);
          });
  connect(FDelegate, &QAbstractItemDelegate::closeEditor, this, [this] {
    const QPersistentModelIndex Index = FDelegate->EditedIndex();
    if (Index.isValid()) CheckCell(Index.column(), Index.row() + 1);
  });
}

QString TCCParaPage::CellText(int Col, int Row) const {
  if (Row == 0) return SGridCC->horizontalHeaderItem(Col)->text();
  const QTableWidgetItem* Item = SGridCC->item(Row - 1, Col);
  return Item ? Item->text() : QString();
}

void TCCParaPage::SetCellText(int Col, int Row, const QString& Text) {
  if (QTableWidgetItem* Item = SGridCC->item(Row - 1, Col)) Item->setText(Text);
}

void TCCParaPage::LoadCCTable(const TModCCParaCmd* Cmd, bool Default) {
  for (int K = 0; K < TCCPlot::kPointCount; ++K) {
    TCurvePoint Pt;
    if (Default)
      Pt = {10000 - 1000 * K, 10000 - 1000 * K};
    else if (Cmd)
      Cmd->GetPoint(10 - K, Pt);
    SetCellText(1, K + 1, QString::number(Pt.X));
    SetCellText(2, K + 1, QString::number(Pt.Y));
    PBoxCC->SetValuePoint(K, Pt.X, Pt.Y);
  }
}

void TCCParaPage::Store(TModCCParaCmd& Cmd) const {
  for (int Row = 1; Row < kRows; ++Row) {
    int32_t X = 0, Y = 0;
    if (CellInteger(CellText(1, Row), X) && CellInteger(CellText(2, Row), Y))
      Cmd.SetPoint(10 - (Row - 1), {X, Y});
  }
}

void TCCParaPage::FinishEditing() { FDelegate->Finish(); }

bool TCCParaPage::ValidateCCCell(int Col, int Row) {
  if (Col != 1) return true;
  int32_t X = 0;
  if (!CellInteger(CellText(1, Row), X)) return false;
  if (Row == 1 || Row == kRows - 1) {
    SetCellText(1, Row, QString::number(Row == 1 ? kLimit : -kLimit));
    return true;
  }
  int32_t Above = 0, Below = 0;
  if (!CellInteger(CellText(1, Row - 1), Above) || !CellInteger(CellText(1, Row + 1), Below))
    return false;
  // Rows run from X 10000 down to -10000: the row below holds the lower limit.
  SetCellText(1, Row, QString::number(std::min(std::max(X, Below), Above)));
  return true;
}

void TCCParaPage::CCRowToPoint(int Row) {
  int32_t X = 0, Y = 0;
  if (!CellInteger(CellText(1, Row), X) || !CellInteger(CellText(2, Row), Y)) return;
  PBoxCC->SetValuePoint(Row - 1, X, Y);
}

bool TCCParaPage::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == SGridCC && Event->type() == QEvent::FocusOut) {
    const QWidget* Next = QApplication::focusWidget();
    if (Next && !SGridCC->isAncestorOf(Next) && window()->isAncestorOf(Next))
      CheckCell(SGridCC->currentColumn(), SGridCC->currentRow() + 1);
  }
  return QWidget::eventFilter(Watched, Event);
}

void TCCParaPage::CheckCell(int Col, int Row) {
  if (Row < 1 || Row >= kRows || Col < 1) return;
  if (!ValidateCCCell(Col, Row)) SetCellText(Col, Row, QStringLiteral("0"));
  CCRowToPoint(Row);
}

}  // namespace vdx::ui
