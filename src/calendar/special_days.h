#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/color_text.h"
#include "settings/settings_store.h"

namespace orbeline {

// One special day: seven text fields, stored joined by "\".
struct SpecialDay {
  std::string name;        // Name; empty ends the table
  std::string dates;       // Dates: date rules "M/D" joined by ","
  std::string color_mode;  // ColorMode 0..9
  std::string color;       // Color, colour text form
  std::string comment;     // Comment
  std::string dialog;      // Dialog: "1" reminds
  std::string count_day;   // CountDay 0..9
};

inline constexpr int kMaxSpecialDays = 100;
// What DaysUntilRule gives for a rule that names no date in the reference year.
inline constexpr int kNoRuleDate = -365;
inline constexpr int kMaxSpecialDates = 20;

// The table of records: up to 100 in use, the first empty name ends it.
using SpecialDayRecords = std::array<SpecialDay, kMaxSpecialDays + 1>;

// The colour a special day asks for: a role 1..9 (1 = the record's own colour).
struct SpecialDayColor {
  int role = 0;
  ColorRef color = 0;  // the record's own colour, meaningful for role 1
};

// The date table of the record a dialog shows: up to 20 rules, the first empty entry ends it.
using DateTable = std::array<std::string, kMaxSpecialDates>;
// `Dates` cut at each ",": rules beyond the table's 20 entries are ignored (the dialog never
// writes them); an empty text gives an empty table.
DateTable SplitDates(std::string_view dates);
// Closes the gaps that deleted entries left, keeping the order, then sorts the rules by
// month, then day rule (so "Every Month" comes last, and within a month the fixed days
// before the weekday rules). Empty entries stay at the end.
void TidyDates(DateTable& table);

// The table of up to 100 records (the first empty name ends it), each with its date
// table of up to 20 rules split from Dates (the first empty entry ends it).
class SpecialDays {
 public:
  SpecialDayRecords& records() { return records_; }
  const SpecialDayRecords& records() const { return records_; }
  const DateTable& date_table(int index) const {
    return date_tables_[static_cast<std::size_t>(index)];
  }

  // Cuts every record's Dates into its date table.
  void SplitSpecialDates();
  // The role and colour of the last record whose rule falls on the date; nullopt for none.
  std::optional<SpecialDayColor> FindSpecialDayColor(int year, int month, int day) const;

 private:
  SpecialDayRecords records_{};
  std::array<DateTable, kMaxSpecialDays + 1> date_tables_{};
};

// Days from the reference date to the date that the date rule "M/D" names in the
// reference year (negative when it lies earlier); kNoRuleDate when it names none.
// "Every weekday" rules (D = 600 + W) give the next such weekday from the reference day.
int DaysUntilRule(std::string_view rule, int year, int month, int day);

// The 1-based position of the first byte `c` in `text`, 0 when there is none. The text is
// UTF-8, where no byte of a multi-byte character is ever an ASCII byte, so a "\" inside a
// name is never taken for a separator.
std::size_t FindUnquotedChar(char c, std::string_view text);
// Takes the next "\"-separated field off the front of `text`. The last field takes the
// whole rest and leaves "0", so missing trailing fields read as "0".
std::string TakeField(std::string& text);

// Reads Special0, Special1, .. up to the first missing or empty value (at most 100
// records); the text "none" leaves its record empty. Call SplitSpecialDates afterwards.
void LoadSpecialDays(const SettingsStore& store, SpecialDays& days);
// Writes the records up to the first empty name as Special0.., then removes the stale
// values up to Special100. Throws Error, before writing anything, when a field holds the
// separator "\" (it would split the record when read back).
void SaveSpecialDays(SettingsStore& store, const SpecialDays& days);
// The main window's list: "Name:" and the first date rule, "..." when there are more.
std::vector<std::string> FillSpecialDayList(const SpecialDays& days);

}  // namespace orbeline
