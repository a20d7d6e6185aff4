#include "live/ui/VDXMonitor.h"

#include <QLayout>
#include <QVBoxLayout>

#include "comm/ModCommandLists.h"
#include "comm/ProcessSamples.h"

namespace vdx::ui {

TVDXMonitor::TVDXMonitor(QWidget* Owner)
    : FOwner(Owner),
      FMonProcessData(std::make_unique<TModProcessData>()),
      FMonitorForm(new TMonitorForm) {}

TVDXMonitor::~TVDXMonitor() { delete FMonitorForm.data(); }

void TVDXMonitor::SetParent(QWidget* P) {
  FParent = P;
  if (!FMonitorForm) return;
  TMonitorForm* Form = FMonitorForm;
  if (P) {
    Form->setParent(P, Qt::Widget);
    QLayout* Layout = P->layout();
    if (!Layout) {
      Layout = new QVBoxLayout(P);
      Layout->setContentsMargins(0, 0, 0, 0);
    }
    Layout->addWidget(Form);
    return;
  }
  Form->setParent(nullptr, Qt::Dialog);
  if (FOwner) {
    QRect Frame = Form->frameGeometry();
    Frame.moveCenter(FOwner->frameGeometry().center());
    Form->move(Frame.topLeft());
  }
}

void TVDXMonitor::SetVisibleParamKind(TVisibleParamKind Value) {
  if (Value == FVisibleParamKind) return;
  FVisibleParamKind = Value;
  Rebuild();
}

void TVDXMonitor::SetVisibleParamCnt(int Value) {
  if (Value == FVisibleParamCnt) return;
  FVisibleParamCnt = Value;
  Rebuild();
}

void TVDXMonitor::Rebuild() {
  if (FMonitorForm)
    FMonitorForm->BuildRows(FMonProcessData.get(), FVisibleParamKind, FVisibleParamCnt);
}

void TVDXMonitor::SetProcessData(const TModProcessData* List) {
  if (!List) return;
  List->CopyTo(*FMonProcessData);
  Rebuild();
}

void TVDXMonitor::SetStatusInfo(const TModStatusInfoData* List) {
  if (OnStatusInfoStrucInit && List) OnStatusInfoStrucInit(*this, *List);
}

void TVDXMonitor::NewProcData(const TASCIIProcDataObj& Sample) {
  if (TModProcCommand* Cmd = FMonProcessData->Items(Sample.Index)) Cmd->Value = Sample.Value;
  if (FMonitorForm) FMonitorForm->RefreshRows();
}

void TVDXMonitor::DoNewStatusInfo(uint16_t Mask) {
  if (OnNewStatusInfo) OnNewStatusInfo(*this, Mask);
}

void TVDXMonitor::ShowMonitor() {
  if (!FMonitorForm) return;
  if (FParent) {
    FMonitorForm->setAutoFillBackground(false);
    FMonitorForm->Panel2()->hide();
  }
  FMonitorForm->show();
}

}  // namespace vdx::ui
