#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/setting_values.h"

namespace orbeline {

// A day of a month: 1..31 that day; N*100+W the N-th (1..4), last (5) or every (6)
// weekday W (0 Sunday .. 6 Saturday); 0 ends a list.
using DayRule = std::uint16_t;

inline constexpr int kHolidaySlots = 32;
// One month's rules; the first 0 ends the list, so at most 31 rules are in use.
using HolidayList = std::array<DayRule, kHolidaySlots>;

// The twelve month lists; month(m) takes m = 1..12.
struct HolidayLists {
  std::array<HolidayList, 12> months{};
  HolidayList& month(int m) { return months[static_cast<std::size_t>(m - 1)]; }
  const HolidayList& month(int m) const { return months[static_cast<std::size_t>(m - 1)]; }
  bool operator==(const HolidayLists&) const = default;
};

enum class DayKind { kHoliday, kSunday, kSaturday, kWeekday };

// The settings that steer the derived holidays, as the window currently shows them.
struct HolidayOptions {
  SubstituteType substitute_type = SubstituteType::kNone;  // anything unnamed acts as kNone
  bool no_kokumin = false;  // true switches the day between two holidays off
};

int ResolveDayRule(int year, int month, int rule);
bool IsHoliday(const HolidayLists& lists, const HolidayOptions& options, int year, int month,
               int day);
DayKind GetDayKind(const HolidayLists& lists, const HolidayOptions& options, int year, int month,
                   int day);

// The equinox formula: true when `day` is the vernal (March) or autumnal (September)
// equinox day of the year. Other months never have one.
bool IsEquinoxDay(int year, int month, int day);
// The equinox day the formula gives for March or September (may lie outside the month far
// from the years the constants are meant for); 0 for any other month.
int EquinoxDay(int year, int month);

// `auto_calc_equinox` is the stored flag `AutoCalcEquinox`: true ("1") switches the
// computed equinox days OFF, as its check box "Don't auto apply ..." says.
// Writes the equinox days of `system_year` into the first slot holding 0 of the March and
// September lists (nothing when switched off, when the list is full or when the formula
// gives no day of the month), then closes any slot left empty before the last rule so
// that every stored rule stays in use.
void AddEquinoxDays(HolidayLists& lists, bool auto_calc_equinox, int system_year);

// The text of the holiday panel: the days of the month's rules in list order, joined
// with ",". Derived holidays are not shown.
std::string ShowMonthHolidays(const HolidayLists& lists, int year, int month);

}  // namespace orbeline
