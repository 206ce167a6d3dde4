#pragma once

namespace orbeline {

// The day controls that both the holiday and the special-day editor have: "Apply by date"
// with its day, or "Apply by weekday" with the ordinal and weekday lists.
struct DayRuleControls {
  bool by_date = true;
  int day = 1;             // the day editor, 1..31
  int number_of_week = 0;  // item index of the ordinal list: 0 "1st" .. 4 "Last", 5 "Every"
  int day_of_week = 0;     // item index of the weekday list: 0 Sunday .. 6 Saturday

  // The day rule they name: the day, or (ordinal index + 1) x 100 + weekday index, so that
  // "2nd" "Monday" gives 201 and "Every" "Monday" 601.
  int Rule() const { return by_date ? day : (number_of_week + 1) * 100 + day_of_week; }
};

}  // namespace orbeline
