// The about box: its texts, its links and the hidden input that opens the hidden options.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>
#include <memory>

#include "app/ApplInfo.h"
#include "app/ui/AboutBox.h"
#include "app/ui/ApplOptions.h"
#include "app/ui/DesktopOpen.h"

using namespace vdx;
using namespace vdx::ui;

namespace {

// Runs Steps on the modal dialog on top once the event loop runs, unless Scope has gone by
// then. The steps must close it; a dialog still open afterwards is cancelled so a failed step
// cannot hang the test.
void WhenOpen(QObject* Scope, const std::function<void(QDialog&)>& Steps) {
  QTimer::singleShot(0, Scope, [Steps] {
    QPointer<QDialog> Dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!Dlg) QFAIL("no dialog is open");
    Steps(*Dlg);
    if (Dlg && Dlg->isVisible()) {
      Dlg->reject();
      QFAIL("the dialog is still open");
    }
  });
}

// Keys as the window system delivers them; '\b' is backspace.
void Type(QDialog& Dlg, const QString& Keys) {
  for (const QChar Char : Keys) {
    if (Char == '\b')
      QTest::keyClick(Dlg.windowHandle(), Qt::Key_Backspace);
    else
      QTest::keyClick(Dlg.windowHandle(), Char.toLatin1());
  }
}

QString LabelText(QDialog& Dlg, const char* Name) {
  auto* Label = Dlg.findChild<QLabel*>(Name);
  return Label ? Label->text() : QString("<no label %1>").arg(Name);
}

}  // namespace

class AboutBoxTest : public QObject {
  Q_OBJECT

  QTemporaryDir FFacts;
  std::unique_ptr<TApplInfo> FInfo;
  QList<QUrl> FOpened;
  TOpenUrlHandler FPreviousOpen;
  std::unique_ptr<QObject> FScope;  // steps still pending when a test ends are dropped with it

  void WhenOpen(const std::function<void(QDialog&)>& Steps) { ::WhenOpen(FScope.get(), Steps); }

 private slots:
  void initTestCase() {
    QVERIFY(FFacts.isValid());
    const auto Write = [this](const char* Name, const QByteArray& Text) {
      QFile File(FFacts.filePath(Name));
      QVERIFY(File.open(QIODevice::WriteOnly));
      File.write(Text);
    };
    Write("os-release", "NAME=Testix\nPRETTY_NAME=\"Testix 7 (quiet)\"\n");
    Write("meminfo", "MemTotal:        2097152 kB\nMemAvailable:     524288 kB\n");
    FPreviousOpen = SetOpenUrlHandler([this](const QUrl& Url) {
      FOpened << Url;
      return true;
    });
  }

  void cleanupTestCase() { SetOpenUrlHandler(FPreviousOpen); }

  // The main window's set-up: brand applied, hidden input text set.
  void init() {
    TSysInfoSources Sources;
    Sources.OsRelease = {FFacts.filePath("os-release").toStdString()};
    Sources.MemInfo = FFacts.filePath("meminfo").toStdString();
    Sources.CpuInfo = FFacts.filePath("cpuinfo").toStdString();
    FInfo = std::make_unique<TApplInfo>(Sources);
    FInfo->ApplyBrand(BuildBrandRecord());
    FInfo->HiddenInputText = "/$KMTR";
    FOpened.clear();
    FScope = std::make_unique<QObject>();
  }

  void cleanup() { FScope.reset(); }

  void showsTheTexts() {
    TAboutBox Box(*FInfo);
    const TBrandRecord& Brand = BuildBrandRecord();
    WhenOpen([&](QDialog& Dlg) {
      QCOMPARE(LabelText(Dlg, "LabProdukt"), QString("KORVA/20"));
      QCOMPARE(LabelText(Dlg, "LabVersion"),
               "Version " + QString::fromStdString(FInfo->FormatVersion(vfLong)));
      QVERIFY(QRegularExpression(R"(^Version \d+\.\d+\.\d+ \(Build: \d+\)$)")
                  .match(LabelText(Dlg, "LabVersion"))
                  .hasMatch());
      QCOMPARE(LabelText(Dlg, "LabCopyRight"), QString::fromStdString(Brand.CopyRight));
      QCOMPARE(Dlg.findChild<QPlainTextEdit*>("MemoProduktDes")->toPlainText(),
               QString("Startup-Tool for digital control modules"));
      QStringList Address{QString::fromStdString(Brand.CompanyName)};
      for (const std::string& Line : Brand.Address) Address << QString::fromStdString(Line);
      QCOMPARE(LabelText(Dlg, "AdrLabel"), Address.join('\n'));
      QCOMPARE(LabelText(Dlg, "EMailLabel"), QString("mailto:service@example.com"));
      QCOMPARE(LabelText(Dlg, "WebLabel"), QString("https://www.example.com"));
      QVERIFY(LabelText(Dlg, "LabelSysInfo").startsWith("Testix 7 (quiet)  (Build "));
      QCOMPARE(LabelText(Dlg, "LabelMemInfo"),
               QString("Total Physical Memory: 2097152 KB  Free: 524288 KB"));
      QVERIFY(!Dlg.findChild<QLabel*>("CompanyLogo")->pixmap().isNull());
      QCOMPARE(Dlg.minimumSize(), Dlg.maximumSize());  // sized to its content, fixed
      Dlg.findChild<QPushButton*>("BtnOk")->click();
    });
    QVERIFY(Box.ShowAboutBox());
  }

  void linksOpenOnTheDesktop_data() {
    QTest::addColumn<QString>("Label");
    QTest::addColumn<QUrl>("Target");
    QTest::newRow("e-mail") << "EMailLabel" << QUrl("mailto:service@example.com");
    QTest::newRow("web") << "WebLabel" << QUrl("https://www.example.com");
  }

  void linksOpenOnTheDesktop() {
    QFETCH(QString, Label);
    QFETCH(QUrl, Target);
    TAboutBox Box(*FInfo);
    WhenOpen([&](QDialog& Dlg) {
      auto* Link = Dlg.findChild<QLabel*>(Label);
      QVERIFY(Link);
      QTest::mouseClick(Link, Qt::LeftButton);
      QVERIFY(Dlg.isVisible());  // a click does not close the box
      Dlg.accept();
    });
    Box.ShowAboutBox();
    QCOMPARE(FOpened, QList<QUrl>{Target});
  }

  // Typing the hidden text opens the options; checking "Xavo" there raises the state change.
  void hiddenInput_data() {
    QTest::addColumn<QString>("Keys");
    QTest::addColumn<bool>("Opens");
    QTest::newRow("exact text") << "/$KMTR" << true;
    QTest::newRow("a wrong key first") << "x/$KMTR" << false;
    QTest::newRow("letter case counts") << "/$kmtr" << false;
    QTest::newRow("backspace does not correct a typo") << "/$KX\bMTR" << false;
  }

  void hiddenInput() {
    QFETCH(QString, Keys);
    QFETCH(bool, Opens);
    TApplOptions Options;
    Options.AddOption("Xavo");
    Options.AddOption("Halden Vers");
    QStringList Changes;
    Options.OnOptionStateChanged = [&](TApplOptions& Sender, const QString& Name, int Index,
                                       int Id) {
      Changes << QString("%1 %2 %3 %4")
                     .arg(Name)
                     .arg(Index)
                     .arg(Id)
                     .arg(Sender.Options()[Index].Enabled);
    };
    TAboutBox Box(*FInfo);
    Box.SetApplOptions(&Options);
    bool OptionsShown = false;
    WhenOpen([&](QDialog& About) {
      Type(About, Keys);  // (delivering keys runs the event loop: schedule what follows after)
      if (About.isVisible()) About.findChild<QPushButton*>("BtnOk")->click();
      if (Opens)
        WhenOpen([&](QDialog& OptionsDlg) {
          auto* List = OptionsDlg.findChild<QListWidget*>("ChkLBox");
          QVERIFY(List);
          OptionsShown = true;
          QCOMPARE(OptionsDlg.windowTitle(), QString("Options"));
          QCOMPARE(List->count(), 2);
          QCOMPARE(List->item(0)->text(), QString("Xavo"));
          QCOMPARE(List->item(1)->text(), QString("Halden Vers"));
          QCOMPARE(List->item(0)->checkState(), Qt::Unchecked);
          List->item(0)->setCheckState(Qt::Checked);
          OptionsDlg.findChild<QPushButton*>("BtnOk")->click();
        });
    });
    QCOMPARE(Box.ShowAboutBox(), !Opens);
    QCOMPARE(OptionsShown, Opens);
    QCOMPARE(Changes, Opens ? QStringList{"Xavo 0 0 1"} : QStringList{});
    QCOMPARE(Options.IsEnabled("Xavo"), Opens);
  }

  void aWrongStartNeedsTheBoxOpenedAgain() {
    TAboutBox Box(*FInfo);
    int Requests = 0;
    Box.OnHiddenOptSetReq = [&](TAboutBox& Sender) {
      QCOMPARE(&Sender, &Box);
      ++Requests;
    };
    WhenOpen([&](QDialog& About) {
      Type(About, "//$KMTR/$KMTR");
      About.accept();
    });
    QVERIFY(Box.ShowAboutBox());
    QCOMPARE(Requests, 0);
    WhenOpen([&](QDialog& About) { Type(About, "/$KMTR"); });
    QVERIFY(!Box.ShowAboutBox());
    QCOMPARE(Requests, 1);
  }

  // Without options (never set, or destroyed since) the request event is raised instead.
  void destroyedOptionsAreForgotten() {
    TAboutBox Box(*FInfo);
    auto Options = std::make_unique<TApplOptions>();
    Box.SetApplOptions(Options.get());
    Options.reset();
    QCOMPARE(Box.ApplOptions(), nullptr);
    int Requests = 0;
    Box.OnHiddenOptSetReq = [&](TAboutBox&) { ++Requests; };
    WhenOpen([&](QDialog& About) { Type(About, "/$KMTR"); });
    QVERIFY(!Box.ShowAboutBox());
    QCOMPARE(Requests, 1);
  }
};

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
