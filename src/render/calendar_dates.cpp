#include "render/calendar_dates.h"

namespace orbeline {

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2) {
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return leap ? 29 : 28;
  }
  return kDays[((month - 1) % 12 + 12) % 12];
}

bool AdvanceDay(int& year, int& month, int& day) {
  ++day;
  if (day <= DaysInMonth(year, month)) return false;
  day = 1;
  if (++month > 12) {
    month = 1;
    ++year;
  }
  return true;
}

int DayOfWeek(std::chrono::year_month_day date) {
  return static_cast<int>(std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding());
}

int WeekdayColumn(std::chrono::year_month_day date, WeekStart week_start) {
  const int sunday_based = DayOfWeek(date);
  if (week_start == WeekStart::kMonday) return sunday_based == 0 ? 7 : sunday_based;
  return sunday_based + 1;
}

std::chrono::year_month_day FirstOfMonth(std::chrono::year_month_day date, int months) {
  const std::chrono::year_month shifted =
      std::chrono::year_month{date.year(), date.month()} + std::chrono::months{months};
  return shifted / std::chrono::day{1};
}

std::chrono::year_month_day MakeDate(int year, int month, int day) {
  return std::chrono::year_month_day{std::chrono::year{year},
                                     std::chrono::month{static_cast<unsigned>(month)},
                                     std::chrono::day{static_cast<unsigned>(day)}};
}

}  // namespace orbeline
