#include "calendar/user_holidays.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"

namespace orbeline {
namespace {

using testing::MemorySettingsBackend;
using testing::RecordingPrompts;

std::vector<int> Rules(const HolidayList& list) {
  std::vector<int> rules;
  for (DayRule rule : list) {
    if (rule == 0) break;
    rules.push_back(rule);
  }
  return rules;
}

HolidayList ListOf(std::initializer_list<DayRule> rules) {
  HolidayList list{};
  std::copy(rules.begin(), rules.end(), list.begin());
  return list;
}

TEST(HolidayTextTest, ParseAndFormat) {
  struct Row {
    const char* name;
    std::string text;
    std::vector<int> expected;
  };
  const Row rows[] = {
      {"empty piece between two blanks is 1", "3  5", {3, 1, 5}},
      {"piece that is no number is 1", "3 x 5", {3, 1, 5}},
      {"blank on each side", " 7 ", {7}},
      {"control characters trimmed", "\t7\r\n", {7}},
      {"empty text", "", {}},
      {"hexadecimal as integers are read", "$10 x1F", {16, 31}},
      {"low 16 bits", "65737 -1", {201, 65535}},
      {"tab inside is part of a piece", "3\t5", {1}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Rules(ParseHolidayText(row.text)), row.expected) << row.name;
  }
  // Forty numbers load the first 31.
  std::string text;
  for (int i = 1; i <= 40; ++i) text += std::to_string(i) + " ";
  const HolidayList list = ParseHolidayText(text);
  EXPECT_EQ(Rules(list).size(), 31u);
  EXPECT_EQ(list[30], 31);
}

class LoadHolidayListsTest : public ::testing::Test {
 protected:
  void StoreAll(const char* text = "") {
    for (int m = 1; m <= 12; ++m) store.WriteSetting("Holiday" + std::to_string(m), text);
  }
  HolidayLoadResult Load(bool auto_calc_equinox) {
    return LoadHolidayLists(store, prompts, auto_calc_equinox, lists, [this] {
      ++prepared;
      charstep_when_prepared = backend.Get("CharStep").value_or("");
    });
  }

  MemorySettingsBackend backend;
  SettingsStore store{backend};
  RecordingPrompts prompts;
  HolidayLists lists;
  int prepared = 0;
  std::string charstep_when_prepared;
};

TEST_F(LoadHolidayListsTest, LoadsEveryMonthSavesThemBackAndComputesFixedEquinoxDates) {
  StoreAll();
  store.WriteSetting("Holiday1", "1 201");
  store.WriteSetting("Holiday3", "20");
  store.WriteSetting("Holiday9", "15 23");
  store.WriteSetting("Holiday12", "23");
  ASSERT_EQ(Load(false), HolidayLoadResult::kLoaded);
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(Rules(lists.month(12)), (std::vector<int>{23}));
  HolidayLists in_2015 = lists;
  AddEquinoxDays(in_2015, false, 2015);
  EXPECT_EQ(Rules(in_2015.month(3)), (std::vector<int>{21}));
  HolidayLists in_2012 = lists;
  AddEquinoxDays(in_2012, false, 2012);
  EXPECT_EQ(Rules(in_2012.month(9)), (std::vector<int>{15, 22}));

  ASSERT_EQ(Load(true), HolidayLoadResult::kLoaded);
  AddEquinoxDays(lists, true, 2015);
  EXPECT_EQ(Rules(lists.month(3)), (std::vector<int>{20}));
  EXPECT_EQ(Rules(lists.month(9)), (std::vector<int>{15, 23}));
  SaveHolidayLists(store, lists);
  EXPECT_EQ(backend.Get("Holiday1"), "1 201");

  // Clearing only touches the equinox months and dates.
  StoreAll("20 21 22 23");
  ASSERT_EQ(Load(false), HolidayLoadResult::kLoaded);
  EXPECT_EQ(lists.month(3), ListOf({0, 0, 22, 23}));
  EXPECT_EQ(lists.month(9), ListOf({20, 21, 0, 0}));
  EXPECT_EQ(lists.month(4), ListOf({20, 21, 22, 23}));
}

TEST_F(LoadHolidayListsTest, MissingMonthAsksOnceAndOkResets) {
  StoreAll("5");
  backend.Remove("", "Holiday7");
  lists.month(1) = ListOf({9});
  HolidayLists before = lists;
  prompts.message_answers = {Prompts::Answer::kOk};
  EXPECT_EQ(Load(false), HolidayLoadResult::kResetRequested);
  ASSERT_EQ(prompts.shown.size(), 2u);
  const auto& asked = prompts.shown[0];
  EXPECT_EQ(std::tie(asked.caption, asked.text, asked.icon, asked.buttons),
            std::tuple("Orbeline - Error",
                       "Fatal Error! Registory broken! Click OK to initialize the registory",
                       Prompts::Icon::kExclamation, Prompts::Buttons::kOkCancel));
  EXPECT_EQ(prompts.shown[1].text, "Please run again.");
  EXPECT_EQ(prepared, 1);
  EXPECT_EQ(charstep_when_prepared, "-1");
  EXPECT_EQ(lists, before);
}

TEST_F(LoadHolidayListsTest, CancelHeadlessAndAnEmptyStoreChangeNothing) {
  StoreAll("5");
  store.WriteSetting("Holiday7", "error");  // the text itself counts as missing
  backend.ClearLog();
  prompts.message_answers = {Prompts::Answer::kCancel};
  EXPECT_EQ(Load(false), HolidayLoadResult::kQuitRequested);
  // A run that cannot ask takes the default answer, which must not reset anything.
  EXPECT_EQ(Load(false), HolidayLoadResult::kQuitRequested);
  EXPECT_EQ(prompts.shown.size(), 2u);
  EXPECT_EQ(prepared, 0);
  EXPECT_TRUE(backend.write_log().empty());
  EXPECT_EQ(lists, HolidayLists{});

  // An empty store stops at January.
  backend = MemorySettingsBackend();
  prompts.shown.clear();
  EXPECT_EQ(Load(false), HolidayLoadResult::kQuitRequested);
  EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST(HolidayEditTest, SeiriSortsAndDropsDuplicatesAddReplaceAndDeleteKeepItSo) {
  struct Row {
    const char* name;
    HolidayList list;
    std::vector<int> expected;
  };
  const Row rows[] = {
      {"duplicates dropped and sorted", ListOf({15, 3, 201, 3}), {3, 15, 201}},
      {"triple", ListOf({5, 5, 5, 7}), {5, 7}},
      {"gaps closed", ListOf({0, 505, 0, 1, 0, 201}), {1, 201, 505}},
      {"weekday rules by ordinal then weekday", ListOf({201, 106, 100, 31}), {31, 100, 106, 201}},
  };
  for (Row row : rows) {
    HolidaySeiri(row.list);
    EXPECT_EQ(Rules(row.list), row.expected) << row.name;
    EXPECT_EQ(HolidayRuleCount(row.list), static_cast<int>(row.expected.size())) << row.name;
  }
  HolidayList list = ListOf({201, 15, 505});
  EXPECT_EQ(HolidaySeiri(list), (std::vector<std::string>{"15", "2ndMonday", "LastFriday"}));

  list = ListOf({15});
  EXPECT_TRUE(AddHolidayRule(list, 15) && AddHolidayRule(list, 3));
  EXPECT_EQ(Rules(list), (std::vector<int>{3, 15}));
  EXPECT_TRUE(ReplaceHolidayRule(list, 0, 201));
  EXPECT_EQ(Rules(list), (std::vector<int>{15, 201}));
  EXPECT_TRUE(ReplaceHolidayRule(list, 0, 201));  // becomes a duplicate: one stays
  EXPECT_EQ(Rules(list), (std::vector<int>{201}));
  EXPECT_FALSE(DeleteHolidayRule(list, 1) || ReplaceHolidayRule(list, -1, 7));
  EXPECT_TRUE(DeleteHolidayRule(list, 0));

  // A full list keeps its end.
  for (int i = 0; i < 31; ++i) ASSERT_TRUE(AddHolidayRule(list, DayRule(i + 1)));
  EXPECT_FALSE(AddHolidayRule(list, 201));
  EXPECT_EQ(HolidayRuleCount(list), 31);
  EXPECT_EQ(list[31], 0);
}

}  // namespace
}  // namespace orbeline
