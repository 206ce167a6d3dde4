#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "calendar/definition_file.h"

namespace orbeline {
namespace {

const std::filesystem::path kDataDir = ORBELINE_SOURCE_DATA_DIR;

struct ShippedFile {
  const char* file;
  std::array<const char*, 12> holidays;
  int observe_type;
  bool ignore_switches;
  const char* first_local_month;
  const char* first_traditional_month;
  const char* first_local_day;
};

// Every shipped file: its national holidays, defaults and a sample of its local names.
const ShippedFile kShippedFiles[] = {
    {"ovalin.def",
     {"", "", "", "", "", "", "", "", "", "", "", ""},
     0,
     true,
     "January",
     "",
     "Sunday"},
    {"JPN.def",
     {"1 201", "11 23", "20", "29", "3 4 5", "", "301", "11", "301 23", "201", "3 23", ""},
     4,
     false,
     "1\xE6\x9C\x88",
     "\xE7\x9D\xA6\xE6\x9C\x88",
     "\xE6\x97\xA5\xE6\x9B\x9C\xE6\x97\xA5"},
    {"ENU.def",
     {"1 301", "301", "", "", "501", "19", "4", "", "101", "201", "11 404", "25"},
     2,
     true,
     "January",
     "",
     "Sunday"},
    {"ENG.def",
     {"1", "", "", "", "101 501", "", "", "501", "", "", "", "25 26"},
     3,
     true,
     "January",
     "",
     "Sunday"},
    {"DEU.def",
     {"1", "", "", "", "1", "", "", "", "", "3", "", "25 26"},
     0,
     true,
     "Januar",
     "Hartung",
     "Sonntag"},
    {"FRA.def",
     {"1", "", "", "", "1 8", "", "14", "15", "", "", "1 11", "25"},
     0,
     true,
     "Janvier",
     "",
     "Dimanche"},
};

TEST(ShippedDefinitionTest, EachFileLoadsWithItsHolidaysAndDefaults) {
  for (const ShippedFile& shipped : kShippedFiles) {
    SCOPED_TRACE(shipped.file);
    ASSERT_TRUE(std::filesystem::is_regular_file(kDataDir / shipped.file));
    Definition definition = LoadDefinitionFile(kDataDir / shipped.file);
    for (int k = 0; k < 12; ++k) {
      EXPECT_EQ(definition.national_holiday_text[k], shipped.holidays[k]) << "month " << k + 1;
    }
    EXPECT_EQ(definition.observe_type, shipped.observe_type);
    EXPECT_FALSE(definition.reverse_year_month);
    EXPECT_EQ(definition.ignore_gengo, shipped.ignore_switches);
    EXPECT_EQ(definition.ignore_equinox, shipped.ignore_switches);
    EXPECT_EQ(definition.ignore_kokumin, shipped.ignore_switches);

    // English names everywhere, every line filled.
    EXPECT_EQ(definition.month_long_names[0], "January");
    EXPECT_EQ(definition.month_long_names[11], "December");
    EXPECT_EQ(definition.month_short_names[8], "Sep");
    EXPECT_EQ(definition.day_names[0], "Sunday");
    EXPECT_EQ(definition.day_names[6], "Saturday");
    for (const auto& name : definition.month_local_names) EXPECT_NE(name, "");
    for (const auto& name : definition.day_names) EXPECT_NE(name, "");
    EXPECT_EQ(definition.month_local_names[0], shipped.first_local_month);
    EXPECT_EQ(definition.month_japanese_names[0], shipped.first_traditional_month);
    EXPECT_EQ(definition.day_names[7], shipped.first_local_day);
    EXPECT_EQ(definition.month_draw_captions[1], "Jan,Feb,Mar...");
    EXPECT_EQ(definition.day_draw_captions[4], "Sunday,Monday...");
  }
}

TEST(ShippedDefinitionTest, JapaneseNamesAreComplete) {
  Definition definition = LoadDefinitionFile(kDataDir / "JPN.def");
  EXPECT_EQ(definition.month_local_names[11], "12\xE6\x9C\x88");                          // 12月
  EXPECT_EQ(definition.month_japanese_names[11], "\xE5\xB8\xAB\xE8\xB5\xB0");             // 師走
  EXPECT_EQ(definition.month_japanese_names[5], "\xE6\xB0\xB4\xE7\x84\xA1\xE6\x9C\x88");  // 水無月
  EXPECT_EQ(definition.day_names[13], "\xE5\x9C\x9F\xE6\x9B\x9C\xE6\x97\xA5");  // 土曜日
  EXPECT_EQ(definition.month_draw_captions[5],
            "\xE7\x9D\xA6\xE6\x9C\x88,\xE5\xA6\x82\xE6\x9C\x88,\xE5\xBC\xA5\xE7\x94\x9F...");
}

}  // namespace
}  // namespace orbeline
