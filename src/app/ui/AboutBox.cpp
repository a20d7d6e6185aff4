#include "app/ui/AboutBox.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QWindow>

#include "app/ui/ApplOptions.h"
#include "app/ui/DesktopOpen.h"

namespace vdx::ui {

namespace {

// A blue label whose click hands its text to the desktop's open action.
class TLinkLabel : public QLabel {
 public:
  TLinkLabel() {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QPalette Colours = palette();
    Colours.setColor(QPalette::WindowText, Qt::blue);
    setPalette(Colours);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* Event) override {
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
      OpenWithDesktop(QUrl(text()));
    QLabel::mouseReleaseEvent(Event);
  }
};

QLabel* PlainLabel() {
  auto* Label = new QLabel;
  Label->setTextFormat(Qt::PlainText);
  return Label;
}

// Texts of the core are UTF-8 (system facts) or ASCII (brand).
QString FromCore(const std::string& Text) {
  return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
}

// The default logo: a valve symbol with its actuator in a rounded square.
QPixmap DefaultLogo() {
  QPixmap Logo(96, 96);
  Logo.fill(Qt::transparent);
  QPainter P(&Logo);
  P.setRenderHint(QPainter::Antialiasing);
  P.setPen(Qt::NoPen);
  P.setBrush(QColor(0x1f, 0x4e, 0x8c));
  P.drawRoundedRect(QRectF(2, 2, 92, 92), 14, 14);
  P.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  P.setBrush(Qt::white);
  QPainterPath Valve;
  Valve.moveTo(18, 50);
  Valve.lineTo(18, 78);
  Valve.lineTo(78, 50);
  Valve.lineTo(78, 78);
  Valve.closeSubpath();
  P.drawPath(Valve);
  P.drawLine(QPointF(48, 64), QPointF(48, 34));
  P.setBrush(Qt::NoBrush);
  P.drawRect(QRectF(34, 16, 28, 18));
  return Logo;
}

}  // namespace

TAboutDlgForm::TAboutDlgForm(QWidget* Parent)
    : QDialog(Parent),
      FLabProdukt(PlainLabel()),
      FLabVersion(PlainLabel()),
      FLabCopyRight(PlainLabel()),
      FMemoProduktDes(new QPlainTextEdit),
      FCompanyLogo(new QLabel),
      FAdrLabel(PlainLabel()),
      FEMailLabel(new TLinkLabel),
      FWebLabel(new TLinkLabel),
      FLabelSysInfo(PlainLabel()),
      FLabelMemInfo(PlainLabel()) {
  setFont(QFont("Arial", 8));
  FLabProdukt->setObjectName("LabProdukt");
  FLabVersion->setObjectName("LabVersion");
  FLabCopyRight->setObjectName("LabCopyRight");
  FMemoProduktDes->setObjectName("MemoProduktDes");
  FCompanyLogo->setObjectName("CompanyLogo");
  FAdrLabel->setObjectName("AdrLabel");
  FEMailLabel->setObjectName("EMailLabel");
  FWebLabel->setObjectName("WebLabel");
  FLabelSysInfo->setObjectName("LabelSysInfo");
  FLabelMemInfo->setObjectName("LabelMemInfo");

  QFont ProductFont("Arial");
  ProductFont.setPixelSize(16);
  ProductFont.setBold(true);
  FLabProdukt->setFont(ProductFont);

  FMemoProduktDes->setReadOnly(true);
  FMemoProduktDes->setFrameShape(QFrame::NoFrame);
  FMemoProduktDes->document()->setDocumentMargin(0);
  FMemoProduktDes->setFocusPolicy(Qt::NoFocus);
  FMemoProduktDes->viewport()->setAutoFillBackground(false);
  FMemoProduktDes->setFixedSize(340, 56);
  FCompanyLogo->setAlignment(Qt::AlignRight | Qt::AlignTop);
  for (QLabel* Centred : {FAdrLabel, FEMailLabel, FWebLabel})
    Centred->setAlignment(Qt::AlignHCenter);

  auto* Ok = new QPushButton("OK");
  Ok->setObjectName("BtnOk");
  Ok->setDefault(true);
  connect(Ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* Titles = new QVBoxLayout;
  Titles->addWidget(FLabProdukt);
  Titles->addWidget(FLabVersion);
  Titles->addWidget(FLabCopyRight);
  Titles->addWidget(FMemoProduktDes);
  auto* Top = new QHBoxLayout;
  Top->addLayout(Titles);
  Top->addStretch();
  Top->addWidget(FCompanyLogo, 0, Qt::AlignTop);

  auto* Layout = new QVBoxLayout(this);
  Layout->setSizeConstraint(QLayout::SetFixedSize);
  Layout->addLayout(Top);
  Layout->addSpacing(12);
  Layout->addWidget(FAdrLabel);
  Layout->addWidget(FEMailLabel);
  Layout->addWidget(FWebLabel);
  Layout->addSpacing(12);
  Layout->addWidget(FLabelSysInfo);
  Layout->addWidget(FLabelMemInfo);
  Layout->addWidget(Ok, 0, Qt::AlignHCenter);
}

void TAboutDlgForm::SetTexts(const TAboutTexts& Texts) {
  FLabProdukt->setText(FromCore(Texts.Product));
  FLabVersion->setText(FromCore(Texts.Version));
  FLabCopyRight->setText(FromCore(Texts.CopyRight));
  FMemoProduktDes->setPlainText(FromCore(Texts.Description));
  FAdrLabel->setText(FromCore(Texts.Address));
  FEMailLabel->setText(FromCore(Texts.EMail));
  FWebLabel->setText(FromCore(Texts.WebAdr));
  FLabelSysInfo->setText(FromCore(Texts.System));
  FLabelMemInfo->setText(FromCore(Texts.Memory));
}

void TAboutDlgForm::SetLogo(const QPixmap& Logo) { FCompanyLogo->setPixmap(Logo); }

void TAboutDlgForm::SetHiddenInput(const QString& Text, std::function<void()> Callback) {
  FHiddenText = Text;
  FHiddenCallback = std::move(Callback);
}

// Key presses are watched on the box's window, where each arrives once before the focused
// control sees it.
void TAboutDlgForm::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  FTyped.clear();
  if (QWindow* Window = windowHandle()) Window->installEventFilter(this);
}

bool TAboutDlgForm::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() != QEvent::KeyPress || Watched != windowHandle() || !isVisible()) return false;
  const auto* Key = static_cast<QKeyEvent*>(Event);
  const QString Text = Key->key() == Qt::Key_Backspace ? QString("\b") : Key->text();
  if (Text.isEmpty()) return false;  // modifiers and other keys without a character
  FTyped += Text;
  if (FHiddenCallback && FTyped == FHiddenText) FHiddenCallback();
  return false;
}

TAboutBox::TAboutBox(TApplInfo& Info, QWidget* Owner)
    : FInfo(Info), FForm(new TAboutDlgForm(Owner)), FCompanyLogo(DefaultLogo()) {
  FForm->SetLogo(FCompanyLogo);
}

TAboutBox::~TAboutBox() { delete FForm.data(); }

void TAboutBox::SetApplOptions(TApplOptions* Options) { FApplOptions = Options; }

TApplOptions* TAboutBox::ApplOptions() const { return FApplOptions.data(); }

void TAboutBox::SetCompanyLogo(const QPixmap& Logo) {
  FCompanyLogo = Logo;
  FForm->SetLogo(Logo);
}

bool TAboutBox::ShowAboutBox() {
  FillAboutBox();
  FAfterClose = nullptr;
  const bool Ok = FForm->exec() == QDialog::Accepted;
  if (FAfterClose) {
    // Moved out first: the follow-up may show the box again.
    const std::function<void()> AfterClose = std::move(FAfterClose);
    FAfterClose = nullptr;
    AfterClose();
  }
  return Ok;
}

void TAboutBox::FillAboutBox() {
  FForm->SetTexts(FInfo.AboutTexts());
  FForm->SetHiddenInput(FromCore(FInfo.HiddenInputText), [this] { HiddenInputEntered(); });
}

// The box closes first; the follow-up runs once its modal loop has ended.
void TAboutBox::HiddenInputEntered() {
  if (FApplOptions) {
    FAfterClose = [Options = FApplOptions] {
      if (Options) Options->EditOptions();
    };
  } else if (OnHiddenOptSetReq) {
    FAfterClose = [this] {
      if (OnHiddenOptSetReq) OnHiddenOptSetReq(*this);
    };
  } else {
    return;
  }
  FForm->reject();
}

}  // namespace vdx::ui
