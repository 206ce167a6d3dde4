#include "ui/about_box.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/ovalin_form_model.h"
#include "app/version.h"
#include "calendar/locale_code.h"

namespace orbeline {
namespace {

// "E-Mail: " or "WEB: " and the address as a link the desktop opens.
QLabel* LinkLabel(const QString& caption, const QString& address, const QString& url,
                  QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setText(caption.toHtmlEscaped() + QStringLiteral("<a href=\"") + url.toHtmlEscaped() +
                 QStringLiteral("\">") + address.toHtmlEscaped() + QStringLiteral("</a>"));
  label->setTextFormat(Qt::RichText);
  label->setOpenExternalLinks(true);
  label->setVisible(!address.isEmpty());
  return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(tr("Version Information"));

  auto* icon = new QLabel(this);
  QIcon program_icon = QApplication::windowIcon();
  if (program_icon.isNull()) program_icon = style()->standardIcon(QStyle::SP_DesktopIcon);
  icon->setPixmap(program_icon.pixmap(32, 32));
  icon->setAlignment(Qt::AlignTop);

  auto* product = new QLabel(tr("Orbeline"), this);
  product->setObjectName(QStringLiteral("ProductName"));
  QFont product_font = product->font();
  product_font.setBold(true);
  product_font.setPointSizeF(product_font.pointSizeF() * 1.4);
  product->setFont(product_font);
  auto* version = new QLabel(
      QString::fromStdString(VersionLine(kVersionText, ThreeLetterLanguageCode())), this);
  version->setObjectName(QStringLiteral("Version"));
  auto* since = new QLabel(tr("since Aug,1996"), this);
  auto* description = new QLabel(
      tr("Orbeline draws a calendar on your desktop. -OnlyDraw option switch is available for "
         "drawing only for startup item. Additional options can be configured automatically."),
      this);
  description->setObjectName(QStringLiteral("Comments"));
  description->setWordWrap(true);
  description->setFixedWidth(340);

  const QString mail = QString::fromUtf8(kContactAddress);
  const QString web = QString::fromUtf8(kHomePage);
  QLabel* mail_label = LinkLabel(tr("E-Mail: "), mail, QStringLiteral("mailto:") + mail, this);
  mail_label->setObjectName(QStringLiteral("MailLabel"));
  QLabel* web_label = LinkLabel(tr("WEB: "), web, web, this);
  web_label->setObjectName(QStringLiteral("WebLabel"));

  auto* close = new QPushButton(tr("Close"), this);
  close->setObjectName(QStringLiteral("CloseButton"));
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(product);
  text->addWidget(version);
  text->addWidget(since);
  text->addSpacing(6);
  text->addWidget(description);
  text->addWidget(mail_label);
  text->addWidget(web_label);
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(8);
  top->addLayout(text);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace orbeline
