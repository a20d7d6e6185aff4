// Page "Scope" as the user drives it: the channel, limit and time scale selectors, Start and
// Stop with the recording file, the cursor dialog and readouts, copy and printout.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>
#include <cstdlib>

#include "app/ToolSettings.h"
#include "app/ui/BusyCursor.h"
#include "app/ui/ColorPicker.h"
#include "app/ui/DropDownComboBox.h"
#include "app/ui/ErrorGuard.h"
#include "app/ui/MainForm.h"
#include "app/ui/MessageService.h"
#include "app/ui/OptionsDlg.h"
#include "live/ui/SaveScopeDataDlg.h"
#include "live/ui/ScopeCursorDlg.h"
#include "live/ui/ScopePrintout.h"
#include "live/ui/VDXScope.h"

namespace vdx::ui {

namespace {

// Runs Handler when the user picks an item of Box or ends typing a changed text in it.
template <typename Fn>
void OnSelectorChange(QObject* Context, QComboBox* Box, Fn Handler) {
  QObject::connect(Box, &QComboBox::activated, Context, [Handler] { RunGuarded(Handler); });
  QLineEdit* Edit = Box->lineEdit();
  QObject::connect(Edit, &QLineEdit::editingFinished, Context, [Edit, Handler] {
    if (!Edit->isModified()) return;
    Edit->setModified(false);
    RunGuarded(Handler);
  });
}

bool IsItem(const QComboBox* Box, const QString& Text) { return Box->findText(Text) >= 0; }

}  // namespace

void TVDXMainForm::BuildScope() {
  FScope = std::make_unique<TVDXScope>();
  FScope->SetRefreshRate(250);
  FScope->SetDestPaintBox(FPages.PBoxScope);
  FModProt->SetScope(&FScope->Model());
  FScope->Model().OnProcessDataChanged = [this](TVDXScopeModel&,
                                                const std::vector<std::string>& Names) {
    VDXScopeProcessDataChanged(Names);
  };
  // Runs in the sampling thread: only the samples and the clock, no control.
  FScope->Model().OnScopeData = [this](const TASCIIProcDataObj* Ch1, const TASCIIProcDataObj* Ch2,
                                       const TASCIIProcDataObj* Ch3,
                                       const TASCIIProcDataObj* Ch4) {
    FRecorder.WriteRecordData(Ch1, Ch2, Ch3, Ch4);
  };
  FScope->OnCursorPosChanged = [this](TVDXScope&, const TCursorInfo& Info) {
    ShowCursorInfo(Info, true);
  };
  FScopeCursorDlg = new TScopeCursorDlg(this);
  FSaveScopeDataDlg = new TSaveScopeDataDlg(this);

  QWidget* Box = FPages.PBoxScope;
  Box->setContextMenuPolicy(Qt::ActionsContextMenu);
  PMIScopeCursor = new QAction(QStringLiteral("Scope Cusor Settings"), Box);
  auto* Separator = new QAction(Box);
  Separator->setSeparator(true);
  PMICopyScopeDsp = new QAction(QStringLiteral("Copy Scope Display"), Box);
  Box->addActions({PMIScopeCursor, Separator, PMICopyScopeDsp});
  connect(PMIScopeCursor, &QAction::triggered, this, [this] { PMIScopeCursorClick(); });
  connect(PMICopyScopeDsp, &QAction::triggered, this, [this] { PMICopyScopeDspClick(); });

  const TScopeControls& C = FPages.ScopeControls;
  for (int I = 0; I < 4; ++I) {
    C.CBChCustSignal[I]->OnDropDown = [this] { CBChCustSignalDropDown(); };
    OnSelectorChange(this, C.CBChCustSignal[I], [this, I] { CBChCustSignalChange(I + 1); });
    for (TDropDownComboBox* Limit : {C.CBChCustMin[I], C.CBChCustMax[I]}) {
      Limit->OnDropDown = [Limit] { Limit->setMaxVisibleItems(Limit->count()); };
      const bool Upper = Limit == C.CBChCustMax[I];
      OnSelectorChange(this, Limit, [this, I, Upper] { CBChCustScaleChange(I + 1, Upper); });
    }
  }
  OnSelectorChange(this, C.CBCustTimeScale, [this] { CBCustTimeScaleChange(); });
  connect(C.BtnStart, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnStartClick(); }); });
  connect(C.BtnStop, &QPushButton::clicked, this, [this] { BtnStopClick(); });
  connect(C.SaveToFileButton, &QPushButton::clicked, this, [this] { SaveToFileButtonClick(); });
}

void TVDXMainForm::ApplyScopeOptions() {
  const TToolSettings& Options = FOptionsDlg->Settings();
  for (int N = 1; N <= 4; ++N) {
    FScope->Channel(N).SetColor(Options.ChannelColor(N));
    SetSwatchColor(FPages.ScopeControls.ShapeCustChaCol[N - 1], ToQColor(Options.ChannelColor(N)));
  }
  FScope->SetDisplayColor(Options.DisplayColor());
  FScope->SetGridColor(Options.GridColor());
  FScope->SetSignalLineWidth(static_cast<TSignalLineWidthKind>(Options.SignalLineWidth()));
}

void TVDXMainForm::ScopePageChanged(TMainPage Page) {
  if (Page == mpScope) return;
  FPages.ScopeControls.BtnStart->setEnabled(true);
  FPages.ScopeControls.BtnStop->setEnabled(false);
}

void TVDXMainForm::VDXScopeProcessDataChanged(const std::vector<std::string>& ProcessPara) {
  for (QComboBox* Box : FPages.ScopeControls.CBChCustSignal) Box->setEditText(QStringLiteral("---"));
  FProcessNames.clear();
  for (const std::string& Name : ProcessPara) FProcessNames << QString::fromLatin1(Name);
}

void TVDXMainForm::CBChCustSignalDropDown() {
  // A value shown on any channel is not offered again.
  QStringList Items = QStringList{QStringLiteral("---")} + FProcessNames;
  for (const QComboBox* Box : FPages.ScopeControls.CBChCustSignal) {
    const QString Text = Box->currentText();
    if (!Text.isEmpty() && Text != QLatin1String("---")) Items.removeAll(Text);
  }
  // Every selector offers the same list; the one being opened is among them.
  for (QComboBox* Box : FPages.ScopeControls.CBChCustSignal) {
    const QSignalBlocker Block(Box);
    const QString Text = Box->currentText();
    Box->clear();
    Box->addItems(Items);
    Box->setEditText(Text);
    Box->setMaxVisibleItems(static_cast<int>(Items.size()));
  }
}

void TVDXMainForm::CBChCustSignalChange(int Channel) {
  const TScopeControls& C = FPages.ScopeControls;
  QComboBox* Box = C.CBChCustSignal[Channel - 1];
  if (!IsItem(Box, Box->currentText())) Box->setEditText(QStringLiteral("---"));
  const QString Text = Box->currentText();
  FScope->Channel(Channel).SetSignal(FProcessNames.contains(Text) ? Text.toLatin1().toStdString()
                                                                  : std::string());
  C.CBChCustMin[Channel - 1]->setEditText(QStringLiteral("-100"));
  C.CBChCustMax[Channel - 1]->setEditText(QStringLiteral("100"));
  FScope->Channel(Channel).SetYScalePerDiv(20);
  FScope->Channel(Channel).SetYZeroOffset(100);
}

void TVDXMainForm::CBChCustScaleChange(int Channel, bool Upper) {
  const TScopeControls& C = FPages.ScopeControls;
  QComboBox* Min = C.CBChCustMin[Channel - 1];
  QComboBox* Max = C.CBChCustMax[Channel - 1];
  QComboBox* Box = Upper ? Max : Min;
  const QString Default = Upper ? QStringLiteral("100") : QStringLiteral("-100");
  if (!FOptionsDlg->Settings().ULimLLimManually() && !IsItem(Box, Box->currentText())) {
    Box->setEditText(Default);
    return;
  }
  bool Whole = false;
  const int Typed = Box->currentText().toInt(&Whole);
  if (Whole && (Typed < -30000 || Typed > 30000)) Box->setEditText(Default);
  const int Low = Min->currentText().toInt();  // 0 when not a whole number
  const int High = Max->currentText().toInt();
  FScope->Channel(Channel).SetYScalePerDiv(
      static_cast<int16_t>(std::trunc((High - Low) / 10.0 + 0.5)));
  FScope->Channel(Channel).SetYZeroOffset(std::abs(Low));
}

void TVDXMainForm::CBCustTimeScaleChange() {
  QComboBox* Box = FPages.ScopeControls.CBCustTimeScale;
  if (!IsItem(Box, Box->currentText())) Box->setEditText(QStringLiteral("1000"));
  FScope->SetTimeScalePerDiv(static_cast<int16_t>(Box->currentText().toInt()));
  RefreshCursorInfo(true);
}

void TVDXMainForm::BtnStartClick() {
  const TScopeControls& C = FPages.ScopeControls;
  FScope->SetRunScope(true);
  C.BtnStart->setEnabled(false);
  C.BtnStop->setEnabled(true);
  FRecorder.SetFileName(FSaveScopeDataDlg->FileName().toLocal8Bit().toStdString());
  std::string Error;
  if (!FRecorder.PrepareRecordFile(Error)) {
    ShowMessage(TMessageKind::Error, QString::fromLocal8Bit(Error));
    return;
  }
  std::array<std::string, 4> Signals;
  for (size_t I = 0; I < 4; ++I)
    Signals[I] = C.CBChCustSignal[I]->currentText().toLatin1().toStdString();
  FRecorder.WriteRecordHeader(Signals);
}

void TVDXMainForm::BtnStopClick() {
  FScope->SetRunScope(false);
  FPages.ScopeControls.BtnStop->setEnabled(false);
  FPages.ScopeControls.BtnStart->setEnabled(true);
}

void TVDXMainForm::SaveToFileButtonClick() {
  // The file name is taken whatever button closed the dialog.
  FSaveScopeDataDlg->exec();
  FRecorder.SetFileName(FSaveScopeDataDlg->FileName().toLocal8Bit().toStdString());
}

void TVDXMainForm::PMIScopeCursorClick() {
  int Channel = FScope->CursorChannel();
  TCursors Kinds = FScope->CursorEnable();
  if (FScopeCursorDlg->EditCursorSettings(Channel, Kinds)) {
    FScope->SetCursorChannel(Channel);
    FScope->SetCursorEnable(Kinds);
  }
  RefreshCursorInfo(true);
}

void TVDXMainForm::PMICopyScopeDspClick() {
  QImage Bitmap;
  if (FScope->CopyToBitmap(Bitmap)) QGuiApplication::clipboard()->setImage(Bitmap);
}

void TVDXMainForm::RefreshCursorInfo(bool Show) {
  TCursorInfo Info;
  FScope->GetCursorInfo(Info);
  ShowCursorInfo(Info, Show);
}

void TVDXMainForm::ShowCursorInfo(const TCursorInfo& Info, bool Show) {
  const int Channel = FScope->CursorChannel();
  const TCursors Kinds = FScope->CursorEnable();
  const char Point = QLocale().decimalPoint().at(0).toLatin1();
  FStatus->SetText(spAmplitude, Show && Kinds.Contains(ckAmplitude)
                                    ? QString::fromStdString(AmplitudeReadingText(Channel, Info, Point))
                                    : QString());
  FStatus->SetText(spTime, Show && Kinds.Contains(ckTime)
                               ? QString::fromStdString(TimeReadingText(Channel, Info))
                               : QString());
}

void TVDXMainForm::PrintScopeDisplay(QPrinter& Printer) {
  TBusyCursor Busy;
  PrintScope(Printer, *FScope, ScopePrintoutTexts());
}

TScopePrintoutTexts TVDXMainForm::ScopePrintoutTexts() const {
  TScopePrintoutTexts Texts;
  Texts.Heading = QString::fromLatin1(FApplInfo->ExtCompanyName) + QStringLiteral("   - ") +
                  QString::fromLatin1(FApplInfo->ExtProductName) + QStringLiteral("   - ") +
                  QStringLiteral("Oszilloskop Display at: ") +
                  QLocale().toString(QDateTime::currentDateTime(),
                                     QStringLiteral("ddd, dd.MM.yyyy - hh:mm:ss"));
  Texts.ModuleId = QString::fromLatin1(FModProt->ModuleId());
  for (size_t I = 0; I < 4; ++I) {
    Texts.LowerLimit[I] = FPages.ScopeControls.CBChCustMin[I]->currentText();
    Texts.UpperLimit[I] = FPages.ScopeControls.CBChCustMax[I]->currentText();
  }
  return Texts;
}

}  // namespace vdx::ui
