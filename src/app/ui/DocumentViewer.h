// The document viewer window: the manual (PDF) or a command list file (read-only text),
// shown beside the main window without blocking it.
#pragma once

#include <QWidget>

class QPdfDocument;
class QPdfView;
class QPlainTextEdit;
class QStackedWidget;

namespace vdx::ui {

class TWebBrowserDlg : public QWidget {
 public:
  explicit TWebBrowserDlg(QWidget* Parent = nullptr);

  // Shows a PDF file; the caption is its full name. False when it cannot be loaded.
  bool ShowPdf(const QString& FileName, const QSize& Size);
  // Shows a text file read-only (ISO-8859-1). False when it cannot be read.
  bool ShowText(const QString& FileName, const QSize& Size);

  QPdfDocument* Document() const { return FDocument; }

 private:
  void Present(const QString& FileName, const QSize& Size);

  QStackedWidget* FPages;
  QPdfDocument* FDocument;
  QPdfView* FPdfView;
  QPlainTextEdit* FTextView;
};

}  // namespace vdx::ui
