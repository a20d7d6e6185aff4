// The password dialog: masked typing, the check request and the retry question.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/ui/MessageService.h"
#include "app/ui/PasswordDlg.h"

using namespace vdx::ui;

namespace {

// Keys of a typing script: '\b' backspace, '\x7f' Delete, '\x01' Home, anything else typed.
void TypeScript(QLineEdit* Edit, const QString& Script) {
  for (const QChar Char : Script) {
    if (Char == '\b')
      QTest::keyClick(Edit, Qt::Key_Backspace);
    else if (Char == '\x7f')
      QTest::keyClick(Edit, Qt::Key_Delete);
    else if (Char == '\x01')
      QTest::keyClick(Edit, Qt::Key_Home);
    else  // Latin-1 key codes equal the upper-case letter (QTest::keyClicks takes ASCII only)
      QTest::sendKeyEvent(QTest::Click, Edit, Qt::Key(Char.toUpper().unicode()), QString(Char),
                          Qt::NoModifier);
  }
}

// Runs Steps once the form is open; a form still open afterwards is cancelled so a failed
// step cannot hang the test.
bool ExecuteWith(TPasswordDlg& Dlg, QString& Password, const std::function<void()>& Steps) {
  QTimer::singleShot(0, &Dlg, [&] {
    Steps();
    if (Dlg.Form().isVisible()) {
      Dlg.Form().reject();
      QFAIL("the form is still open");
    }
  });
  return Dlg.Execute(Password);
}

struct TQuestions {
  QStringList Texts;
  QList<TMessageKind> Kinds;
  QList<TMessageButtons> Buttons;
  QMessageBox::StandardButton Answer = QMessageBox::Ok;
  TMessageHandler Previous;

  TQuestions() {
    Previous =
        SetMessageHandler([this](TMessageKind Kind, const QString& Text, TMessageButtons Set) {
          Texts << Text;
          Kinds << Kind;
          Buttons << Set;
          return Answer;
        });
  }
  ~TQuestions() { SetMessageHandler(Previous); }
};

}  // namespace

class PasswordDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void typingShowsAsterisksAndChecksTheRealText_data() {
    QTest::addColumn<QString>("Script");
    QTest::addColumn<QString>("Shown");
    QTest::addColumn<QString>("Checked");
    QTest::newRow("five characters") << "aB3$/"
                                     << "*****"
                                     << "aB3$/";
    QTest::newRow("four, backspace, two") << "abcd\bxy"
                                          << "*****"
                                          << "abcxy";
    QTest::newRow("backspace on empty field") << "\b\bk"
                                              << "*"
                                              << "k";
    QTest::newRow("blank and Latin-1 letter")
        << QString("a \u00e4") << "***" << QString("a \u00e4");
    // Delete edits the field only: the password keeps the character.
    QTest::newRow("Delete key") << "abc\x01\x7f"
                                << "**"
                                << "abc";
  }

  void typingShowsAsterisksAndChecksTheRealText() {
    QFETCH(QString, Script);
    QFETCH(QString, Shown);
    QFETCH(QString, Checked);
    TPasswordDlg Dlg;
    QStringList Seen;
    Dlg.OnPasswordCheckReq = [&](TPasswordDlg& Sender, const QString& Input, bool& CheckOk) {
      QCOMPARE(&Sender, &Dlg);
      QVERIFY(!CheckOk);
      Seen << Input;
      CheckOk = true;
    };
    QString Password;
    const bool Ok = ExecuteWith(Dlg, Password, [&] {
      QLineEdit* Edit = Dlg.Form().LEditPassword();
      TypeScript(Edit, Script);
      QCOMPARE(Edit->text(), Shown);
      QTest::keyClick(Edit, Qt::Key_Return);  // the default button
    });
    QVERIFY(Ok);
    QCOMPARE(Seen, QStringList{Checked});
    QCOMPARE(Password, Checked);
  }

  void confirming_data() {
    QTest::addColumn<bool>("HasHandler");
    QTest::addColumn<QList<bool>>("Verdicts");
    QTest::addColumn<int>("RetryAnswer");
    QTest::addColumn<QStringList>("Attempts");
    QTest::addColumn<QString>("Result");
    QTest::addColumn<int>("Questions");
    QTest::newRow("accepted at once")
        << true << QList<bool>{true} << int(QMessageBox::Ok) << QStringList{"good"} << "good" << 0;
    QTest::newRow("refused, retried, accepted")
        << true << QList<bool>{false, true} << int(QMessageBox::Ok) << QStringList{"bad", "good"}
        << "good" << 1;
    QTest::newRow("refused, no retry: the rejected text is returned")
        << true << QList<bool>{false} << int(QMessageBox::Cancel) << QStringList{"bad"} << "bad"
        << 1;
    QTest::newRow("no handler: OK closes at once")
        << false << QList<bool>{} << int(QMessageBox::Ok) << QStringList{"any"} << "any" << 0;
  }

  void confirming() {
    QFETCH(bool, HasHandler);
    QFETCH(QList<bool>, Verdicts);
    QFETCH(int, RetryAnswer);
    QFETCH(QStringList, Attempts);
    QFETCH(QString, Result);
    QFETCH(int, Questions);
    TQuestions Asked;
    Asked.Answer = static_cast<QMessageBox::StandardButton>(RetryAnswer);
    TPasswordDlg Dlg;
    QStringList Checked;
    if (HasHandler)
      Dlg.OnPasswordCheckReq = [&](TPasswordDlg&, const QString& Input, bool& CheckOk) {
        CheckOk = Verdicts.value(Checked.size(), false);
        Checked << Input;
      };
    QString Password;
    const bool Ok = ExecuteWith(Dlg, Password, [&] {
      for (const QString& Attempt : Attempts) {
        QLineEdit* Edit = Dlg.Form().LEditPassword();
        QCOMPARE(Edit->text(), QString());  // emptied for every try
        QTest::keyClicks(Edit, Attempt);
        Dlg.Form().BBtnOk()->click();
      }
    });
    QVERIFY(Ok);
    QCOMPARE(Password, Result);
    QCOMPARE(Checked, HasHandler ? Attempts : QStringList{});
    QCOMPARE(Asked.Texts, QStringList(Questions, "The password is incorrect! Retry?"));
    for (int I = 0; I < Questions; ++I) {
      QCOMPARE(Asked.Kinds[I], TMessageKind::Confirmation);
      QCOMPARE(Asked.Buttons[I], TMessageButtons::OkCancel);
    }
  }

  void cancelMakesNoCheckAndTheNextRunStartsEmpty() {
    TPasswordDlg Dlg;
    int Checks = 0;
    Dlg.OnPasswordCheckReq = [&](TPasswordDlg&, const QString&, bool& CheckOk) {
      ++Checks;
      CheckOk = true;
    };
    QString Password = "stale";
    QVERIFY(!ExecuteWith(Dlg, Password, [&] {
      QTest::keyClicks(Dlg.Form().LEditPassword(), "secret");
      Dlg.Form().BBtnCancel()->click();
    }));
    QCOMPARE(Password, QString());
    QVERIFY(!ExecuteWith(Dlg, Password, [&] {
      QCOMPARE(Dlg.Form().LEditPassword()->text(), QString());
      QTest::keyClick(Dlg.Form().LEditPassword(), Qt::Key_Escape);
    }));
    QVERIFY(ExecuteWith(Dlg, Password, [&] {
      QTest::keyClicks(Dlg.Form().LEditPassword(), "x");
      Dlg.Form().BBtnOk()->click();
    }));
    QCOMPARE(Password, QString("x"));  // nothing left over from the cancelled runs
    QCOMPARE(Checks, 1);
  }

  void formLayout() {
    TPasswordDlg Dlg;
    TSimplePasswForm& Form = Dlg.Form();
    QCOMPARE(Form.windowTitle(), QString("Enter Password"));
    QCOMPARE(Form.BBtnCancel()->text(), QString("Cancel"));
    QVERIFY(Form.BBtnOk()->isDefault());
    QCOMPARE(Form.size(), QSize(303, 157));
    QCOMPARE(Form.parent(), nullptr);
    QString Password;
    ExecuteWith(Dlg, Password, [&] {
      QCOMPARE(Form.focusWidget(), Form.LEditPassword());
      Form.reject();
    });
  }
};

QTEST_MAIN(PasswordDlgTest)
#include "PasswordDlgTest.moc"
