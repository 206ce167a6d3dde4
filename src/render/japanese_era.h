#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace orbeline {

// A date's Japanese imperial era (明治, 大正, 昭和, 平成, 令和, ...) and year in it, from ICU's
// Japanese calendar. Throws Error when ICU cannot provide that calendar.
struct JapaneseEra {
  std::string name;
  int year = 0;
};
JapaneseEra JapaneseEraOf(std::chrono::year_month_day date);

// How the single "g" token shows the era name.
enum class EraNameCut { kWholeName, kFirstCharacter };

// Formats a date picture: "yy" the two-digit and "yyyy" the four-digit Gregorian year ("y"
// without its leading zero); "g" the era name (cut by `g_cut`), "gg" or longer the whole era
// name; "e" the era year without leading zeros; text between double quotes is copied as
// is, and so is any other character.
std::string FormatDatePicture(std::string_view picture, std::chrono::year_month_day date,
                              EraNameCut g_cut);

// The era letter: M, T, S for 明治, 大正, 昭和, R for 令和 and H for any other era.
std::string EraLetter(std::chrono::year_month_day date, EraNameCut g_cut);

}  // namespace orbeline
