#include "calendar/holiday_engine.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "calendar/gregorian.h"

namespace orbeline {
namespace {

constexpr int kSunday = 0;
constexpr int kMonday = 1;
constexpr int kFriday = 5;
constexpr int kSaturday = 6;

bool IsSubstituteDay(SubstituteType substitute_type, int rule_day, int day, int weekday) {
  switch (substitute_type) {
    case SubstituteType::kJapanese:  // a Sunday holiday moves to Monday
      return rule_day == day - 1 && weekday == kMonday;
    case SubstituteType::kUsa:  // Sunday moves to Monday, Saturday to the Friday before
      return (rule_day == day - 1 && weekday == kMonday) ||
             (rule_day == day + 1 && weekday == kFriday);
    case SubstituteType::kUk:  // Saturday and Sunday both move to Monday
      return (rule_day == day - 2 && weekday == kMonday) ||
             (rule_day == day - 1 && weekday == kMonday);
    default:
      return false;
  }
}

// Style kJapaneseSince2007: the day is the first one that is not a holiday after a run of
// holidays that includes a Sunday. Only days the lists name (and the days between two of
// them) count as holidays here; the walk back crosses month ends and stops after a year, so a
// list that marks nearly every day cannot make it endless.
bool FollowsSundayHoliday(const HolidayLists& lists, const HolidayOptions& options, int year,
                          int month, int day) {
  const HolidayOptions listed{SubstituteType::kNone, options.no_kokumin};
  std::chrono::sys_days date{MakeDate(year, month, day)};
  for (int steps = 0; steps < 366; ++steps) {
    date -= std::chrono::days{1};
    const std::chrono::year_month_day before{date};
    const int y = static_cast<int>(before.year());
    const int m = static_cast<int>(static_cast<unsigned>(before.month()));
    const int d = static_cast<int>(static_cast<unsigned>(before.day()));
    if (!IsHoliday(lists, listed, y, m, d)) return false;
    if (WeekdayOf(y, m, d) == kSunday) return true;
  }
  return false;
}

// Moves every rule to the front, keeping their order, so that the first 0 ends the list.
void CloseGaps(HolidayList& list) {
  auto end = std::stable_partition(list.begin(), list.end(), [](DayRule r) { return r != 0; });
  std::fill(end, list.end(), DayRule{0});
}

}  // namespace

int ResolveDayRule(int year, int month, int rule) {
  if (rule <= 31) return rule;
  int ordinal = std::clamp(rule / 100, 1, 5);  // "every" (6) resolves like "last" (5)
  int weekday = std::min(rule % 100, 6);
  if (!IsValidYearMonth(year, month)) return rule;
  int length = DaysInMonth(year, month);
  if (ordinal <= 4) {
    int first = 1 + (weekday - WeekdayOf(year, month, 1) + 7) % 7;
    int day = first + 7 * (ordinal - 1);
    return day <= length ? day : rule;
  }
  return length - (WeekdayOf(year, month, length) - weekday + 7) % 7;
}

bool IsHoliday(const HolidayLists& lists, const HolidayOptions& options, int year, int month,
               int day) {
  if (!IsValidDate(year, month, day)) return false;
  int weekday = WeekdayOf(year, month, day);
  const HolidayList& list = lists.month(month);
  // The day between two holidays, wherever their rules stand in the list: the holiday
  // dialog sorts every list it shows, so an order-dependent test would lose the day
  // between the third Monday of September and the equinox after one OK.
  bool holiday_before = false;
  bool holiday_after = false;
  for (std::size_t k = 0; k < list.size() && list[k] != 0; ++k) {
    int rule_day = ResolveDayRule(year, month, list[k]);
    if (rule_day == day) return true;
    if (IsSubstituteDay(options.substitute_type, rule_day, day, weekday)) return true;
    holiday_before = holiday_before || rule_day == day - 1;
    holiday_after = holiday_after || rule_day == day + 1;
  }
  if (!options.no_kokumin && holiday_before && holiday_after) return true;
  return options.substitute_type == SubstituteType::kJapaneseSince2007 &&
         FollowsSundayHoliday(lists, options, year, month, day);
}

DayKind GetDayKind(const HolidayLists& lists, const HolidayOptions& options, int year, int month,
                   int day) {
  if (IsHoliday(lists, options, year, month, day)) return DayKind::kHoliday;
  if (!IsValidDate(year, month, day)) return DayKind::kWeekday;
  switch (WeekdayOf(year, month, day)) {
    case kSunday:
      return DayKind::kSunday;
    case kSaturday:
      return DayKind::kSaturday;
    default:
      return DayKind::kWeekday;
  }
}

int EquinoxDay(int year, int month) {
  long double base = 0;
  int reference_year = 0;
  if (month == 3) {
    base = year >= 1980 ? 20.8431L : 20.8357L;
    reference_year = year >= 1980 ? 1980 : 1983;
  } else if (month == 9) {
    base = year >= 1980 ? 23.2488L : 23.2588L;
    reference_year = year >= 1980 ? 1980 : 1983;
  } else {
    return 0;
  }
  // The leap-year correction is truncated in double precision before it enters the
  // extended-precision sum; the results near a whole number (2088: 20.000052) depend on it.
  double correction = std::trunc((static_cast<double>(year) - reference_year) / 4.0);
  long double value = 0.242194L * (static_cast<long double>(year) - 1980) + base - correction;
  return static_cast<int>(std::trunc(value));
}

bool IsEquinoxDay(int year, int month, int day) {
  if (month != 3 && month != 9) return false;
  return EquinoxDay(year, month) == day;
}

void AddEquinoxDays(HolidayLists& lists, bool auto_calc_equinox, int system_year) {
  if (auto_calc_equinox) return;
  for (int month : {3, 9}) {
    HolidayList& list = lists.month(month);
    int day = EquinoxDay(system_year, month);
    bool in_month =
        IsValidYearMonth(system_year, month) && day >= 1 && day <= DaysInMonth(system_year, month);
    // The last slot must stay 0: a full list gets no equinox day.
    auto free_slot = std::find(list.begin(), list.end() - 1, DayRule{0});
    if (in_month && free_slot != list.end() - 1) *free_slot = static_cast<DayRule>(day);
    // Loading cleared every fixed equinox date to 0 in its own slot; a second cleared slot
    // (or one the formula could not fill) would otherwise end the list early and hide the
    // rules after it.
    CloseGaps(list);
  }
}

std::string ShowMonthHolidays(const HolidayLists& lists, int year, int month) {
  std::string text;
  if (month < 1 || month > 12) return text;
  for (DayRule rule : lists.month(month)) {
    if (rule == 0) break;
    if (!text.empty()) text += ',';
    text += std::to_string(ResolveDayRule(year, month, rule));
  }
  return text;
}

}  // namespace orbeline
