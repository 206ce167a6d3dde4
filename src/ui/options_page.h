#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <array>

#include "ui/color_button.h"
#include "ui/page_base.h"

namespace orbeline {

// Page "Options": colours, label formats, today's mark, the holidays and special days.
class OptionsPage : public SettingsPage {
  Q_OBJECT

 public:
  OptionsPage(OvalinFormModel& model, std::function<void()> changed, QWidget* parent = nullptr);
  void Refresh() override;

 protected:
  // A double click or a right-button press on the holiday panel or the special-day list
  // opens its dialog.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OpenHolidays();
  void OpenSpecialDays();
  QComboBox* MakeList(const char* name, const char* hint);

  std::array<ColorButton*, 8> color_buttons_{};
  QComboBox* year_draw_;
  QComboBox* month_draw_;
  QComboBox* day_draw_;
  QComboBox* today_draw_method_;
  QSpinBox* lean_;
  QPushButton* holiday_button_;
  QLabel* holiday_panel_;
  QPushButton* special_button_;
  QListWidget* special_list_;
};

}  // namespace orbeline
