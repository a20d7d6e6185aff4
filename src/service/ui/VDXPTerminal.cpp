#include "service/ui/VDXPTerminal.h"

#include <QKeyEvent>
#include <QPrinter>
#include <QSocketNotifier>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "comm/ModCommProt.h"

namespace vdx::ui {

TVDXPTerminal::TVDXPTerminal(QObject* Parent) : QObject(Parent) {}

void TVDXPTerminal::SetTerminalEditor(QTextEdit* Editor) {
  if (FEditor) FEditor->removeEventFilter(this);
  FEditor = Editor;
  if (!Editor) return;
  Editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Editor->setFont(QFont(QStringLiteral("Courier New"), 11));
  Editor->installEventFilter(this);
}

void TVDXPTerminal::EditorKeyPress(char& Key) {
  if (!FEditor) return;
  std::string Response;
  if (OnTerminalInput) OnTerminalInput(*this, Key, Response);
  Key = '\0';
}

bool TVDXPTerminal::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched != FEditor || Event->type() != QEvent::KeyPress) return false;
  const QString Text = static_cast<QKeyEvent*>(Event)->text();
  if (Text.isEmpty()) return false;  // navigation keys move the view as usual
  for (const QChar Ch : Text) {
    // Keys beyond Latin-1 have no byte on the line.
    if (Ch.unicode() > 0xFF) continue;
    char Key = static_cast<char>(Ch.unicode());
    EditorKeyPress(Key);
  }
  return true;
}

void TVDXPTerminal::DisplayText(std::string_view Text) {
  if (!FEditor) return;
  if (FEditor->isVisible() && FEditor->isEnabled() && !FEditor->hasFocus()) FEditor->setFocus();
  QTextDocument* Doc = FEditor->document();
  // The editor's caret is handed back once at the end: setting it per line would scroll the
  // view per line.
  QTextCursor Caret = FEditor->textCursor();
  bool CaretMoved = false;
  bool Changed = false;
  QString Run;
  // Pending printable bytes go in before any control byte acts on the text.
  const auto InsertRun = [&] {
    if (Run.isEmpty()) return;
    Caret.insertText(Run);
    Run.clear();
    Changed = true;
  };
  for (const char C : Text) {
    switch (C) {
      case '\r':
        InsertRun();
        if (Doc->isEmpty() || Doc->lastBlock().text().isEmpty()) break;
        Caret.movePosition(QTextCursor::End);
        Caret.insertBlock();
        CaretMoved = Changed = true;
        break;
      case '\n':
        break;
      case '\b': {
        InsertRun();
        if (Doc->isEmpty()) break;
        QTextCursor Last(Doc);
        Last.movePosition(QTextCursor::End);
        Last.deletePreviousChar();
        Changed = true;
        break;
      }
      default:
        Run += QChar(static_cast<unsigned char>(C));
        break;
    }
  }
  InsertRun();
  if (CaretMoved) FEditor->setTextCursor(Caret);
  if (Changed) FEditor->ensureCursorVisible();
}

bool TVDXPTerminal::Print(QPrinter& Printer) const {
  if (!FEditor) return false;
  Printer.setDocName(QStringLiteral("VDXTOOL"));
  const std::unique_ptr<QTextDocument> Doc(FEditor->document()->clone());
  Doc->print(&Printer);
  return Printer.printerState() != QPrinter::Error;
}

TTerminalRxNotifier::TTerminalRxNotifier(TVDXModCommProt& Prot, QObject* Parent)
    : QObject(Parent), FProt(Prot) {
  FProt.ComPort().OnReopened = [this] { Update(); };
}

TTerminalRxNotifier::~TTerminalRxNotifier() { FProt.ComPort().OnReopened = nullptr; }

void TTerminalRxNotifier::Update() {
  const int Handle = FProt.ComPort().Handle();
  if (FNotifier && FNotifier->socket() != Handle) FNotifier.reset();
  if (!FNotifier && Handle >= 0) {
    FNotifier = std::make_unique<QSocketNotifier>(Handle, QSocketNotifier::Read);
    FNotifier->setEnabled(false);
    connect(FNotifier.get(), &QSocketNotifier::activated, this, [this] { Received(); });
  }
  if (FNotifier) FNotifier->setEnabled(!FSuspended && FProt.TerminalPathLive());
}

void TTerminalRxNotifier::SetSuspended(bool Suspended) {
  FSuspended = Suspended;
  Update();
}

bool TTerminalRxNotifier::Enabled() const { return FNotifier && FNotifier->isEnabled(); }

void TTerminalRxNotifier::Received() {
  FProt.TerminalRxChar();
  // A lost line closes the port; the notifier must not stay on a dead descriptor.
  Update();
}

}  // namespace vdx::ui
