#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include "ui/color_button.h"
#include "ui/page_base.h"

namespace orbeline {

// Page "Advanced": saved designs, icon text, the delayed start, the temp folder.
class AdvancedPage : public SettingsPage {
  Q_OBJECT

 public:
  AdvancedPage(OvalinFormModel& model, std::function<void()> changed,
               std::function<void()> run_ended, QWidget* parent = nullptr);
  void Refresh() override;

 private:
  std::function<void()> run_ended_;
  QComboBox* design_list_;
  ColorButton* text_color_;
  QSpinBox* delay_;
};

}  // namespace orbeline
