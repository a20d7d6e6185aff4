// Renders the user manual (Markdown) to the PDF shown by the tool's manual window.
// Usage: vdxmanual MANUAL.md OUTPUT.pdf
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication App(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: vdxmanual MANUAL.md OUTPUT.pdf\n");
    return 2;
  }
  QFile Source(QString::fromLocal8Bit(argv[1]));
  if (!Source.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "vdxmanual: cannot read %s\n", argv[1]);
    return 3;
  }
  QTextDocument Document;
  Document.setDefaultFont(QFont("Arial", 10));
  Document.setMarkdown(QString::fromUtf8(Source.readAll()));

  QPdfWriter Writer(QString::fromLocal8Bit(argv[2]));
  Writer.setPageSize(QPageSize(QPageSize::A4));
  Writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  Writer.setTitle("KORVA/20 start-up and service tool - user manual");
  Document.print(&Writer);
  return QFile::exists(QString::fromLocal8Bit(argv[2])) ? 0 : 3;
}
