#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

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
  int substitute_type = 0;  // 0 none, 1 Japanese, 2 USA, 3 UK; anything else acts as 0
  bool no_kokumin = false;  // true switches the day between two holidays off
};

int ResolveDayRule(int year, int month, int rule);
bool IsHoliday(const HolidayLists& lists, const HolidayOptions& options, int year, int month,
               int day);
DayKind GetDayKind(const HolidayLists& lists, const HolidayOptions& options, int year, int month,
                   int day);

}  // namespace orbeline
