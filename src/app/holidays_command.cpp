#include "app/holidays_command.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "app/error.h"
#include "calendar/holiday_engine.h"
#include "calendar/user_holidays.h"

namespace orbeline {
namespace {

struct HolidaySettings {
  HolidayLists lists;
  HolidayOptions options;
  bool auto_calc_equinox = false;
};

// The holiday settings as the next start would see them, without the writes that start
// makes: a store before its first run (CharStep below 0 or missing) gets the definition's
// lists and switches. Returns nullopt after reporting a broken store on `err`.
std::optional<HolidaySettings> ReadHolidaySettings(const SettingsStore& store,
                                                   const Definition& definition,
                                                   std::ostream& err) {
  HolidaySettings settings;
  const bool first_run = store.ReadInteger("CharStep", -1) < 0;
  std::array<std::string, 12> texts;
  std::array<bool, 12> stored{};
  int missing = 0;
  int first_missing = 0;
  for (int month = 1; month <= 12; ++month) {
    const auto i = static_cast<std::size_t>(month - 1);
    if (!first_run) {
      std::optional<std::string> text = store.ReadRaw("Holiday" + std::to_string(month));
      if (text.has_value() && *text != "error") {
        texts[i] = *text;
        stored[i] = true;
      }
    }
    if (!stored[i] && ++missing == 1) first_missing = month;
  }
  if (missing > 0 && missing < 12) {
    err << "orbeline: the stored holiday list 'Holiday" << first_missing
        << "' is missing; start Orbeline once to repair the settings\n";
    return std::nullopt;
  }
  for (int month = 1; month <= 12; ++month) {
    const auto i = static_cast<std::size_t>(month - 1);
    settings.lists.month(month) =
        ParseHolidayText(stored[i] ? texts[i] : definition.national_holiday_text[i]);
  }

  settings.auto_calc_equinox =
      first_run ? definition.ignore_equinox : store.ReadText("AutoCalcEquinox", "0") == "1";
  settings.options.no_kokumin =
      first_run ? definition.ignore_kokumin : store.ReadText("NoKokumin", "0") == "1";
  int substitute_type = store.ReadInteger("SubstituteType", -1);
  if (substitute_type == -1) {
    substitute_type = store.ReadInteger("NoFurikae", 0) != 0 ? 0 : definition.observe_type;
  }
  settings.options.substitute_type = substitute_type;
  return settings;
}

}  // namespace

int RunHolidaysCommand(std::string_view year_text, const SettingsStore& store,
                       const Definition& definition, int system_year, std::ostream& out,
                       std::ostream& err) {
  std::optional<int> year = ParseDecimal(year_text);
  if (!year || *year < 1 || *year > 9999) {
    err << "orbeline: --holidays: '" << year_text << "' is not a year from 1 to 9999\n";
    return 2;
  }
  std::optional<HolidaySettings> settings;
  try {
    settings = ReadHolidaySettings(store, definition, err);
  } catch (const Error& error) {
    err << "orbeline: " << error.what() << '\n';
    return 1;
  }
  if (!settings) return 1;

  ClearFixedEquinoxDays(settings->lists, settings->auto_calc_equinox);
  AddEquinoxDays(settings->lists, settings->auto_calc_equinox, system_year);
  for (int month = 1; month <= 12; ++month) {
    for (int day = 1; day <= 31; ++day) {
      if (GetDayKind(settings->lists, settings->options, *year, month, day) != DayKind::kHoliday) {
        continue;
      }
      char line[16];
      std::snprintf(line, sizeof line, "%04d-%02d-%02d\n", *year, month, day);
      out << line;
    }
  }
  return 0;
}

}  // namespace orbeline
