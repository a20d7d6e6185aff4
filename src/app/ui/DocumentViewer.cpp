#include "app/ui/DocumentViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPdfDocument>
#include <QPdfView>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vdx::ui {

TWebBrowserDlg::TWebBrowserDlg(QWidget* Parent)
    : QWidget(Parent, Qt::Window),
      FPages(new QStackedWidget(this)),
      FDocument(new QPdfDocument(this)),
      FPdfView(new QPdfView(FPages)),
      FTextView(new QPlainTextEdit(FPages)) {
  setObjectName(QStringLiteral("WebBrowserDlg"));
  FPdfView->setDocument(FDocument);
  FPdfView->setPageMode(QPdfView::PageMode::MultiPage);
  FPdfView->setZoomMode(QPdfView::ZoomMode::FitToWidth);
  FTextView->setReadOnly(true);
  FTextView->setLineWrapMode(QPlainTextEdit::NoWrap);
  FTextView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  FPages->addWidget(FPdfView);
  FPages->addWidget(FTextView);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(FPages);
}

bool TWebBrowserDlg::ShowPdf(const QString& FileName, const QSize& Size) {
  if (FDocument->load(FileName) != QPdfDocument::Error::None) return false;
  FPages->setCurrentWidget(FPdfView);
  Present(FileName, Size);
  return true;
}

bool TWebBrowserDlg::ShowText(const QString& FileName, const QSize& Size) {
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly)) return false;
  FTextView->setPlainText(QString::fromLatin1(File.readAll()));
  FPages->setCurrentWidget(FTextView);
  Present(FileName, Size);
  return true;
}

void TWebBrowserDlg::Present(const QString& FileName, const QSize& Size) {
  setWindowTitle(QFileInfo(FileName).absoluteFilePath());
  resize(Size);
  show();
  raise();
  activateWindow();
}

}  // namespace vdx::ui
