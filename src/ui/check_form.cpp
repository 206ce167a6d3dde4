#include "ui/check_form.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/dialog_controls.h"

namespace orbeline {

TCheckForm::TCheckForm(const QString& caption, const QString& text, Prompts::ConfirmationMode mode,
                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      mode_(mode) {
  setObjectName(QStringLiteral("CheckForm"));
  setWindowTitle(caption);
  SetDialogFont(*this);

  label_ = new QLabel(text, this);
  label_->setObjectName(QStringLiteral("Label1"));
  label_->setTextFormat(Qt::PlainText);  // design names are typed by the user
  QFont message_font(QStringLiteral("Arial"));
  message_font.setPixelSize(13);
  message_font.setBold(true);
  label_->setFont(message_font);
  label_->setWordWrap(true);
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // The message area: 257 pixels wide, at least 41 high (more when a long text or a large
  // scale needs it).
  label_->setFixedWidth(257);
  label_->setMinimumHeight(41);

  never_ = new QCheckBox(tr("Never Show This Confirmation"), this);
  never_->setObjectName(QStringLiteral("NeverCheckBox"));
  ok_ = new QPushButton(tr("OK"), this);
  ok_->setObjectName(QStringLiteral("OKButton"));
  yes_ = new QPushButton(tr("Yes"), this);
  yes_->setObjectName(QStringLiteral("YesButton"));
  no_ = new QPushButton(tr("No"), this);
  no_->setObjectName(QStringLiteral("NoButton"));
  connect(ok_, &QPushButton::clicked, this, [this] {
    answer_ = 0;
    accept();
  });
  connect(yes_, &QPushButton::clicked, this, [this] {
    answer_ = 1;
    accept();
  });
  connect(no_, &QPushButton::clicked, this, [this] {
    answer_ = 0;
    reject();
  });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(yes_);
  buttons->addWidget(no_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(9, 8, 9, 8);
  layout->addWidget(label_);
  layout->addWidget(never_);
  layout->addLayout(buttons);
  const bool question = mode_ == Prompts::ConfirmationMode::kQuestion;
  ok_->setVisible(!question);
  yes_->setVisible(question);
  no_->setVisible(question);
  // 276 x 114, or what the style and the text need beyond that.
  setFixedSize(layout->sizeHint().expandedTo(QSize(276, 114)));
}

void TCheckForm::showEvent(QShowEvent* event) {
  never_->setChecked(false);
  const bool question = mode_ == Prompts::ConfirmationMode::kQuestion;
  QPushButton* focused = question ? yes_ : ok_;
  // Enter presses the focused button: each button is the default while it has the focus.
  for (QPushButton* button : {ok_, yes_, no_}) button->setAutoDefault(true);
  focused->setDefault(true);
  focused->setFocus();
  answer_ = 0;
  QDialog::showEvent(event);
}

}  // namespace orbeline
