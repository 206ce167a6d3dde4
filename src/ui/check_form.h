#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "base/prompts.h"

namespace orbeline {

// The confirmation dialog with its "Never Show This Confirmation" check box: OK alone for
// information, Yes and No for a question. Escape answers No, Enter presses the focused
// button.
class TCheckForm : public QDialog {
  Q_OBJECT

 public:
  TCheckForm(const QString& caption, const QString& text, Prompts::ConfirmationMode mode,
             QWidget* parent = nullptr);

  // 1 after Yes, 0 after anything else.
  int answer() const { return answer_; }
  bool never_show() const { return never_->isChecked(); }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  Prompts::ConfirmationMode mode_;
  int answer_ = 0;
  QLabel* label_;
  QCheckBox* never_;
  QPushButton* ok_;
  QPushButton* yes_;
  QPushButton* no_;
};

}  // namespace orbeline
