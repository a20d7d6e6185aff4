// The commissioning report: the identified module's parameters, curves, input scalings,
// process values, lit lamps and oscilloscope picture as one PDF, shown in the viewer window.
#include <QDateTime>
#include <QDir>

#include "app/ui/BusyCursor.h"
#include "app/ui/CommissioningReport.h"
#include "app/ui/DocumentViewer.h"
#include "app/ui/FileDialogs.h"
#include "app/ui/MainForm.h"
#include "app/ui/MessageService.h"
#include "live/ui/VDXScope.h"

namespace vdx::ui {

void TVDXMainForm::MMIExportReportClick() {
  if (!FModProt->ModuleDataValid()) {
    ShowMessage(TMessageKind::Information,
                QStringLiteral("Befor exporting a report, the module needed identified!"));
    return;
  }
  std::string ModuleName;
  FModProt->GetModuleName(ModuleName);
  const QDateTime Now = QDateTime::currentDateTime();
  TFileDialogRequest Request;
  Request.Kind = TFileDialogRequest::fdSave;
  Request.Directory = ParaFileFolder();
  Request.Filters = {QStringLiteral("Commissioning Report (*.pdf)")};
  Request.DefaultSuffix = QStringLiteral("pdf");
  Request.SelectFile =
      QDir(Request.Directory)
          .filePath(QString::fromLatin1(ModuleName.empty() ? "module" : ModuleName) +
                    Now.toString(QStringLiteral("-yyyyMMdd-HHmm")) + QStringLiteral(".pdf"));
  Request.ConfirmOverwrite = true;
  const QString FileName = AskFileName(Request, this);
  if (FileName.isEmpty()) return;

  TReportContent Content;
  Content.Tool = QString::fromLatin1(FApplInfo->ExtCompanyName) + QStringLiteral(" - ") +
                 QString::fromLatin1(FApplInfo->ExtProductName);
  Content.Version = QString::fromStdString(FApplInfo->VersionInfo().FileVersion);
  Content.Created = Now;
  Content.ModuleId = QString::fromLatin1(FModProt->ModuleId());
  Content.CmdList = &FModProt->CmdList();
  QString Error;
  bool Written;
  {
    TBusyCursor Busy;
    // As the printout: without an answer to "ACODE" every group is listed.
    Content.AccessCodeRead = FModProt->PortOpen() && FModProt->ReadAccessCode(Content.AccessCode);
    if (!Content.AccessCodeRead) Content.AccessCode = 0xFFFF;
    Content.Process = ReadProcessSnapshot(*FModProt);
    if (ScopeHasData(*FScope) && FScope->CopyToBitmap(Content.ScopePicture)) {
      Content.Scope = FScope.get();
      Content.ScopeTexts = ScopePrintoutTexts();
    }
    Written = WriteCommissioningReport(FileName, Content, Error);
  }
  if (!Written) {
    ShowMessage(TMessageKind::Error, QStringLiteral("The report \"") + FileName +
                                         QStringLiteral("\" could not be written: ") + Error);
    return;
  }
  FWebBrowserDlg->ShowPdf(FileName, QSize(1000, 800));
}

}  // namespace vdx::ui
