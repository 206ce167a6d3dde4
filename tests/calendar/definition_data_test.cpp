// The shipped definition files mean what their countries need: a few holidays of each,
// resolved through the holiday engine as a first start sets it up, and their local names.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "calendar/definition_file.h"
#include "calendar/holiday_engine.h"
#include "calendar/user_holidays.h"

namespace orbeline {
namespace {

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

}  // namespace
}  // namespace orbeline
