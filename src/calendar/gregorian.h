#pragma once

#include <chrono>

namespace orbeline {

// Gregorian calendar facts for plain integer dates, through std::chrono. Years outside
// what std::chrono::year holds are treated as invalid.

inline bool IsValidYearMonth(int year, int month) {
  return year >= -32767 && year <= 32767 && month >= 1 && month <= 12;
}

inline std::chrono::year_month_day MakeDate(int year, int month, int day) {
  return std::chrono::year_month_day{std::chrono::year{year},
                                     std::chrono::month{static_cast<unsigned>(month)},
                                     std::chrono::day{static_cast<unsigned>(day)}};
}

inline bool IsValidDate(int year, int month, int day) {
  return IsValidYearMonth(year, month) && day >= 1 && day <= 31 && MakeDate(year, month, day).ok();
}

// Requires IsValidYearMonth.
inline int DaysInMonth(int year, int month) {
  std::chrono::year_month_day_last last{
      std::chrono::year{year},
      std::chrono::month_day_last{std::chrono::month{static_cast<unsigned>(month)}}};
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

// 0 Sunday .. 6 Saturday. Requires IsValidDate.
inline int WeekdayOf(int year, int month, int day) {
  return static_cast<int>(
      std::chrono::weekday{std::chrono::sys_days{MakeDate(year, month, day)}}.c_encoding());
}

// Days from `from` to `to`. Both must be valid dates.
inline int DaysBetween(const std::chrono::year_month_day& from,
                       const std::chrono::year_month_day& to) {
  return static_cast<int>((std::chrono::sys_days{to} - std::chrono::sys_days{from}).count());
}

}  // namespace orbeline
