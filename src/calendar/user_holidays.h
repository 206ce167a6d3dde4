#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/prompts.h"
#include "calendar/holiday_engine.h"
#include "settings/settings_store.h"

namespace orbeline {

// One month's stored text ("1 201") as a list: blanks and control characters trimmed at
// both ends, pieces cut at single blanks; a piece that is not a number (an empty piece
// between two blanks included) is the rule 1; the low 16 bits are kept; at most 31 rules.
HolidayList ParseHolidayText(std::string_view text);
// The list's rules in list order, in decimal, separated by one blank.
std::string FormatHolidayText(const HolidayList& list);

// Unless `auto_calc_equinox` ("1" switches the computed days off) is set, sets every
// March slot holding 20 or 21 and every September slot holding 22 or 23 to 0, so that
// AddEquinoxDays puts the computed day in that place.
void ClearFixedEquinoxDays(HolidayLists& lists, bool auto_calc_equinox);

enum class HolidayLoadResult { kLoaded, kResetRequested, kQuitRequested };

// Reads Holiday1..Holiday12 into `lists` and clears the fixed equinox dates. A month
// whose value is missing (or holds the text "error") means the store is broken: the user
// is asked whether to initialise it; OK writes CharStep "-1", says so and runs
// `prepare_settings` (kResetRequested), Cancel changes nothing (kQuitRequested). Either
// way the caller ends the run, and `lists` is left as it was.
HolidayLoadResult LoadHolidayLists(SettingsStore& store, Prompts& prompts, bool auto_calc_equinox,
                                   HolidayLists& lists,
                                   const std::function<void()>& prepare_settings);

// Writes the twelve lists to Holiday1..Holiday12.
void SaveHolidayLists(SettingsStore& store, const HolidayLists& lists);

// The list box lines of a month: GetDayofWeekName of each rule in list order.
std::vector<std::string> HolidayListLines(const HolidayList& list);

// Tidies a month of the holiday dialog's working copy: later duplicates dropped, rules
// moved to the front, sorted by value. Returns the list box lines.
std::vector<std::string> HolidaySeiri(HolidayList& list);

// The dialog's edits, each followed by HolidaySeiri. Positions count from 0 in list order.
// Adding to a list that already holds 31 rules, or naming a position that holds no rule,
// changes nothing and returns false.
bool AddHolidayRule(HolidayList& list, DayRule rule);
bool ReplaceHolidayRule(HolidayList& list, int position, DayRule rule);
bool DeleteHolidayRule(HolidayList& list, int position);

// Number of rules in use (up to the first 0).
int HolidayRuleCount(const HolidayList& list);

}  // namespace orbeline
