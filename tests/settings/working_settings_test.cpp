#include "settings/working_settings.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "settings/settings_store.h"

namespace orbeline {
namespace {

const Rect kScreen{0, 0, 1024, 768};

TEST(WorkingSettingsTest, ReadsAsTheControlsShowThem) {
  testing::MemorySettingsBackend backend;
  SettingsStore store(backend);
  store.WriteSetting("SundayColor", "clred");
  store.WriteSetting("WeekdayColor", "$00123456");
  store.WriteSetting("TodayColor", "not a colour");
  store.WriteSetting("Shadow", "1");
  store.WriteSetting("DayBox", "2");  // flags are true exactly for "1"
  store.WriteSetting("CalendarType", "1");
  store.WriteSetting("CharStep", "300");
  store.WriteSetting("CharStep2", "0");
  store.WriteSetting("MonthStep", "-999");
  store.WriteSetting("PositionX", "5000");
  store.WriteSetting("PositionY", "-20");
  store.WriteSetting("YearDraw", "5");  // past the list: kept, selects nothing
  store.WriteSetting("TodayDrawMethod", "abc");
  store.WriteSetting("TilePattern", "9");
  store.WriteSetting("SubstituteType", "-4");
  store.WriteSetting("LastModifiedPage", "7");
  store.WriteSetting("DelaySeconds", "999");
  store.WriteSetting("SlashLean", "-40");
  store.WriteSetting("IconTextColor", "clWhite");
  WorkingSettings s = LoadWorkingSettings(store, kScreen);
  EXPECT_EQ(s.sunday_color, 0x0000FFu);
  EXPECT_EQ(s.weekday_color, 0x123456u);
  EXPECT_EQ(s.today_color, 0u);
  EXPECT_TRUE(s.shadow);
  EXPECT_FALSE(s.day_box);
  EXPECT_EQ(s.char_step, 255);
  EXPECT_EQ(s.char_step2, 1);
  EXPECT_EQ(s.month_step, -255);
  EXPECT_EQ(s.position_x, 1024) << "Left type: X runs over the screen's width";
  EXPECT_EQ(s.position_y, 0);
  EXPECT_EQ(s.year_draw, 5);
  EXPECT_EQ(s.today_draw_method, TodayDrawMethod::kNone);
  EXPECT_EQ(s.tile_pattern, TilePattern::kStaggeredVertically);
  EXPECT_EQ(s.substitute_type, SubstituteType{-1});
  EXPECT_EQ(s.last_modified_page, 0);
  EXPECT_EQ(s.delay_seconds, 180);
  EXPECT_EQ(s.slash_lean, -40);
  EXPECT_EQ(s.icon_text_color, 0xFFFFFFu);
  // The controls that write at once wrote their clamped values back; "nothing chosen" is
  // no choice to write.
  EXPECT_EQ(backend.Get("DelaySeconds"), "180");
  EXPECT_EQ(backend.Get("SubstituteType"), "-4");
  // Every value the window looked at now exists in the store.
  EXPECT_EQ(backend.Get("MondayStart"), "0");
  EXPECT_EQ(backend.Get("DayboxColor"), "0");
}

TEST(WorkingSettingsTest, RadioGroupsKeepTheirTopEntryAndClampBeyondIt) {
  testing::MemorySettingsBackend backend;
  SettingsStore store(backend);
  const auto substitute = [&](const char* text) {
    store.WriteSetting("SubstituteType", text);
    return static_cast<int>(LoadWorkingSettings(store, kScreen).substitute_type);
  };
  EXPECT_EQ(substitute("3"), static_cast<int>(SubstituteType::kUk));
  const int top = substitute("99");
  EXPECT_GE(top, 3);
  EXPECT_LT(top, 99);
  EXPECT_EQ(substitute(std::to_string(top).c_str()), top);
  EXPECT_EQ(substitute("-4"), -1);
}

// The drawing state saved at every block reads back as it was; values the window writes
// at once are no part of it.
TEST(WorkingSettingsTest, SavedWindowStateLoadsBackAsItWas) {
  testing::MemorySettingsBackend backend;
  SettingsStore store(backend);
  WorkingSettings s = LoadWorkingSettings(store, kScreen);
  s.font = {"Arial", 18, true, false};
  s.font0 = {"IPAGothic", 11, false, true};
  s.font1 = {"Liberation Serif", 12, true, true};
  s.font2 = {"DejaVu Sans", 13, false, false};
  s.position_x = 12;
  s.position_y = 34;
  s.char_step = 30;
  s.char_step2 = 21;
  s.year_draw = 5;
  s.month_draw = MonthDraw{4};
  s.day_draw = DayDraw{3};
  s.tile_pattern = TilePattern{2};
  s.today_draw_method = TodayDrawMethod{7};
  s.monday_start = true;
  s.calendar_style = 9;
  s.slash_lean = -6;
  s.same_font = true;
  s.year_month_draw_style = YearMonthDrawStyle{2};
  s.month_step = -3;
  WorkingSettings window = s;
  window.shadow = true;
  window.calendar_type = CalendarType{1};
  SaveWindowState(store, window);
  EXPECT_EQ(LoadWorkingSettings(store, kScreen), s);

  s.reverse_year_month = s.month_reverse = true;
  s.monday_start = s.same_font = false;
  SaveWindowState(store, s);
  EXPECT_EQ(LoadWorkingSettings(store, kScreen), s);
}

}  // namespace
}  // namespace orbeline
