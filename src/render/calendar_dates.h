#pragma once

#include <chrono>

namespace orbeline {

enum class WeekStart { kSunday, kMonday };

// Days of a month of the Gregorian calendar, 28..31.
int DaysInMonth(int year, int month);

// Moves to the next day; after the last day of a month to day 1 of the next month (after
// December to January of the next year). Returns whether the month changed.
bool AdvanceDay(int& year, int& month, int& day);

// The column 1..7 of a date in a week row: Sunday 1 .. Saturday 7, or with a Monday start
// Monday 1 .. Saturday 6, Sunday 7.
int WeekdayColumn(std::chrono::year_month_day date, WeekStart week_start);

// 0 Sunday .. 6 Saturday.
int DayOfWeek(std::chrono::year_month_day date);

// The 1st of the month `months` months after the date's month (negative: before it).
std::chrono::year_month_day FirstOfMonth(std::chrono::year_month_day date, int months);

std::chrono::year_month_day MakeDate(int year, int month, int day);

}  // namespace orbeline
