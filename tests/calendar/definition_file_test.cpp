// Definition files: where they are found, what they hold, and the shipped ones.
#include "calendar/definition_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calendar/holiday_engine.h"
#include "calendar/locale_code.h"
#include "calendar/user_holidays.h"
#include "isolated_env.h"

namespace orbeline {
namespace {

namespace fs = std::filesystem;

// A program folder and a data folder, each holding the named (empty) files.
class DefinitionFoldersTest : public ::testing::Test {
 protected:
  fs::path exe_dir() const { return root_.path() / "bin"; }
  fs::path data_dir() const { return root_.path() / "share"; }

  void SetUp() override {
    fs::create_directories(exe_dir());
    fs::create_directories(data_dir());
  }
  void Put(const fs::path& dir, const char* name) { std::ofstream(dir / name) << "[S]\n"; }

  testing::TempDir root_;
};

TEST_F(DefinitionFoldersTest, CandidateOrder) {
  const auto find = [&](const char* code) {
    return FindDefinitionFile(exe_dir(), data_dir(), code);
  };
  // Nothing there: the data folder's ovalin.def, whether it exists or not; a folder is no
  // definition file.
  EXPECT_EQ(find("ENU"), data_dir() / "ovalin.def");
  fs::create_directory(exe_dir() / "ENU.def");
  EXPECT_EQ(find("ENU"), data_dir() / "ovalin.def");
  fs::remove(exe_dir() / "ENU.def");
  Put(exe_dir(), "ovalin.def");
  EXPECT_EQ(find("ENU"), exe_dir() / "ovalin.def");
  // The data folder's language file beats the program folder's ovalin.def; the program
  // folder's language file beats both.
  Put(data_dir(), "ENU.def");
  Put(data_dir(), "ovalin.def");
  EXPECT_EQ(find("ENU"), data_dir() / "ENU.def");
  Put(exe_dir(), "ENU.def");
  EXPECT_EQ(find("ENU"), exe_dir() / "ENU.def");
  // Without a language file for the code, the program folder's ovalin.def.
  EXPECT_EQ(find("JPN"), exe_dir() / "ovalin.def");
  EXPECT_EQ(find(""), exe_dir() / "ovalin.def");
  // A code that is no plain word never becomes a path.
  fs::create_directories(root_.path() / "elsewhere");
  Put(root_.path() / "elsewhere", "X.def");
  EXPECT_EQ(find("../elsewhere/X"), exe_dir() / "ovalin.def");
  EXPECT_EQ(find("/tmp/X"), exe_dir() / "ovalin.def");
}

TEST(DefinitionTest, MissingFileGivesEmptyTablesAndDefaults) {
  testing::TempDir dir;
  Definition definition = LoadDefinitionFile(dir.path() / "missing.def");
  EXPECT_EQ(definition.day_names[3], "");
  EXPECT_EQ(definition.observe_type, 0);
  EXPECT_EQ(definition.month_draw_captions[1], ",,...");
  EXPECT_EQ(definition.month_draw_captions[2], ",...");
  EXPECT_EQ(definition.day_draw_captions[4], ",...");
}

TEST(DefinitionTest, ShortMonthNamesAreTheFirstThreeColumns) {
  Definition definition = ReadDefinition(IniFile::Parse(
      "[Month.English]\n1=May\n2=Sept\n3=\n4=Ma\n5=M\xC3\xA4rz\n6=\xE7\x9D\xA6\xE6\x9C\x88\n"));
  const char* expected[] = {"May", "Sep", "", "Ma", "M\xC3\xA4r", "\xE7\x9D\xA6",
                            "",    "",    "", "",   "",           ""};
  for (int k = 0; k < 12; ++k) {
    EXPECT_EQ(definition.month_short_names[k], expected[k]) << "month " << k + 1;
  }
  EXPECT_EQ(definition.month_long_names[1], "Sept");
}

TEST(DefinitionTest, TablesComeFromTheirSections) {
  Definition definition = ReadDefinition(IniFile::Parse(
      "[Month.English]\n12=December\n[Month.Local]\n12=L12\n[Month.Traditional]\n12=T12\n"
      "[DayOfWeek.English]\n1=Sunday\n7=Saturday\n[DayOfWeek.Local]\n1=L1\n7=L7\n"
      "[NationalHoliday]\n1=1 201\n12=25\n13=99\n0=98\n"));
  EXPECT_EQ((std::vector<std::string>{
                definition.month_long_names[11], definition.month_local_names[11],
                definition.month_japanese_names[11], definition.day_names[0],
                definition.day_names[6], definition.day_names[7], definition.day_names[13]}),
            (std::vector<std::string>{"December", "L12", "T12", "Sunday", "Saturday", "L1", "L7"}));
  EXPECT_EQ(definition.national_holiday_text[0], "1 201");
  EXPECT_EQ(definition.national_holiday_text[11], "25");
  EXPECT_EQ(definition.national_holiday_text[10], "");
}

TEST(DefinitionTest, DefaultsAndSwitches) {
  // ObserveType, then ReverseYearMonth and the Gengo, Equinox and Kokumin switches.
  const std::pair<const char*, std::vector<int>> rows[] = {
      {"[Default]\nObserveType=0x2\n", {2, 0, 0, 0, 0}},
      {"[Default]\nObserveType=abc\n", {0, 0, 0, 0, 0}},
      {"[Default]\nReverseYearMonth=1\nObserveType=3\n[Ignore]\nGengo=1\nKokumin=5\nEquinox=0\n",
       {3, 1, 1, 0, 1}},
      {"[Default]\nEquinox=1\n[Ignore]\nObserveType=2\n", {0, 0, 0, 0, 0}},  // wrong sections
  };
  for (const auto& [text, expected] : rows) {
    const Definition d = ReadDefinition(IniFile::Parse(text));
    EXPECT_EQ((std::vector<int>{d.observe_type, d.reverse_year_month, d.ignore_gengo,
                                d.ignore_equinox, d.ignore_kokumin}),
              expected)
        << text;
  }
}

TEST(DefinitionTest, SampleCaptions) {
  Definition definition = ReadDefinition(IniFile::Parse(
      "[Month.English]\n1=January\n2=February\n3=March\n4=April\n"
      "[Month.Local]\n1=1\xE6\x9C\x88\n2=2\xE6\x9C\x88\n3=3\xE6\x9C\x88\n4=4\xE6\x9C\x88\n"
      "[Month.Traditional]\n1=T1\n2=T2\n3=T3\n4=T4\n"
      "[DayOfWeek.English]\n1=Sunday\n2=Monday\n3=Tuesday\n4=Wednesday\n"
      "[DayOfWeek.Local]\n1=\xE6\x97\xA5\xE6\x9B\x9C\xE6\x97\xA5\n2=\xE6\x9C\x88\n3=\xE7\x81\xAB\n"
      "4=\xE6\xB0\xB4\n"));
  EXPECT_EQ(
      definition.month_draw_captions,
      (std::array<std::string, 6>{"None", "Jan,Feb,Mar...", "January,February...", "1,2,3...",
                                  "1\xE6\x9C\x88,2\xE6\x9C\x88,3\xE6\x9C\x88...", "T1,T2,T3..."}));
  EXPECT_EQ(definition.day_draw_captions,
            (std::array<std::string, 6>{"None", "S,M,T...", "Su,Mo,Tu...", "Sun,Mon,Tue...",
                                        "Sunday,Monday...",
                                        "\xE6\x97\xA5\xE6\x9B\x9C\xE6\x97\xA5,\xE6\x9C\x88,"
                                        "\xE7\x81\xAB..."}));
}

TEST(DefinitionTest, WeekdayCaptionCutsCountColumnsNotBytes) {
  Definition definition = ReadDefinition(
      IniFile::Parse("[DayOfWeek.English]\n1=\xC3\x84pfel\n2=\xE6\x97\xA5\xE6\x9B\x9C\n3=ab\n"));
  EXPECT_EQ(definition.day_draw_captions[1], "\xC3\x84,\xE6\x97\xA5,a...");
  EXPECT_EQ(definition.day_draw_captions[2], "\xC3\x84p,\xE6\x97\xA5,ab...");
  EXPECT_EQ(definition.day_draw_captions[3], "\xC3\x84pf,\xE6\x97\xA5,ab...");
}

TEST(ShippedDefinitionTest, HolidaysAndNamesOfEachCountry) {
  struct Country {
    const char* file;
    const char* january;  // local names
    const char* sunday;
    std::vector<int> holidays;  // of 2026, as month x 100 + day
    std::vector<int> working_days;
  };
  const Country countries[] = {
      {"ovalin.def", "January", "Sunday", {}, {101, 1225}},
      // Coming of Age Day (2nd Monday), the vernal equinox, Respect for the Aged Day and the
      // day between it and the autumnal equinox.
      {"JPN.def", "1月", "日曜日", {101, 112, 320, 505, 506, 921, 922, 923}, {113, 507}},
      // Independence Day observed on Friday 3 July, Memorial Day, Thanksgiving; no equinox.
      {"ENU.def", "January", "Sunday", {703, 704, 525, 1126, 1225}, {320, 1127}},
      // Early May and summer bank holidays; Boxing Day on a Saturday moves to Monday.
      {"ENG.def", "January", "Sunday", {504, 831, 1225, 1228}, {824, 1224}},
      // German Unity Day on a Saturday moves nowhere.
      {"DEU.def", "Januar", "Sonntag", {1003, 1226}, {1005}},
      {"FRA.def", "Janvier", "Dimanche", {714, 1111}, {713}},
  };
  for (const Country& country : countries) {
    SCOPED_TRACE(country.file);
    const auto path = std::filesystem::path(ORBELINE_SOURCE_DATA_DIR) / country.file;
    ASSERT_TRUE(std::filesystem::is_regular_file(path));
    const Definition definition = LoadDefinitionFile(path);
    EXPECT_EQ(definition.month_long_names[0], "January");
    EXPECT_EQ(definition.month_local_names[0], country.january);
    EXPECT_EQ(definition.day_names[7], country.sunday);
    for (const auto& name : definition.month_local_names) EXPECT_NE(name, "");
    for (const auto& name : definition.day_names) EXPECT_NE(name, "");

    HolidayLists lists;
    for (int month = 1; month <= 12; ++month) {
      lists.month(month) = ParseHolidayText(definition.national_holiday_text[month - 1]);
    }
    AddEquinoxDays(lists, definition.ignore_equinox, 2026);
    const HolidayOptions options{SubstituteType{definition.observe_type},
                                 definition.ignore_kokumin};
    for (const int day : country.holidays) {
      EXPECT_TRUE(IsHoliday(lists, options, 2026, day / 100, day % 100)) << day;
    }
    for (const int day : country.working_days) {
      EXPECT_FALSE(IsHoliday(lists, options, 2026, day / 100, day % 100)) << day;
    }
  }
}

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
