#include "app/specialday_form_model.h"

#include <algorithm>
#include <optional>

#include "app/manual.h"
#include "app/settings_dialogs.h"
#include "base/text_util.h"
#include "calendar/day_rule_text.h"
#include "calendar/gregorian.h"
#include "calendar/reminders.h"

namespace orbeline {
namespace {

constexpr std::string_view kConfirmCaption = "Confirm";
constexpr std::string_view kErrorCaption = "Orbeline - Error";
constexpr std::string_view kDateNotAvailable = "That date is not available!";
// A day is checked against a leap year, so that 29 February is a date.
constexpr int kCheckYear = 2000;
constexpr int kEveryMonthIndex = 12;
// The manual's topic of this dialog.
constexpr int kHelpTopic = 14;

int NumberOrZero(const std::string& text) { return ParseDecimal(text).value_or(0); }

}  // namespace

SpecialdayFormModel::SpecialdayFormModel(const SpecialDayRecords& records, int first_record,
                                         std::chrono::year_month_day today, Ports ports)
    : records_(records), today_(today), ports_(ports) {
  selected_ = first_record >= 0 && first_record < RecordCount() ? first_record : -1;
  ShowRecord();
}

int SpecialdayFormModel::RecordCount() const {
  auto end = std::find_if(records_.begin(), records_.begin() + kMaxSpecialDays,
                          [](const SpecialDay& record) { return record.name.empty(); });
  return static_cast<int>(end - records_.begin());
}

std::vector<std::string> SpecialdayFormModel::Names() const {
  std::vector<std::string> names;
  for (int i = 0; i < RecordCount(); ++i) {
    names.push_back(records_[static_cast<std::size_t>(i)].name);
  }
  return names;
}

std::vector<std::string> SpecialdayFormModel::DateLines() const {
  std::vector<std::string> lines;
  for (const std::string& entry : dates_) {
    if (entry.empty()) break;
    lines.push_back(DateListText(entry));
  }
  return lines;
}

void SpecialdayFormModel::Tell(std::string_view caption, std::string text, Prompts::Icon icon) {
  ports_.prompts.ShowMessage(
      {std::string(caption), std::move(text), icon, Prompts::Buttons::kOk, Prompts::Answer::kOk});
}

std::string SpecialdayFormModel::WithoutBackslash(const std::string& text) {
  std::string cleaned = text;
  std::erase(cleaned, '\\');
  // The separator of the stored record cannot be part of a field.
  if (cleaned.size() != text.size()) {
    Tell(kConfirmCaption, "Character \\ cannot use. This character removed.",
         Prompts::Icon::kInformation);
  }
  return cleaned;
}

bool SpecialdayFormModel::DayFitsMonth() const {
  if (month_index_ < 0 || month_index_ >= kEveryMonthIndex) return true;
  return controls_.day <= DaysInMonth(kCheckYear, month_index_ + 1);
}

std::string SpecialdayFormModel::BuildDateRule() const {
  return std::to_string(month_index_ + 1) + "/" + std::to_string(controls_.Rule());
}

void SpecialdayFormModel::CommitSpecialDay() {
  if (selected_ < 0) return;
  if (controls_.by_date && !DayFitsMonth()) {
    Tell(kErrorCaption, std::string(kDateNotAvailable), Prompts::Icon::kExclamation);
    return;
  }
  SpecialDay& record = records_[static_cast<std::size_t>(selected_)];
  std::string joined;
  for (const std::string& entry : dates_) {
    if (entry.empty()) break;
    if (!joined.empty()) joined += ',';
    joined += entry;
  }
  record.dates = joined;
  if (joined.empty()) {
    Tell(kConfirmCaption, "No dates registered.\nConfiguration deleted.",
         Prompts::Icon::kInformation);
    RemoveRecord(selected_);
    return;
  }
  record.color_mode = std::to_string(color_mode_);
  record.color = ColorToText(own_color_);
  comment_ = WithoutBackslash(comment_);
  record.comment = comment_;
  record.dialog = FlagText(dialog_);
  record.count_day = std::to_string(count_day_);
}

void SpecialdayFormModel::ShowRecord() {
  selected_date_ = -1;
  if (selected_ < 0) {
    // Nothing is on show: a deleted record's dates and text are not left behind.
    dates_ = DateTable{};
    comment_.clear();
    return;
  }
  const SpecialDay& record = records_[static_cast<std::size_t>(selected_)];
  dates_ = SplitDates(record.dates);
  if (dates_[0].empty()) {
    month_index_ = static_cast<int>(static_cast<unsigned>(today_.month())) - 1;
    DayChange(static_cast<int>(static_cast<unsigned>(today_.day())));
  } else {
    selected_date_ = 0;
    ShowDateLine();
  }
  color_mode_ = std::clamp(NumberOrZero(record.color_mode), -1, 9);
  own_color_ = TextToColor(record.color).value_or(0);
  comment_ = record.comment;
  dialog_ = record.dialog == "1";
  count_day_ = std::clamp(NumberOrZero(record.count_day), 0, 9);
}

void SpecialdayFormModel::ShowDateLine() {
  if (selected_date_ < 0) return;
  const DateRule rule = ParseDateRule(dates_[static_cast<std::size_t>(selected_date_)]);
  if (rule.month >= 1 && rule.month <= 13) month_index_ = rule.month - 1;
  if (rule.day_rule > 31) {
    controls_.number_of_week = std::clamp(rule.day_rule / 100 - 1, 0, 5);
    controls_.day_of_week = std::min(rule.day_rule % 100, 6);
    controls_.by_date = false;
  } else {
    DayChange(rule.day_rule);
    controls_.by_date = true;
  }
}

void SpecialdayFormModel::RemoveRecord(int index) {
  std::move(records_.begin() + index + 1, records_.end(), records_.begin() + index);
  records_.back() = SpecialDay{};
  selected_ = index - 1;
  ShowRecord();
}

bool SpecialdayFormModel::NameTaken(const std::string& name, int except) const {
  for (int i = 0; i < RecordCount(); ++i) {
    if (i != except && records_[static_cast<std::size_t>(i)].name == name) return true;
  }
  return false;
}

std::optional<std::string> SpecialdayFormModel::AskName(const std::string& caption,
                                                        const std::string& proposal) {
  std::optional<std::string> answer = ports_.prompts.InputBox(caption, "Name", proposal);
  if (!answer) return std::nullopt;
  std::string name = WithoutBackslash(*answer);
  if (name.empty()) return std::nullopt;
  return name;
}

void SpecialdayFormModel::NameListEnter() { CommitSpecialDay(); }

void SpecialdayFormModel::NameListOpenedEmpty() {
  if (RecordCount() > 0) return;
  const Prompts::Answer answer = ports_.prompts.ShowMessage(
      {std::string(kConfirmCaption), "Create a new special date?", Prompts::Icon::kQuestion,
       Prompts::Buttons::kYesNo, Prompts::Answer::kYes});
  if (answer == Prompts::Answer::kYes) AddNewClick();
}

void SpecialdayFormModel::NameSelect(int index) {
  selected_ = index >= 0 && index < RecordCount() ? index : -1;
  ShowRecord();
}

void SpecialdayFormModel::AddNewClick() {
  if (RecordCount() >= kMaxSpecialDays) {
    Tell(kErrorCaption, "Maximum number for the special date is 100.", Prompts::Icon::kExclamation);
    return;
  }
  CommitSpecialDay();
  int n = 1;
  while (NameTaken("New" + std::to_string(n), -1)) ++n;
  std::optional<std::string> name = AskName("Add special date", "New" + std::to_string(n));
  if (!name) return;
  if (NameTaken(*name, -1)) {
    Tell(kErrorCaption, "Same name already registered!", Prompts::Icon::kExclamation);
    return;
  }
  const int index = RecordCount();
  records_[static_cast<std::size_t>(index)] =
      SpecialDay{*name, "", "1", "clYellow", *name + ".", "1", "0"};
  selected_ = index;
  ShowRecord();
}

void SpecialdayFormModel::RenameClick() {
  if (selected_ < 0) return;
  const int index = selected_;
  CommitSpecialDay();
  // A record without dates was just deleted, and the user told so: nothing is left to
  // rename (the record shown now is another one).
  if (selected_ != index) return;
  SpecialDay& record = records_[static_cast<std::size_t>(index)];
  std::optional<std::string> name = AskName("Edit name of special date", record.name);
  if (!name) return;
  if (NameTaken(*name, index)) {
    Tell(kErrorCaption, "Same name already registered!", Prompts::Icon::kExclamation);
    return;
  }
  record.name = *name;
  ShowRecord();
}

void SpecialdayFormModel::DeleteClick() {
  if (selected_ < 0) return;
  const std::string& name = records_[static_cast<std::size_t>(selected_)].name;
  const Prompts::Answer answer = ports_.prompts.ShowMessage(
      {std::string(kConfirmCaption), "Delete \"" + name + "\"\nAre you sure?",
       Prompts::Icon::kQuestion, Prompts::Buttons::kYesNo, Prompts::Answer::kNo});
  if (answer == Prompts::Answer::kYes) RemoveRecord(selected_);
}

void SpecialdayFormModel::MonthChange(int index) {
  month_index_ = std::clamp(index, 0, kEveryMonthIndex);
}

void SpecialdayFormModel::DateLineClick(int line) {
  if (line < 0 || line >= static_cast<int>(DateLines().size())) return;
  selected_date_ = line;
  ShowDateLine();
}

void SpecialdayFormModel::DayChange(int day) {
  day = std::clamp(day, 1, 31);
  if (day == controls_.day) return;
  controls_.day = day;
  if (!DayFitsMonth()) {
    Tell(kErrorCaption, std::string(kDateNotAvailable), Prompts::Icon::kExclamation);
    controls_.day = 1;
  }
}

void SpecialdayFormModel::NumberOfWeekChange(int index) {
  controls_.number_of_week = std::clamp(index, 0, 5);
}

void SpecialdayFormModel::DayOfWeekChange(int index) {
  controls_.day_of_week = std::clamp(index, 0, 6);
}

void SpecialdayFormModel::DayAddClick() {
  if (selected_ < 0) return;
  const std::string rule = BuildDateRule();
  const auto end = std::find(dates_.begin(), dates_.end(), std::string());
  if (std::find(dates_.begin(), end, rule) != end) {
    Tell(kErrorCaption, "Same date already configured", Prompts::Icon::kExclamation);
    return;
  }
  if (end == dates_.end()) {
    Tell(kConfirmCaption, "This function supports up to 20 days", Prompts::Icon::kExclamation);
    return;
  }
  *end = rule;
  TidyDates(dates_);
  selected_date_ = static_cast<int>(DateLines().size()) - 1;
  ShowDateLine();
}

void SpecialdayFormModel::DayEditClick() {
  if (selected_ < 0 || selected_date_ < 0) return;
  dates_[static_cast<std::size_t>(selected_date_)] = BuildDateRule();
  TidyDates(dates_);
  ShowDateLine();
}

void SpecialdayFormModel::DayDeleteClick() {
  if (selected_ < 0 || selected_date_ < 0) return;
  std::string& entry = dates_[static_cast<std::size_t>(selected_date_)];
  // Only the rule the controls still show: a line clicked and then changed in the controls
  // stays.
  if (entry == BuildDateRule()) {
    entry.clear();
    TidyDates(dates_);
    --selected_date_;
  }
  ShowDateLine();
}

void SpecialdayFormModel::ColorModeClick(int index) { color_mode_ = std::clamp(index, 0, 9); }

void SpecialdayFormModel::ApplyColorClick() {
  if (!ApplyColorEnabled()) return;
  if (std::optional<ColorRef> chosen = ports_.dialogs.ChooseSolidColor(own_color_)) {
    own_color_ = *chosen & 0xFFFFFF;
  }
}

void SpecialdayFormModel::CountDayChange(int value) { count_day_ = std::clamp(value, 0, 9); }

void SpecialdayFormModel::PreviewClick() {
  const int year = static_cast<int>(today_.year());
  const int month = month_index_ == kEveryMonthIndex
                        ? static_cast<int>(static_cast<unsigned>(today_.month()))
                        : month_index_ + 1;
  // 29 February in a common year, or a day left from another month: this year has no such
  // date to show.
  if (!IsValidDate(year, month, controls_.day)) {
    Tell(kErrorCaption, std::string(kDateNotAvailable), Prompts::Icon::kExclamation);
    return;
  }
  Tell("What day today?",
       "Today " + FormatShortDate(MakeDate(year, month, controls_.day)) + " is:\n" + comment_,
       Prompts::Icon::kInformation);
}

void SpecialdayFormModel::HelpClick() {
  OpenManualOrTell(ports_.shell, ports_.prompts, kHelpTopic);
}

}  // namespace orbeline
