#include "app/holiday_form_model.h"

#include <algorithm>

#include "app/manual.h"
#include "base/text_util.h"
#include "calendar/definition.h"
#include "calendar/user_holidays.h"

namespace orbeline {
namespace {

// A list holding this many lines takes no more from the dialog (a stored text may give 31).
constexpr int kAddLimit = 30;
// The ordinal list of this dialog stops before "Every".
constexpr int kOrdinalItems = 5;
// The manual's topic of this dialog.
constexpr int kHelpTopic = 16;

// The index of the last item whose text occurs in `line`, or `current` when none does.
template <typename Items>
int LastItemIn(const std::string& line, const Items& items, int count, int current) {
  for (int i = 0; i < count; ++i) {
    if (line.find(items[static_cast<std::size_t>(i)]) != std::string::npos) current = i;
  }
  return current;
}

}  // namespace

HolidayFormModel::HolidayFormModel(const HolidayLists& lists, int current_month, Shell& shell,
                                   Prompts& prompts)
    : lists_(lists), shell_(shell), prompts_(prompts), month_(std::clamp(current_month, 1, 12)) {
  Seiri();
}

bool HolidayFormModel::AddEnabled() const { return static_cast<int>(lines_.size()) < kAddLimit; }

void HolidayFormModel::Seiri() {
  lines_ = HolidaySeiri(list());
  selected_line_ = -1;
}

void HolidayFormModel::MonthChange(int month) {
  if (month < 1 || month > 12) return;
  month_ = month;
  Seiri();
}

void HolidayFormModel::SelectLine(int line) {
  if (line < 0 || line >= static_cast<int>(lines_.size())) {
    selected_line_ = -1;
    return;
  }
  selected_line_ = line;
  const std::string& text = lines_[static_cast<std::size_t>(line)];
  if (std::optional<int> day = ParseDecimal(text)) {
    controls_.by_date = true;
    controls_.day = std::clamp(*day, 1, 31);
    return;
  }
  controls_.by_date = false;
  controls_.number_of_week =
      LastItemIn(text, kNumberOfWeekMemo, kOrdinalItems, controls_.number_of_week);
  controls_.day_of_week = LastItemIn(text, kDayOfWeekMemo, 7, controls_.day_of_week);
}

void HolidayFormModel::SelectRule(int rule) {
  const HolidayList& rules = list();
  auto found = std::find(rules.begin(), rules.begin() + static_cast<long>(lines_.size()),
                         static_cast<DayRule>(rule));
  SelectLine(static_cast<int>(found - rules.begin()));
}

void HolidayFormModel::LineClick(int line) { SelectLine(line); }

void HolidayFormModel::DayChange(int day) { controls_.day = std::clamp(day, 1, 31); }

void HolidayFormModel::NumberOfWeekChange(int index) {
  controls_.number_of_week = std::clamp(index, 0, kOrdinalItems - 1);
}

void HolidayFormModel::DayOfWeekChange(int index) {
  controls_.day_of_week = std::clamp(index, 0, 6);
}

void HolidayFormModel::AddClick() {
  if (!AddEnabled()) return;
  const int rule = controls_.Rule();
  AddHolidayRule(list(), static_cast<DayRule>(rule));
  lines_ = HolidayListLines(list());
  SelectRule(rule);
}

void HolidayFormModel::ReplaceClick() {
  if (selected_line_ < 0) return;
  const int rule = controls_.Rule();
  ReplaceHolidayRule(list(), selected_line_, static_cast<DayRule>(rule));
  lines_ = HolidayListLines(list());
  SelectRule(rule);
}

void HolidayFormModel::DeleteClick() {
  if (selected_line_ < 0) return;
  DeleteHolidayRule(list(), selected_line_);
  lines_ = HolidayListLines(list());
  SelectLine(static_cast<int>(lines_.size()) - 1);
}

void HolidayFormModel::HelpClick() { OpenManualOrTell(shell_, prompts_, kHelpTopic); }

}  // namespace orbeline
