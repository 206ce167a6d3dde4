#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbeline {

// The auto-draw code of the first command-line argument: 0 interactive (or an argument
// that matches nothing), 1 "-onlydraw", 2 an existing ".bmp" file, 3 "-random",
// 10 + N for "-N". Later tests overwrite earlier matches, as the grammar says.
int AutoDrawCode(std::string_view argument,
                 const std::function<bool(const std::string&)>& is_existing_file);

// Long options, recognised before the first-argument grammar.
struct LongOptions {
  enum class Command { kNone, kHelp, kVersion, kHolidays, kPreview, kError };
  Command command = Command::kNone;
  std::string holidays_year;
  std::string preview_file;
  std::string preview_date;  // YYYY-MM-DD or empty for today
  std::string error;         // for kError
};

// kNone when the first argument is not a long option ("--..."): the classic grammar
// applies then.
LongOptions ParseLongOptions(const std::vector<std::string>& arguments);

std::string UsageText();

// A date written YYYY-MM-DD (years 1..9999); nullopt for anything else or an impossible date.
std::optional<std::chrono::year_month_day> ParseIsoDate(const std::string& text);

}  // namespace orbeline
