#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbeline {

// The Windows abbreviated language name (JPN, ENU, ENG, DEU, ...) of a POSIX locale name
// such as "ja_JP.UTF-8" or "de_AT@euro"; it names the country's definition file. The
// territory picks the variant where Windows has one (en_GB -> ENG); a language without a
// listed territory gets its main variant (en_IN -> ENU). "C", "POSIX", an empty name and
// a language not in the table give no code.
std::optional<std::string> LanguageCodeForLocale(std::string_view locale_name);

// The same for the user's message locale: the first non-empty of LC_ALL, LC_MESSAGES and
// LANG.
std::optional<std::string> ThreeLetterLanguageCode();

}  // namespace orbeline
