#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "app/specialday_form_model.h"
#include "ui/color_button.h"
#include "ui/dialog_controls.h"
#include "ui/name_combo_box.h"

namespace orbeline {

// The special-day dialog: the records by name, the dates, colour and reminder of the one on
// show. It binds its controls to the model; Escape and the close box are Cancel.
class TSpecialdayForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSpecialdayForm(SpecialdayFormModel& model, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Shows what the model holds, without running any handler.
  void Refresh();
  template <typename F>
  void Handle(F&& handler) {
    handler();
    Refresh();
  }
  QWidget* MakeCountDownRow();

  SpecialdayFormModel& model_;
  NameComboBox* names_;
  QPushButton* rename_;
  QPushButton* delete_record_;
  QComboBox* month_;
  QListWidget* dates_;
  QPushButton* day_add_;
  QPushButton* day_replace_;
  QPushButton* day_delete_;
  DayRuleWidgets day_;
  QButtonGroup* color_mode_;
  QWidget* color_group_;
  ColorButton* color_button_;
  QLineEdit* comment_;
  QCheckBox* dialog_check_;
  QLabel* count_day_label_;
  QSpinBox* count_day_;
  QPushButton* preview_;
  QPushButton* ok_;
};

}  // namespace orbeline
