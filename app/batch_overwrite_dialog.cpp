#include "batch_overwrite_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app_strings.h"

namespace {

struct AnswerButton {
  OverwriteAnswer answer;
  StrId caption;
};

constexpr AnswerButton kAnswerButtons[] = {
    {OverwriteAnswer::Yes, StrId::ButtonYes},
    {OverwriteAnswer::No, StrId::ButtonNo},
    {OverwriteAnswer::Cancel, StrId::ButtonCancel},
    {OverwriteAnswer::NoToAll, StrId::ButtonNoToAll},
    {OverwriteAnswer::YesToAll, StrId::ButtonYesToAll},
};

constexpr int kIconSide = 32;

QLabel* QuestionIcon(QWidget* parent) {
  auto* icon = new QLabel(parent);
  const QIcon question = parent->style()->standardIcon(QStyle::SP_MessageBoxQuestion);
  icon->setPixmap(question.pixmap(kIconSide, kIconSide));
  icon->setAlignment(Qt::AlignTop);
  return icon;
}

}  // namespace

TConfirmOverwriteDialog::TConfirmOverwriteDialog(const QString& fileName, QWidget* parent)
    : QDialog(parent), FText(AppString(StrId::OverwriteQuestion).arg(fileName)) {
  setWindowTitle(AppString(StrId::CaptionConfirm));
  setModal(true);
  auto* message = new QLabel(FText, this);
  message->setObjectName(QStringLiteral("Message"));
  message->setTextFormat(Qt::PlainText);

  auto* question = new QHBoxLayout;
  question->addWidget(QuestionIcon(this));
  question->addWidget(message, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (const AnswerButton& entry : kAnswerButtons) {
    auto* button = new QPushButton(AppString(entry.caption), this);
    const int code = int(entry.answer);
    connect(button, &QPushButton::clicked, this, [this, code] { done(code); });
    buttons->addWidget(button);
    FButtons[code] = button;
  }
  buttons->addStretch();
  Button(OverwriteAnswer::Yes)->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(question);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

OverwriteAnswer TConfirmOverwriteDialog::Ask() {
  // Enter presses the focused button: every showing starts on "&Yes".
  Button(OverwriteAnswer::Yes)->setDefault(true);
  Button(OverwriteAnswer::Yes)->setFocus();
  const int code = exec();
  if (code < int(OverwriteAnswer::Yes) || code > int(OverwriteAnswer::YesToAll))
    return OverwriteAnswer::Cancel;
  return OverwriteAnswer(code);
}

// Escape and the title bar's close button come here.
void TConfirmOverwriteDialog::reject() { done(int(OverwriteAnswer::Cancel)); }

QPushButton* TConfirmOverwriteDialog::Button(OverwriteAnswer answer) const {
  return FButtons[int(answer)];
}

QString TConfirmOverwriteDialog::Text() const { return FText; }
