// The monitor: keeps its own copy of the module's process values, shows them in the rows of
// its display form and relays the module's status bits and status mask to the main window.
#pragma once

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>

#include "comm/ModViews.h"
#include "live/ui/MonitorForm.h"

namespace vdx {
class TModProcessData;
class TModStatusInfoData;
}  // namespace vdx

namespace vdx::ui {

class TVDXMonitor : public QObject, public IMonitorView {
 public:
  // Owner: the window the form is centred on when it is a dialog.
  explicit TVDXMonitor(QWidget* Owner = nullptr);
  ~TVDXMonitor() override;

  // The control that hosts the rows; none shows them in a dialog window.
  QWidget* Parent() const { return FParent; }
  void SetParent(QWidget* P);
  TVisibleParamKind VisibleParamKind() const { return FVisibleParamKind; }
  void SetVisibleParamKind(TVisibleParamKind Value);
  int VisibleParamCnt() const { return FVisibleParamCnt; }
  void SetVisibleParamCnt(int Value);

  // The module's status bit list is known (after each identification).
  std::function<void(TVDXMonitor& Sender, const TModStatusInfoData& StatusStruc)>
      OnStatusInfoStrucInit;
  // A new status mask arrived (each monitor polling cycle).
  std::function<void(TVDXMonitor& Sender, uint16_t Status)> OnNewStatusInfo;

  void SetProcessData(const TModProcessData* List) override;
  void SetStatusInfo(const TModStatusInfoData* List) override;
  void NewProcData(const TASCIIProcDataObj& Sample) override;
  void DoNewStatusInfo(uint16_t Mask) override;
  // Shows the display form; embedded, it takes its parent's background and hides its OK strip.
  void ShowMonitor();

  // The display form; none once it was destroyed with its parent.
  TMonitorForm* MonitorForm() const { return FMonitorForm; }
  const TModProcessData& ProcessData() const { return *FMonProcessData; }

 private:
  void Rebuild();

  QWidget* FOwner;
  QPointer<QWidget> FParent;
  TVisibleParamKind FVisibleParamKind = vpDefault;
  int FVisibleParamCnt = 4;
  std::unique_ptr<TModProcessData> FMonProcessData;
  QPointer<TMonitorForm> FMonitorForm;
};

}  // namespace vdx::ui
