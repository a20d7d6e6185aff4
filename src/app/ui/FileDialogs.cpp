#include "app/ui/FileDialogs.h"

#include <QFileDialog>

namespace vdx::ui {

namespace {

TFileDialogHandler& CurrentHandler() {
  static TFileDialogHandler Handler;
  return Handler;
}

}  // namespace

QString AskFileName(const TFileDialogRequest& Request, QWidget* Parent) {
  if (CurrentHandler()) return CurrentHandler()(Request);
  QFileDialog Dialog(Parent);
  const bool Save = Request.Kind == TFileDialogRequest::fdSave;
  Dialog.setAcceptMode(Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  Dialog.setFileMode(Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  Dialog.setOption(QFileDialog::DontConfirmOverwrite, !Request.ConfirmOverwrite);
  Dialog.setDirectory(Request.Directory);
  Dialog.setNameFilters(Request.Filters);
  if (Request.SelectedFilter >= 0 && Request.SelectedFilter < Request.Filters.size())
    Dialog.selectNameFilter(Request.Filters[Request.SelectedFilter]);
  Dialog.setDefaultSuffix(Request.DefaultSuffix);
  if (!Request.SelectFile.isEmpty()) Dialog.selectFile(Request.SelectFile);
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty()) return QString();
  return Dialog.selectedFiles().constFirst();
}

TFileDialogHandler SetFileDialogHandler(TFileDialogHandler Handler) {
  TFileDialogHandler Previous = std::move(CurrentHandler());
  CurrentHandler() = std::move(Handler);
  return Previous;
}

}  // namespace vdx::ui
