#pragma once

#include <string>
#include <string_view>

namespace orbeline {

// The display text of a day rule: the day's number for 1..31 (and below), otherwise the
// ordinal and weekday names run together ("2ndMonday", "LastFriday", "EverySunday").
std::string GetDayofWeekName(int rule);

// A date rule "M/D": M is the month (13 = every month), D a day rule.
struct DateRule {
  int month = 0;
  int day_rule = 0;
};
// The numbers before and after the first "/"; a part that is not a number reads as 0.
DateRule ParseDateRule(std::string_view text);

// The rule as the special-day list shows it: "5/3" for a plain date, otherwise the month's
// name followed by the day rule's name ("November4thThursday", "Every Month15").
std::string FormatDateRule(std::string_view text);

// The rule as the special-day dialog's date list shows it: a plain date as it is written
// ("5/3"), otherwise the month ("Every Month" for 13) and the day, or the day rule's name,
// joined by "/" ("11/4thThursday", "Every Month/15", "Every Month/EveryMonday").
std::string DateListText(std::string_view text);

}  // namespace orbeline
