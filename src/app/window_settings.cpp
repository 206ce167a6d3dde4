#include "app/window_settings.h"

#include "calendar/user_holidays.h"
#include "settings/setting_names.h"

namespace orbeline {

std::optional<WindowSettings> LoadWindowSettings(SettingsStore& store, Prompts& prompts,
                                                 const std::function<void()>& prepare_again,
                                                 std::chrono::year_month_day today,
                                                 const Rect& screen) {
  WindowSettings loaded;
  const bool auto_calc_equinox = store.ReadSetting(setting::kAutoCalcEquinox) == "1";
  if (LoadHolidayLists(store, prompts, auto_calc_equinox, loaded.holidays, prepare_again) !=
      HolidayLoadResult::kLoaded) {
    return std::nullopt;
  }
  const int year = static_cast<int>(today.year());
  const int month = static_cast<int>(static_cast<unsigned>(today.month()));
  AddEquinoxDays(loaded.holidays, auto_calc_equinox, year);
  loaded.holiday_panel_text = ShowMonthHolidays(loaded.holidays, year, month);
  LoadSpecialDays(store, loaded.special_days);
  loaded.special_day_lines = FillSpecialDayList(loaded.special_days);
  loaded.special_days.SplitSpecialDates();
  loaded.settings = LoadWorkingSettings(store, screen);
  return loaded;
}

}  // namespace orbeline
