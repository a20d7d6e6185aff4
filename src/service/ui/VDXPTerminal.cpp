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

void TVDXPTerminal::DisplayChar(char C) {
  if (!FEditor) return;
  if (FEditor->isVisible() && FEditor->isEnabled() && !FEditor->hasFocus()) FEditor->setFocus();
  QTextDocument* Doc = FEditor->document();
  switch (C) {
    case '\r': {
      if (Doc->isEmpty() || Doc->lastBlock().text().isEmpty()) return;
      QTextCursor End(Doc);
      End.movePosition(QTextCursor::End);
      End.insertBlock();
      FEditor->setTextCursor(End);
      break;
    }
    case '\n':
      return;
    case '\b': {
      if (Doc->isEmpty()) return;
      QTextCursor Last(Doc);
      Last.movePosition(QTextCursor::End);
      Last.deletePreviousChar();
      break;
    }
    default:
      FEditor->textCursor().insertText(QString(QChar(static_cast<unsigned char>(C))));
      break;
  }
  FEditor->ensureCursorVisible();
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
