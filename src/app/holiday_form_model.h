#pragma once

#include <string>
#include <vector>

#include "app/day_rule_controls.h"
#include "base/prompts.h"
#include "base/shell.h"
#include "calendar/holiday_engine.h"

namespace orbeline {

// The rules of the holiday dialog, free of any toolkit: a working copy of all twelve
// holiday lists edited one month at a time. Only the month shown is ever tidied, so the
// other months go back exactly as they came.
class HolidayFormModel {
 public:
  // The showing of the dialog: the working copy of `lists`, `current_month` (1..12) shown
  // and tidied. `shell` opens the manual.
  HolidayFormModel(const HolidayLists& lists, int current_month, Shell& shell, Prompts& prompts);

  // The working copy; the opener takes it over after OK.
  const HolidayLists& lists() const { return lists_; }

  // What the controls show.
  int month() const { return month_; }
  const std::vector<std::string>& lines() const { return lines_; }
  int selected_line() const { return selected_line_; }  // -1: none
  const DayRuleControls& controls() const { return controls_; }
  bool AddEnabled() const;
  bool ReplaceEnabled() const { return selected_line_ >= 0; }
  bool DeleteEnabled() const { return selected_line_ >= 0; }

  // Handlers.
  void MonthChange(int month);
  void LineClick(int line);
  void ByDateClick(bool by_date) { controls_.by_date = by_date; }
  void DayChange(int day);
  void NumberOfWeekChange(int index);
  void DayOfWeekChange(int index);
  void AddClick();
  void ReplaceClick();
  void DeleteClick();
  void HelpClick();

 private:
  HolidayList& list() { return lists_.month(month_); }
  // Tidies the month shown and lists it again, with no line selected.
  void Seiri();
  // Selects a line (-1: none) and shows its rule in the day controls.
  void SelectLine(int line);
  void SelectRule(int rule);

  HolidayLists lists_;
  Shell& shell_;
  Prompts& prompts_;
  int month_ = 1;
  std::vector<std::string> lines_;
  int selected_line_ = -1;
  DayRuleControls controls_;
};

}  // namespace orbeline
