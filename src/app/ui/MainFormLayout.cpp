// The main window's actions, tool bars and menus, and the wiring of their handlers.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "app/ui/DropDownComboBox.h"
#include "app/ui/ErrorGuard.h"
#include "app/ui/Glyphs.h"
#include "app/ui/MainForm.h"
#include "live/ui/RemoteCtrlPanel.h"
#include "live/ui/VDXMonitor.h"

namespace vdx::ui {

namespace {

QAction* NewAction(QObject* Owner, const QString& Text, const QString& Hint,
                   const QKeySequence& Key = QKeySequence()) {
  auto* Action = new QAction(Text, Owner);
  Action->setToolTip(Hint);
  Action->setShortcut(Key);
  return Action;
}

}  // namespace

void TVDXMainForm::BuildActions() {
  auto& A = FActions;
  A.ConnectAct = NewAction(this, "Connect", "Connect", QKeySequence(Qt::CTRL | Qt::Key_A));
  A.ConnectAct->setIcon(GlyphIcon(TGlyph::Disconnected));
  A.IdentifyAct = NewAction(this, "Identify", "Identify", QKeySequence(Qt::CTRL | Qt::Key_I));
  A.IdentifyAct->setIcon(GlyphIcon(TGlyph::Identify));
  A.ShowParamlistAct =
      NewAction(this, "Parameterlist", "Parameterlist", QKeySequence(Qt::CTRL | Qt::Key_L));
  A.ShowParamlistAct->setIcon(GlyphIcon(TGlyph::ParamList));
  A.ShowMonitorAct = NewAction(this, "Monitor", "Monitor", QKeySequence(Qt::CTRL | Qt::Key_M));
  A.ShowMonitorAct->setIcon(GlyphIcon(TGlyph::Monitor));
  A.ShowScopeAct =
      NewAction(this, "Oscilloscope", "Oscilloscope", QKeySequence(Qt::CTRL | Qt::Key_Q));
  A.ShowScopeAct->setIcon(GlyphIcon(TGlyph::Scope));
  A.ShowTerminalAct = NewAction(this, "Terminal", "Terminal", QKeySequence(Qt::CTRL | Qt::Key_T));
  A.ShowTerminalAct->setIcon(GlyphIcon(TGlyph::Terminal));
  // Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+P and Ctrl+G belong to the menu items that run these.
  A.ClearTerminalAct = NewAction(this, "Clear Terminal", "Clear Terminal");
  A.ClearTerminalAct->setIcon(GlyphIcon(TGlyph::ClearTerminal));
  A.OpenTerminalAct = NewAction(this, "Open terminal file", "Open terminal file");
  A.OpenTerminalAct->setIcon(GlyphIcon(TGlyph::OpenTerminal));
  A.SaveTerminalAct = NewAction(this, "Save terminal window", "Save terminal window");
  A.SaveTerminalAct->setIcon(GlyphIcon(TGlyph::SaveTerminal));
  A.PrintAct = NewAction(this, "Print", "Print");
  A.PrintAct->setIcon(GlyphIcon(TGlyph::Print));
  A.PasswordAct =
      NewAction(this, "Enter Password", "Enter Password", QKeySequence(Qt::CTRL | Qt::Key_E));
  A.PasswordAct->setIcon(GlyphIcon(TGlyph::Password));
  A.SettingsAct = NewAction(this, "Settings", "Settings");
  A.SettingsAct->setIcon(GlyphIcon(TGlyph::Settings));
  // The keys work wherever the focus is in the window.
  addActions({A.ConnectAct, A.IdentifyAct, A.ShowParamlistAct, A.ShowMonitorAct, A.ShowScopeAct,
              A.ShowTerminalAct, A.PasswordAct});
}

QToolButton* TVDXMainForm::NewToolButton(QToolBar* Bar, const char* Name, QAction* Action,
                                         TGlyph Glyph, int Width) {
  auto* Button = new QToolButton(Bar);
  Button->setObjectName(QString::fromLatin1(Name));
  Button->setIcon(GlyphIcon(Glyph));
  Button->setIconSize(QSize(20, 20));
  Button->setFixedSize(Width, 28);
  Button->setAutoRaise(true);
  Button->setToolTip(Action->toolTip());
  // The buttons are enabled on their own; the action behind them stays available to its key.
  connect(Button, &QToolButton::clicked, Action, &QAction::trigger);
  Bar->addWidget(Button);
  return Button;
}

void TVDXMainForm::BuildToolBars() {
  auto NewBar = [this](const char* Name) {
    auto* Bar = new QToolBar(QString::fromLatin1(Name), this);
    Bar->setObjectName(QString::fromLatin1(Name));
    Bar->setIconSize(QSize(20, 20));
    addToolBar(Qt::TopToolBarArea, Bar);
    return Bar;
  };
  auto& A = FActions;
  auto& B = FButtons;

  QToolBar* Bar1 = NewBar("ToolBar1");
  auto* PortBox = new TDropDownComboBox(Bar1);
  PortBox->setObjectName(QStringLiteral("CBoxPortSel"));
  PortBox->setFixedWidth(96);
  PortBox->OnDropDown = [this] { RunGuarded([this] { CBoxPortSelDropDown(); }); };
  B.CBoxPortSel = PortBox;
  Bar1->addWidget(PortBox);
  Bar1->addSeparator();
  B.SBtnConnect = NewToolButton(Bar1, "SBtnConnect", A.ConnectAct, TGlyph::Disconnected);
  B.SBIdentify = NewToolButton(Bar1, "SBIdentify", A.IdentifyAct, TGlyph::Identify);

  QToolBar* Bar5 = NewBar("ToolBar5");
  B.SBtnParamList = NewToolButton(Bar5, "SBtnParamList", A.ShowParamlistAct, TGlyph::ParamList, 30);
  B.SBtnParamList->setToolTip(QStringLiteral("Parameter list"));
  B.SBtnMonitor = NewToolButton(Bar5, "SBtnMonitor", A.ShowMonitorAct, TGlyph::Monitor);
  B.SBtnScope = NewToolButton(Bar5, "SBtnScope", A.ShowScopeAct, TGlyph::Scope);
  B.SBtnTerminal = NewToolButton(Bar5, "SBtnTerminal", A.ShowTerminalAct, TGlyph::Terminal);

  QToolBar* Bar2 = NewBar("ToolBar2");
  B.SBtnClearTerminal =
      NewToolButton(Bar2, "SBtnClearTerminal", A.ClearTerminalAct, TGlyph::ClearTerminal);
  B.SBtnOpenTerminal =
      NewToolButton(Bar2, "SBtnOpenTerminal", A.OpenTerminalAct, TGlyph::OpenTerminal);
  B.SBtnSaveTerminal =
      NewToolButton(Bar2, "SBtnSaveTerminal", A.SaveTerminalAct, TGlyph::SaveTerminal);

  B.SBtnPrint = NewToolButton(NewBar("ToolBar4"), "SBtnPrint", A.PrintAct, TGlyph::Print);
  B.SBtnSettings =
      NewToolButton(NewBar("ToolBar3"), "SBtnSettings", A.SettingsAct, TGlyph::Settings);
  B.SBtnPassword =
      NewToolButton(NewBar("ToolBar6"), "SBtnPassword", A.PasswordAct, TGlyph::Password);
  // This button follows its action, which is what the window enables.
  connect(A.PasswordAct, &QAction::changed, B.SBtnPassword,
          [this] { FButtons.SBtnPassword->setEnabled(FActions.PasswordAct->isEnabled()); });
}

void TVDXMainForm::BuildMenus() {
  auto& M = FMenus;
  auto Item = [](QMenu* Menu, const char* Name, const QString& Text,
                 const QKeySequence& Key = QKeySequence()) {
    QAction* Action = Menu->addAction(Text);
    Action->setObjectName(QString::fromLatin1(Name));
    Action->setShortcut(Key);
    return Action;
  };
  auto NewMenu = [this](const char* Name, const QString& Title) {
    QMenu* Menu = menuBar()->addMenu(Title);
    Menu->setObjectName(QString::fromLatin1(Name));
    return Menu;
  };

  M.File = NewMenu("MMFile", "File");
  M.MMINew = Item(M.File, "MMINew", "&New", QKeySequence(Qt::CTRL | Qt::Key_N));
  M.MMIOpen = Item(M.File, "MMIOpen", "O&pen", QKeySequence(Qt::CTRL | Qt::Key_O));
  M.MMISave = Item(M.File, "MMISave", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S));
  M.MMISaveAs = Item(M.File, "MMISaveAs", "Save as...");
  M.File->addSeparator();
  M.MMILoadOfflineCmdList = Item(M.File, "MMILoadOfflineCmdList", "Load Offline Data");
  M.MMISaveCmdList = Item(M.File, "MMISaveCmdList", "Save Offline Data");
  M.MMIViewVDXFile = Item(M.File, "MMIViewVDXFile", "View VDX File");
  M.MMICompareFile = Item(M.File, "MMICompareFile", "Compare with File...");
  M.File->addSeparator();
  M.MMIPrint = Item(M.File, "MMIPrint", "&Print...", QKeySequence(Qt::CTRL | Qt::Key_P));
  M.MMIExportReport = Item(M.File, "MMIExportReport", "Export Report (PDF)...");
  M.MMIExit = Item(M.File, "MMIExit", "E&xit");

  M.Edit = NewMenu("MMEdit", "Edit");
  M.MMICut = Item(M.Edit, "MMICut", "Cut", QKeySequence(Qt::CTRL | Qt::Key_X));
  M.MMICopy = Item(M.Edit, "MMICopy", "Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
  M.MMIPaste = Item(M.Edit, "MMIPaste", "Paste", QKeySequence(Qt::CTRL | Qt::Key_V));

  M.Options = NewMenu("MMOptions", "Options");
  M.MMISettings = Item(M.Options, "MMISettings", "Settings", QKeySequence(Qt::CTRL | Qt::Key_G));
  M.MMIClassicSeparator = M.Options->addSeparator();
  M.MMIEnableFWUpdate = Item(M.Options, "MMIEnableFWUpdate", "Enable Firmware Update (classic)");
  M.MMIEnableFWUpdate->setCheckable(true);
  M.MMISendFirmware = Item(M.Options, "MMISendFirmware", "Send Firmware (classic)");
  M.Options->addSeparator();
  M.MMIFirmwareUpdate = Item(M.Options, "MMIFirmwareUpdate", "Firmware Update");

  M.Help = NewMenu("MMHelp", "Help");
  M.MMIManual = Item(M.Help, "MMIManual", "Manual 3.6");
  M.Help->addSeparator();
  M.MMIAbout = Item(M.Help, "MMIAbout", "About...");
}

void TVDXMainForm::ConnectHandlers() {
  // Every handler runs under the general error handler.
  auto On = [this](QAction* Action, void (TVDXMainForm::*Handler)()) {
    connect(Action, &QAction::triggered, this,
            [this, Handler] { RunGuarded([&] { (this->*Handler)(); }); });
  };
  auto OnClick = [this](QPushButton* Button, void (TVDXMainForm::*Handler)()) {
    connect(Button, &QPushButton::clicked, this,
            [this, Handler] { RunGuarded([&] { (this->*Handler)(); }); });
  };
  auto Runs = [this](QAction* Item, QAction* Action) {
    connect(Item, &QAction::triggered, Action, &QAction::trigger);
  };
  auto& A = FActions;
  auto& M = FMenus;

  On(A.ConnectAct, &TVDXMainForm::ConnectActExecute);
  On(A.IdentifyAct, &TVDXMainForm::IdentifyActExecute);
  On(A.ShowParamlistAct, &TVDXMainForm::ShowParamlistActExecute);
  On(A.ShowMonitorAct, &TVDXMainForm::ShowMonitorActExecute);
  On(A.ShowScopeAct, &TVDXMainForm::ShowScopeActExecute);
  connect(A.ShowTerminalAct, &QAction::triggered, this, [this] { SelectPage(mpTerminal); });
  On(A.ClearTerminalAct, &TVDXMainForm::ClearTerminalActExecute);
  On(A.OpenTerminalAct, &TVDXMainForm::OpenTerminalActExecute);
  On(A.SaveTerminalAct, &TVDXMainForm::SaveTerminalActExecute);
  On(A.PrintAct, &TVDXMainForm::PrintActExecute);
  On(A.PasswordAct, &TVDXMainForm::PasswordActExecute);
  On(A.SettingsAct, &TVDXMainForm::SettingsActExecute);

  Runs(M.MMINew, A.ClearTerminalAct);
  Runs(M.MMIOpen, A.OpenTerminalAct);
  Runs(M.MMISave, A.SaveTerminalAct);
  On(M.MMISaveAs, &TVDXMainForm::SaveTerminalAs);
  On(M.MMILoadOfflineCmdList, &TVDXMainForm::MMILoadOfflineCmdListClick);
  On(M.MMISaveCmdList, &TVDXMainForm::MMISaveCmdListClick);
  On(M.MMIViewVDXFile, &TVDXMainForm::MMIViewVDXFileClick);
  On(M.MMICompareFile, &TVDXMainForm::MMICompareFileClick);
  Runs(M.MMIPrint, A.PrintAct);
  On(M.MMIExportReport, &TVDXMainForm::MMIExportReportClick);
  connect(M.MMIExit, &QAction::triggered, this, &QWidget::close);
  connect(M.File, &QMenu::aboutToShow, this, [this] { UpdateFileMenu(); });
  // Clipboard operations on the terminal editor's text; nothing of it goes to the module.
  QTextEdit* Editor = FPages.VDXTermEditor;
  connect(M.MMICut, &QAction::triggered, Editor, [Editor] {
    Editor->copy();
    Editor->textCursor().removeSelectedText();
  });
  connect(M.MMICopy, &QAction::triggered, Editor, &QTextEdit::copy);
  connect(M.MMIPaste, &QAction::triggered, Editor,
          [Editor] { Editor->textCursor().insertText(QGuiApplication::clipboard()->text()); });
  On(M.MMISettings, &TVDXMainForm::MMISettingsClick);
  On(M.MMIEnableFWUpdate, &TVDXMainForm::MMIFirmwareUpdClick);
  On(M.MMISendFirmware, &TVDXMainForm::MMISendFirmwareClick);
  On(M.MMIFirmwareUpdate, &TVDXMainForm::MMIFWUAssClick);
  On(M.MMIManual, &TVDXMainForm::ShowManual);
  On(M.MMIAbout, &TVDXMainForm::ShowAbout);

  for (const TModuleCommandButtons& C : FPages.Commands) {
    OnClick(C.BtnSave, &TVDXMainForm::BtnSaveClick);
    OnClick(C.BtnDefault, &TVDXMainForm::BtnDefaultClick);
    OnClick(C.BtnLoadBack, &TVDXMainForm::BtnLoadBackClick);
    OnClick(C.BBtnUpload, &TVDXMainForm::BBtnUploadClick);
    OnClick(C.BBtnDownload, &TVDXMainForm::BBtnDownloadClick);
  }

  connect(FButtons.CBoxPortSel, &QComboBox::activated, this,
          [this] { RunGuarded([this] { CBoxPortSelChange(); }); });
  connect(FPages.NbMain, &QStackedWidget::currentChanged, this,
          [this] { RunGuarded([this] { NbMainPageChanged(); }); });

  FModProt->OnInfoMsg = [this](TVDXModCommProt&, TVDXCommProtMsgKind Kind, int& Result) {
    VDXModProtInfoMsg(Kind, Result);
  };
  FModProt->OnModIdSelRequest = [this](TVDXModCommProt&, const std::vector<std::string>& Ids,
                                       int& SelIdx) { VDXModProtModIdSelRequest(Ids, SelIdx); };
  FModProt->OnParaDownloadError = [this](TVDXModCommProt&, const std::vector<std::string>& Names) {
    VDXModProtParaDownloadError(Names);
  };
  FModProt->OnReadoutError = [this](TVDXModCommProt&, const std::string& ModID,
                                    std::vector<std::string>& ExtCmdList) {
    VDXModProtReadoutError(ModID, ExtCmdList);
  };
  FModProt->OnDigitalInputStateInfo = [this](TVDXModCommProt&, uint8_t State) {
    FPages.RemoteCtrlPanel->VDXModProtDigitalInputStateInfo(State);
  };
  FMonitor->OnStatusInfoStrucInit = [this](TVDXMonitor&, const TModStatusInfoData& StatusStruc) {
    FPages.RemoteCtrlPanel->VDXMonitorStatusInfoStrucInit(StatusStruc);
  };
  FMonitor->OnNewStatusInfo = [this](TVDXMonitor&, uint16_t Status) {
    FPages.RemoteCtrlPanel->VDXMonitorNewStatusInfo(Status);
  };
}

}  // namespace vdx::ui
