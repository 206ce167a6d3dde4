#include "app/holiday_form_model.h"

#include <gtest/gtest.h>

#include "calendar/user_holidays.h"
#include "fakes.h"

namespace orbeline {
namespace {

using Lines = std::vector<std::string>;

class HolidayFormModelTest : public ::testing::Test {
 protected:
  HolidayFormModelTest() {
    stored.month(5) = ParseHolidayText("15 3 201 3");
    stored.month(6) = ParseHolidayText("21 5");
    stored.month(7) = ParseHolidayText("301");
  }
  int LineOf(const HolidayFormModel& model, const std::string& text) const {
    auto found = std::find(model.lines().begin(), model.lines().end(), text);
    EXPECT_NE(found, model.lines().end()) << text;
    return static_cast<int>(found - model.lines().begin());
  }

  HolidayLists stored;
  testing::FakeShell shell;
};

TEST_F(HolidayFormModelTest, OpensOnTheCurrentMonthTidiedAndLeavesOtherMonthsAlone) {
  HolidayFormModel model(stored, 5, shell);
  EXPECT_EQ(model.month(), 5);
  EXPECT_EQ(model.lines(), (Lines{"3", "15", "2ndMonday"}));
  EXPECT_EQ(model.selected_line(), -1);
  EXPECT_FALSE(model.ReplaceEnabled());
  EXPECT_FALSE(model.DeleteEnabled());
  EXPECT_EQ(FormatHolidayText(model.lists().month(5)), "3 15 201");
  EXPECT_EQ(model.lists().month(6), stored.month(6)) << "never shown: exactly as stored";

  model.MonthChange(6);
  EXPECT_EQ(model.lines(), (Lines{"5", "21"}));
  EXPECT_EQ(FormatHolidayText(model.lists().month(6)), "5 21");
  EXPECT_EQ(model.lists().month(7), stored.month(7));
  model.HelpClick();
  EXPECT_EQ(shell.opened_topics, (std::vector<int>{16}));
}

TEST_F(HolidayFormModelTest, AddStopsAtThirtyLinesWhileAStoredListOfThirtyOneShows) {
  stored.month(1) = ParseHolidayText(
      "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31");
  HolidayFormModel model(stored, 1, shell);
  EXPECT_EQ(model.lines().size(), 31u);
  EXPECT_FALSE(model.AddEnabled());
  model.LineClick(0);
  model.DeleteClick();
  EXPECT_EQ(model.lines().size(), 30u);
  EXPECT_FALSE(model.AddEnabled());
  model.AddClick();
  EXPECT_EQ(model.lines().size(), 30u) << "a disabled button adds nothing";
  model.DeleteClick();
  EXPECT_TRUE(model.AddEnabled());
  model.DayChange(1);
  model.AddClick();
  EXPECT_EQ(model.lines().size(), 30u);
  EXPECT_EQ(model.lines()[static_cast<std::size_t>(model.selected_line())], "1");
}

TEST_F(HolidayFormModelTest, SelectedLinesSetTheDayControls) {
  HolidayFormModel model(stored, 5, shell);
  model.LineClick(LineOf(model, "2ndMonday"));
  EXPECT_FALSE(model.controls().by_date);
  EXPECT_EQ(model.controls().number_of_week, 1);
  EXPECT_EQ(model.controls().day_of_week, 1);
  EXPECT_EQ(model.controls().Rule(), 201);
  EXPECT_TRUE(model.ReplaceEnabled());
  model.LineClick(LineOf(model, "15"));
  EXPECT_TRUE(model.controls().by_date);
  EXPECT_EQ(model.controls().day, 15);
  EXPECT_EQ(model.controls().number_of_week, 1) << "the weekday lists keep their choice";
}

TEST_F(HolidayFormModelTest, AddReplaceAndDeleteSelectTheirLine) {
  HolidayFormModel model(stored, 7, shell);
  model.ByDateClick(false);
  model.NumberOfWeekChange(4);
  model.DayOfWeekChange(5);
  model.AddClick();
  EXPECT_EQ(model.lines(), (Lines{"3rdMonday", "LastFriday"}));
  EXPECT_EQ(model.selected_line(), 1);
  model.AddClick();
  EXPECT_EQ(model.lines().size(), 2u) << "a rule already listed is not added twice";

  model.LineClick(0);
  model.ByDateClick(true);
  model.DayChange(20);
  model.ReplaceClick();
  EXPECT_EQ(model.lines(), (Lines{"20", "LastFriday"}));
  EXPECT_EQ(model.selected_line(), 0);
  model.DeleteClick();
  EXPECT_EQ(model.selected_line(), 0) << "the last line";
  model.DeleteClick();
  EXPECT_TRUE(model.lines().empty());
  EXPECT_EQ(model.selected_line(), -1);
  EXPECT_FALSE(model.ReplaceEnabled());
  EXPECT_FALSE(model.DeleteEnabled());
  EXPECT_EQ(FormatHolidayText(model.lists().month(7)), "");
}

}  // namespace
}  // namespace orbeline
