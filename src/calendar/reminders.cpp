#include "calendar/reminders.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "base/text_util.h"

namespace orbeline {
namespace {

// ICU picks its default locale from LC_MESSAGES; a date follows LC_TIME instead.
icu::Locale DateLocale() {
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    // "de_DE.UTF-8@euro" -> "de_DE": the code set and modifier mean nothing to ICU.
    std::string_view name = value;
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") break;
    icu::Locale locale(std::string(name).c_str());
    if (!locale.isBogus()) return locale;
    break;
  }
  return icu::Locale::getDefault();
}

std::string IsoDate(std::chrono::year_month_day date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

}  // namespace

std::string FormatShortDate(std::chrono::year_month_day date) {
  std::unique_ptr<icu::DateFormat> format(
      icu::DateFormat::createDateInstance(icu::DateFormat::kShort, DateLocale()));
  if (!format) return IsoDate(date);
  // A date-only value is midnight UTC; formatting it in the local zone could show the
  // day before.
  format->adoptTimeZone(icu::TimeZone::createTimeZone("UTC"));
  const double days = std::chrono::sys_days{date}.time_since_epoch().count();
  icu::UnicodeString text;
  format->format(days * U_MILLIS_PER_DAY, text);
  std::string result;
  text.toUTF8String(result);
  return result;
}

void ShowSpecialDayReminders(const SpecialDays& days, Prompts& prompts,
                             std::chrono::year_month_day today) {
  const int year = static_cast<int>(today.year());
  const int month = static_cast<int>(static_cast<unsigned>(today.month()));
  const int day = static_cast<int>(static_cast<unsigned>(today.day()));
  const auto& records = days.records();
  for (std::size_t i = 0; i < records.size() && !days.date_table(static_cast<int>(i))[0].empty();
       ++i) {
    const SpecialDay& record = records[i];
    if (record.dialog != "1") continue;
    const std::int64_t count_down = ParseIntegerText(record.count_day).value_or(-1);
    for (const std::string& entry : days.date_table(static_cast<int>(i))) {
      if (entry.empty()) break;
      const int until = DaysUntilRule(entry, year, month, day);
      if (until < 0 || until > count_down) continue;
      Prompts::Message message;
      message.caption = "What day today?";
      message.icon = Prompts::Icon::kInformation;
      message.buttons = Prompts::Buttons::kOk;
      message.text = until == 0 ? "Today " + FormatShortDate(today) + " is:\n"
                                : "After " + std::to_string(until) + " days,\n";
      message.text += record.comment;
      prompts.ShowMessage(message);
    }
  }
}

}  // namespace orbeline
