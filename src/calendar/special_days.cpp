#include "calendar/special_days.h"

#include <algorithm>

#include "base/text_util.h"
#include "calendar/day_rule_text.h"
#include "calendar/gregorian.h"
#include "calendar/holiday_engine.h"

namespace orbeline {

int DaysUntilRule(std::string_view rule, int year, int month, int day) {
  if (!IsValidDate(year, month, day)) return kNoRuleDate;
  DateRule parsed = ParseDateRule(rule);
  int target_month = parsed.month == 13 ? month : parsed.month;
  if (target_month < 1 || target_month > 12) return kNoRuleDate;
  auto reference = MakeDate(year, month, day);

  if (parsed.day_rule / 100 < 6) {
    int target_day = ResolveDayRule(year, target_month, parsed.day_rule);
    if (!IsValidDate(year, target_month, target_day)) return kNoRuleDate;
    return DaysBetween(reference, MakeDate(year, target_month, target_day));
  }
  int weekday = parsed.day_rule % 100;
  if (weekday > 6) return kNoRuleDate;
  if (!IsValidDate(year, target_month, day)) return kNoRuleDate;
  // The next such weekday on or after the reference day of the target month.
  int start_weekday = WeekdayOf(year, target_month, day);
  int ahead = (weekday - start_weekday + 7) % 7;
  return DaysBetween(reference, MakeDate(year, target_month, day)) + ahead;
}

DateTable SplitDates(std::string_view dates) {
  DateTable table{};
  for (std::string& entry : table) {
    std::size_t comma = dates.find(',');
    entry = std::string(dates.substr(0, comma));
    if (comma == std::string_view::npos) break;
    dates.remove_prefix(comma + 1);
  }
  return table;
}

void TidyDates(DateTable& table) {
  auto end = std::stable_partition(table.begin(), table.end(),
                                   [](const std::string& entry) { return !entry.empty(); });
  auto key = [](const std::string& entry) {
    DateRule rule = ParseDateRule(entry);
    return static_cast<std::int64_t>(rule.month) * 10000 + rule.day_rule;
  };
  std::stable_sort(table.begin(), end,
                   [&](const std::string& a, const std::string& b) { return key(a) < key(b); });
}

void SpecialDays::SplitSpecialDates() {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    date_tables_[i] = records_[i].name.empty() ? DateTable{} : SplitDates(records_[i].dates);
  }
}

std::optional<SpecialDayColor> SpecialDays::FindSpecialDayColor(int year, int month,
                                                                int day) const {
  std::optional<SpecialDayColor> result;
  for (std::size_t i = 0; i < records_.size() && !date_tables_[i][0].empty(); ++i) {
    const SpecialDay& record = records_[i];
    if (record.color_mode == "0") continue;
    for (const std::string& entry : date_tables_[i]) {
      if (entry.empty()) break;
      if (DaysUntilRule(entry, year, month, day) != 0) continue;
      int role = static_cast<int>(ParseIntegerText(record.color_mode).value_or(1));
      if (role < 1 || role > 9) continue;
      // The last match wins. An own colour that is no colour text draws black.
      result = SpecialDayColor{role, role == 1 ? TextToColor(record.color).value_or(0) : 0};
    }
  }
  return result;
}

}  // namespace orbeline
