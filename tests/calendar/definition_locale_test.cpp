#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>

#include "calendar/locale_code.h"

namespace orbeline {
namespace {

TEST(LanguageCodeTest, LocaleNamesToWindowsCodes) {
  // Pairs of a locale name and its code ("" for none): the cases beyond a plain lookup.
  // clang-format off
  const char* const rows[] = {
      "ja_JP.UTF-8", "JPN", "en_GB.UTF-8", "ENG", "en_IN.UTF-8", "ENU", "en", "ENU",
      "de_AT@euro", "DEA", "nb_NO", "NOR", "EN-gb", "ENG", "C.UTF-8", "", "POSIX", "", "", "",
      "xx_YY", "", "eng", ""};
  // clang-format on
  for (std::size_t i = 0; i < std::size(rows); i += 2) {
    EXPECT_EQ(LanguageCodeForLocale(rows[i]).value_or(""), rows[i + 1]) << rows[i];
  }
}

TEST(LanguageCodeTest, FirstNonEmptyOfLcAllLcMessagesLang) {
  struct Row {
    const char* name;
    const char* variables[3];  // LC_ALL, LC_MESSAGES, LANG; nullptr: unset
    std::optional<std::string> expected;
  };
  const Row rows[] = {
      {"LC_ALL wins", {"ja_JP.UTF-8", "en_GB.UTF-8", "de_DE.UTF-8"}, "JPN"},
      {"empty LC_ALL is skipped", {"", "fr_FR.UTF-8", "de_DE.UTF-8"}, "FRA"},
      {"LANG last", {"", "", "de_DE.UTF-8"}, "DEU"},
      {"C in LC_ALL gives no code", {"C", "en_US.UTF-8", "en_US.UTF-8"}, std::nullopt},
      {"nothing set", {nullptr, nullptr, nullptr}, std::nullopt},
  };
  const char* const names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  for (const Row& row : rows) {
    for (int i = 0; i < 3; ++i) {
      if (row.variables[i]) setenv(names[i], row.variables[i], 1);
      if (!row.variables[i]) unsetenv(names[i]);
    }
    EXPECT_EQ(ThreeLetterLanguageCode(), row.expected) << row.name;
  }
  for (const char* name : names) unsetenv(name);
}

}  // namespace
}  // namespace orbeline
