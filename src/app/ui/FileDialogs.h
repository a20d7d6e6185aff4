// Every file dialog of the main window goes through one service, so tests can answer them.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace vdx::ui {

struct TFileDialogRequest {
  enum TKind { fdOpen, fdSave };
  TKind Kind = fdOpen;
  QString Directory;       // starting folder
  QStringList Filters;     // "Description (*.ext)" pairs, in order
  int SelectedFilter = 0;  // index into Filters
  QString DefaultSuffix;   // added to a name typed without extension
  QString SelectFile;      // preselected file, may be empty
  bool ConfirmOverwrite = false;
};

// The chosen file's full name; empty when the dialog was cancelled. Open dialogs accept only
// existing files.
QString AskFileName(const TFileDialogRequest& Request, QWidget* Parent);

using TFileDialogHandler = std::function<QString(const TFileDialogRequest& Request)>;
// Replaces the dialogs (tests); an empty handler brings them back. Returns the previous one.
TFileDialogHandler SetFileDialogHandler(TFileDialogHandler Handler);

}  // namespace vdx::ui
