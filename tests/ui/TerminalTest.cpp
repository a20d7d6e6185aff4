// The terminal page against the virtual module: what the module sends is shown line by line,
// typed keys go to the module only on page "Terminal", and the terminal's text is saved,
// opened and printed through real files.
#include <QClipboard>
#include <QFile>
#include <QPdfDocument>
#include <QPrinter>
#include <QTextEdit>
#include <QtTest>

#include "MainFormBench.h"
#include "TestPaths.h"
#include "service/ui/VDXPTerminal.h"

using namespace vdx;
using namespace vdx::testing;

namespace {

QTextEdit* Editor(TBench& B) { return B.Form->Pages().VDXTermEditor; }

// Shows page "Terminal" and waits for the prompt the page's carriage return brings.
void OpenTerminal(TBench& B) {
  B.Connect();
  B.Form->Actions().ShowTerminalAct->trigger();
  QTRY_VERIFY(Editor(B)->toPlainText().endsWith(QLatin1Char('>')));
  B.Form->Actions().ClearTerminalAct->trigger();
  B.Sim.Module.ClearReceivedCommands();
}

}  // namespace

class TerminalTest : public QObject {
  Q_OBJECT

 private slots:
  void displayChar_data() {
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<QString>("shown");
    QTest::newRow("CR on an empty terminal") << QByteArray("\r\r\n") << QString();
    QTest::newRow("CR LF CR LF is one line break")
        << QByteArray("abc\r\n\r\nx") << QStringLiteral("abc\nx");
    QTest::newRow("LF alone is ignored") << QByteArray("a\nb") << QStringLiteral("ab");
    QTest::newRow("backspace removes the last character")
        << QByteArray("ab\bc\r\b\b") << QStringLiteral("a");
    QTest::newRow("backspace on an empty terminal") << QByteArray("\b") << QString();
    QTest::newRow("Latin-1 bytes") << QByteArray(
                                          "20\xB0"
                                          "C \xE4")
                                   << QStringLiteral("20°C ä");
  }
  // The line rules on a bare editor, byte by byte, in one read, and cut into two reads at
  // every place: where a read ends must not change the text.
  void displayChar() {
    QFETCH(QByteArray, received);
    QFETCH(QString, shown);
    QTextEdit Edit;
    ui::TVDXPTerminal Terminal;
    Terminal.SetTerminalEditor(&Edit);
    for (char C : received) Terminal.DisplayChar(C);
    QCOMPARE(Edit.toPlainText(), shown);
    QCOMPARE(Edit.font().family(), QStringLiteral("Courier New"));
    QCOMPARE(Edit.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    const std::string_view All(received.constData(), size_t(received.size()));
    for (size_t Cut = 0; Cut <= All.size(); ++Cut) {
      Edit.clear();
      Terminal.DisplayText(All.substr(0, Cut));
      Terminal.DisplayText(All.substr(Cut));
      QVERIFY2(Edit.toPlainText() == shown, qPrintable(QStringLiteral("cut at %1").arg(Cut)));
    }
  }

  // Bytes go in at the caret, the first replacing the selection; a line break moves the caret
  // to a new last line, both byte by byte and in one read.
  void displayAtTheCaret() {
    for (const bool OneRead : {false, true}) {
      QTextEdit Edit;
      ui::TVDXPTerminal Terminal;
      Terminal.SetTerminalEditor(&Edit);
      Edit.setPlainText(QStringLiteral("one\ntwo"));
      QTextCursor Selected(Edit.document());
      Selected.setPosition(1);
      Selected.setPosition(3, QTextCursor::KeepAnchor);
      Edit.setTextCursor(Selected);
      const std::string_view Received("xy\r\n\bz\rw");
      if (OneRead)
        Terminal.DisplayText(Received);
      else
        for (char C : Received) Terminal.DisplayChar(C);
      QCOMPARE(Edit.toPlainText(), QStringLiteral("oxy\ntwoz\nw"));
      QCOMPARE(Edit.textCursor().position(), Edit.toPlainText().size());
    }
  }

  // Typed "ID" and Enter reach the module as keys; its echo, ID text and prompt show as three
  // lines with the caret after the prompt; the typed keys were not put in by themselves.
  void identificationShowsThreeLines_data() {
    QTest::addColumn<bool>("halfDuplex");
    QTest::newRow("full duplex") << false;
    QTest::newRow("half duplex") << true;
  }
  void identificationShowsThreeLines() {
    QFETCH(bool, halfDuplex);
    sim::TSimOptions Line;
    Line.HalfDuplex = halfDuplex;
    Line.BaudRate = halfDuplex ? 19200 : 9600;
    TBench B(Line,
             [&] { TApplIni().WriteInteger("Interface", "TranferMode", halfDuplex ? 1 : 0); });
    OpenTerminal(B);
    QVERIFY(B.Form->TerminalRxEnabled());
    // Key by key as a person types: each key's own copy on a two-wire line is dropped once the
    // module's echo comes back.
    QTest::keyClick(Editor(B), 'I');
    QTRY_COMPARE(Editor(B)->toPlainText(), QStringLiteral("I"));
    QTest::keyClick(Editor(B), 'D');
    QTRY_COMPARE(Editor(B)->toPlainText(), QStringLiteral("ID"));
    QTest::keyClick(Editor(B), Qt::Key_Return);
    const QString Expected =
        QStringLiteral("ID\n") + QString::fromStdString(B.Sim.Module.IdText()) + "\n>";
    QTRY_COMPARE(Editor(B)->toPlainText(), Expected);
    QCOMPARE(Editor(B)->textCursor().position(), Expected.size());
    QCOMPARE(B.Sim.Heard(), QStringList{QStringLiteral("ID\r")});
  }

  // Outside page "Terminal" nothing typed is sent and no received byte is taken from the
  // command exchanges; pasting only fills the editor.
  void onlyThePageSendsAndReceives() {
    TBench B;
    OpenTerminal(B);
    QGuiApplication::clipboard()->setText(QStringLiteral("SAVE"));
    B.Form->Menus().MMIPaste->trigger();
    QCOMPARE(Editor(B)->toPlainText(), QStringLiteral("SAVE"));
    B.Form->Actions().ShowParamlistAct->trigger();
    QVERIFY(!B.Form->TerminalRxEnabled());
    QTest::keyClicks(Editor(B), QStringLiteral("XYZ\r"));
    B.Form->Actions().IdentifyAct->trigger();  // an exchange while the notifier is off
    QTest::qWait(200);
    QVERIFY(B.Sim.Heard().filter(QStringLiteral("SAVE")).isEmpty());
    QVERIFY(B.Sim.Heard().filter(QStringLiteral("XYZ")).isEmpty());
    QVERIFY(!B.Form->StatusText(ui::spModuleId).isEmpty());  // the identification got its bytes
    QCOMPARE(Editor(B)->toPlainText(), QStringLiteral("SAVE"));
  }

  // Save asks for a name the first time; after Open the same file is overwritten without a
  // question; New makes the next save ask again. The text survives the round trip.
  void saveAndOpenRoundTrip() {
    TBench B;
    OpenTerminal(B);
    TFileDialogLog Dialogs;
    QTemporaryDir Dir;
    const QString File = Dir.filePath(QStringLiteral("log.rtf"));
    const QString Text = QStringLiteral("ID\nKV20 20°C {x} \\par\n>");
    Editor(B)->setPlainText(Text);
    Dialogs.Answers = {File};
    B.Form->Actions().SaveTerminalAct->trigger();
    QCOMPARE(Dialogs.Requests.size(), size_t(1));
    QCOMPARE(Dialogs.Requests[0].Kind, ui::TFileDialogRequest::fdSave);
    QCOMPARE(Dialogs.Requests[0].DefaultSuffix, QStringLiteral("rtf"));
    QVERIFY(Dialogs.Requests[0].ConfirmOverwrite);
    QCOMPARE(Dialogs.Requests[0].Filters, QStringList{QStringLiteral("Terminalfenster (*.rtf)")});
    QVERIFY(B.Form->TerminalFile().isEmpty());  // a saved name is not remembered

    B.Form->Menus().MMINew->trigger();
    QVERIFY(Editor(B)->toPlainText().isEmpty());
    Dialogs.Answers = {File};
    B.Form->Menus().MMIOpen->trigger();
    QCOMPARE(Editor(B)->toPlainText(), Text);
    QCOMPARE(B.Form->TerminalFile(), File);

    Editor(B)->setPlainText(QStringLiteral("second"));
    B.Form->Actions().SaveTerminalAct->trigger();
    QCOMPARE(Dialogs.Requests.size(), size_t(2));  // no question this time
    QFile Saved(File);
    QVERIFY(Saved.open(QIODevice::ReadOnly));
    QVERIFY(Saved.readAll().contains("second"));

    B.Form->Actions().ClearTerminalAct->trigger();
    B.Form->Actions().SaveTerminalAct->trigger();  // cancelled dialog
    QCOMPARE(Dialogs.Requests.size(), size_t(3));
    QVERIFY(B.Messages.Entries.empty());
  }

  // A document from a common word processor: tables, info and generator skipped, escapes
  // and special characters taken.
  void opensWordProcessorRtf() {
    TBench B;
    TFileDialogLog Dialogs;
    Dialogs.Answers = {QString::fromStdString(TestDataDir() + "/terminal/wordprocessor.rtf")};
    B.Form->Actions().OpenTerminalAct->trigger();
    // The editor's plain text turns the non-breaking space into a blank.
    QCOMPARE(Editor(B)->toPlainText(), QStringLiteral("ID\nKV20DEMO 3.6 ? 20°C\n>\tdone\nnext\n"));
    QVERIFY(B.Messages.Entries.empty());
  }

  // Errors of loading and saving are shown with their text; a failed load leaves the editor
  // empty and keeps the name, a failed save leaves the text.
  void fileErrorsAreShown() {
    TBench B;
    TFileDialogLog Dialogs;
    Editor(B)->setPlainText(QStringLiteral("keep"));
    const QString Missing = QStringLiteral("/nonexistent-folder/log.rtf");
    Dialogs.Answers = {Missing};
    B.Form->Actions().SaveTerminalAct->trigger();
    QCOMPARE(B.Messages.Entries.size(), size_t(1));
    QCOMPARE(B.Messages.Entries[0].Kind, ui::TMessageKind::Error);
    QVERIFY2(!B.Messages.Entries[0].Text.isEmpty(), "the error's text");
    QCOMPARE(Editor(B)->toPlainText(), QStringLiteral("keep"));

    Dialogs.Answers = {Missing};
    B.Form->Actions().OpenTerminalAct->trigger();
    QCOMPARE(B.Messages.Entries.size(), size_t(2));
    QVERIFY(B.Messages.Entries[1].Text.size() > 0);
    QVERIFY(Editor(B)->toPlainText().isEmpty());
    QCOMPARE(B.Form->TerminalFile(), Missing);
  }

  // The printout is one job titled "VDXTOOL" holding the terminal's lines.
  void printsToPdf() {
    TBench B;
    QTemporaryDir Dir;
    Editor(B)->setPlainText(QStringLiteral("ID\nKV20DEMO 3.6\n>"));
    QPrinter Printer(QPrinter::HighResolution);
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(Dir.filePath(QStringLiteral("terminal.pdf")));
    QVERIFY(B.Form->PrintTerminal(Printer));
    QPdfDocument Doc;
    QCOMPARE(Doc.load(Dir.filePath(QStringLiteral("terminal.pdf"))), QPdfDocument::Error::None);
    QCOMPARE(Doc.pageCount(), 1);
    QCOMPARE(Doc.metaData(QPdfDocument::MetaDataField::Title).toString(),
             QStringLiteral("VDXTOOL"));
    const QString Text = Doc.getAllText(0).text();
    QVERIFY2(Text.contains(QStringLiteral("KV20DEMO 3.6")) && Text.contains(QLatin1Char('>')),
             qPrintable(Text));
  }
};

QTEST_MAIN(TerminalTest)
#include "TerminalTest.moc"
