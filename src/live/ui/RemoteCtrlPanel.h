// The group "Remote Control / Status Info" of page "Monitor": the remote-control switch, the
// module's analogue inputs driven through a track bar, its digital inputs as check boxes, and
// its sixteen status bits as labelled lamps. Each module access is one blocking exchange.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;

namespace vdx {
class TVDXModCommProt;
class TModStatusInfoData;
}  // namespace vdx

namespace vdx::ui {

class TLabeledEdit;
class TNamedLed;
class TTrackBar;

class TRemoteCtrlPanel : public QWidget {
 public:
  explicit TRemoteCtrlPanel(QWidget* Parent = nullptr);

  void SetModProt(TVDXModCommProt* ModProt) { FModProt = ModProt; }

  // Lamps from the module's status bit list (after each identification).
  void VDXMonitorStatusInfoStrucInit(const TModStatusInfoData& StatusStruc);
  // Lamp I lit when bit I of Status is set.
  void VDXMonitorNewStatusInfo(uint16_t Status);
  // Box B checked when bit B of State is set.
  void VDXModProtDigitalInputStateInfo(uint8_t State);
  // The analogue input edits from the module's remote-controlled inputs.
  void PrepareAnalogInputs();
  // The controls from the module's remote-control state; nothing changes when it does not
  // answer.
  void RefreshRemoteControl();

  // The user's actions.
  void CBoxRemoteCtrlEnableClick();
  void CBoxDigitalIOClick(QCheckBox* Box);
  void LEditAnaInputsDlbClick(TLabeledEdit* Edit);
  void TBarAnaInputsChange();
  void GBoxAnaInputsExit();

  QCheckBox* CBoxRemoteCtrlEnable() const { return FCBoxRemoteCtrlEnable; }
  QGroupBox* GBoxAnaInputs() const { return FGBoxAnaInputs; }
  TTrackBar* TBarAnaInputs() const { return FTBarAnaInputs; }
  QLabel* LabelTBarMin() const { return FLabelTBarMin; }
  QLabel* LabelTBarMax() const { return FLabelTBarMax; }
  const std::array<TNamedLed*, 16>& StatusLeds() const { return FStatusLeds; }
  const std::array<QCheckBox*, 8>& DigitalInputBoxes() const { return FDigitalInputBoxes; }
  const std::array<TLabeledEdit*, 5>& AnalogInputEdits() const { return FAnalogInputEdits; }
  TLabeledEdit* SelectedInput() const { return FSelectedInput; }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  QGroupBox* BuildAnalogInputs();
  QGroupBox* BuildDigitalInputs();
  QGroupBox* BuildStatusInfo();
  void SelectInput(TLabeledEdit* Edit);
  void CommitSelectedInput();
  // Keys of an analogue input edit; true when the key is discarded.
  bool AnaInputKey(TLabeledEdit* Edit, QKeyEvent* Key);
  void SetSelectedLook(TLabeledEdit* Edit, bool Selected);
  void FocusChanged(QWidget* Old, QWidget* Now);

  TVDXModCommProt* FModProt = nullptr;
  QCheckBox* FCBoxRemoteCtrlEnable;
  QGroupBox* FGBoxAnaInputs = nullptr;
  TTrackBar* FTBarAnaInputs = nullptr;
  QLabel* FLabelTBarMin = nullptr;
  QLabel* FLabelTBarMax = nullptr;
  std::array<TNamedLed*, 16> FStatusLeds{};
  std::array<QCheckBox*, 8> FDigitalInputBoxes{};
  std::array<TLabeledEdit*, 5> FAnalogInputEdits{};
  TLabeledEdit* FSelectedInput = nullptr;
};

}  // namespace vdx::ui
