// The terminal on the main window's terminal page: typed keys go to the module one byte each
// and never into the text by themselves; what the module sends is shown as it arrives. Also
// the receive notifier that hands the port's input to the protocol component's terminal path.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTextEdit>
#include <memory>

#include "comm/ModViews.h"

class QPrinter;
class QSocketNotifier;

namespace vdx {
class TVDXModCommProt;
}

namespace vdx::ui {

class TVDXPTerminal : public QObject, public ITerminalView {
 public:
  explicit TVDXPTerminal(QObject* Parent = nullptr);

  QTextEdit* TerminalEditor() const { return FEditor; }
  // Binds Editor (not owned; the link clears itself when the editor goes): both scroll bars,
  // "Courier New" 11 pt, and its character keys routed to EditorKeyPress.
  void SetTerminalEditor(QTextEdit* Editor);

  // Raises OnTerminalInput for Key and turns it into the null character, so nothing enters
  // the editor by itself. Only with an editor bound.
  void EditorKeyPress(char& Key);

  // Received bytes, in order: CR starts a new line unless the text is empty or already ends
  // with one, LF is ignored, BS removes the last character, any other byte is inserted at the
  // caret (replacing the selection). Runs of other bytes go in with one edit each, and the
  // view scrolls once per call.
  void DisplayText(std::string_view Text) override;

  // Prints the editor's text as one print job titled "VDXTOOL". False when there is no
  // editor or the job could not be started.
  bool Print(QPrinter& Printer) const;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  QPointer<QTextEdit> FEditor;
};

// Watches the port's descriptor and lets the protocol component read received bytes for the
// terminal, exactly while its terminal path is live, so no byte meant for a command exchange
// is taken. Follows the port through reopening; Update() after anything that changes the
// operating mode, the linked terminal or the port.
class TTerminalRxNotifier : public QObject {
 public:
  TTerminalRxNotifier(TVDXModCommProt& Prot, QObject* Parent = nullptr);
  ~TTerminalRxNotifier() override;

  void Update();
  // While suspended (the firmware update dialog runs) the notifier stays disabled.
  void SetSuspended(bool Suspended);
  bool Enabled() const;

 private:
  void Received();

  TVDXModCommProt& FProt;
  std::unique_ptr<QSocketNotifier> FNotifier;
  bool FSuspended = false;
};

}  // namespace vdx::ui
