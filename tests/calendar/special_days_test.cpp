#include "calendar/special_days.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "calendar/day_rule_text.h"
#include "fakes.h"

namespace orbeline {
namespace {

using testing::MemorySettingsBackend;

class SpecialDaysTest : public ::testing::Test {
 protected:
  // Stores the texts as Special0.. and loads them.
  void Load(const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
      store.WriteSetting("Special" + std::to_string(i), texts[i]);
    }
    LoadSpecialDays(store, days);
    days.SplitSpecialDates();
  }
  int RoleOn(int year, int month, int day) const {
    auto color = days.FindSpecialDayColor(year, month, day);
    return color ? color->role : 0;
  }

  MemorySettingsBackend backend;
  SettingsStore store{backend};
  SpecialDays days;
};

TEST_F(SpecialDaysTest, LoadsTheSevenFieldsStopsAtAnEmptyValueAndSkipsNone) {
  Load({"Party\\13/25,5/3\\2\\clRed\\Party.\\1\\0", "Short\\5/3", "none", "D\\1/3", "", "F\\1/5"});
  const SpecialDay& party = days.records()[0];
  EXPECT_EQ((std::vector<std::string>{party.name, party.dates, party.color_mode, party.color,
                                      party.comment, party.dialog, party.count_day}),
            (std::vector<std::string>{"Party", "13/25,5/3", "2", "clRed", "Party.", "1", "0"}));
  const SpecialDay& short_record = days.records()[1];
  EXPECT_EQ(
      (std::vector<std::string>{short_record.dates, short_record.color_mode, short_record.color,
                                short_record.comment, short_record.dialog, short_record.count_day}),
      (std::vector<std::string>{"5/3", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(days.date_table(0)[1], "5/3");
  EXPECT_EQ(days.date_table(0)[2], "");
  // "none" leaves its record empty and loading goes on; the empty value ends it.
  EXPECT_EQ((std::vector<std::string>{days.records()[2].name, days.records()[3].name,
                                      days.records()[5].name}),
            (std::vector<std::string>{"", "D", ""}));
  // A second load starts from an empty table.
  store.WriteSetting("Special0", "");
  LoadSpecialDays(store, days);
  EXPECT_EQ(days.records()[0].name, "");
  EXPECT_EQ(days.records()[3].name, "");
}

TEST_F(SpecialDaysTest, MultiByteNameLoadsIntact) {
  // U+8868 is 0x955C in Shift-JIS, whose second byte is "\".
  Load({"\xE8\xA1\xA8\xE8\xAA\x95\xE7\x94\x9F\xE6\x97\xA5\\5/3\\1\\clYellow\\\xE3\x81\x8A\\1\\3"});
  EXPECT_EQ(days.records()[0].name, "\xE8\xA1\xA8\xE8\xAA\x95\xE7\x94\x9F\xE6\x97\xA5");
  EXPECT_EQ(days.records()[0].count_day, "3");
}

TEST_F(SpecialDaysTest, TablesNeverOverflow) {
  std::vector<std::string> texts;
  for (int i = 0; i < 105; ++i) texts.push_back("R" + std::to_string(i) + "\\1/1");
  std::string many_dates = "1/1";
  for (int i = 2; i <= 25; ++i) many_dates += ",1/" + std::to_string(i);
  texts[0] = "Many\\" + many_dates + "\\2";
  Load(texts);
  EXPECT_EQ(days.records()[99].name, "R99");
  EXPECT_EQ(std::pair(RoleOn(2026, 1, 20), RoleOn(2026, 1, 21)), std::pair(2, 0));
  EXPECT_EQ(FillSpecialDayList(days).size(), 100u);
}

TEST_F(SpecialDaysTest, SaveRoundTripAndStaleValues) {
  Load({"A\\1/1\\1\\$00123456\\x\\1\\2", "B\\2/2", "C\\3/3"});
  store.WriteSetting("Special100", "stale");
  days.records()[1] = SpecialDay{};  // the table now ends after A
  SaveSpecialDays(store, days);
  EXPECT_EQ(backend.Get("Special0"), "A\\1/1\\1\\$00123456\\x\\1\\2");
  for (int n : {1, 2, 100}) EXPECT_FALSE(backend.Get("Special" + std::to_string(n))) << n;
}

TEST_F(SpecialDaysTest, SaveRefusesASeparatorInsideAField) {
  days.records()[0] = {"A", "1/1", "0", "0", "ok", "0", "0"};
  days.records()[1] = {"B", "1/2", "0", "0", "back\\slash", "0", "0"};
  backend.ClearLog();
  EXPECT_THROW(SaveSpecialDays(store, days), Error);
  EXPECT_TRUE(backend.write_log().empty());
}

TEST(DateRuleTextTest, Table) {
  const std::pair<const char*, const char*> rows[] = {
      {"13/601", "Every MonthEveryMonday"}, {"14/201", "14/2ndMonday"}, {"x", "0/0"}};
  for (const auto& [rule, text] : rows) EXPECT_EQ(FormatDateRule(rule), text) << rule;
  EXPECT_EQ(DateListText("13/15"), "Every Month/15");
  EXPECT_EQ(DateListText("11/404"), "11/4thThursday");
}

TEST(TidyDatesTest, ClosesTheGapAndSortsMonthsThenDayRules) {
  DateTable table{"13/1", "5/3", "", "5/201", "12/25", "5/31", "1/1"};
  TidyDates(table);
  EXPECT_EQ((std::vector<std::string>(table.begin(), table.begin() + 7)),
            (std::vector<std::string>{"1/1", "5/3", "5/31", "5/201", "12/25", "13/1", ""}));
  EXPECT_EQ(SplitDates("5/3,12/25")[1], "12/25");
  EXPECT_EQ(SplitDates("")[0], "");
}

TEST(DaysUntilRuleTest, Table) {
  struct Row {
    const char* name;
    const char* rule;
    int year, month, day;
    int expected;
  };
  const Row rows[] = {
      {"every Monday on a Monday", "13/601", 2026, 3, 2, 0},
      {"every Monday on a Saturday", "13/601", 2026, 3, 7, 2},
      {"every Monday from the month's last Saturday", "13/601", 2026, 1, 31, 2},
      {"31st of every month in April", "13/31", 2026, 4, 10, kNoRuleDate},
      {"count-down", "12/25", 2026, 12, 22, 3},
      {"earlier in the year is negative", "1/1", 2026, 3, 1, -59},
      {"30 February", "2/30", 2026, 1, 1, kNoRuleDate},
      {"month 14", "14/1", 2026, 1, 1, kNoRuleDate},
      {"not numbers", "x/y", 2026, 1, 1, kNoRuleDate},
      {"weekday 7", "13/607", 2026, 1, 1, kNoRuleDate},
      {"every weekday from a day the month lacks", "2/601", 2026, 1, 30, kNoRuleDate},
      {"every Monday of May from 10 March", "5/601", 2026, 3, 10, 62},
      {"invalid reference date", "1/1", 2026, 2, 30, kNoRuleDate},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DaysUntilRule(row.rule, row.year, row.month, row.day), row.expected) << row.name;
  }
}

TEST_F(SpecialDaysTest, ColourChoices) {
  Load({"Own\\5/3\\1\\clYellow", "Party\\13/25,6/3\\2\\clRed\\Party.\\1\\0", "Later\\5/4\\9",
        "Later2\\5/4\\4", "None\\5/5\\0", "Text\\5/6\\x\\clLime", "Big\\5/7\\10",
        "Thirty1\\13/31\\5"});
  const auto own = [&](int day) {
    const auto color = days.FindSpecialDayColor(2026, 5, day).value_or(SpecialDayColor{});
    return std::pair(color.role, color.color);
  };
  EXPECT_EQ(own(3), std::pair(1, ColorRef{0x00FFFF}));
  EXPECT_EQ(own(6), std::pair(1, ColorRef{0x00FF00})) << "\"x\" is no number: its own colour";
  // Two on one date: the later decides; 0 and 10 colour nothing; the 31st only where it is.
  EXPECT_EQ((std::vector<int>{RoleOn(2026, 5, 4), RoleOn(2026, 5, 5), RoleOn(2026, 5, 7),
                              RoleOn(2026, 1, 31), RoleOn(2026, 4, 30), RoleOn(2026, 6, 3),
                              RoleOn(2026, 7, 3)}),
            (std::vector<int>{4, 0, 0, 5, 0, 2, 0}));
  for (int month = 1; month <= 12; ++month) EXPECT_EQ(RoleOn(2026, month, 25), 2) << month;
}

TEST_F(SpecialDaysTest, EmptyDatesEndTheWalk) {
  Load({"A\\5/3\\2", "Empty\\\\2", "C\\5/4\\2"});
  EXPECT_EQ(RoleOn(2026, 5, 3), 2);
  EXPECT_EQ(RoleOn(2026, 5, 4), 0);
}

TEST_F(SpecialDaysTest, FillSpecialDayList) {
  Load({"Party\\13/25,5/3\\2", "Birthday\\5/3", "Thanks\\11/404"});
  EXPECT_EQ(FillSpecialDayList(days),
            (std::vector<std::string>{"Party:Every Month25...", "Birthday:5/3",
                                      "Thanks:November4thThursday"}));
}

}  // namespace
}  // namespace orbeline
