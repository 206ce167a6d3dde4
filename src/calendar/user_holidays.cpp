#include "calendar/user_holidays.h"

#include <algorithm>

#include "base/text_util.h"
#include "calendar/day_rule_text.h"

namespace orbeline {
namespace {

constexpr int kMaxRules = kHolidaySlots - 1;

std::string HolidayValueName(int month) { return "Holiday" + std::to_string(month); }

}  // namespace

HolidayList ParseHolidayText(std::string_view text) {
  HolidayList list{};
  std::string rest(TrimControlAndBlank(text));
  if (!rest.empty()) rest += ' ';
  std::string_view pending = rest;
  int count = 0;
  while (count < kMaxRules) {
    std::size_t blank = pending.find(' ');
    if (blank == std::string_view::npos) break;
    std::int64_t value = ParseIntegerText(pending.substr(0, blank)).value_or(1);
    list[static_cast<std::size_t>(count++)] = static_cast<DayRule>(value & 0xFFFF);
    pending.remove_prefix(blank + 1);
  }
  return list;
}

std::string FormatHolidayText(const HolidayList& list) {
  std::string text;
  for (DayRule rule : list) {
    if (rule == 0) break;
    if (!text.empty()) text += ' ';
    text += std::to_string(rule);
  }
  return text;
}

void ClearFixedEquinoxDays(HolidayLists& lists, bool auto_calc_equinox) {
  if (auto_calc_equinox) return;
  for (DayRule& rule : lists.month(3)) {
    if (rule == 20 || rule == 21) rule = 0;
  }
  for (DayRule& rule : lists.month(9)) {
    if (rule == 22 || rule == 23) rule = 0;
  }
}

HolidayLoadResult LoadHolidayLists(SettingsStore& store, Prompts& prompts, bool auto_calc_equinox,
                                   HolidayLists& lists,
                                   const std::function<void()>& prepare_settings) {
  HolidayLists loaded;
  for (int month = 1; month <= 12; ++month) {
    std::string text = store.ReadText(HolidayValueName(month), "error");
    if (text != "error") {
      loaded.month(month) = ParseHolidayText(text);
      continue;
    }
    Prompts::Message broken;
    broken.caption = "Orbeline - Error";
    broken.text = "Fatal Error! Registory broken! Click OK to initialize the registory";
    broken.icon = Prompts::Icon::kExclamation;
    broken.buttons = Prompts::Buttons::kOkCancel;
    // Nobody rewrites the user's settings without a person agreeing.
    broken.default_answer = Prompts::Answer::kCancel;
    if (prompts.ShowMessage(broken) != Prompts::Answer::kOk) {
      return HolidayLoadResult::kQuitRequested;
    }
    store.WriteSetting("CharStep", "-1");
    Prompts::Message again;
    again.caption = "Orbeline";
    again.text = "Please run again.";
    prompts.ShowMessage(again);
    if (prepare_settings) prepare_settings();
    return HolidayLoadResult::kResetRequested;
  }
  ClearFixedEquinoxDays(loaded, auto_calc_equinox);
  lists = loaded;
  return HolidayLoadResult::kLoaded;
}

void SaveHolidayLists(SettingsStore& store, const HolidayLists& lists) {
  for (int month = 1; month <= 12; ++month) {
    store.WriteSetting(HolidayValueName(month), FormatHolidayText(lists.month(month)));
  }
}

int HolidayRuleCount(const HolidayList& list) {
  return static_cast<int>(std::find(list.begin(), list.end(), DayRule{0}) - list.begin());
}

std::vector<std::string> HolidayListLines(const HolidayList& list) {
  std::vector<std::string> lines;
  for (DayRule rule : list) {
    if (rule == 0) break;
    lines.push_back(GetDayofWeekName(rule));
  }
  return lines;
}

std::vector<std::string> HolidaySeiri(HolidayList& list) {
  for (std::size_t i = 0; i + 1 < list.size(); ++i) {
    if (list[i] == 0) continue;
    for (std::size_t j = i + 1; j < list.size(); ++j) {
      if (list[j] == list[i]) list[j] = 0;
    }
  }
  auto end = std::stable_partition(list.begin(), list.end(), [](DayRule r) { return r != 0; });
  std::sort(list.begin(), end);
  return HolidayListLines(list);
}

bool AddHolidayRule(HolidayList& list, DayRule rule) {
  int count = HolidayRuleCount(list);
  // The last slot stays 0 so that the list always ends.
  if (count >= kMaxRules) return false;
  list[static_cast<std::size_t>(count)] = rule;
  HolidaySeiri(list);
  return true;
}

bool ReplaceHolidayRule(HolidayList& list, int position, DayRule rule) {
  if (position < 0 || position >= HolidayRuleCount(list)) return false;
  list[static_cast<std::size_t>(position)] = rule;
  HolidaySeiri(list);
  return true;
}

bool DeleteHolidayRule(HolidayList& list, int position) {
  return ReplaceHolidayRule(list, position, 0);
}

}  // namespace orbeline
