#include "live/ui/MonitorForm.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui/DropDownComboBox.h"
#include "comm/ModCommandLists.h"
#include "live/ui/MonitorInfoPanel.h"

namespace vdx::ui {

namespace {
constexpr const char* kNoValue = "---";
}

TMonitorForm::TMonitorForm(QWidget* Parent)
    : QWidget(Parent, Parent ? Qt::Widget : Qt::Dialog),
      FPanel1(new QWidget(this)),
      FNB(new QStackedWidget(FPanel1)),
      FPanel3(new QWidget),
      FPanel2(new QWidget(this)),
      FBBtnOK(new QPushButton(QStringLiteral("OK"), FPanel2)) {
  setObjectName(QStringLiteral("MonitorForm"));
  setWindowTitle(QStringLiteral("MonitorForm"));
  QFont FormFont(QStringLiteral("Arial"));
  FormFont.setPixelSize(11);
  setFont(FormFont);
  resize(535, 466);

  FPanel1->setObjectName(QStringLiteral("Panel1"));
  FNB->setObjectName(QStringLiteral("NB"));
  FPanel3->setObjectName(QStringLiteral("Panel3"));
  auto* Adv = new QListWidget;
  Adv->setObjectName(QStringLiteral("CheckListBox1"));
  FNB->addWidget(FPanel3);
  FNB->addWidget(Adv);
  FNB->setCurrentWidget(FPanel3);
  FPanel3->installEventFilter(this);
  auto* Panel1Layout = new QVBoxLayout(FPanel1);
  Panel1Layout->setContentsMargins(0, 0, 0, 0);
  Panel1Layout->addWidget(FNB);

  FPanel2->setObjectName(QStringLiteral("Panel2"));
  FPanel2->setFixedHeight(54);
  FBBtnOK->setObjectName(QStringLiteral("BBtnOK"));
  FBBtnOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  connect(FBBtnOK, &QPushButton::clicked, this, &QWidget::close);
  auto* Panel2Layout = new QHBoxLayout(FPanel2);
  Panel2Layout->addStretch();
  Panel2Layout->addWidget(FBBtnOK);
  Panel2Layout->addStretch();

  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  Layout->addWidget(FPanel1, 1);
  Layout->addWidget(FPanel2);
}

int TMonitorForm::RowsThatFit(int Height) {
  return (Height + kRowGap - 2 * kTopMargin) / (kRowGap + TVDXMonitorInfoPanel::kDefaultHeight);
}

int TMonitorForm::RowsThatFit() const { return RowsThatFit(FPanel3->height()); }

void TMonitorForm::ClearRows() {
  for (QWidget* Selector : FComboBoxes) delete Selector;
  for (QWidget* Panel : FInfoPanels) delete Panel;
  FComboBoxes.clear();
  FInfoPanels.clear();
}

void TMonitorForm::BuildRows(const TModProcessData* List, TVisibleParamKind Kind, int Count) {
  FProcessList = List;
  FKind = Kind;
  FCount = Count;
  ClearRows();
  if (!List) return;

  const int N = List->Count();
  int Rows = 4;
  switch (Kind) {
    case vpDefault:
      Rows = std::min(N, 4);
      break;
    case vpCustom:
      Rows = std::min(N, Count);
      break;
    case vpMax:
      Rows = N;
      break;
  }
  const int Fit = RowsThatFit();
  for (int Row = 0; Row < Rows; ++Row) AddRow(Row, Row < Fit);

  FUpdating = true;
  for (int Row = 0; Row < Rows && Row < N; ++Row) {
    TModProcCommand* Cmd = List->Items(Row);
    FComboBoxes[Row]->addItem(QString::fromLatin1(Cmd->Name),
                              QVariant::fromValue(reinterpret_cast<quintptr>(Cmd)));
    FComboBoxes[Row]->setCurrentIndex(0);
    ShowCommand(Row, Cmd);
  }
  FUpdating = false;
}

void TMonitorForm::AddRow(int Row, bool Visible) {
  auto* Selector = new TDropDownComboBox(FPanel3);
  Selector->setEditable(true);
  Selector->setInsertPolicy(QComboBox::NoInsert);
  // A typed text is taken as it stands: it names a value or falls back to "---".
  Selector->setCompleter(nullptr);
  auto* Panel = new TVDXMonitorInfoPanel(FPanel3);
  Panel->resize(kPanelWidth, TVDXMonitorInfoPanel::kDefaultHeight);
  Panel->SetParaWidth(90);
  Panel->SetPUnitWidth(60);

  const int Top = Row * (TVDXMonitorInfoPanel::kDefaultHeight + kRowGap) + kTopMargin;
  const int Left = (FPanel3->width() - kPanelWidth - kSelectorWidth - kSideGap) / 2;
  Selector->setGeometry(Left, Top, kSelectorWidth, Selector->sizeHint().height());
  Panel->move(Left + kSelectorWidth + kSideGap, Top);
  Selector->setVisible(Visible);
  Panel->setVisible(Visible);

  Selector->OnDropDown = [this, Selector] { FillSignalList(RowOf(Selector)); };
  connect(Selector, &QComboBox::editTextChanged, this, [this, Selector] {
    if (!FUpdating) CheckRowText(RowOf(Selector));
  });
  connect(Selector, &QComboBox::activated, this,
          [this, Selector] { ShowRowCommand(RowOf(Selector)); });
  FComboBoxes.push_back(Selector);
  FInfoPanels.push_back(Panel);
}

int TMonitorForm::RowOf(const QObject* Selector) const {
  const auto It = std::find(FComboBoxes.begin(), FComboBoxes.end(), Selector);
  return static_cast<int>(It - FComboBoxes.begin());
}

const TModProcCommand* TMonitorForm::SelectedCommand(int Row) const {
  const TDropDownComboBox* Selector = FComboBoxes[Row];
  if (Selector->currentIndex() < 0) return nullptr;
  return reinterpret_cast<const TModProcCommand*>(Selector->currentData().value<quintptr>());
}

void TMonitorForm::ShowCommand(int Row, const TModProcCommand* Cmd) {
  TVDXMonitorInfoPanel* Panel = FInfoPanels[Row];
  if (!Cmd) {
    for (QLabel* Label : {Panel->Para(), Panel->Info(), Panel->PUnit(), Panel->Data()})
      Label->setText(QString::fromLatin1(kNoValue));
    return;
  }
  std::string Value;
  Cmd->GetValueText(Value);
  Panel->Para()->setText(QString::fromLatin1(Cmd->Name));
  Panel->Info()->setText(QString::fromLatin1(Cmd->Help));
  Panel->PUnit()->setText(QString::fromLatin1(Cmd->PhysUnit));
  Panel->Data()->setText(QString::fromLatin1(Value));
}

void TMonitorForm::FillSignalList(int Row) {
  if (Row >= RowCount() || !FProcessList) return;
  TDropDownComboBox* Selector = FComboBoxes[Row];
  const TModProcCommand* Current = SelectedCommand(Row);
  const bool ShowsNoValue = Selector->currentText() == QLatin1String(kNoValue);

  // Values shown by the other visible rows are not offered again.
  std::vector<const TModProcCommand*> Shown;
  for (int Other = 0; Other < RowCount(); ++Other)
    if (Other != Row && !FComboBoxes[Other]->isHidden())
      if (const TModProcCommand* Cmd = SelectedCommand(Other)) Shown.push_back(Cmd);

  FUpdating = true;
  Selector->clear();
  Selector->addItem(QString::fromLatin1(kNoValue), QVariant::fromValue(quintptr(0)));
  for (int I = 0; I < FProcessList->Count(); ++I) {
    TModProcCommand* Cmd = FProcessList->Items(I);
    if (std::find(Shown.begin(), Shown.end(), Cmd) != Shown.end()) continue;
    Selector->addItem(QString::fromLatin1(Cmd->Name),
                      QVariant::fromValue(reinterpret_cast<quintptr>(Cmd)));
  }
  // The row keeps what it shows while its list is open.
  if (Current)
    Selector->setCurrentIndex(
        Selector->findData(QVariant::fromValue(reinterpret_cast<quintptr>(Current))));
  else if (ShowsNoValue)
    Selector->setCurrentIndex(0);
  Selector->setMaxVisibleItems(Selector->count());
  FUpdating = false;
}

void TMonitorForm::CheckRowText(int Row) {
  if (Row >= RowCount()) return;
  TDropDownComboBox* Selector = FComboBoxes[Row];
  if (Selector->findText(Selector->currentText(), Qt::MatchFixedString | Qt::MatchCaseSensitive) >=
      0)
    return;
  FUpdating = true;
  Selector->setCurrentIndex(-1);
  Selector->setEditText(QString::fromLatin1(kNoValue));
  FUpdating = false;
  ShowRowCommand(Row);
}

void TMonitorForm::ShowRowCommand(int Row) {
  if (Row >= RowCount()) return;
  ShowCommand(Row, SelectedCommand(Row));
}

void TMonitorForm::RefreshRows() {
  for (int Row = 0; Row < RowCount(); ++Row)
    if (const TModProcCommand* Cmd = SelectedCommand(Row)) ShowCommand(Row, Cmd);
}

void TMonitorForm::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  FPanel2->setVisible(parentWidget() == nullptr);
}

bool TMonitorForm::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FPanel3 && Event->type() == QEvent::Resize) Panel3Resize();
  return QWidget::eventFilter(Watched, Event);
}

void TMonitorForm::Panel3Resize() {
  if (FComboBoxes.size() != FInfoPanels.size()) return;
  const int Fit = RowsThatFit();
  const int W = FPanel3->width();
  for (int Row = 0; Row < RowCount(); ++Row) {
    TDropDownComboBox* Selector = FComboBoxes[Row];
    TVDXMonitorInfoPanel* Panel = FInfoPanels[Row];
    Selector->setVisible(Row < Fit);
    Panel->setVisible(Row < Fit);
    const int Needed = Panel->width() + Selector->width() + kSideGap;
    const int Left = Needed < W ? (W - Needed) / 2 : 0;
    Selector->move(Left, Selector->y());
    Panel->move(Left + Selector->width() + kSideGap, Panel->y());
  }
}

}  // namespace vdx::ui
