#include "params/ui/CompareDlg.h"

#include <QCheckBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/ui/BusyCursor.h"
#include "app/ui/MessageService.h"
#include "comm/ModCommProt.h"

namespace vdx::ui {

namespace {

QString Latin1(const std::string& Text) { return QString::fromLatin1(Text); }

QColor StateColor(TCompareState State) {
  switch (State) {
    case csDifferent:
      return QColor(255, 222, 222);
    case csOnlyInModule:
    case csOnlyInFile:
      return QColor(255, 244, 204);
    case csEqual:
      break;
  }
  return QColor();
}

// Each differing point or field with both values, one per line.
QString DetailLines(const TCompareRow& Row) {
  QStringList Lines;
  for (const auto& D : Row.Details)
    Lines << Latin1(D.Where) + QStringLiteral(": module ") + Latin1(D.ModuleText) +
                 QStringLiteral(", file ") + Latin1(D.FileText);
  return Lines.join(QLatin1Char('\n'));
}

}  // namespace

TCompareDlg::TCompareDlg(TVDXModCommProt& Prot, const TCompareFile& File,
                         const TCompareOptions& Options, QWidget* Parent)
    : QDialog(Parent), FProt(Prot), FFile(File), FOptions(Options) {
  setObjectName(QStringLiteral("CompareDlg"));
  setWindowTitle(QStringLiteral("Compare with File"));
  setFont(QFont(QStringLiteral("Arial"), 8));
  resize(900, 500);

  FLblSource = new QLabel(this);
  FLblSource->setObjectName(QStringLiteral("LblSource"));
  FLblSource->setTextInteractionFlags(Qt::TextSelectableByMouse);
  FLblSummary = new QLabel(this);
  FLblSummary->setObjectName(QStringLiteral("LblSummary"));
  FCBDifferencesOnly = new QCheckBox(QStringLiteral("Differences only"), this);
  FCBDifferencesOnly->setObjectName(QStringLiteral("CBDifferencesOnly"));

  FGridCompare = new QTableWidget(0, ccCount, this);
  FGridCompare->setObjectName(QStringLiteral("GridCompare"));
  FGridCompare->setHorizontalHeaderLabels({QStringLiteral("Parameter"), QStringLiteral("Module"),
                                           QStringLiteral("File"), QStringLiteral("State"),
                                           QStringLiteral("Where")});
  FGridCompare->verticalHeader()->hide();
  FGridCompare->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  FGridCompare->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FGridCompare->setSelectionBehavior(QAbstractItemView::SelectRows);
  FGridCompare->setWordWrap(false);
  FGridCompare->horizontalHeader()->setStretchLastSection(true);
  const int Widths[] = {110, 250, 250, 100};
  for (int C = 0; C < ccWhere; ++C) FGridCompare->setColumnWidth(C, Widths[C]);

  FBtnWriteSelected = new QPushButton(QStringLiteral("Write selected"), this);
  FBtnWriteSelected->setObjectName(QStringLiteral("BtnWriteSelected"));
  FBtnClose = new QPushButton(QStringLiteral("Close"), this);
  FBtnClose->setObjectName(QStringLiteral("BtnClose"));

  auto* Top = new QHBoxLayout;
  Top->addWidget(FLblSummary, 1);
  Top->addWidget(FCBDifferencesOnly);
  auto* Buttons = new QHBoxLayout;
  Buttons->addStretch(1);
  Buttons->addWidget(FBtnWriteSelected);
  Buttons->addWidget(FBtnClose);
  auto* Layout = new QVBoxLayout(this);
  Layout->addWidget(FLblSource);
  Layout->addLayout(Top);
  Layout->addWidget(FGridCompare, 1);
  Layout->addLayout(Buttons);

  FLblSource->setText(QStringLiteral("Module: ") + Latin1(Prot.ModuleId()) +
                      QStringLiteral("\nFile: ") + QString::fromLocal8Bit(File.FileName()) +
                      QStringLiteral(" (") + Latin1(File.ModuleId()) + QStringLiteral(")"));

  connect(FCBDifferencesOnly, &QCheckBox::toggled, this, [this] { ApplyFilter(); });
  connect(FGridCompare, &QTableWidget::itemChanged, this, [this] { UpdateButtons(); });
  connect(FBtnWriteSelected, &QPushButton::clicked, this, [this] { BtnWriteSelectedClick(); });
  connect(FBtnClose, &QPushButton::clicked, this, &QDialog::accept);
  Refresh();
}

void TCompareDlg::Refresh() {
  FComparison = CompareParameters(FProt.CmdList(), FFile.Parameters(), FOptions);
  FillGrid();
}

void TCompareDlg::FillGrid() {
  const QSignalBlocker Blocker(FGridCompare);
  FGridCompare->setRowCount(static_cast<int>(FComparison.Rows.size()));
  int Writable = 0;
  for (int R = 0; R < FGridCompare->rowCount(); ++R) {
    const TCompareRow& Row = FComparison.Rows[static_cast<size_t>(R)];
    const QString Texts[ccCount] = {Latin1(Row.Name), Latin1(Row.ModuleText), Latin1(Row.FileText),
                                    Latin1(CompareStateText(Row.State)), Latin1(Row.WhereText())};
    const QString Details = DetailLines(Row);
    for (int C = 0; C < ccCount; ++C) {
      auto* Item = new QTableWidgetItem(Texts[C]);
      Item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      if (StateColor(Row.State).isValid()) Item->setBackground(StateColor(Row.State));
      Item->setToolTip(C == ccWhere && !Details.isEmpty() ? Details : Texts[C]);
      FGridCompare->setItem(R, C, Item);
    }
    if (Row.Writable) {
      QTableWidgetItem* Name = FGridCompare->item(R, ccName);
      Name->setFlags(Name->flags() | Qt::ItemIsUserCheckable);
      Name->setCheckState(Qt::Unchecked);
      ++Writable;
    }
  }
  const int Differences = FComparison.DifferenceCount();
  FLblSummary->setText(
      Differences == 0
          ? QStringLiteral("The module's parameters equal the file's.")
          : QStringLiteral("%1 of %2 parameters differ; %3 can be written from the file.")
                .arg(Differences)
                .arg(FComparison.Rows.size())
                .arg(Writable));
  ApplyFilter();
  UpdateButtons();
}

void TCompareDlg::ApplyFilter() {
  const bool DifferencesOnly = FCBDifferencesOnly->isChecked();
  for (int R = 0; R < FGridCompare->rowCount(); ++R)
    FGridCompare->setRowHidden(
        R, DifferencesOnly && FComparison.Rows[static_cast<size_t>(R)].State == csEqual);
}

void TCompareDlg::UpdateButtons() { FBtnWriteSelected->setEnabled(!TickedNames().empty()); }

std::vector<std::string> TCompareDlg::TickedNames() const {
  std::vector<std::string> Names;
  for (int R = 0; R < FGridCompare->rowCount(); ++R) {
    const QTableWidgetItem* Item = FGridCompare->item(R, ccName);
    if (Item && (Item->flags() & Qt::ItemIsUserCheckable) && Item->checkState() == Qt::Checked)
      Names.push_back(FComparison.Rows[static_cast<size_t>(R)].Name);
  }
  return Names;
}

bool TCompareDlg::SetTicked(const std::string& Name, bool Ticked) {
  for (int R = 0; R < FGridCompare->rowCount(); ++R) {
    QTableWidgetItem* Item = FGridCompare->item(R, ccName);
    if (FComparison.Rows[static_cast<size_t>(R)].Name != Name) continue;
    if (!(Item->flags() & Qt::ItemIsUserCheckable)) return false;
    Item->setCheckState(Ticked ? Qt::Checked : Qt::Unchecked);
    return true;
  }
  return false;
}

void TCompareDlg::BtnWriteSelectedClick() {
  const std::vector<std::string> Names = TickedNames();
  if (Names.empty()) return;
  std::vector<std::string> Failed;
  {
    TBusyCursor Busy;
    Failed = WriteFileValues(FProt, FFile, FComparison, Names);
  }
  Refresh();
  if (Failed.empty()) return;
  QStringList List;
  for (const auto& Name : Failed) List << Latin1(Name);
  ShowMessage(TMessageKind::Error, QStringLiteral("These values could not be written: ") +
                                       List.join(QStringLiteral(", ")));
}

}  // namespace vdx::ui
