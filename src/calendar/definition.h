#pragma once

#include <array>
#include <string>

#include "settings/prepare_settings.h"

namespace orbeline {

// What a definition file supplies: name tables, and the national holidays and switches a
// fresh store starts from. A missing file gives empty names, no holidays, ObserveType 0
// and every switch false.
struct Definition : CountryDefaults {
  std::array<std::string, 12> month_long_names;      // MonthLongNameMemo
  std::array<std::string, 12> month_short_names;     // MonthShortNameMemo (first 3 columns)
  std::array<std::string, 12> month_local_names;     // MonthLocalMemo
  std::array<std::string, 12> month_japanese_names;  // MonthJapaneseMemo (traditional)
  std::array<std::string, 14> day_names;  // DayNameMemo: 0..6 English Sunday.., 7..13 local
  bool ignore_gengo = false;

  // Sample captions of the month-format and weekday-format lists (entries 0..5).
  std::array<std::string, 6> month_draw_captions;
  std::array<std::string, 6> day_draw_captions;
};

// Fixed name tables.
inline constexpr std::array<const char*, 13> kMonthNameMemo = {
    "January", "February",  "March",   "April",    "May",      "June",       "July",
    "August",  "September", "October", "November", "December", "Every Month"};
inline constexpr std::array<const char*, 7> kDayOfWeekMemo = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
inline constexpr std::array<const char*, 6> kNumberOfWeekMemo = {"1st", "2nd",  "3rd",
                                                                 "4th", "Last", "Every"};

}  // namespace orbeline
