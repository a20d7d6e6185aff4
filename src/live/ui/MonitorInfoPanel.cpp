#include "live/ui/MonitorInfoPanel.h"

#include <QLabel>

namespace vdx::ui {

TVDXMonitorInfoPanel::TVDXMonitorInfoPanel(QWidget* Parent)
    : QFrame(Parent),
      FParaFont(QStringLiteral("Arial"), 24),
      FInfoFont(QStringLiteral("Arial"), 8),
      FInfo(new QLabel(this)),
      FPara(new QLabel(this)),
      FPUnit(new QLabel(this)),
      FData(new QLabel(this)) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  resize(kDefaultWidth, kDefaultHeight);
  FInfo->setObjectName(QStringLiteral("Info"));
  FPara->setObjectName(QStringLiteral("Para"));
  FPUnit->setObjectName(QStringLiteral("PUnit"));
  FData->setObjectName(QStringLiteral("Data"));
  FInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  FPara->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  FPUnit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FData->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  SetParaFont(FParaFont);
  SetInfoFont(FInfoFont);
}

void TVDXMonitorInfoPanel::SetParaFont(const QFont& Font) {
  FParaFont = Font;
  for (QLabel* Label : {FPara, FData, FPUnit}) Label->setFont(FParaFont);
  PlaceLabels();
}

void TVDXMonitorInfoPanel::SetInfoFont(const QFont& Font) {
  FInfoFont = Font;
  FInfo->setFont(FInfoFont);
  PlaceLabels();
}

void TVDXMonitorInfoPanel::SetParaWidth(int Width) {
  FParaWidth = Width;
  PlaceLabels();
}

void TVDXMonitorInfoPanel::SetPUnitWidth(int Width) {
  FPUnitWidth = Width;
  PlaceLabels();
}

void TVDXMonitorInfoPanel::resizeEvent(QResizeEvent* Event) {
  QFrame::resizeEvent(Event);
  PlaceLabels();
}

void TVDXMonitorInfoPanel::PlaceLabels() {
  const QRect Area = contentsRect();
  const int InfoHeight = FInfo->fontMetrics().height();
  FInfo->setGeometry(Area.left(), Area.bottom() + 1 - InfoHeight, Area.width(), InfoHeight);
  const int Top = Area.top();
  const int Height = Area.height() - InfoHeight;
  FPara->setGeometry(Area.left(), Top, FParaWidth, Height);
  FPUnit->setGeometry(Area.right() + 1 - FPUnitWidth, Top, FPUnitWidth, Height);
  FData->setGeometry(Area.left() + FParaWidth, Top,
                     std::max(0, Area.width() - FParaWidth - FPUnitWidth), Height);
}

}  // namespace vdx::ui
