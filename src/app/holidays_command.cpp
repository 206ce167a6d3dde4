#include "app/holidays_command.h"

#include <cstdio>
#include <optional>

#include "base/error.h"
#include "base/text_util.h"
#include "calendar/holiday_engine.h"
#include "calendar/user_holidays.h"
#include "settings/working_settings.h"

namespace orbeline {

int RunHolidaysCommand(std::string_view year_text, SettingsStore& store,
                       const Definition& definition, const PrepareEnvironment& environment,
                       Shell& shell, Prompts& prompts, int system_year, std::ostream& out,
                       std::ostream& err) {
  std::optional<int> year = ParseDecimal(year_text);
  if (!year || *year < 1 || *year > 9999) {
    err << "orbeline: --holidays: '" << year_text << "' is not a year from 1 to 9999\n";
    return 2;
  }
  WorkingSettings settings;
  HolidayLists lists;
  try {
    PrepareSettings(store, definition, environment, shell);
    settings = LoadWorkingSettings(store, Rect{});
    if (LoadHolidayLists(store, prompts, settings.auto_calc_equinox, lists, [&] {
          PrepareSettings(store, definition, environment, shell);
        }) != HolidayLoadResult::kLoaded) {
      return 1;
    }
  } catch (const Error& error) {
    err << "orbeline: " << error.what() << '\n';
    return 1;
  }
  AddEquinoxDays(lists, settings.auto_calc_equinox, system_year);
  const HolidayOptions options{settings.substitute_type, settings.no_kokumin};
  for (int month = 1; month <= 12; ++month) {
    for (int day = 1; day <= 31; ++day) {
      if (GetDayKind(lists, options, *year, month, day) != DayKind::kHoliday) continue;
      char line[16];
      std::snprintf(line, sizeof line, "%04d-%02d-%02d\n", *year, month, day);
      out << line;
    }
  }
  return 0;
}

}  // namespace orbeline
