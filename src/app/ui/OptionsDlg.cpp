#include "app/ui/OptionsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui/ColorPicker.h"
#include "app/ui/RadioGroup.h"
#include "comm/IntegerText.h"

namespace vdx::ui {

namespace {

QStringList BaudLabels() {
  QStringList Labels;
  for (TModBaudrate Baud : AllBaudrates) Labels << QString::fromStdString(BaudrateName(Baud));
  return Labels;
}

void SetEnabled(std::initializer_list<QWidget*> Widgets, bool Enabled) {
  for (QWidget* W : Widgets) W->setEnabled(Enabled);
}

}  // namespace

TVDXToolOptionsDlg::TVDXToolOptionsDlg(QWidget* Parent) : QDialog(Parent) {
  setObjectName(QStringLiteral("VDXToolOptionsDlg"));
  setWindowTitle(QStringLiteral("Options"));
  setFont(QFont(QStringLiteral("Arial"), 8));

  FC.PCtrlOptions = new QTabWidget(this);
  FC.PCtrlOptions->setObjectName(QStringLiteral("PCtrlOptions"));
  FC.PCtrlOptions->addTab(BuildInterfaceTab(), QStringLiteral("Interface"));
  FC.PCtrlOptions->addTab(BuildScopeTab(), QStringLiteral("Oscilloscope"));
  FC.PCtrlOptions->addTab(BuildMonitorTab(), QStringLiteral("Monitor"));
  FC.PCtrlOptions->addTab(BuildXavoTab(), QStringLiteral("X.A.VO."));
  FC.PCtrlOptions->addTab(BuildTableInputTab(), QStringLiteral("Table Input"));
  FC.PCtrlOptions->setTabVisible(tabXavo, false);

  FC.BBtnOK = new QPushButton(QStringLiteral("OK"), this);
  FC.BBtnOK->setObjectName(QStringLiteral("BBtnOK"));
  FC.BBtnOK->setDefault(true);
  FC.BBtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  FC.BBtnCancel->setObjectName(QStringLiteral("BBtnCancel"));
  connect(FC.BBtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(FC.BBtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* Buttons = new QHBoxLayout;
  Buttons->addStretch();
  Buttons->addWidget(FC.BBtnOK);
  Buttons->addWidget(FC.BBtnCancel);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(6, 6, 6, 8);
  Layout->addWidget(FC.PCtrlOptions, 1);
  Layout->addLayout(Buttons);
  setFixedSize(316, 451);
}

QWidget* TVDXToolOptionsDlg::BuildInterfaceTab() {
  auto* Tab = new QWidget;
  Tab->setObjectName(QStringLiteral("TSInterface"));

  auto* PortGroup = new QGroupBox(QStringLiteral("Port selection"), Tab);
  FC.LabPort = new QLabel(QStringLiteral("Serial Port"), PortGroup);
  FC.CBPort = new QComboBox(PortGroup);
  FC.CBPort->setObjectName(QStringLiteral("CBPort"));
  auto* PortLayout = new QHBoxLayout(PortGroup);
  PortLayout->addWidget(FC.LabPort);
  PortLayout->addWidget(FC.CBPort, 1);

  FC.RGrpTransferMode = new TRadioGroup(
      QStringLiteral("Transfer Mode"),
      {QStringLiteral("Full-Duplex"), QStringLiteral("Half-Duplex (19200 Baud)")}, Tab);
  FC.RGrpTransferMode->setObjectName(QStringLiteral("RGrpTransferMode"));
  FC.RGrpTransferMode->OnClick = [this](int) { TransferModeClicked(); };

  FC.RGrpBROptions = new TRadioGroup(
      QStringLiteral("Baudrate options"),
      {QStringLiteral("Fix baudrate"), QStringLiteral("Auto baudrate detection")}, Tab);
  FC.RGrpBROptions->setObjectName(QStringLiteral("RGrpBROptions"));
  FC.RGrpBROptions->OnClick = [this](int Index) { FC.NBBROptions->setCurrentIndex(Index); };

  auto* BaudGroup = new QGroupBox(QStringLiteral("Baudrate settings"), Tab);
  FC.NBBROptions = new QStackedWidget(BaudGroup);
  FC.NBBROptions->setObjectName(QStringLiteral("NBBROptions"));

  auto* FixPage = new QWidget;
  FixPage->setObjectName(QStringLiteral("FixBR"));
  FC.LabFixBR = new QLabel(QStringLiteral("Fix baudrate"), FixPage);
  FC.CBoxFixBR = new QComboBox(FixPage);
  FC.CBoxFixBR->setObjectName(QStringLiteral("CBoxFixBR"));
  FC.CBoxFixBR->addItems(BaudLabels());
  FC.CBoxFixBR->setMaxVisibleItems(FC.CBoxFixBR->count());
  auto* FixLayout = new QFormLayout(FixPage);
  FixLayout->setContentsMargins(0, 0, 0, 0);
  FixLayout->addRow(FC.LabFixBR, FC.CBoxFixBR);

  auto* AutoPage = new QWidget;
  AutoPage->setObjectName(QStringLiteral("AutoBRDetection"));
  FC.CBAutoSetBR = new QCheckBox(QStringLiteral("Auto Change To  Selected Baudrate"), AutoPage);
  FC.CBAutoSetBR->setObjectName(QStringLiteral("CBAutoSetBR"));
  connect(FC.CBAutoSetBR, &QCheckBox::clicked, this, &TVDXToolOptionsDlg::AutoSetBRClicked);
  FC.LabHighBR = new QLabel(QStringLiteral("Auto Baudrate"), AutoPage);
  FC.CBoxHighBR = new QComboBox(AutoPage);
  FC.CBoxHighBR->setObjectName(QStringLiteral("CBoxHighBR"));
  FC.CBoxHighBR->addItems(BaudLabels());
  FC.CBoxHighBR->setMaxVisibleItems(FC.CBoxHighBR->count());
  auto* AutoLayout = new QFormLayout(AutoPage);
  AutoLayout->setContentsMargins(0, 0, 0, 0);
  AutoLayout->addRow(FC.CBAutoSetBR);
  AutoLayout->addRow(FC.LabHighBR, FC.CBoxHighBR);

  FC.NBBROptions->addWidget(FixPage);
  FC.NBBROptions->addWidget(AutoPage);
  auto* BaudLayout = new QVBoxLayout(BaudGroup);
  BaudLayout->addWidget(FC.NBBROptions);

  auto* DelayGroup = new QGroupBox(QStringLiteral("Delay On Firmware Update"), Tab);
  FC.DelayOnFirmwareUpdateEdit = new QSpinBox(DelayGroup);
  FC.DelayOnFirmwareUpdateEdit->setObjectName(QStringLiteral("DelayOnFirmwareUpdateEdit"));
  FC.DelayOnFirmwareUpdateEdit->setRange(0, 100);
  auto* DelayLayout = new QHBoxLayout(DelayGroup);
  DelayLayout->addWidget(FC.DelayOnFirmwareUpdateEdit);
  DelayLayout->addWidget(new QLabel(QStringLiteral("Milliseconds"), DelayGroup), 1);

  auto* Layout = new QVBoxLayout(Tab);
  Layout->addWidget(PortGroup);
  Layout->addWidget(FC.RGrpTransferMode);
  Layout->addWidget(FC.RGrpBROptions);
  Layout->addWidget(BaudGroup);
  Layout->addWidget(DelayGroup);
  Layout->addStretch();
  return Tab;
}

QWidget* TVDXToolOptionsDlg::BuildScopeTab() {
  auto* Tab = new QWidget;
  Tab->setObjectName(QStringLiteral("TSScope"));
  auto NewPicker = [](const char* Name, QWidget* Parent) {
    auto* Picker = new TColorPicker(Parent);
    Picker->setObjectName(QString::fromLatin1(Name));
    return Picker;
  };

  auto* DisplayGroup = new QGroupBox(QStringLiteral("Display"), Tab);
  FC.CBoxDspColor = NewPicker("CBoxDspColor", DisplayGroup);
  FC.CBoxGridColor = NewPicker("CBoxGridColor", DisplayGroup);
  auto* DisplayLayout = new QFormLayout(DisplayGroup);
  DisplayLayout->addRow(QStringLiteral("Display Color"), FC.CBoxDspColor);
  DisplayLayout->addRow(QStringLiteral("Grid Color"), FC.CBoxGridColor);

  auto* LineGroup = new QGroupBox(QStringLiteral("Line Width"), Tab);
  FC.CBoxSigLineWidth = new QComboBox(LineGroup);
  FC.CBoxSigLineWidth->setObjectName(QStringLiteral("CBoxSigLineWidth"));
  auto* LineLayout = new QFormLayout(LineGroup);
  LineLayout->addRow(QStringLiteral("Signal Line Width"), FC.CBoxSigLineWidth);

  auto* ChannelGroup = new QGroupBox(QStringLiteral("Channel Settings"), Tab);
  auto* ChannelLayout = new QFormLayout(ChannelGroup);
  for (int I = 0; I < 4; ++I) {
    FC.CBoxChaColor[I] =
        NewPicker(QStringLiteral("CBoxCha%1Color").arg(I + 1).toLatin1().constData(), ChannelGroup);
    ChannelLayout->addRow(QStringLiteral("Channel %1 Color").arg(I + 1), FC.CBoxChaColor[I]);
  }

  auto* Layout = new QVBoxLayout(Tab);
  Layout->addWidget(DisplayGroup);
  Layout->addWidget(LineGroup);
  Layout->addWidget(ChannelGroup);
  Layout->addStretch();
  return Tab;
}

QWidget* TVDXToolOptionsDlg::BuildMonitorTab() {
  auto* Tab = new QWidget;
  Tab->setObjectName(QStringLiteral("TSMonitor"));
  auto* MonitorGroup = new QGroupBox(QStringLiteral("Monitor"), Tab);

  FC.RGVisibleParaKind = new TRadioGroup(QStringLiteral("Visible parameter"),
                                         {QStringLiteral("Default (4)"), QStringLiteral("Custom"),
                                          QStringLiteral("Max (all parameter)")},
                                         MonitorGroup);
  FC.RGVisibleParaKind->setObjectName(QStringLiteral("RGVisibleParaKind"));
  FC.RGVisibleParaKind->OnClick = [this](int Index) { FC.CBoxVisParCnt->setEnabled(Index == 1); };

  auto* CustomGroup = new QGroupBox(QStringLiteral("Custom Def"), MonitorGroup);
  FC.CBoxVisParCnt = new QComboBox(CustomGroup);
  FC.CBoxVisParCnt->setObjectName(QStringLiteral("CBoxVisParCnt"));
  FC.CBoxVisParCnt->setEditable(true);
  FC.CBoxVisParCnt->setInsertPolicy(QComboBox::NoInsert);
  FC.CBoxVisParCnt->setValidator(new QIntValidator(1, 10, FC.CBoxVisParCnt));
  for (int I = 1; I <= 10; ++I) FC.CBoxVisParCnt->addItem(QString::number(I));
  FC.CBoxVisParCnt->setMaxVisibleItems(10);
  FC.CBoxVisParCnt->setCurrentIndex(3);
  auto* CustomLayout = new QFormLayout(CustomGroup);
  CustomLayout->addRow(QStringLiteral("Visible parameters"), FC.CBoxVisParCnt);

  auto* GroupLayout = new QVBoxLayout(MonitorGroup);
  GroupLayout->addWidget(FC.RGVisibleParaKind);
  GroupLayout->addWidget(CustomGroup);
  auto* Layout = new QVBoxLayout(Tab);
  Layout->addWidget(MonitorGroup);
  Layout->addStretch();
  return Tab;
}

QWidget* TVDXToolOptionsDlg::BuildXavoTab() {
  auto* Tab = new QWidget;
  Tab->setObjectName(QStringLiteral("TSXavo"));
  auto* Layout = new QVBoxLayout(Tab);
  auto NewBox = [&](const char* Name, const char* Text) {
    auto* Box = new QCheckBox(QString::fromLatin1(Text), Tab);
    Box->setObjectName(QString::fromLatin1(Name));
    Layout->addWidget(Box);
    return Box;
  };
  FC.CBoxShowCmdGrp = NewBox("CBoxShowCmdGrp", "Show Command Group Info");
  FC.CBoxEnableVDXFileViewer = NewBox("CBoxEnableVDXFileViewer", "Enable VDX-File Viewer");
  FC.CBoxFWUpdateViaTerminal =
      NewBox("CBoxFWUpdateViaTerminal", "Enable Firmware Update Via Terminal");
  FC.CBoxEnableShortFirmwareUpdate =
      NewBox("CBoxEnableShortFirmwareUpdate", "Enable Short Firmware Update ");
  FC.CBoxULimLLimManually = NewBox("CBoxULimLLimManually", "ULim/LLim manually");
  Layout->addStretch();
  return Tab;
}

QWidget* TVDXToolOptionsDlg::BuildTableInputTab() {
  auto* Tab = new QWidget;
  Tab->setObjectName(QStringLiteral("TabSheet1"));
  // Both options exist and are stored, but the page shows nothing.
  FC.CBoxShowDecimals =
      new QCheckBox(QStringLiteral("Show percent values (%) with 2 decimals"), Tab);
  FC.CBoxShowDecimals->setObjectName(QStringLiteral("CBoxShowDecimals"));
  FC.CBoxShowDecimals->hide();
  FC.CBoxAinCommandUI = new QCheckBox(QStringLiteral("AIN Command = U/I"), Tab);
  FC.CBoxAinCommandUI->setObjectName(QStringLiteral("CBoxAinCommandUI"));
  FC.CBoxAinCommandUI->hide();
  return Tab;
}

void TVDXToolOptionsDlg::showEvent(QShowEvent* Event) {
  FC.PCtrlOptions->setCurrentIndex(tabInterface);
  if (QScreen* Screen = screen()) move(Screen->availableGeometry().center() - rect().center());
  QDialog::showEvent(Event);
}

bool TVDXToolOptionsDlg::Execute() {
  LoadControls();
  if (exec() != QDialog::Accepted) return false;
  SaveControls();
  return true;
}

void TVDXToolOptionsDlg::FillPortBox() {
  FC.CBPort->clear();
  for (const auto& Name : FApplInfo->SystemInfo().SerialCommPorts())
    FC.CBPort->addItem(QString::fromLatin1(Name));
  FC.CBPort->setMaxVisibleItems(std::max(1, FC.CBPort->count()));
  FC.CBPort->setCurrentIndex(FC.CBPort->findText(QString::fromLatin1(FSettings.Port())));
}

void TVDXToolOptionsDlg::LoadControls() {
  const bool PortEnabled = FPortSettingsEnabled;
  SetEnabled({FC.CBPort, FC.LabPort}, PortEnabled);

  FC.RGrpTransferMode->SetItemIndex(FSettings.TransferMode());
  FC.RGrpTransferMode->setEnabled(PortEnabled);
  const bool BaudEnabled = PortEnabled && FC.RGrpTransferMode->ItemIndex() == tmFullDuplex;

  FC.RGrpBROptions->SetItemIndex(FSettings.AutoBRDetection() ? 1 : 0);
  FC.RGrpBROptions->setEnabled(BaudEnabled);
  FC.CBoxFixBR->setCurrentIndex(FSettings.FixBR());
  SetEnabled({FC.CBoxFixBR, FC.LabFixBR}, BaudEnabled);
  FC.CBAutoSetBR->setChecked(FSettings.AutoSetBR());
  FC.CBAutoSetBR->setEnabled(BaudEnabled);
  const bool HighEnabled = FC.CBAutoSetBR->isChecked() && FC.CBAutoSetBR->isEnabled();
  FC.LabHighBR->setEnabled(HighEnabled);
  FC.CBoxHighBR->setCurrentIndex(FSettings.AutoBR());
  FC.CBoxHighBR->setEnabled(PortEnabled && HighEnabled);
  FC.NBBROptions->setCurrentIndex(FC.RGrpBROptions->ItemIndex());

  FC.DelayOnFirmwareUpdateEdit->setValue(FSettings.DelayOnFirmwareUpdate());

  FC.CBoxDspColor->SetColor(FSettings.DisplayColor());
  FC.CBoxGridColor->SetColor(FSettings.GridColor());
  for (int I = 0; I < 4; ++I) FC.CBoxChaColor[I]->SetColor(FSettings.ChannelColor(I + 1));
  FC.CBoxSigLineWidth->clear();
  FC.CBoxSigLineWidth->addItems(
      {QStringLiteral("Small"), QStringLiteral("Medium"), QStringLiteral("Fat")});
  FC.CBoxSigLineWidth->setCurrentIndex(FSettings.SignalLineWidth());
  FC.CBoxULimLLimManually->setChecked(FSettings.ULimLLimManually());

  const int Kind = FSettings.VisParaKind();
  FC.RGVisibleParaKind->SetItemIndex(Kind < FC.RGVisibleParaKind->Count() ? Kind : 0);
  FC.CBoxVisParCnt->setCurrentIndex(std::clamp(FSettings.VisParaCnt() - 1, 0, 9));
  FC.CBoxVisParCnt->setEnabled(FC.RGVisibleParaKind->ItemIndex() == 1);

  if (FApplInfo) FillPortBox();

  FC.PCtrlOptions->setTabVisible(tabXavo, FMakerTabVisible);
  FC.CBoxShowCmdGrp->setChecked(FSettings.ShowCmdGrpInfo());
  FC.CBoxEnableVDXFileViewer->setChecked(FSettings.VDXFileViewer());
  FC.CBoxEnableShortFirmwareUpdate->setChecked(FSettings.SFWUpdate());
  FC.CBoxFWUpdateViaTerminal->setChecked(FSettings.TermFWUpdate());
  FC.CBoxShowDecimals->setChecked(FSettings.ShowDecimals());
  FC.CBoxAinCommandUI->setChecked(FSettings.AinCommandUI());
}

void TVDXToolOptionsDlg::SaveControls() {
  FSettings.SetAutoSetBR(FC.CBAutoSetBR->isChecked());
  if (FC.CBPort->currentIndex() >= 0) FSettings.SetPort(FC.CBPort->currentText().toStdString());
  if (FC.CBoxHighBR->currentIndex() >= 0)
    FSettings.SetAutoBR(AllBaudrates[FC.CBoxHighBR->currentIndex()]);
  FSettings.SetAutoBRDetection(FC.RGrpBROptions->ItemIndex() == 1);
  if (FC.CBoxFixBR->currentIndex() >= 0)
    FSettings.SetFixBR(AllBaudrates[FC.CBoxFixBR->currentIndex()]);
  FSettings.SetTransferMode(FC.RGrpTransferMode->ItemIndex() == tmHalfDuplex ? tmHalfDuplex
                                                                             : tmFullDuplex);
  FSettings.SetDelayOnFirmwareUpdate(FC.DelayOnFirmwareUpdateEdit->value());
  FSettings.SetDisplayColor(FC.CBoxDspColor->Color());
  FSettings.SetGridColor(FC.CBoxGridColor->Color());
  for (int I = 0; I < 4; ++I) FSettings.SetChannelColor(I + 1, FC.CBoxChaColor[I]->Color());
  FSettings.SetSignalLineWidth(FC.CBoxSigLineWidth->currentIndex());
  FSettings.SetULimLLimManually(FC.CBoxULimLLimManually->isChecked());
  FSettings.SetVisParaKind(FC.RGVisibleParaKind->ItemIndex());
  // A text that is no number (only an emptied field gets past the validator) keeps the
  // stored count.
  int32_t Count = 0;
  if (TryStrToInt(FC.CBoxVisParCnt->currentText().toStdString(), Count))
    FSettings.SetVisParaCnt(Count);
  if (FMakerTabVisible) {
    FSettings.SetShowCmdGrpInfo(FC.CBoxShowCmdGrp->isChecked());
    FSettings.SetVDXFileViewer(FC.CBoxEnableVDXFileViewer->isChecked());
    FSettings.SetSFWUpdate(FC.CBoxEnableShortFirmwareUpdate->isChecked());
    FSettings.SetTermFWUpdate(FC.CBoxFWUpdateViaTerminal->isChecked());
  }
  FSettings.SetShowDecimals(FC.CBoxShowDecimals->isChecked());
  FSettings.SetAinCommandUI(FC.CBoxAinCommandUI->isChecked());
}

void TVDXToolOptionsDlg::TransferModeClicked() {
  const bool FullDuplex = FC.RGrpTransferMode->ItemIndex() == tmFullDuplex;
  SetEnabled({FC.RGrpBROptions, FC.CBAutoSetBR, FC.CBoxFixBR, FC.LabFixBR}, FullDuplex);
  const bool HighEnabled = FC.CBAutoSetBR->isEnabled() && FC.CBAutoSetBR->isChecked();
  SetEnabled({FC.CBoxHighBR, FC.LabHighBR}, HighEnabled);
}

void TVDXToolOptionsDlg::AutoSetBRClicked() {
  SetEnabled({FC.CBoxHighBR, FC.LabHighBR}, FC.CBAutoSetBR->isChecked() && FPortSettingsEnabled);
}

}  // namespace vdx::ui
