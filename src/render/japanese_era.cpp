#include "render/japanese_era.h"

#include <unicode/calendar.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <memory>
#include <optional>

#include "base/error.h"
#include "base/text_util.h"

namespace orbeline {
namespace {

const char kJapaneseCalendarLocale[] = "ja_JP@calendar=japanese";

void CheckIcu(UErrorCode status, const char* what) {
  if (U_FAILURE(status)) {
    throw Error(std::string("Japanese era of a date: ") + what + " failed (" + u_errorName(status) +
                ")");
  }
}

// Noon UTC of the date, in ICU's milliseconds since the epoch.
UDate NoonOf(std::chrono::year_month_day date) {
  const auto days = std::chrono::sys_days{date}.time_since_epoch().count();
  return (static_cast<double>(days) * 24.0 + 12.0) * 3600.0 * 1000.0;
}

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", ((value % 100) + 100) % 100);
  return text;
}

std::string FourDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", value);
  return text;
}

}  // namespace

JapaneseEra JapaneseEraOf(std::chrono::year_month_day date) {
  const icu::Locale locale(kJapaneseCalendarLocale);
  const UDate when = NoonOf(date);

  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> calendar(
      icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), locale, status));
  CheckIcu(status, "creating the Japanese calendar");
  calendar->setTime(when, status);
  const int year = calendar->get(UCAL_YEAR, status);
  CheckIcu(status, "reading the era year");

  // The era name comes from the formatter; its year field would give 元 for year 1.
  icu::SimpleDateFormat format(icu::UnicodeString(u"GGGG"), locale, status);
  CheckIcu(status, "creating the era formatter");
  format.setTimeZone(*icu::TimeZone::getGMT());
  icu::UnicodeString name;
  format.format(when, name);
  JapaneseEra era;
  name.toUTF8String(era.name);
  era.year = year;
  return era;
}

std::string FormatDatePicture(std::string_view picture, std::chrono::year_month_day date,
                              EraNameCut g_cut) {
  std::string out;
  std::optional<JapaneseEra> era;
  auto era_of_date = [&]() -> const JapaneseEra& {
    if (!era) era = JapaneseEraOf(date);
    return *era;
  };
  std::size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '"') {
      const std::size_t close = picture.find('"', i + 1);
      const std::size_t end = close == std::string_view::npos ? picture.size() : close;
      out.append(picture.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    switch (c) {
      case 'y': {
        const int year = static_cast<int>(date.year());
        if (run == 1) {
          out += std::to_string(year % 100);
        } else {
          out += run == 2 ? TwoDigits(year) : FourDigits(year);
        }
        break;
      }
      case 'g':
        out += (run == 1 && g_cut == EraNameCut::kFirstCharacter)
                   ? Utf8Prefix(era_of_date().name, 1)
                   : era_of_date().name;
        break;
      case 'e':
        out += std::to_string(era_of_date().year);
        break;
      default:
        out.append(run, c);
        break;
    }
    i += run;
  }
  return out;
}

std::string EraLetter(std::chrono::year_month_day date, EraNameCut g_cut) {
  const std::string first = Utf8Prefix(FormatDatePicture("g", date, g_cut), 1);
  if (first == "明") return "M";
  if (first == "大") return "T";
  if (first == "昭") return "S";
  if (first == "令") return "R";
  return "H";
}

}  // namespace orbeline
