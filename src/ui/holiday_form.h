#pragma once

#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>

#include "app/holiday_form_model.h"
#include "ui/dialog_controls.h"

namespace orbeline {

// The holiday dialog: one month of the working copy at a time. It binds its controls to the
// model; Enter anywhere in it is OK, Escape and the close box are Cancel.
class THolidayForm : public QDialog {
  Q_OBJECT

 public:
  explicit THolidayForm(HolidayFormModel& model, QWidget* parent = nullptr);
  ~THolidayForm() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Shows what the model holds, without running any handler.
  void Refresh();
  template <typename F>
  void Handle(F&& handler) {
    handler();
    Refresh();
  }

  HolidayFormModel& model_;
  QComboBox* month_;
  QListWidget* list_;
  QPushButton* add_;
  QPushButton* replace_;
  QPushButton* delete_;
  DayRuleWidgets day_;
  QPushButton* ok_;
};

}  // namespace orbeline
