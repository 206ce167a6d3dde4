#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "base/rect.h"
#include "calendar/holiday_engine.h"
#include "calendar/special_days.h"
#include "settings/settings_store.h"
#include "settings/working_settings.h"

namespace orbeline {

// What applying the stored settings to the window gives a run: the holiday lists with the
// equinox days, the holiday panel's text, the special days and their list, and the working
// copy of every other setting.
struct WindowSettings {
  HolidayLists holidays;
  std::string holiday_panel_text;
  SpecialDays special_days;
  std::vector<std::string> special_day_lines;
  WorkingSettings settings;
};

// The loading step of applying the settings to the window, the same for every run that draws
// or tells what a drawing would mark: the holiday lists with their integrity check
// (`prepare_again` resets the store after the user agreed to it), the equinox days of
// `today`'s year, `today`'s month on the holiday panel, the special days, and the working copy
// with its clamped values written back where the controls write them. nullopt when the
// integrity check ended the run.
std::optional<WindowSettings> LoadWindowSettings(SettingsStore& store, Prompts& prompts,
                                                 const std::function<void()>& prepare_again,
                                                 std::chrono::year_month_day today,
                                                 const Rect& screen);

}  // namespace orbeline
