#include "app/ui/MainPages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/ui/Glyphs.h"
#include "live/ui/RemoteCtrlPanel.h"

namespace vdx::ui {

namespace {

QPushButton* NewButton(const QString& Name, const QString& Caption, const QString& Hint,
                       QWidget* Parent) {
  auto* Button = new QPushButton(Caption, Parent);
  Button->setObjectName(Name);
  Button->setToolTip(Hint);
  return Button;
}

// The column right of the grid and of the terminal: memory commands and parameter files.
QWidget* CommandColumn(QWidget* Parent, const QString& Suffix, const QString& DownloadHint,
                       TModuleCommandButtons& B) {
  auto* Column = new QWidget(Parent);
  Column->setFixedWidth(165);

  auto* Commands = new QGroupBox(QStringLiteral("Module Commands"), Column);
  B.BtnSave = NewButton("BtnSave" + Suffix, QStringLiteral("Save"),
                        QStringLiteral("Save data in nonvolatile  modul memory"), Commands);
  B.BtnDefault = NewButton("BtnDefault" + Suffix, QStringLiteral("Default"),
                           QStringLiteral("Set modul to default parameter"), Commands);
  B.BtnLoadBack =
      NewButton("BtnLoadBack" + Suffix, QStringLiteral("LoadBack"),
                QStringLiteral("Loadback data from nonvolatile  modul memory"), Commands);
  auto* CommandLayout = new QVBoxLayout(Commands);
  for (QPushButton* Button : {B.BtnSave, B.BtnDefault, B.BtnLoadBack})
    CommandLayout->addWidget(Button);

  auto* Files = new QGroupBox(QStringLiteral("Parameter Import / Export"), Column);
  B.BBtnUpload = NewButton("BBtnUpload" + Suffix, QString(),
                           QStringLiteral("Import parameter from modul"), Files);
  B.BBtnUpload->setIcon(GlyphIcon(TGlyph::Upload));
  B.BBtnDownload = NewButton("BBtnDownload" + Suffix, QString(), DownloadHint, Files);
  B.BBtnDownload->setIcon(GlyphIcon(TGlyph::Download));
  auto* FileLayout = new QHBoxLayout(Files);
  for (QPushButton* Button : {B.BBtnUpload, B.BBtnDownload}) {
    Button->setIconSize(QSize(32, 32));
    Button->setMinimumHeight(44);
    FileLayout->addWidget(Button);
  }

  auto* Layout = new QVBoxLayout(Column);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(Commands);
  Layout->addWidget(Files);
  Layout->addStretch();
  return Column;
}

QWidget* NewPage(const QString& Name, QStackedWidget* Set) {
  auto* Page = new QWidget(Set);
  Page->setObjectName(Name);
  Set->addWidget(Page);
  return Page;
}

QHBoxLayout* PageLayout(QWidget* Page) {
  auto* Layout = new QHBoxLayout(Page);
  Layout->setContentsMargins(4, 4, 4, 4);
  Layout->setSpacing(6);
  return Layout;
}

}  // namespace

TMainPages BuildMainPages(QWidget* Parent) {
  TMainPages Pages;
  Pages.NbMain = new QStackedWidget(Parent);
  Pages.NbMain->setObjectName(QStringLiteral("NbMain"));

  QWidget* Parameter = NewPage(QStringLiteral("Parameter"), Pages.NbMain);
  Pages.ParamGrid = new QTableWidget(0, 3, Parameter);
  Pages.ParamGrid->setObjectName(QStringLiteral("ParamGrid"));
  Pages.ParamGrid->setHorizontalHeaderLabels(
      {QStringLiteral("Command"), QStringLiteral("Parameter"), QStringLiteral("Help")});
  Pages.ParamGrid->verticalHeader()->hide();
  Pages.ParamGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Pages.ParamGrid->horizontalHeader()->setStretchLastSection(true);
  Pages.ParamGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Pages.ParamGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  Pages.ParamGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  Pages.ParamGrid->setAlternatingRowColors(true);
  const int Widths[] = {100, 120, 660};
  for (int Column = 0; Column < 3; ++Column)
    Pages.ParamGrid->setColumnWidth(Column, Widths[Column]);
  QHBoxLayout* ParameterLayout = PageLayout(Parameter);
  ParameterLayout->addWidget(Pages.ParamGrid, 1);
  ParameterLayout->addWidget(CommandColumn(
      Parameter, QString(), QStringLiteral("Export parameter to Modul"), Pages.Commands[0]));

  QWidget* Monitor = NewPage(QStringLiteral("Monitor"), Pages.NbMain);
  auto* Process = new QGroupBox(QStringLiteral("Process Parameter"), Monitor);
  Pages.MonitorPanel = new QFrame(Process);
  Pages.MonitorPanel->setObjectName(QStringLiteral("PanelMonitorParent"));
  (new QVBoxLayout(Process))->addWidget(Pages.MonitorPanel);
  auto* Remote = new QGroupBox(QStringLiteral("Remote Control / Status Info"), Monitor);
  Remote->setFixedWidth(468);
  Pages.RemoteCtrlPanel = new TRemoteCtrlPanel(Remote);
  (new QVBoxLayout(Remote))->addWidget(Pages.RemoteCtrlPanel);
  QHBoxLayout* MonitorLayout = PageLayout(Monitor);
  MonitorLayout->addWidget(Process, 1);
  MonitorLayout->addWidget(Remote);

  QWidget* Scope = NewPage(QStringLiteral("Scope"), Pages.NbMain);
  Pages.ScopeControls = BuildScopeControls(Scope);
  Pages.PBoxScope = new QWidget(Scope);
  Pages.PBoxScope->setObjectName(QStringLiteral("PBoxScope"));
  QHBoxLayout* ScopeLayout = PageLayout(Scope);
  ScopeLayout->addWidget(Pages.ScopeControls.Column);
  ScopeLayout->addWidget(Pages.PBoxScope, 1);

  QWidget* Terminal = NewPage(QStringLiteral("Terminal"), Pages.NbMain);
  // Keys typed here go to the module through the terminal and never into the text; the text
  // shows what the module sends.
  Pages.VDXTermEditor = new QTextEdit(Terminal);
  Pages.VDXTermEditor->setObjectName(QStringLiteral("VDXTermEditor"));
  Pages.VDXTermEditor->setFont(QFont(QStringLiteral("Courier New"), 11));
  Pages.VDXTermEditor->setLineWrapMode(QTextEdit::NoWrap);
  Pages.VDXTermEditor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Pages.VDXTermEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Pages.VDXTermEditor->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                               Qt::TextSelectableByKeyboard);
  QHBoxLayout* TerminalLayout = PageLayout(Terminal);
  TerminalLayout->addWidget(Pages.VDXTermEditor, 1);
  TerminalLayout->addWidget(CommandColumn(Terminal, QStringLiteral("2"),
                                          QStringLiteral("Export parameter to modul"),
                                          Pages.Commands[1]));
  return Pages;
}

}  // namespace vdx::ui
