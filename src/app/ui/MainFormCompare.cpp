// "Compare with File...": the module's parameters (online, or the offline lists) beside a
// ".vdx" module or a ".par" file, in the compare dialog.
#include <QFile>
#include <QTableWidget>

#include "app/ToolSettings.h"
#include "app/ui/BusyCursor.h"
#include "app/ui/FileDialogs.h"
#include "app/ui/MainForm.h"
#include "app/ui/MessageService.h"
#include "app/ui/OptionsDlg.h"
#include "params/ui/CompareDlg.h"
#include "params/ui/ParamList.h"

namespace vdx::ui {

void TVDXMainForm::MMICompareFileClick() {
  if (!FModProt->ModuleDataValid()) {
    ShowMessage(TMessageKind::Error, QStringLiteral("It was no module identified!"));
    return;
  }
  const QString FileName = AskFileName(ParaFileRequest(TFileDialogRequest::fdOpen), this);
  if (FileName.isEmpty()) return;
  StoreParaFileFolder(FileName);

  TCompareFile File;
  TCompareFile::TLoadResult Result;
  {
    TBusyCursor Busy;
    Result = File.Load(*FModProt, QFile::encodeName(FileName).toStdString());
  }
  if (Result != TCompareFile::lrDone) {
    ShowMessage(TMessageKind::Error, QString::fromLocal8Bit(File.Error()));
    return;
  }
  TCompareOptions Options;
  Options.ShowDecimals = FParamList->ShowDecimals();
  TCompareDlg Dlg(*FModProt, File, Options, this);
  Dlg.exec();
}

}  // namespace vdx::ui
