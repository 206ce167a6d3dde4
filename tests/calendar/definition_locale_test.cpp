#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>

#include "calendar/locale_code.h"

namespace orbeline {
namespace {

TEST(LanguageCodeTest, LocaleNamesToWindowsCodes) {
  // Pairs of a locale name and its code ("" for none).
  // clang-format off
  const char* const rows[] = {
      "ja_JP.UTF-8", "JPN", "ja", "JPN", "en_US.UTF-8", "ENU", "en_GB.UTF-8", "ENG",
      "en_AU", "ENA", "en_CA", "ENC", "en_NZ", "ENZ", "en_IE", "ENI", "en_IN.UTF-8", "ENU",
      "en", "ENU", "de_DE.UTF-8", "DEU", "de_AT@euro", "DEA", "de_CH", "DES", "de", "DEU",
      "fr_FR.UTF-8", "FRA", "fr_CA", "FRC", "fr_BE", "FRB", "fr_CH", "FRS", "es_ES", "ESN",
      "it_IT", "ITA", "nl_NL", "NLD", "pt_BR", "PTB", "pt_PT", "PTG", "sv_SE", "SVE",
      "da_DK", "DAN", "nb_NO", "NOR", "no_NO", "NOR", "fi_FI", "FIN", "ko_KR.UTF-8", "KOR",
      "zh_CN.UTF-8", "CHS", "zh_TW.UTF-8", "CHT", "ru_RU", "RUS", "pl_PL", "PLK", "cs_CZ", "CSY",
      "EN-gb", "ENG", "C", "", "C.UTF-8", "", "POSIX", "", "", "", "xx_YY", "", "eng", ""};
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
      {"LC_MESSAGES next", {nullptr, "en_GB.UTF-8", "de_DE.UTF-8"}, "ENG"},
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
