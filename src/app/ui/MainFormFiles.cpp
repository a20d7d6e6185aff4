// The module's memory commands, the parameter file workflows and the answers to the
// protocol component's questions and reports.
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QToolButton>

#include "app/ToolSettings.h"
#include "app/ui/BusyCursor.h"
#include "app/ui/DocumentViewer.h"
#include "app/ui/FileDialogs.h"
#include "app/ui/MainForm.h"
#include "app/ui/MessageService.h"
#include "app/ui/ModulIdSelDlg.h"
#include "app/ui/OptionsDlg.h"
#include "params/ReadoutDescriptionFile.h"

namespace vdx::ui {

namespace {

const QStringList kOfflineFilters = {QStringLiteral("Offline Modulparameter (*.vdx)")};
const QStringList kViewerFilters = {QStringLiteral("VDX Modulparameter (*.vdx)")};

enum TParaFileKind { pfOther, pfPar, pfVdx };

// The extension decides the format, compared exactly.
TParaFileKind ParaFileKind(const QString& FileName) {
  const QString Suffix = QFileInfo(FileName).suffix();
  if (Suffix == QLatin1String("par")) return pfPar;
  if (Suffix == QLatin1String("vdx")) return pfVdx;
  return pfOther;
}

std::string NativeName(const QString& FileName) {
  return QFile::encodeName(FileName).toStdString();
}

// A question raised while an operation shows the busy cursor gets the normal cursor.
QMessageBox::StandardButton Ask(TMessageKind Kind, const QString& Text,
                                TMessageButtons Buttons = TMessageButtons::Ok) {
  const bool Busy = QApplication::overrideCursor() != nullptr;
  if (Busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const QMessageBox::StandardButton Answer = ShowMessage(Kind, Text, Buttons);
  if (Busy) QApplication::restoreOverrideCursor();
  return Answer;
}

void ShowDataSaved(const QString& FileName) {
  ShowMessage(TMessageKind::Information,
              QStringLiteral("Data saved in \"") + FileName + QStringLiteral("\""));
}

}  // namespace

QString TVDXMainForm::ParaFileFolder() const {
  const QString Stored = QString::fromStdString(FOptionsDlg->Settings().ParaFilePath());
  if (!Stored.isEmpty() && QDir(Stored).exists()) return Stored;
  return QString::fromStdString(FToolFolder);
}

TFileDialogRequest TVDXMainForm::ParaFileRequest(TFileDialogRequest::TKind Kind) const {
  TFileDialogRequest Request;
  Request.Kind = Kind;
  Request.Directory = ParaFileFolder();
  Request.Filters = {QStringLiteral("Modulparameter *.par (old) (*.par)"),
                     QStringLiteral("Modulparameter *.vdx (new) (*.vdx)")};
  Request.SelectedFilter = 1;
  Request.DefaultSuffix = QStringLiteral("vdx");
  return Request;
}

void TVDXMainForm::StoreParaFileFolder(const QString& FileName) {
  const QString Folder = QFileInfo(FileName).absolutePath() + QLatin1Char('/');
  FOptionsDlg->Settings().SetParaFilePath(Folder.toStdString());
}

void TVDXMainForm::BtnSaveClick() {
  bool Done;
  {
    TBusyCursor Busy;
    Done = FModProt->SaveParameters();
  }
  if (Done)
    ShowMessage(TMessageKind::Information, QStringLiteral("Data saved!"));
  else
    ShowMessage(TMessageKind::Error, QStringLiteral("Couldn`t save!!!"));
}

void TVDXMainForm::BtnDefaultClick() {
  // The module is identified again first; the command runs whatever that gives.
  FActions.IdentifyAct->trigger();
  bool Done;
  {
    TBusyCursor Busy;
    Done = FModProt->LoadDefaults();
  }
  if (Done)
    ShowMessage(TMessageKind::Information, QStringLiteral("Data set to default!"));
  else
    ShowMessage(TMessageKind::Error, QStringLiteral("Couldn`t set to default!!!"));
}

void TVDXMainForm::BtnLoadBackClick() {
  FActions.IdentifyAct->trigger();
  bool Done;
  {
    TBusyCursor Busy;
    Done = FModProt->LoadBack();
  }
  if (Done)
    ShowMessage(TMessageKind::Information, QStringLiteral("Data loadback ok!"));
  else
    ShowMessage(TMessageKind::Error, QStringLiteral("Couldn`t loadback data!!!"));
}

void TVDXMainForm::BBtnUploadClick() {
  const QString FileName = AskFileName(ParaFileRequest(TFileDialogRequest::fdSave), this);
  if (FileName.isEmpty()) return;
  const TParaFileKind Kind = ParaFileKind(FileName);
  if (Kind == pfOther) return;
  bool Saved;
  {
    TBusyCursor Busy;
    Saved = Kind == pfPar ? FModProt->ExportParFile(NativeName(FileName))
                          : FModProt->ExportVdxFile(NativeName(FileName));
  }
  if (!Saved) return;
  StoreParaFileFolder(FileName);
  ShowDataSaved(FileName);
}

void TVDXMainForm::BBtnDownloadClick() {
  TFileDialogRequest Request = ParaFileRequest(TFileDialogRequest::fdOpen);
  Request.SelectFile = FLastDownloadFile;
  const QString FileName = AskFileName(Request, this);
  if (FileName.isEmpty()) return;
  FLastDownloadFile = FileName;
  const QString NotCompatible = QStringLiteral(
      "The selected file is not 100 % compatible to the identified module (please check it "
      "after loading!");
  const QString NotUsable = QStringLiteral("The selected file is not correct or empty!");

  switch (ParaFileKind(FileName)) {
    case pfVdx: {
      uint8_t Result;
      {
        TBusyCursor Busy;
        Result = FModProt->ImportVdxFile(NativeName(FileName));
      }
      if (Result == irNoModule)
        ShowMessage(TMessageKind::Error, QStringLiteral("It was no module identified!"));
      else if (Result == irOtherModule)
        ShowMessage(TMessageKind::Warning, NotCompatible);
      else if (Result == irNotUsable)
        ShowMessage(TMessageKind::Error, NotUsable);
      break;
    }
    case pfPar: {
      uint8_t Result;
      {
        TBusyCursor Busy;
        Result = FModProt->ImportParFile(NativeName(FileName), false);
      }
      if (Result == irNoModule) {
        ShowMessage(TMessageKind::Error, QStringLiteral("It was no modul identified!"));
      } else if (Result == irOtherModule) {
        if (ShowMessage(TMessageKind::Warning,
                        NotCompatible + QStringLiteral(" Do you want to load it?"),
                        TMessageButtons::YesNo) == QMessageBox::Yes) {
          TBusyCursor Busy;
          FModProt->ImportParFile(NativeName(FileName), true);
        }
      } else if (Result == irNotUsable) {
        ShowMessage(TMessageKind::Error, NotUsable);
      }
      break;
    }
    case pfOther:
      break;
  }
  StoreParaFileFolder(FileName);
}

void TVDXMainForm::MMILoadOfflineCmdListClick() {
  TFileDialogRequest Request;
  Request.Kind = TFileDialogRequest::fdOpen;
  Request.Directory = ParaFileFolder();
  Request.Filters = kOfflineFilters;
  Request.DefaultSuffix = QStringLiteral("vdx");
  const QString FileName = AskFileName(Request, this);
  if (FileName.isEmpty()) return;
  bool Loaded;
  {
    TBusyCursor Busy;
    Loaded = FModProt->LoadOfflineCmdList(NativeName(FileName));
  }
  if (Loaded) {
    FStatus->SetText(spModuleId, QString::fromLatin1(FModProt->ModuleId()));
    FButtons.SBtnMonitor->setEnabled(true);
    FButtons.SBtnScope->setEnabled(true);
    FButtons.SBtnPrint->setEnabled(true);
  } else {
    FStatus->SetText(spModuleId, QString());
  }
  StoreParaFileFolder(FileName);
  UpdateFileMenu();
}

void TVDXMainForm::MMISaveCmdListClick() {
  TFileDialogRequest Request;
  Request.Kind = TFileDialogRequest::fdSave;
  Request.Directory = ParaFileFolder();
  Request.Filters = kOfflineFilters;
  Request.DefaultSuffix = QStringLiteral("vdx");
  const QString FileName = AskFileName(Request, this);
  if (FileName.isEmpty()) return;
  bool Saved;
  {
    TBusyCursor Busy;
    Saved = FModProt->ExportVdxFile(NativeName(FileName));
  }
  if (!Saved) return;
  StoreParaFileFolder(FileName);
  ShowDataSaved(FileName);
}

void TVDXMainForm::MMIViewVDXFileClick() {
  TFileDialogRequest Request;
  Request.Kind = TFileDialogRequest::fdOpen;
  Request.Directory = ParaFileFolder();
  Request.Filters = kViewerFilters;
  Request.DefaultSuffix = QStringLiteral("vdx");
  const QString FileName = AskFileName(Request, this);
  if (FileName.isEmpty()) return;
  if (QFileInfo::exists(FileName)) FWebBrowserDlg->ShowText(FileName, QSize(512, 348));
  StoreParaFileFolder(FileName);
}

void TVDXMainForm::VDXModProtInfoMsg(TVDXCommProtMsgKind MsgKind, int& Result) {
  QMessageBox::StandardButton Answer = QMessageBox::Cancel;
  if (MsgKind == cpmkImpFktNoValidModulId)
    Answer = Ask(TMessageKind::Error,
                 QStringLiteral("The selected file do not include 100% compatible module data "
                                "(please check it after loading)! Do you want try to load other "
                                "data?"),
                 TMessageButtons::OkCancel);
  else
    Answer = Ask(TMessageKind::Warning,
                 QStringLiteral("Do you want to overwrite the existing data for the module: ") +
                     QString::fromLatin1(FModProt->ModuleId()) + QStringLiteral(" ?"),
                 TMessageButtons::OkCancel);
  // 1 is OK, 2 Cancel.
  Result = Answer == QMessageBox::Ok ? 1 : 2;
}

void TVDXMainForm::VDXModProtModIdSelRequest(const std::vector<std::string>& IdList, int& SelIdx) {
  const bool Busy = QApplication::overrideCursor() != nullptr;
  if (Busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  SelIdx = TModulIdSelDlg::SelectModulId(IdList, this);
  if (Busy) QApplication::restoreOverrideCursor();
}

void TVDXMainForm::VDXModProtParaDownloadError(const std::vector<std::string>& CmdErrList) {
  QString Text = QStringLiteral("The commands ");
  for (const auto& Name : CmdErrList) Text += QString::fromLatin1(Name) + QLatin1Char('\n');
  Text += QStringLiteral(" are not valid!");
  Ask(TMessageKind::Error, Text);
}

void TVDXMainForm::VDXModProtReadoutError(const std::string& ModID,
                                          std::vector<std::string>& ExtCmdList) {
  std::string Name;
  if (!TVDXModCommProt::ParseModuleId(ModID, Name)) return;
  const std::string Path = ReadoutDescriptionPath(FToolFolder, Name);
  struct stat Info {};
  if (stat(Path.c_str(), &Info) == 0 && S_ISREG(Info.st_mode)) {
    LoadReadoutDescription(Path, ExtCmdList);
    return;
  }
  Ask(TMessageKind::Error,
      QStringLiteral("The file: ") + QString::fromLatin1(Name) +
          QStringLiteral(".rdd could not found in the VDXTOOL working directory! Please make sure "
                         "that the file is located in the \"") +
          QString::fromStdString(FToolFolder) + QStringLiteral("\" directory!"));
}

}  // namespace vdx::ui
