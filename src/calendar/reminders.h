#pragma once

#include <chrono>
#include <string>

#include "base/prompts.h"
#include "calendar/special_days.h"

namespace orbeline {

// The date in the short date format of the user's locale (LC_ALL, else LC_TIME, else
// LANG), e.g. "12/25/26" for en_US or "25.12.26" for de_DE.
std::string FormatShortDate(std::chrono::year_month_day date);

// At the end of a run: one message box "What day today?" for every date entry of a record
// with Dialog "1" that falls today ("Today <date> is:") or within its CountDay days
// ("After <n> days,"), followed by the record's Comment. Records and entries are walked
// as FindSpecialDayColor walks them.
void ShowSpecialDayReminders(const SpecialDays& days, Prompts& prompts,
                             std::chrono::year_month_day today);

}  // namespace orbeline
