// The main window: the whole user interface of the tool and the owner of every long-lived
// object (protocol component, settings file, application information, dialogs). It builds
// the tool bars, the page set, the menus and the status bar, runs the connect, identify and
// page-switching flows and answers the protocol component's events.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "app/ApplInfo.h"
#include "app/ApplIni.h"
#include "app/ui/FileDialogs.h"
#include "app/ui/MainPages.h"
#include "app/ui/StatusPanels.h"
#include "comm/ModCommProt.h"
#include "live/ScopeRecorder.h"
#include "live/ScopeCursors.h"

class QAction;
class QComboBox;
class QPrinter;
class QMenu;
class QToolBar;
class QToolButton;

namespace vdx::ui {

class TAboutBox;
class TApplOptions;
class TPasswordDlg;
class TVDXParamList;
class TVDXMonitor;
class TRemoteCtrlPanel;
class TVDXToolOptionsDlg;
class TVDXScope;
class TScopeCursorDlg;
class TSaveScopeDataDlg;
class TWebBrowserDlg;
class TVDXPTerminal;
class TTerminalRxNotifier;
class TFWUpdateDlg;
enum class TGlyph;
struct TScopePrintoutTexts;

struct TMainActions {
  QAction* ConnectAct = nullptr;        // Ctrl+A
  QAction* IdentifyAct = nullptr;       // Ctrl+I
  QAction* ShowParamlistAct = nullptr;  // Ctrl+L
  QAction* ShowMonitorAct = nullptr;    // Ctrl+M
  QAction* ShowScopeAct = nullptr;      // Ctrl+Q
  QAction* ShowTerminalAct = nullptr;   // Ctrl+T
  // The next four and SettingsAct leave their keys to the menu items that run them.
  QAction* ClearTerminalAct = nullptr;
  QAction* OpenTerminalAct = nullptr;
  QAction* SaveTerminalAct = nullptr;
  QAction* PrintAct = nullptr;
  QAction* PasswordAct = nullptr;  // Ctrl+E
  QAction* SettingsAct = nullptr;
};

struct TToolButtons {
  QComboBox* CBoxPortSel = nullptr;
  QToolButton* SBtnConnect = nullptr;
  QToolButton* SBIdentify = nullptr;
  QToolButton* SBtnParamList = nullptr;
  QToolButton* SBtnMonitor = nullptr;
  QToolButton* SBtnScope = nullptr;
  QToolButton* SBtnTerminal = nullptr;
  QToolButton* SBtnClearTerminal = nullptr;
  QToolButton* SBtnOpenTerminal = nullptr;
  QToolButton* SBtnSaveTerminal = nullptr;
  QToolButton* SBtnPrint = nullptr;
  QToolButton* SBtnSettings = nullptr;
  QToolButton* SBtnPassword = nullptr;
};

struct TMainMenus {
  QMenu* File = nullptr;
  QAction* MMINew = nullptr;
  QAction* MMIOpen = nullptr;
  QAction* MMISave = nullptr;
  QAction* MMISaveAs = nullptr;
  QAction* MMILoadOfflineCmdList = nullptr;
  QAction* MMISaveCmdList = nullptr;
  QAction* MMIViewVDXFile = nullptr;
  QAction* MMICompareFile = nullptr;
  QAction* MMIPrint = nullptr;
  QAction* MMIExportReport = nullptr;
  QAction* MMIExit = nullptr;
  QMenu* Edit = nullptr;
  QAction* MMICut = nullptr;
  QAction* MMICopy = nullptr;
  QAction* MMIPaste = nullptr;
  QMenu* Options = nullptr;
  QAction* MMISettings = nullptr;
  QAction* MMIClassicSeparator = nullptr;
  QAction* MMIEnableFWUpdate = nullptr;
  QAction* MMISendFirmware = nullptr;
  QAction* MMIFirmwareUpdate = nullptr;
  QMenu* Help = nullptr;
  QAction* MMIManual = nullptr;
  QAction* MMIAbout = nullptr;
};

class TVDXMainForm : public QMainWindow {
 public:
  // The manual beside the executable.
  static constexpr const char* kManualFile = "KORVA 20 3.6 rev2 QMT.pdf";

  explicit TVDXMainForm(QWidget* Parent = nullptr);
  ~TVDXMainForm() override;

  TVDXModCommProt& ModProt() { return *FModProt; }
  TApplIni& ApplIni() { return *FApplIni; }
  TApplInfo& ApplInfo() { return *FApplInfo; }
  TVDXToolOptionsDlg& OptionsDlg() { return *FOptionsDlg; }
  TApplOptions& ApplOptions() { return *FApplOptions; }
  TVDXParamList& ParamList() { return *FParamList; }
  TVDXScope& Scope() { return *FScope; }
  // The oscilloscope printout of page "Scope" on Printer.
  void PrintScopeDisplay(QPrinter& Printer);
  TScopeCursorDlg& ScopeCursorDlg() { return *FScopeCursorDlg; }
  TSaveScopeDataDlg& SaveScopeDataDlg() { return *FSaveScopeDataDlg; }
  QAction* ScopeCursorItem() const { return PMIScopeCursor; }
  QAction* CopyScopeDisplayItem() const { return PMICopyScopeDsp; }
  TVDXMonitor& Monitor() { return *FMonitor; }
  TRemoteCtrlPanel& RemoteCtrl() { return *FPages.RemoteCtrlPanel; }

  const TMainActions& Actions() const { return FActions; }
  const TToolButtons& Buttons() const { return FButtons; }
  const TMainMenus& Menus() const { return FMenus; }
  const TMainPages& Pages() const { return FPages; }
  QString StatusText(TStatusPanel Panel) const { return FStatus->Text(Panel); }
  TMainPage CurrentPage() const;
  // The connect button's state: set by a successful connect, cleared by a disconnect, a
  // failed connect and a new port.
  bool Connected() const { return FConnected; }
  TVDXPTerminal& Terminal() { return *FVDXPTerminal; }
  TFWUpdateDlg& FWUpdateDlg() { return *FFWUpdateDlg; }
  // The file last loaded into the terminal; empty when none.
  const QString& TerminalFile() const { return FTerminalFile; }
  // The terminal's receive notifier is on: received bytes go to the terminal.
  bool TerminalRxEnabled() const;
  // The terminal's text as one print job.
  bool PrintTerminal(QPrinter& Printer);

  // Selects a port of the port box for this run (a demo module, say) without storing it in
  // the settings. False when the box does not list it.
  bool PreselectPort(const QString& Name);
  // Folder (with trailing '/') where the manual and ".rdd" files are looked for; the
  // executable's folder unless changed.
  const std::string& ToolFolder() const { return FToolFolder; }
  void SetToolFolder(const std::string& Folder) { FToolFolder = Folder; }

  // The window's first rectangle on a screen work area: at most 1024 x 768, centred when the
  // work area is at least 768 high, else at the top left corner.
  static QRect InitialGeometry(const QRect& WorkArea);

 protected:
  void showEvent(QShowEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;
  // The application-wide key pre-view: the space bar resumes stopped polling.
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  // --- Layout (MainFormLayout.cpp)
  void BuildActions();
  void BuildToolBars();
  void BuildMenus();
  void ConnectHandlers();
  QToolButton* NewToolButton(QToolBar* Bar, const char* Name, QAction* Action, TGlyph Glyph,
                             int Width = 28);

  // --- Start-up and options (MainForm.cpp)
  void FirstShow();
  void ApplyBrandInfo();
  void ApplyLinkOptions();
  void ApplyMenuOptions();
  void ApplyAinUnitLetters();
  // The monitor's visible rows from the settings.
  void ApplyMonitorOptions();
  // The grid's display options from the settings.
  void ApplyGridOptions();
  // The application option "Xavo" shows the options dialog's maker tab.
  void ApplOptOptionStateChanged(TApplOptions& Sender, const QString& Name, int Index);
  void SettingsActExecute();
  void MMISettingsClick();
  void PasswordActExecute();
  // The password dialog's check: the module decides; the values are read again in any case.
  void PasswordDlgPasswordCheckReq(const QString& Password, bool& CheckOk);
  void ShowManual();
  void ShowAbout();
  void PrintActExecute();

  // --- Commissioning report (MainFormReport.cpp)
  void MMIExportReportClick();
  // The oscilloscope printout's texts: heading with the date, module, vertical ranges.
  TScopePrintoutTexts ScopePrintoutTexts() const;

  // --- Link, identify and pages (MainFormLink.cpp)
  void ConnectActExecute();
  void ReportOpenFailure();
  void SetConnectState(bool Open);
  void CBoxPortSelDropDown();
  void CBoxPortSelChange();
  // Takes the selected port (Remember: store it in the settings) and the link options.
  void ApplyPortSelection(bool Remember);
  void IdentifyActExecute();
  void SelectPage(TMainPage Page);
  void ShowMonitorActExecute();
  void ShowScopeActExecute();
  void ShowParamlistActExecute();
  void NbMainPageChanged();
  void StartScopeSampling();
  void StopScopeSampling(bool WaitForRound);

  // --- Oscilloscope controls, cursors, recording and printout (MainFormScope.cpp)
  void BuildScope();
  void ApplyScopeOptions();
  // Page "Scope" left or shown: Start and Stop buttons, cursor readouts.
  void ScopePageChanged(TMainPage Page);
  void VDXScopeProcessDataChanged(const std::vector<std::string>& ProcessPara);
  void CBChCustSignalDropDown();
  void CBChCustSignalChange(int Channel);
  void CBChCustScaleChange(int Channel, bool Upper);
  void CBCustTimeScaleChange();
  void BtnStartClick();
  void BtnStopClick();
  void SaveToFileButtonClick();
  void PMIScopeCursorClick();
  void PMICopyScopeDspClick();
  void RefreshCursorInfo(bool Show);
  void ShowCursorInfo(const TCursorInfo& Info, bool Show);
  void SendTerminalCarriageReturn();
  void UpdateFileMenu();
  void SetTerminalControlsEnabled(bool Enabled);
  void SetConnectGlyph(bool Open);
  bool ClassicFirmwareMode() const;

  // --- Module commands, parameter files, protocol events (MainFormFiles.cpp)
  void BtnSaveClick();
  void BtnDefaultClick();
  void BtnLoadBackClick();
  void BBtnUploadClick();
  void BBtnDownloadClick();
  void MMILoadOfflineCmdListClick();
  void MMISaveCmdListClick();
  void MMIViewVDXFileClick();
  void VDXModProtInfoMsg(TVDXCommProtMsgKind MsgKind, int& Result);
  void VDXModProtModIdSelRequest(const std::vector<std::string>& IdList, int& SelIdx);
  void VDXModProtParaDownloadError(const std::vector<std::string>& CmdErrList);
  void VDXModProtReadoutError(const std::string& ModID, std::vector<std::string>& ExtCmdList);
  // Starting folder of the parameter file dialogs, and remembering the last one used.
  QString ParaFileFolder() const;
  // A dialog for a ".par" or ".vdx" parameter file in that folder, ".vdx" preselected.
  TFileDialogRequest ParaFileRequest(TFileDialogRequest::TKind Kind) const;
  void StoreParaFileFolder(const QString& FileName);

  // --- Comparing the module's parameters with a file (MainFormCompare.cpp)
  void MMICompareFileClick();

  // --- Terminal and firmware update (MainFormTerminal.cpp)
  void SetupTerminal();
  // Unlinks the terminal and its notifier before the protocol component goes.
  void ReleaseTerminal();
  // The receive notifier follows the operating mode, the port and the firmware update.
  void UpdateTerminalRx();
  void ClearTerminalActExecute();
  void OpenTerminalActExecute();
  void SaveTerminalActExecute();
  void SaveTerminalAs();
  void WriteTerminalFile(const QString& FileName);
  void SetFirmwareUpdateState(bool On, bool ShowTerminal, bool StatusText);
  void MMIFWUAssClick();
  void MMIFirmwareUpdClick();
  void MMISendFirmwareClick();

  std::unique_ptr<TApplIni> FApplIni;
  std::unique_ptr<TApplInfo> FApplInfo;
  std::unique_ptr<TVDXModCommProt> FModProt;
  // The parameter grid on page "Parameter", linked to the protocol component.
  std::unique_ptr<TVDXParamList> FParamList;
  // The monitor in the panel of page "Monitor", linked to the protocol component.
  std::unique_ptr<TVDXMonitor> FMonitor;
  std::unique_ptr<TPasswordDlg> FPasswordDlg;
  std::unique_ptr<TApplOptions> FApplOptions;
  std::unique_ptr<TAboutBox> FAboutBox;
  // Dialogs and windows, parented to the main window.
  TVDXToolOptionsDlg* FOptionsDlg = nullptr;
  TWebBrowserDlg* FWebBrowserDlg = nullptr;
  TFWUpdateDlg* FFWUpdateDlg = nullptr;
  // The terminal on page "Terminal" and the notifier that feeds it.
  std::unique_ptr<TVDXPTerminal> FVDXPTerminal;
  std::unique_ptr<TTerminalRxNotifier> FTerminalRx;
  QString FTerminalFile;

  TMainActions FActions;
  TToolButtons FButtons;
  TMainMenus FMenus;
  TMainPages FPages;
  std::unique_ptr<TStatusPanels> FStatus;

  std::string FToolFolder;
  QString FLastDownloadFile;
  bool FFirstShow = true;
  bool FConnected = false;
  // The oscilloscope on page "Scope", its dialogs and its recording file.
  std::unique_ptr<TVDXScope> FScope;
  TScopeCursorDlg* FScopeCursorDlg = nullptr;
  TSaveScopeDataDlg* FSaveScopeDataDlg = nullptr;
  TScopeRecorder FRecorder;
  QAction* PMIScopeCursor = nullptr;
  QAction* PMICopyScopeDsp = nullptr;
  QStringList FProcessNames;
};

}  // namespace vdx::ui
