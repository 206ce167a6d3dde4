#include "ui/qt_prompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "ui/check_form.h"
#include "ui/ui_text.h"

namespace orbeline {
namespace {

QMessageBox::Icon ToQt(Prompts::Icon icon) {
  switch (icon) {
    case Prompts::Icon::kInformation:
      return QMessageBox::Information;
    case Prompts::Icon::kExclamation:
      return QMessageBox::Warning;
    case Prompts::Icon::kQuestion:
      return QMessageBox::Question;
    case Prompts::Icon::kStop:
      return QMessageBox::Critical;
    case Prompts::Icon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const Prompts::Message& message) {
  using Buttons = Prompts::Buttons;
  auto box =
      std::make_unique<QMessageBox>(ToQt(message.icon), Tr(message.caption), Tr(message.text));
  // Messages carry names the user typed and file names: shown as typed, never as markup.
  box->setTextFormat(Qt::PlainText);
  switch (message.buttons) {
    case Buttons::kOk:
      box->setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::kOkCancel:
      box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case Buttons::kYesNo:
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      // A question whose safe answer is No (a deletion) has No under Enter.
      box->setDefaultButton(message.default_answer == Prompts::Answer::kNo ? QMessageBox::No
                                                                           : QMessageBox::Yes);
      break;
  }
  return box;
}

Prompts::Answer QtPrompts::ShowMessage(const Message& message) {
  const std::unique_ptr<QMessageBox> box = MakeMessageBox(message);
  switch (box->exec()) {
    case QMessageBox::Ok:
      return Answer::kOk;
    case QMessageBox::Cancel:
      return Answer::kCancel;
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      break;
  }
  // Closed through the title bar: the cancelling answer of the box.
  return message.buttons == Buttons::kYesNo      ? Answer::kNo
         : message.buttons == Buttons::kOkCancel ? Answer::kCancel
                                                 : Answer::kOk;
}

Prompts::ConfirmationResult QtPrompts::ShowConfirmation(const std::string& caption,
                                                        const std::string& text,
                                                        ConfirmationMode mode, bool) {
  TCheckForm dialog(Tr(caption), Tr(text), mode, QApplication::activeWindow());
  // The question beep, then the dialog.
  QApplication::beep();
  dialog.exec();
  return {dialog.answer() == 1, dialog.never_show()};
}

std::optional<std::string> QtPrompts::InputBox(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& initial) {
  bool ok = false;
  QString text = QInputDialog::getText(QApplication::activeWindow(), Tr(caption), Tr(prompt),
                                       QLineEdit::Normal, QString::fromStdString(initial), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

void QtPrompts::Beep() { QApplication::beep(); }

void QtPrompts::ProcessEvents() { QCoreApplication::processEvents(); }

// A Linux desktop shows window titles only: the main window's caption already carries the
// title. Qt's application display name is no stand-in, as Qt appends it to the title of every
// window ("Confirm — Drawing - Orbeline").
void QtPrompts::SetApplicationTitle(const std::string&) {}

}  // namespace orbeline
