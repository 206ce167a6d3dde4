#pragma once

#include <QPointer>
#include <QWidget>

#include "app/settings_dialogs.h"

namespace orbeline {

// The system dialogs of the settings window as Qt shows them.
class QtSettingsDialogs : public SettingsDialogs {
 public:
  void set_parent(QWidget* parent) { parent_ = parent; }

  std::optional<ColorRef> ChooseColor(ColorRef initial,
                                      std::array<ColorRef, 16>& custom_colors) override;
  std::optional<ColorRef> ChooseSolidColor(ColorRef initial) override;
  std::optional<FontSetting> ChooseFont(const FontSetting& initial) override;
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& initial) override;
  bool EditHolidays(HolidayFormModel& model) override;
  bool EditSpecialDays(SpecialdayFormModel& model) override;
  void SetBusyCursor(bool busy) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace orbeline
