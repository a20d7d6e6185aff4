#include "live/ui/SaveScopeDataDlg.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/FileDialogs.h"
#include "app/ui/Glyphs.h"

namespace vdx::ui {

TSaveScopeDataDlg::TSaveScopeDataDlg(QWidget* Parent) : QDialog(Parent) {
  setWindowTitle(QStringLiteral("Dialog"));
  setFixedSize(316, 130);
  auto* Bevel = new QFrame(this);
  Bevel->setFrameShape(QFrame::StyledPanel);
  EdtFilename = new QLineEdit(Bevel);
  EdtFilename->setObjectName(QStringLiteral("EdtFilename"));
  EdtFilename->setFixedWidth(245);
  auto* Label = new QLabel(QStringLiteral("Save (real time) to file"), Bevel);
  Label->setBuddy(EdtFilename);
  SBtnFilename = new QToolButton(Bevel);
  SBtnFilename->setObjectName(QStringLiteral("SBtnFilename"));
  SBtnFilename->setIcon(GlyphIcon(TGlyph::OpenTerminal));
  connect(SBtnFilename, &QToolButton::clicked, this, [this] { SBtnFilenameClick(); });
  auto* Grid = new QGridLayout(Bevel);
  Grid->addWidget(Label, 0, 0, 1, 2);
  Grid->addWidget(EdtFilename, 1, 0);
  Grid->addWidget(SBtnFilename, 1, 1);

  auto* Buttons = new QDialogButtonBox(this);
  Buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  Buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* Layout = new QVBoxLayout(this);
  Layout->addWidget(Bevel);
  Layout->addWidget(Buttons);
}

QString TSaveScopeDataDlg::FileName() const { return EdtFilename->text(); }

void TSaveScopeDataDlg::SBtnFilenameClick() {
  TFileDialogRequest Request;
  Request.Kind = TFileDialogRequest::fdOpen;
  Request.Filters = {QStringLiteral("Modulparameter (*.txt)")};
  Request.DefaultSuffix = QStringLiteral("par");
  const QString Name = AskFileName(Request, this);
  if (!Name.isEmpty()) EdtFilename->setText(Name);
}

}  // namespace vdx::ui
