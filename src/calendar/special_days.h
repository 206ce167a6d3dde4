#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "app/color_text.h"

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
inline constexpr int kMaxSpecialDates = 20;

// The colour a special day asks for: a role 1..9 (1 = the record's own colour).
struct SpecialDayColor {
  int role = 0;
  ColorRef color = 0;  // the record's own colour, meaningful for role 1
};

// The table of up to 100 records (the first empty name ends it), each with its date
// table of up to 20 rules split from Dates (the first empty entry ends it).
class SpecialDays {
 public:
  std::array<SpecialDay, kMaxSpecialDays + 1>& records() { return records_; }
  const std::array<SpecialDay, kMaxSpecialDays + 1>& records() const { return records_; }
  const std::array<std::string, kMaxSpecialDates>& date_table(int index) const {
    return date_tables_[static_cast<std::size_t>(index)];
  }

  // Cuts every record's Dates into its date table.
  void SplitSpecialDates();
  // The role and colour of the last record whose rule falls on the date; nullopt for none.
  std::optional<SpecialDayColor> FindSpecialDayColor(int year, int month, int day) const;

 private:
  std::array<SpecialDay, kMaxSpecialDays + 1> records_{};
  std::array<std::array<std::string, kMaxSpecialDates>, kMaxSpecialDays + 1> date_tables_{};
};

}  // namespace orbeline
