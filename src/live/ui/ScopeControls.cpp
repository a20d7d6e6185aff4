#include "live/ui/ScopeControls.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/ui/DropDownComboBox.h"

namespace vdx::ui {

namespace {

TDropDownComboBox* NewSelector(const QString& Name, const QStringList& Items, const QString& Text,
                               QWidget* Parent) {
  auto* Box = new TDropDownComboBox(Parent);
  Box->setObjectName(Name);
  Box->setEditable(true);
  Box->setInsertPolicy(QComboBox::NoInsert);
  Box->setCompleter(nullptr);  // a typed text is taken as typed
  Box->addItems(Items);
  Box->setEditText(Text);
  return Box;
}

}  // namespace

void SetSwatchColor(QFrame* Swatch, const QColor& Color) {
  Swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black; "
                                       "border-radius: 5px;")
                            .arg(Color.name()));
}

TScopeControls BuildScopeControls(QWidget* Parent) {
  TScopeControls C;
  C.Column = new QWidget(Parent);
  C.Column->setObjectName(QStringLiteral("ScopeControls"));
  C.Column->setFixedWidth(209);
  auto* Layout = new QVBoxLayout(C.Column);
  Layout->setContentsMargins(0, 0, 0, 0);

  auto* Vertical = new QGroupBox(QStringLiteral("Vertical"), C.Column);
  auto* VLayout = new QVBoxLayout(Vertical);
  const QStringList MinItems = {"0", "-10", "-20", "-25", "-50", "-75", "-100"};
  const QStringList MaxItems = {"0",   "10",  "20",  "25",   "50",   "75",
                                "100", "200", "500", "1000", "2000", "5000"};
  // Limit selectors take only a sign, a point and digits.
  auto* LimitKeys =
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-.0-9]*")), C.Column);
  for (int I = 0; I < 4; ++I) {
    const QString N = QString::number(I + 1);
    auto* Group = new QGroupBox(QStringLiteral("Channel ") + N, Vertical);
    Group->setFixedHeight(115);
    auto* Grid = new QGridLayout(Group);
    C.ShapeCustChaCol[I] = new QFrame(Group);
    C.ShapeCustChaCol[I]->setObjectName(QStringLiteral("ShapeCustCha%1Col").arg(N));
    C.ShapeCustChaCol[I]->setFixedSize(22, 22);
    C.CBChCustSignal[I] =
        NewSelector(QStringLiteral("CBCh%1CustSignal").arg(N), {}, QStringLiteral("---"), Group);
    C.CBChCustMin[I] = NewSelector(QStringLiteral("CBCh%1CustMin").arg(N), MinItems,
                                   QStringLiteral("-100"), Group);
    C.CBChCustMax[I] =
        NewSelector(QStringLiteral("CBCh%1CustMax").arg(N), MaxItems, QStringLiteral("100"), Group);
    for (QComboBox* Limit :
         {static_cast<QComboBox*>(C.CBChCustMin[I]), static_cast<QComboBox*>(C.CBChCustMax[I])})
      Limit->setValidator(LimitKeys);
    Grid->addWidget(C.ShapeCustChaCol[I], 0, 0, 2, 1, Qt::AlignTop);
    Grid->addWidget(new QLabel(QStringLiteral("Signal"), Group), 0, 1);
    Grid->addWidget(C.CBChCustSignal[I], 1, 1, 1, 2);
    Grid->addWidget(new QLabel(QStringLiteral("Lower Limit"), Group), 2, 1);
    Grid->addWidget(new QLabel(QStringLiteral("Upper Limit"), Group), 2, 2);
    Grid->addWidget(C.CBChCustMin[I], 3, 1);
    Grid->addWidget(C.CBChCustMax[I], 3, 2);
    VLayout->addWidget(Group);
  }
  Vertical->setFixedHeight(480);
  Layout->addWidget(Vertical);

  auto* Horizontal = new QGroupBox(QStringLiteral("Horizontal"), C.Column);
  auto* HLayout = new QVBoxLayout(Horizontal);
  HLayout->addWidget(new QLabel(QStringLiteral("Time Scale [ms / Div]"), Horizontal));
  C.CBCustTimeScale = NewSelector(QStringLiteral("CBCustTimeScale"),
                                  {"100", "200", "500", "1000", "2000", "5000", "10000"},
                                  QStringLiteral("1000"), Horizontal);
  C.CBCustTimeScale->setCurrentIndex(3);
  HLayout->addWidget(C.CBCustTimeScale);
  Layout->addWidget(Horizontal);

  auto* Scope = new QGroupBox(QStringLiteral("Scope"), C.Column);
  auto* SLayout = new QGridLayout(Scope);
  C.BtnStart = new QPushButton(QStringLiteral("Start"), Scope);
  C.BtnStart->setObjectName(QStringLiteral("BtnStart"));
  C.BtnStop = new QPushButton(QStringLiteral("Stop"), Scope);
  C.BtnStop->setObjectName(QStringLiteral("BtnStop"));
  C.BtnStop->setEnabled(false);
  C.SaveToFileButton = new QPushButton(QStringLiteral("Save To File..."), Scope);
  C.SaveToFileButton->setObjectName(QStringLiteral("SaveToFileButton"));
  SLayout->addWidget(C.BtnStart, 0, 0);
  SLayout->addWidget(C.BtnStop, 0, 1);
  SLayout->addWidget(C.SaveToFileButton, 1, 0, 1, 2);
  SLayout->setRowStretch(2, 1);
  Layout->addWidget(Scope, 1);
  return C;
}

}  // namespace vdx::ui
