#include "params/ui/ParamListEditDlg.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/ui/MessageService.h"
#include "comm/ModCommands.h"
#include "params/ui/ParamListEditDlgCurve.h"
#include "params/ui/ParamListEditDlgCurvePlot.h"
#include "params/ui/ParamListEditDlgNumber.h"
#include "params/ui/ParamListEditDlgPages.h"

namespace vdx::ui {

namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonInset = 70;  // from the left edge (OK) and the right edge (Cancel)
constexpr int kButtonBand = 45;   // room under the group boxes
constexpr int32_t kAinLimit = 10000;

}  // namespace

TParamListEditDlgForm::TParamListEditDlgForm(QWidget* Parent) : QDialog(Parent) {
  setObjectName(QStringLiteral("ParamListEditDlgForm"));
  setWindowTitle(QStringLiteral("Parameter Input"));
  setFont(QFont(QStringLiteral("Arial"), 8));

  auto* ParamBox = new QGroupBox(QStringLiteral("Parameter"), this);
  NB = new QStackedWidget(ParamBox);
  NB->setObjectName(QStringLiteral("NB"));
  TextPage = new TTextParaPage(NB);
  NumPage = new TNumParaPage(NB);
  AinPage = new TAinParaPage(NB);
  CCPage = new TCCParaPage(NB);
  for (QWidget* Page : {static_cast<QWidget*>(TextPage), static_cast<QWidget*>(NumPage),
                        static_cast<QWidget*>(AinPage), static_cast<QWidget*>(CCPage)})
    NB->addWidget(Page);
  (new QVBoxLayout(ParamBox))->addWidget(NB);

  auto* CommentBox = new QGroupBox(QStringLiteral("Comment"), this);
  MemoComment = new QPlainTextEdit(CommentBox);
  MemoComment->setObjectName(QStringLiteral("MemoComment"));
  MemoComment->setReadOnly(true);
  MemoComment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemoComment->setFixedHeight(56);
  QPalette Memo = MemoComment->palette();
  Memo.setColor(QPalette::Text, Memo.color(QPalette::Highlight));
  MemoComment->setPalette(Memo);
  (new QVBoxLayout(CommentBox))->addWidget(MemoComment);

  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(8, 8, 8, kButtonBand);
  Layout->addWidget(ParamBox, 1);
  Layout->addWidget(CommentBox);

  BBtnOK = new QPushButton(QStringLiteral("OK"), this);
  BBtnOK->setObjectName(QStringLiteral("BBtnOK"));
  BBtnOK->setDefault(true);
  BBtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  BBtnCancel->setObjectName(QStringLiteral("BBtnCancel"));
  // A click leaves the focus where it is, so leaving a number field towards OK validates it
  // once (when closing) and "Cancel" never does.
  for (QPushButton* Button : {BBtnOK, BBtnCancel}) {
    Button->setFixedSize(kButtonWidth, kButtonHeight);
    Button->setFocusPolicy(Qt::TabFocus);
  }
  connect(BBtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BBtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  for (QLineEdit* Edit :
       {NumPage->LENumPara, AinPage->LEditAinA, AinPage->LEditAinB, AinPage->LEditAinC}) {
    Edit->installEventFilter(this);
    connect(Edit, &QLineEdit::textEdited, this, [this, Edit] { FLastEdit = Edit; });
  }
}

bool TParamListEditDlgForm::Prepare(TModCtrlCommand* Cmd, const TParamEditOptions& Options) {
  if (!Cmd) return false;
  QWidget* Page = nullptr;
  QSize Size(373, 300);  // width x height
  if (auto* Text = dynamic_cast<TModTextParaCmd*>(Cmd); Text && Cmd->Type == ctTextPara) {
    TextPage->Load(*Text);
    Page = TextPage;
  } else if (auto* Num = dynamic_cast<TModNumParaCmd*>(Cmd); Num && Cmd->Type == ctNumPara) {
    NumPage->Load(*Num, Options.ShowDecimals);
    Page = NumPage;
  } else if (dynamic_cast<TModCCParaCmd*>(Cmd) && Cmd->Type == ctCCPara) {
    Size = QSize(668, 686);
    Page = CCPage;
  } else if (auto* Ain = dynamic_cast<TModAinParaCmd*>(Cmd); Ain && Cmd->Type == ctAinPara) {
    AinPage->Load(*Ain, Options.AinCommandUI);
    Size = QSize(373, 420);
    Page = AinPage;
  } else {
    return false;
  }
  FCmd = Cmd;
  FLastEdit = nullptr;
  setWindowTitle(QStringLiteral("Input ") + QString::fromLatin1(Cmd->Name) +
                 QStringLiteral(" Parameter"));
  setFixedSize(Size);
  PlaceButtons();
  NB->setCurrentWidget(Page);
  QString Comment = QString::fromLatin1(Cmd->Help);
  if (Options.ShowCmdGrpInfo) {
    std::string Groups;
    Cmd->GetGroupNames(Groups);
    Comment += QStringLiteral("\nCommand Group: ") + QString::fromLatin1(Groups);
  }
  MemoComment->setPlainText(Comment);
  return true;
}

void TParamListEditDlgForm::showEvent(QShowEvent* Event) {
  QDialog::showEvent(Event);
  CCPage->PBoxCC->ClearSelection();
  QLineEdit* Focus = nullptr;
  if (NB->currentWidget() == NumPage) Focus = NumPage->LENumPara;
  if (NB->currentWidget() == AinPage) Focus = AinPage->LEditAinA;
  if (NB->currentWidget() == CCPage) CCPage->LoadCCTable(static_cast<TModCCParaCmd*>(FCmd), false);
  if (Focus) {
    Focus->setFocus();
    Focus->selectAll();
    FLastEdit = Focus;
  }
}

void TParamListEditDlgForm::StoreInput() {
  if (!FCmd) return;
  QWidget* Page = NB->currentWidget();
  if (Page == TextPage) TextPage->Store(static_cast<TModTextParaCmd&>(*FCmd));
  if (Page == NumPage) NumPage->Store(static_cast<TModNumParaCmd&>(*FCmd));
  if (Page == CCPage) CCPage->Store(static_cast<TModCCParaCmd&>(*FCmd));
  if (Page == AinPage) AinPage->Store(static_cast<TModAinParaCmd&>(*FCmd));
}

bool TParamListEditDlgForm::ValidateEdit(QLineEdit* Edit) {
  if (!Edit || !FCmd) return true;
  int32_t Min = -kAinLimit, Max = kAinLimit, Current = 0;
  if (Edit == NumPage->LENumPara) {
    Min = FCmd->Min;
    Max = FCmd->Max;
    if (auto* Num = dynamic_cast<TModNumParaCmd*>(FCmd)) Current = Num->Val;
  } else if (auto* Ain = dynamic_cast<TModAinParaCmd*>(FCmd)) {
    Current = Edit == AinPage->LEditAinA ? Ain->A : Edit == AinPage->LEditAinB ? Ain->B : Ain->C;
  }
  const auto Refuse = [this, Edit](const QString& Message, int32_t Replacement) {
    ShowMessage(TMessageKind::Error, Message);
    Edit->setText(QString::number(Replacement));
    Edit->setFocus();
    Edit->selectAll();
    FLastEdit = Edit;
    return false;
  };
  int32_t Value = 0;
  if (!ReadNumberText(Edit->text().toLatin1().toStdString(), Value))
    return Refuse(QStringLiteral("The input data are not valid!"), Current);
  if (Value < Min) return Refuse(QStringLiteral("Input data are out of range!"), Min);
  if (Value > Max) return Refuse(QStringLiteral("Input data are out of range!"), Max);
  return true;
}

void TParamListEditDlgForm::done(int Result) {
  if (Result == QDialog::Accepted) {
    if (NB->currentWidget() == CCPage) CCPage->FinishEditing();
    if (FLastEdit && !ValidateEdit(FLastEdit)) return;
    FLastEdit = nullptr;
  }
  QDialog::done(Result);
}

bool TParamListEditDlgForm::IsNumberEdit(QObject* Object) const {
  return Object == NumPage->LENumPara || Object == AinPage->LEditAinA ||
         Object == AinPage->LEditAinB || Object == AinPage->LEditAinC;
}

bool TParamListEditDlgForm::eventFilter(QObject* Watched, QEvent* Event) {
  if (!IsNumberEdit(Watched)) return QDialog::eventFilter(Watched, Event);
  auto* Edit = static_cast<QLineEdit*>(Watched);
  switch (Event->type()) {
    case QEvent::KeyPress:
      if (RejectNumberKey(*static_cast<QKeyEvent*>(Event), *Edit)) return true;
      break;
    case QEvent::FocusIn:
      FLastEdit = Edit;
      break;
    case QEvent::FocusOut: {
      // Only a move to another control of this dialog counts, and never one to "Cancel".
      const QWidget* Next = QApplication::focusWidget();
      if (FLastEdit == Edit && Next && Next != BBtnCancel && isAncestorOf(Next)) {
        FLastEdit = nullptr;
        QTimer::singleShot(0, this, [this, Target = QPointer<QLineEdit>(Edit)] {
          if (Target && isVisible()) ValidateEdit(Target);
        });
      }
      break;
    }
    default:
      break;
  }
  return QDialog::eventFilter(Watched, Event);
}

void TParamListEditDlgForm::resizeEvent(QResizeEvent* Event) {
  QDialog::resizeEvent(Event);
  PlaceButtons();
}

void TParamListEditDlgForm::PlaceButtons() {
  const int Top = height() - kButtonBand + (kButtonBand - kButtonHeight) / 2;
  BBtnOK->move(kButtonInset, Top);
  BBtnCancel->move(width() - kButtonWidth - kButtonInset, Top);
}

TParamListEditDlg::TParamListEditDlg() : FForm(std::make_unique<TParamListEditDlgForm>()) {}

TParamListEditDlg::~TParamListEditDlg() = default;

bool TParamListEditDlg::Execute(TModCtrlCommand* Cmd) {
  if (!FForm->Prepare(Cmd, Options)) return false;
  QWidget* Owner = FOwner ? FOwner.data() : QApplication::activeWindow();
  if (Owner && Owner != FForm.get())
    FForm->move(Owner->frameGeometry().center() - FForm->rect().center());
  if (FForm->exec() != QDialog::Accepted) return false;
  FForm->StoreInput();
  return true;
}

}  // namespace vdx::ui
