#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "app/day_rule_controls.h"
#include "base/color_text.h"
#include "base/prompts.h"
#include "base/shell.h"
#include "calendar/special_days.h"

namespace orbeline {

class SettingsDialogs;

// The rules of the special-day dialog, free of any toolkit: a working copy of all records,
// one of them on show in the controls with its date table. The controls' state lives here;
// it reaches the record only through CommitSpecialDay.
class SpecialdayFormModel {
 public:
  struct Ports {
    Prompts& prompts;
    SettingsDialogs& dialogs;
    Shell& shell;
  };

  // The showing of the dialog: the working copy of `records`, the record `first_record`
  // on show (none when there is no such record), `today` for the dates it proposes.
  SpecialdayFormModel(const SpecialDayRecords& records, int first_record,
                      std::chrono::year_month_day today, Ports ports);

  // The working copy; the opener takes it over after OK.
  const SpecialDayRecords& records() const { return records_; }

  // What the controls show.
  std::vector<std::string> Names() const;
  int selected() const { return selected_; }  // the record on show, -1: none
  // Every control of a record, disabled while no record is on show.
  bool RecordControlsEnabled() const { return selected_ >= 0; }
  int month_index() const { return month_index_; }  // 0 January .. 11 December, 12 every month
  const DayRuleControls& controls() const { return controls_; }
  const DateTable& dates() const { return dates_; }
  std::vector<std::string> DateLines() const;
  int selected_date() const { return selected_date_; }  // -1: none
  int color_mode() const { return color_mode_; }        // -1 (none) .. 9
  ColorRef own_color() const { return own_color_; }
  bool ApplyColorEnabled() const { return RecordControlsEnabled() && color_mode_ == 1; }
  const std::string& comment() const { return comment_; }
  bool dialog() const { return dialog_; }
  int count_day() const { return count_day_; }
  // The preview button, the count-down spin and its label follow the reminder check box.
  bool CountDownEnabled() const { return RecordControlsEnabled() && dialog_; }

  // Handlers.
  void NameListEnter();        // the focus enters the name list
  void NameListOpenedEmpty();  // the name list is opened while it holds no name
  void NameSelect(int index);
  void AddNewClick();
  void RenameClick();
  void DeleteClick();
  void MonthChange(int index);
  void DateLineClick(int line);
  void ByDateClick(bool by_date) { controls_.by_date = by_date; }
  void DayChange(int day);
  void NumberOfWeekChange(int index);
  void DayOfWeekChange(int index);
  void DayAddClick();
  void DayEditClick();
  void DayDeleteClick();
  void ColorModeClick(int index);
  void ApplyColorClick();
  void CommentChange(std::string text) { comment_ = std::move(text); }
  void DialogCheckClick(bool checked) { dialog_ = checked; }
  void CountDayChange(int value);
  void PreviewClick();
  void OkClick() { CommitSpecialDay(); }
  void HelpClick();

 private:
  int RecordCount() const;
  // Stores the controls into the record on show; a record without dates is deleted.
  void CommitSpecialDay();
  void ShowRecord();
  // Shows the rule of the selected date line in the day controls.
  void ShowDateLine();
  // Removes a record, moving the later ones up, and shows the one before it.
  void RemoveRecord(int index);
  // "M/D" from the controls.
  std::string BuildDateRule() const;
  bool DayFitsMonth() const;
  // The name typed into the input box, without "\"; nullopt when nothing is to be done.
  std::optional<std::string> AskName(const std::string& caption, const std::string& proposal);
  bool NameTaken(const std::string& name, int except) const;
  std::string WithoutBackslash(const std::string& text);
  void Tell(std::string_view caption, std::string text, Prompts::Icon icon);

  SpecialDayRecords records_;
  std::chrono::year_month_day today_;
  Ports ports_;
  int selected_ = -1;
  int month_index_ = 0;
  DayRuleControls controls_;
  DateTable dates_{};
  int selected_date_ = -1;
  int color_mode_ = 0;
  ColorRef own_color_ = 0;
  std::string comment_;
  bool dialog_ = false;
  int count_day_ = 0;
};

}  // namespace orbeline
