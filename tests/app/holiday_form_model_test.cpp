#include "app/holiday_form_model.h"

#include <gtest/gtest.h>

#include "calendar/user_holidays.h"
#include "fakes.h"

namespace orbeline {
namespace {

using Lines = std::vector<std::string>;

TEST(HolidayFormModelTest, OpensOnTheMonthTidiedAndEditsSelectTheirLine) {
  HolidayLists stored;
  stored.month(5) = ParseHolidayText("15 3 201 3");
  stored.month(6) = ParseHolidayText("21 5");
  testing::FakeShell shell;
  testing::RecordingPrompts prompts;
  HolidayFormModel model(stored, 5, shell, prompts);
  EXPECT_EQ(model.lines(), (Lines{"3", "15", "2ndMonday"}));
  EXPECT_FALSE(model.ReplaceEnabled() || model.DeleteEnabled());
  EXPECT_EQ(model.lists().month(6), stored.month(6)) << "never shown: exactly as stored";
  model.LineClick(2);  // 2ndMonday
  EXPECT_EQ(std::tuple(model.controls().by_date, model.controls().number_of_week,
                       model.controls().day_of_week),
            std::tuple(false, 1, 1));
  model.LineClick(1);
  EXPECT_TRUE(model.controls().by_date);
  EXPECT_EQ(model.controls().day, 15);

  model.ByDateClick(false);
  model.NumberOfWeekChange(4);
  model.DayOfWeekChange(5);
  model.AddClick();
  model.AddClick();
  EXPECT_EQ(model.lines(), (Lines{"3", "15", "2ndMonday", "LastFriday"})) << "added once";
  EXPECT_EQ(model.selected_line(), 3);
  model.ByDateClick(true);
  model.DayChange(20);
  model.ReplaceClick();
  EXPECT_EQ(model.lines(), (Lines{"3", "15", "20", "2ndMonday"}));
  EXPECT_EQ(model.selected_line(), 2);
  EXPECT_EQ(FormatHolidayText(model.lists().month(5)), "3 15 20 201");

  model.MonthChange(6);
  EXPECT_EQ(FormatHolidayText(model.lists().month(6)), "5 21");
  model.LineClick(0);
  model.DeleteClick();
  EXPECT_EQ(model.selected_line(), 0) << "the last line";
  model.DeleteClick();
  EXPECT_TRUE(model.lines().empty());
  EXPECT_EQ(model.selected_line(), -1);
  EXPECT_FALSE(model.ReplaceEnabled() || model.DeleteEnabled());
}

TEST(HolidayFormModelTest, AddStopsAtThirtyLinesWhileAStoredListOfThirtyOneShows) {
  std::string text = "1";
  for (int day = 2; day <= 31; ++day) text += " " + std::to_string(day);
  HolidayLists stored;
  stored.month(1) = ParseHolidayText(text);
  testing::FakeShell shell;
  testing::RecordingPrompts prompts;
  HolidayFormModel model(stored, 1, shell, prompts);
  EXPECT_EQ(model.lines().size(), 31u);
  EXPECT_FALSE(model.AddEnabled());
  model.LineClick(0);
  model.DeleteClick();
  model.AddClick();
  EXPECT_EQ(model.lines().size(), 30u) << "a disabled button adds nothing";
  model.DeleteClick();
  EXPECT_TRUE(model.AddEnabled());
}

}  // namespace
}  // namespace orbeline
