#include "calendar/day_rule_text.h"

#include <algorithm>

#include "base/text_util.h"
#include "calendar/definition.h"

namespace orbeline {
namespace {

int NumberOrZero(std::string_view text) {
  return static_cast<int>(ParseIntegerText(text).value_or(0));
}

}  // namespace

std::string GetDayofWeekName(int rule) {
  if (rule <= 31) return std::to_string(rule);
  int ordinal = std::clamp(rule / 100, 1, 6);
  int weekday = std::min(rule % 100, 6);
  return std::string(kNumberOfWeekMemo[static_cast<std::size_t>(ordinal - 1)]) +
         kDayOfWeekMemo[static_cast<std::size_t>(weekday)];
}

DateRule ParseDateRule(std::string_view text) {
  std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return {NumberOrZero(text), 0};
  return {NumberOrZero(text.substr(0, slash)), NumberOrZero(text.substr(slash + 1))};
}

std::string FormatDateRule(std::string_view text) {
  DateRule rule = ParseDateRule(text);
  // The dialog only writes months 1..13; any other stored month is shown as its number so
  // that the text never reaches outside the month names.
  if ((rule.month < 13 && rule.day_rule < 32) || rule.month < 1 || rule.month > 13) {
    return std::to_string(rule.month) + "/" +
           (rule.day_rule < 32 ? std::to_string(rule.day_rule) : GetDayofWeekName(rule.day_rule));
  }
  return std::string(kMonthNameMemo[static_cast<std::size_t>(rule.month - 1)]) +
         GetDayofWeekName(rule.day_rule);
}

std::string DateListText(std::string_view text) {
  DateRule rule = ParseDateRule(text);
  if (rule.month <= 12 && rule.day_rule <= 31) return std::string(text);
  return (rule.month == 13 ? std::string(kMonthNameMemo[12]) : std::to_string(rule.month)) + "/" +
         GetDayofWeekName(rule.day_rule);
}

}  // namespace orbeline
