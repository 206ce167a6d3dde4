#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calendar/locale_code.h"

namespace orbeline {
namespace {

TEST(LanguageCodeTest, LocaleNamesToWindowsCodes) {
  struct Row {
    const char* locale;
    std::optional<std::string> expected;
  };
  const Row rows[] = {
      {"ja_JP.UTF-8", "JPN"},    {"ja", "JPN"},
      {"en_US.UTF-8", "ENU"},    {"en_GB.UTF-8", "ENG"},
      {"en_AU", "ENA"},          {"en_CA", "ENC"},
      {"en_NZ", "ENZ"},          {"en_IE", "ENI"},
      {"en_IN.UTF-8", "ENU"},    {"en", "ENU"},
      {"de_DE.UTF-8", "DEU"},    {"de_AT@euro", "DEA"},
      {"de_CH", "DES"},          {"de", "DEU"},
      {"fr_FR.UTF-8", "FRA"},    {"fr_CA", "FRC"},
      {"fr_BE", "FRB"},          {"fr_CH", "FRS"},
      {"es_ES", "ESN"},          {"it_IT", "ITA"},
      {"nl_NL", "NLD"},          {"pt_BR", "PTB"},
      {"pt_PT", "PTG"},          {"sv_SE", "SVE"},
      {"da_DK", "DAN"},          {"nb_NO", "NOR"},
      {"no_NO", "NOR"},          {"fi_FI", "FIN"},
      {"ko_KR.UTF-8", "KOR"},    {"zh_CN.UTF-8", "CHS"},
      {"zh_TW.UTF-8", "CHT"},    {"ru_RU", "RUS"},
      {"pl_PL", "PLK"},          {"cs_CZ", "CSY"},
      {"EN-gb", "ENG"},          {"C", std::nullopt},
      {"C.UTF-8", std::nullopt}, {"POSIX", std::nullopt},
      {"", std::nullopt},        {"xx_YY", std::nullopt},
      {"eng", std::nullopt},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(LanguageCodeForLocale(row.locale), row.expected) << row.locale;
  }
}

// Sets or clears the three locale variables for one test and puts the old values back.
class LocaleVariables {
 public:
  LocaleVariables(const char* lc_all, const char* lc_messages, const char* lang) {
    Set("LC_ALL", lc_all);
    Set("LC_MESSAGES", lc_messages);
    Set("LANG", lang);
  }
  ~LocaleVariables() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }
  LocaleVariables(const LocaleVariables&) = delete;
  LocaleVariables& operator=(const LocaleVariables&) = delete;

 private:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(LanguageCodeTest, FirstNonEmptyOfLcAllLcMessagesLang) {
  struct Row {
    const char* name;
    const char* lc_all;
    const char* lc_messages;
    const char* lang;
    std::optional<std::string> expected;
  };
  const Row rows[] = {
      {"LC_ALL wins", "ja_JP.UTF-8", "en_GB.UTF-8", "de_DE.UTF-8", "JPN"},
      {"LC_MESSAGES next", nullptr, "en_GB.UTF-8", "de_DE.UTF-8", "ENG"},
      {"empty LC_ALL is skipped", "", "fr_FR.UTF-8", "de_DE.UTF-8", "FRA"},
      {"LANG last", "", "", "de_DE.UTF-8", "DEU"},
      {"C in LC_ALL gives no code", "C", "en_US.UTF-8", "en_US.UTF-8", std::nullopt},
      {"nothing set", nullptr, nullptr, nullptr, std::nullopt},
  };
  for (const Row& row : rows) {
    LocaleVariables variables(row.lc_all, row.lc_messages, row.lang);
    EXPECT_EQ(ThreeLetterLanguageCode(), row.expected) << row.name;
  }
}

}  // namespace
}  // namespace orbeline
