#include "app/holidays_command.h"

#include <cstdio>
#include <optional>

#include "app/window_settings.h"
#include "base/error.h"
#include "base/text_util.h"
#include "calendar/gregorian.h"
#include "calendar/holiday_engine.h"

namespace orbeline {

int RunHolidaysCommand(std::string_view year_text, SettingsStore& store,
                       const Definition& definition, const PrepareEnvironment& environment,
                       Shell& shell, Prompts& prompts, std::ostream& out, std::ostream& err) {
  std::optional<int> year = ParseDecimal(year_text);
  if (!year || *year < 1 || *year > 9999) {
    err << "orbeline: --holidays: '" << year_text << "' is not a year from 1 to 9999\n";
    return 2;
  }
  std::optional<WindowSettings> loaded;
  try {
    auto prepare = [&] { PrepareSettings(store, definition, environment, shell); };
    prepare();
    loaded = LoadWindowSettings(store, prompts, prepare, MakeDate(*year, 1, 1), Rect{});
  } catch (const Error& error) {
    err << "orbeline: " << error.what() << '\n';
    return 1;
  }
  if (!loaded) return 1;
  const HolidayOptions options{loaded->settings.substitute_type, loaded->settings.no_kokumin};
  for (int month = 1; month <= 12; ++month) {
    for (int day = 1; day <= 31; ++day) {
      if (GetDayKind(loaded->holidays, options, *year, month, day) != DayKind::kHoliday) continue;
      char line[16];
      std::snprintf(line, sizeof line, "%04d-%02d-%02d\n", *year, month, day);
      out << line;
    }
  }
  return 0;
}

}  // namespace orbeline
