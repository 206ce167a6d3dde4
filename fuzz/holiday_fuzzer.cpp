// libFuzzer entry for the stored holiday lists and special days, read through a store held
// in memory: the first byte picks the options and the year, then each line is a stored
// value (Holiday1..Holiday12, then Special0..). Loading, the holiday engine over a whole
// year, the special-day colours and reminders must never crash; saving and loading again
// must give back what was loaded.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "base/prompts.h"
#include "calendar/holiday_engine.h"
#include "calendar/reminders.h"
#include "calendar/special_days.h"
#include "calendar/user_holidays.h"
#include "settings/overlay_settings_backend.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"

namespace {

using namespace orbeline;

// Nothing stored underneath: the overlay above it is the whole store.
class EmptyBackend : public SettingsBackend {
 public:
  Value Read(std::string_view, std::string_view) const override { return {}; }
  void Write(std::string_view, std::string_view, std::string_view) override {}
  void Remove(std::string_view, std::string_view) override {}
  std::vector<std::string> Names(std::string_view) const override { return {}; }
  void Flush() override {}
};

// Answers every question with its default, as a run without a display does.
class SilentPrompts : public Prompts {
 public:
  Answer ShowMessage(const Message& message) override { return message.default_answer; }
  ConfirmationResult ShowConfirmation(const std::string&, const std::string&, ConfirmationMode,
                                      bool default_yes) override {
    return {default_yes, false};
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  void Beep() override {}
  void ProcessEvents() override {}
  void SetApplicationTitle(const std::string&) override {}
};

// The records in use (the table ends at the first empty name) are the same.
bool SameRecords(const SpecialDays& a, const SpecialDays& b) {
  for (std::size_t i = 0; i < a.records().size(); ++i) {
    const SpecialDay& x = a.records()[i];
    const SpecialDay& y = b.records()[i];
    if (x.name != y.name) return false;
    if (x.name.empty()) break;
    if (x.dates != y.dates || x.color_mode != y.color_mode || x.color != y.color ||
        x.comment != y.comment || x.dialog != y.dialog || x.count_day != y.count_day) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t options = data[0];
  const bool auto_calc_equinox = (options & 1) != 0;
  const int year = 1900 + ((options >> 1) & 0x1F) * 8;
  const HolidayOptions holiday_options{static_cast<SubstituteType>(options >> 6),
                                       (options & 0x20) != 0};

  EmptyBackend nothing;
  OverlaySettingsBackend backend(nothing);
  SettingsStore store(backend);
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  for (int line = 0; !rest.empty() && line < 12 + kMaxSpecialDays + 1; ++line) {
    const std::size_t end = rest.find('\n');
    const std::string_view value = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    const std::string name = line < 12
                                 ? std::string(setting::kHolidayPrefix) + std::to_string(line + 1)
                                 : std::string(setting::kSpecialPrefix) + std::to_string(line - 12);
    store.WriteSetting(name, value);
  }

  SilentPrompts prompts;
  HolidayLists lists;
  if (LoadHolidayLists(store, prompts, auto_calc_equinox, lists, [] {}) ==
      HolidayLoadResult::kLoaded) {
    AddEquinoxDays(lists, auto_calc_equinox, year);
    for (int month = 1; month <= 12; ++month) {
      static_cast<void>(ShowMonthHolidays(lists, year, month));
      for (int day = 1; day <= 31; ++day) {
        static_cast<void>(GetDayKind(lists, holiday_options, year, month, day));
      }
    }
    // With the computed equinox days switched off, saving and loading keeps every rule in
    // use (those before a month's first 0).
    if (auto_calc_equinox) {
      SaveHolidayLists(store, lists);
      HolidayLists again;
      LoadHolidayLists(store, prompts, auto_calc_equinox, again, [] {});
      for (int month = 1; month <= 12; ++month) {
        if (FormatHolidayText(again.month(month)) != FormatHolidayText(lists.month(month))) {
          std::abort();
        }
      }
    }
  }

  SpecialDays days;
  LoadSpecialDays(store, days);
  days.SplitSpecialDates();
  static_cast<void>(FillSpecialDayList(days));
  for (int month = 1; month <= 12; ++month) {
    for (int day = 1; day <= 31; ++day)
      static_cast<void>(days.FindSpecialDayColor(year, month, day));
  }
  ShowSpecialDayReminders(days, prompts,
                          std::chrono::year{year} / std::chrono::month{options % 12 + 1u} /
                              std::chrono::day{options % 28 + 1u});
  try {
    SaveSpecialDays(store, days);
    SpecialDays again;
    LoadSpecialDays(store, again);
    if (!SameRecords(again, days)) std::abort();
  } catch (const Error&) {
    // A field holding the separator is refused before anything is written.
  }
  return 0;
}
