#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <array>

#include "app/marker_panel.h"
#include "ui/font_sample_panel.h"
#include "ui/line_draw_picker.h"
#include "ui/page_base.h"
#include "ui/right_button.h"

namespace orbeline {

// Page "Main": where the calendar stands, how many months, spacing and fonts.
class MainPage : public SettingsPage {
  Q_OBJECT

 public:
  MainPage(OvalinFormModel& model, MarkerPanelModel& marker, std::function<void()> changed,
           QWidget* parent = nullptr);
  void Refresh() override;

 private:
  QSpinBox* MakeSpin(const char* name, int min, int max, const char* hint);

  LineDrawPicker* picker_;
  QComboBox* calendar_style_;
  QComboBox* year_draw_style_;
  QCheckBox* monday_start_;
  QCheckBox* month_reverse_;
  MarkerPanelModel& marker_;
  RightButton* marker_panel_;
  QLabel* pos_x_label_;
  QScrollBar* pos_x_;
  QLabel* pos_x_value_;
  QLabel* pos_y_label_;
  QScrollBar* pos_y_;
  QLabel* pos_y_value_;
  QLabel* char_step_label_;
  QSpinBox* char_step_;
  QLabel* char_step2_label_;
  QSpinBox* char_step2_;
  QLabel* month_step_label_;
  QSpinBox* month_step_;
  QCheckBox* same_font_;
  QStackedWidget* font_panels_;
  std::array<FontSamplePanel*, 4> font_samples_{};  // by FontSlot
};

}  // namespace orbeline
