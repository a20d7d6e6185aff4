#include "app/ui/StatusPanels.h"

#include <QLabel>
#include <QStatusBar>

namespace vdx::ui {

namespace {
constexpr int kWidths[StatusPanelCount] = {70, 70, 40, 110, 200, 220, 220};
}

TStatusPanels::TStatusPanels(QStatusBar* Bar) {
  Bar->setSizeGripEnabled(true);
  for (int I = 0; I < StatusPanelCount; ++I) {
    auto* Label = new QLabel(Bar);
    Label->setObjectName(QStringLiteral("SBarPanel%1").arg(I));
    Label->setFrameShape(QFrame::StyledPanel);
    Label->setFrameShadow(QFrame::Sunken);
    Label->setContentsMargins(4, 0, 4, 0);
    // The width is the panel's design; a longer text widens it rather than being cut.
    Label->setMinimumWidth(kWidths[I]);
    Label->setTextFormat(Qt::PlainText);
    Bar->addWidget(Label, I == StatusPanelCount - 1 ? 1 : 0);
    FLabels[static_cast<size_t>(I)] = Label;
  }
  // Panels sit side by side from the left edge, like the classic status bar.
  Bar->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
}

void TStatusPanels::SetText(TStatusPanel Panel, const QString& Text) {
  FLabels[static_cast<size_t>(Panel)]->setText(Text);
}

QString TStatusPanels::Text(TStatusPanel Panel) const {
  return FLabels[static_cast<size_t>(Panel)]->text();
}

}  // namespace vdx::ui
