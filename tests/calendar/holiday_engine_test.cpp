#include "calendar/holiday_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "calendar/day_rule_text.h"
#include "calendar/user_holidays.h"

namespace orbeline {
namespace {

HolidayLists ListsWith(int month, const std::string& text) {
  HolidayLists lists;
  lists.month(month) = ParseHolidayText(text);
  return lists;
}

std::vector<int> HolidaysOf(const HolidayLists& lists, const HolidayOptions& options, int year,
                            int month, int last_day) {
  std::vector<int> days;
  for (int day = 1; day <= last_day; ++day) {
    if (IsHoliday(lists, options, year, month, day)) days.push_back(day);
  }
  return days;
}

TEST(ResolveDayRuleTest, Table) {
  struct Row {
    const char* name;
    int year, month, rule, expected;
  };
  const Row rows[] = {
      {"day 31 even in a 30-day month", 2026, 4, 31, 31},
      {"2nd Monday January 2026", 2026, 1, 201, 12},
      {"4th Saturday on the last day (February 2026)", 2026, 2, 406, 28},
      {"1st Sunday when the 1st is Sunday", 2026, 2, 100, 1},
      {"last Friday on the last day (July 2026)", 2026, 7, 505, 31},
      {"every Sunday resolves like last", 2026, 2, 600, 22},
      {"weekday above 6 is Saturday", 2026, 1, 109, 3},
      {"ordinal 0 is raised to 1", 2026, 1, 35, 3},  // N 0 -> 1, W 35 -> 6
      {"ordinal above 6 lowered to last", 2026, 1, 906, 31},
      {"last Monday of leap February 2024", 2024, 2, 501, 26},
      {"invalid month matches nothing", 2026, 13, 201, 201},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ResolveDayRule(row.year, row.month, row.rule), row.expected) << row.name;
  }
}

TEST(IsHolidayTest, SubstituteStyles) {
  struct Row {
    const char* name;
    int year, month;
    const char* rules;
    int substitute_type;
    std::vector<int> expected;
  };
  const Row rows[] = {
      {"Japanese: Sunday 11 Feb 2001 -> Monday 12", 2001, 2, "11", 1, {11, 12}},
      {"none: no substitute", 2001, 2, "11", 0, {11}},
      {"unknown type acts as none", 2001, 2, "11", 7, {11}},
      {"Japanese ignores Saturday", 2009, 7, "4", 1, {4}},
      {"USA: Sunday 4 July 2004 -> Monday 5", 2004, 7, "4", 2, {4, 5}},
      {"USA: Saturday 4 July 2009 -> Friday 3", 2009, 7, "4", 2, {3, 4}},
      {"UK: Sat 25 + Sun 26 Dec 2004 -> only Monday 27", 2004, 12, "25 26", 3, {25, 26, 27}},
      {"UK: Saturday alone -> Monday", 2009, 7, "4", 3, {4, 6}},
      {"substitute Monday that is listed does not move on", 2001, 2, "11 12", 1, {11, 12}},
      {"since 2007: Sunday 3 May 2026 -> Wednesday 6", 2026, 5, "3 4 5", 4, {3, 4, 5, 6}},
      {"since 2007: a user's Monday moves it on", 2001, 2, "11 12", 4, {11, 12, 13}},
      {"since 2007 ignores Saturday", 2009, 7, "4", 4, {4}},
  };
  for (const Row& row : rows) {
    HolidayOptions options{SubstituteType{row.substitute_type}, true};
    EXPECT_EQ(HolidaysOf(ListsWith(row.month, row.rules), options, row.year, row.month, 31),
              row.expected)
        << row.name;
  }
}

TEST(IsHolidayTest, DayBetweenTwoHolidaysSeptember2009) {
  struct Row {
    const char* name;
    const char* rules;
    bool no_kokumin;
    std::vector<int> expected;
  };
  const Row rows[] = {
      {"301 then 23", "301 23", false, {21, 22, 23}},
      {"301 then 23, switched off", "301 23", true, {21, 23}},
      {"sorted, with a rule between them", "5 23 301", false, {5, 21, 22, 23}},
      {"last rule's neighbour is the ending 0", "17", false, {17}},
  };
  for (const Row& row : rows) {
    HolidayOptions options{SubstituteType::kJapanese, row.no_kokumin};
    EXPECT_EQ(HolidaysOf(ListsWith(9, row.rules), options, 2009, 9, 30), row.expected) << row.name;
  }
}

TEST(IsHolidayTest, NothingCrossesMonthEnds) {
  HolidayOptions japanese{SubstituteType::kJapanese, false};
  // 31 May 2026 is a Sunday: Monday 1 June is not a substitute.
  HolidayLists lists = ListsWith(5, "31");
  EXPECT_TRUE(IsHoliday(lists, japanese, 2026, 5, 31));
  EXPECT_FALSE(IsHoliday(lists, japanese, 2026, 6, 1));
  // USA: Saturday 1 August 2026 gives no Friday 31 July.
  HolidayOptions usa{SubstituteType::kUsa, false};
  lists = ListsWith(8, "1");
  EXPECT_FALSE(IsHoliday(lists, usa, 2026, 7, 31));
  // Holidays on the 31st and the next 2nd: the 1st between them is not a holiday.
  lists = ListsWith(1, "2");
  lists.month(12) = ParseHolidayText("31");
  EXPECT_FALSE(IsHoliday(lists, japanese, 2027, 1, 1));
  // The law's substitute is the next day that is not a holiday, in whichever month.
  EXPECT_TRUE(IsHoliday(ListsWith(5, "31"), {SubstituteType{4}, false}, 2026, 6, 1));
}

TEST(IsHolidayTest, EveryRuleUpToTheEndingZeroAndInvalidDates) {
  HolidayLists lists;
  for (int i = 0; i < 31; ++i) lists.month(1)[static_cast<std::size_t>(i)] = DayRule(i + 1);
  HolidayOptions options;
  EXPECT_TRUE(IsHoliday(lists, options, 2026, 1, 31));
  lists.month(5) = {3, 0, 15};  // a rule after the 0 is never seen
  EXPECT_FALSE(IsHoliday(lists, options, 2026, 5, 15));
  EXPECT_FALSE(IsHoliday(lists, options, 2026, 1, 0));
  EXPECT_FALSE(IsHoliday(lists, options, 2026, 1, 32));
  EXPECT_FALSE(IsHoliday(ListsWith(2, "30"), options, 2026, 2, 30));
}

TEST(GetDayKindTest, HolidayThenWeekday) {
  HolidayLists lists = ListsWith(1, "4 201");
  const auto kind = [&](int day) { return GetDayKind(lists, HolidayOptions{}, 2026, 1, day); };
  EXPECT_EQ((std::vector<DayKind>{kind(3), kind(4), kind(5), kind(12)}),
            (std::vector<DayKind>{DayKind::kSaturday, DayKind::kHoliday, DayKind::kWeekday,
                                  DayKind::kHoliday}));
  EXPECT_EQ(kind(11), DayKind::kSunday);
}

TEST(EquinoxTest, KnownYears) {
  struct Row {
    int year, vernal, autumnal;
  };
  const Row rows[] = {{1978, 21, 23}, {1979, 21, 24}, {2000, 20, 23}, {2009, 20, 23},
                      {2012, 20, 22}, {2015, 21, 23}, {2020, 20, 22}};
  for (const Row& row : rows) {
    EXPECT_EQ(std::pair(EquinoxDay(row.year, 3), EquinoxDay(row.year, 9)),
              std::pair(row.vernal, row.autumnal))
        << row.year;
    EXPECT_TRUE(IsEquinoxDay(row.year, 9, row.autumnal) &&
                !IsEquinoxDay(row.year, 3, row.vernal + 1));
  }
  // 20.000052 before truncation: one step of rounding the wrong way would give 19 or 21.
  EXPECT_EQ(EquinoxDay(2088, 3), 20);
  EXPECT_FALSE(IsEquinoxDay(2026, 4, 20));
}

TEST(AddEquinoxDaysTest, WritesIntoTheFirstFreeSlot) {
  HolidayLists lists;
  lists.month(3) = ParseHolidayText("5");
  lists.month(9) = ParseHolidayText("0 301");  // a cleared slot before the 3rd Monday
  AddEquinoxDays(lists, false, 2026);
  EXPECT_EQ(FormatHolidayText(lists.month(3)), "5 20");
  EXPECT_EQ(FormatHolidayText(lists.month(9)), "23 301");

  HolidayLists off;
  AddEquinoxDays(off, true, 2026);
  EXPECT_EQ(off, HolidayLists{});
}

TEST(AddEquinoxDaysTest, FullListsAndDaysOutsideTheMonthAddNothingAndGapsClose) {
  HolidayLists full;
  for (int i = 0; i < 31; ++i) full.month(3)[static_cast<std::size_t>(i)] = DayRule(100 + i);
  HolidayLists before = full;
  AddEquinoxDays(full, false, 2026);
  EXPECT_EQ(full.month(3), before.month(3));
  // Year 30000: the formula gives a day far below 1.
  ASSERT_LT(EquinoxDay(30000, 3), 1);
  HolidayLists lists;
  lists.month(3) = {0, 5, 0, 7};
  AddEquinoxDays(lists, false, 30000);
  EXPECT_EQ(FormatHolidayText(lists.month(3)), "5 7");
  ASSERT_GT(EquinoxDay(-30000, 3), 31);
  lists.month(3) = {0, 5};
  AddEquinoxDays(lists, false, -30000);
  EXPECT_EQ(FormatHolidayText(lists.month(3)), "5");
  // Two cleared slots: the first takes the computed day, the second closes.
  lists.month(3) = {0, 0, 5};
  AddEquinoxDays(lists, false, 2015);
  EXPECT_EQ(FormatHolidayText(lists.month(3)), "21 5");
}

TEST(ShowMonthHolidaysTest, PanelText) {
  HolidayLists lists = ListsWith(1, "1 201");
  EXPECT_EQ(ShowMonthHolidays(lists, 2026, 1), "1,12");
  EXPECT_EQ(ShowMonthHolidays(lists, 2026, 2), "");
  lists.month(5) = ParseHolidayText("6 3");
  EXPECT_EQ(ShowMonthHolidays(lists, 2026, 5), "6,3");  // no derived days, list order
}

TEST(GetDayofWeekNameTest, Table) {
  // clang-format off
  const std::pair<int, const char*> rows[] = {
      {0, "0"}, {15, "15"}, {201, "2ndMonday"}, {505, "LastFriday"}, {600, "EverySunday"},
      {404, "4thThursday"}, {109, "1stSaturday"}, {906, "EverySaturday"}, {40, "1stSaturday"}};
  // clang-format on
  for (const auto& [rule, name] : rows) EXPECT_EQ(GetDayofWeekName(rule), name) << rule;
}

}  // namespace
}  // namespace orbeline
