// "Options": the one place where the user changes the tool's settings. The dialog also holds
// the typed settings the rest of the tool reads; OK writes the controls' values, Cancel nothing.
#pragma once

#include <QDialog>

#include "app/ApplInfo.h"
#include "app/ApplIni.h"
#include "app/ToolSettings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QPushButton;

namespace vdx::ui {

class TColorPicker;
class TRadioGroup;

// The dialog's controls, named as the settings they edit.
struct TOptionsControls {
  QTabWidget* PCtrlOptions = nullptr;
  // "Interface"
  QLabel* LabPort = nullptr;
  QComboBox* CBPort = nullptr;
  TRadioGroup* RGrpTransferMode = nullptr;  // "Full-Duplex", "Half-Duplex (19200 Baud)"
  TRadioGroup* RGrpBROptions = nullptr;     // "Fix baudrate", "Auto baudrate detection"
  QStackedWidget* NBBROptions = nullptr;    // page 0 "FixBR", page 1 "AutoBRDetection"
  QLabel* LabFixBR = nullptr;
  QComboBox* CBoxFixBR = nullptr;
  QCheckBox* CBAutoSetBR = nullptr;
  QLabel* LabHighBR = nullptr;
  QComboBox* CBoxHighBR = nullptr;
  QSpinBox* DelayOnFirmwareUpdateEdit = nullptr;
  // "Oscilloscope"
  TColorPicker* CBoxDspColor = nullptr;
  TColorPicker* CBoxGridColor = nullptr;
  QComboBox* CBoxSigLineWidth = nullptr;
  TColorPicker* CBoxChaColor[4] = {};
  // "Monitor"
  TRadioGroup* RGVisibleParaKind = nullptr;  // "Default (4)", "Custom", "Max (all parameter)"
  QComboBox* CBoxVisParCnt = nullptr;
  // "X.A.VO."
  QCheckBox* CBoxShowCmdGrp = nullptr;
  QCheckBox* CBoxEnableVDXFileViewer = nullptr;
  QCheckBox* CBoxFWUpdateViaTerminal = nullptr;
  QCheckBox* CBoxEnableShortFirmwareUpdate = nullptr;
  QCheckBox* CBoxULimLLimManually = nullptr;
  // "Table Input": never shown
  QCheckBox* CBoxShowDecimals = nullptr;
  QCheckBox* CBoxAinCommandUI = nullptr;
  QPushButton* BBtnOK = nullptr;
  QPushButton* BBtnCancel = nullptr;
};

class TVDXToolOptionsDlg : public QDialog {
 public:
  // Tab indexes.
  enum { tabInterface = 0, tabScope, tabMonitor, tabXavo, tabTableInput };

  explicit TVDXToolOptionsDlg(QWidget* Parent = nullptr);

  // The settings file and the source of the port list, handed over by the main window at its
  // first show; until then the settings give their in-memory values and no port is listed.
  void SetApplIni(TApplIni* Ini) { FSettings.SetIni(Ini); }
  void SetApplInfo(TApplInfo* Info) { FApplInfo = Info; }
  // Every setting of the tool: getters read the settings file, setters write it at once.
  TToolSettings& Settings() { return FSettings; }
  const TToolSettings& Settings() const { return FSettings; }

  // Port, transfer mode and baud rates may be changed (the port is closed and no classic
  // firmware update runs); set by the main window.
  bool PortSettingsEnabled() const { return FPortSettingsEnabled; }
  void SetPortSettingsEnabled(bool Value) { FPortSettingsEnabled = Value; }
  // The maker tab "X.A.VO." is shown and its options are written.
  bool MakerTabVisible() const { return FMakerTabVisible; }
  void SetMakerTabVisible(bool Value) { FMakerTabVisible = Value; }

  // Loads the controls and runs the dialog; only OK writes the settings (a failed write
  // throws TApplIniWriteError and leaves the remaining keys unwritten). True on OK.
  bool Execute();
  void LoadControls();
  void SaveControls();

  const TOptionsControls& Controls() const { return FC; }

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  QWidget* BuildInterfaceTab();
  QWidget* BuildScopeTab();
  QWidget* BuildMonitorTab();
  QWidget* BuildXavoTab();
  QWidget* BuildTableInputTab();
  void FillPortBox();
  // Enabling of the baud-rate controls for the selected transfer mode.
  void TransferModeClicked();
  void AutoSetBRClicked();

  TToolSettings FSettings;
  TApplInfo* FApplInfo = nullptr;
  bool FPortSettingsEnabled = true;
  bool FMakerTabVisible = false;
  TOptionsControls FC;
};

}  // namespace vdx::ui
