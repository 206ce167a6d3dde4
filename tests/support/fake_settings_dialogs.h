#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/settings_dialogs.h"

namespace orbeline::testing {

// Answers the settings window's dialogs from what the test put in, and records them.
class FakeSettingsDialogs : public SettingsDialogs {
 public:
  std::optional<ColorRef> ChooseColor(ColorRef initial,
                                      std::array<ColorRef, 16>& custom_colors) override {
    color_initials.push_back(initial);
    if (custom_color_0) custom_colors[0] = *custom_color_0;
    return color_answer;
  }
  std::optional<ColorRef> ChooseSolidColor(ColorRef initial) override {
    color_initials.push_back(initial);
    return color_answer;
  }
  // The editors run `edit_holidays` / `edit_special_days` on their model (a test drives it
  // there); without one they are cancelled.
  bool EditHolidays(HolidayFormModel& model) override {
    return edit_holidays ? edit_holidays(model) : false;
  }
  bool EditSpecialDays(SpecialdayFormModel& model) override {
    return edit_special_days ? edit_special_days(model) : false;
  }
  std::optional<FontSetting> ChooseFont(const FontSetting&) override { return font_answer; }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return folder_answer;
  }
  void SetBusyCursor(bool) override {}

  std::optional<ColorRef> color_answer;    // nullopt: Cancel
  std::optional<ColorRef> custom_color_0;  // what the user left in custom colour 0
  std::optional<FontSetting> font_answer;  // nullopt: Cancel
  std::optional<std::string> folder_answer;
  std::function<bool(HolidayFormModel&)> edit_holidays;
  std::function<bool(SpecialdayFormModel&)> edit_special_days;
  std::vector<ColorRef> color_initials;
};

}  // namespace orbeline::testing
