#include "settings/working_settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "fakes.h"
#include "settings/settings_store.h"

namespace orbeline {
namespace {

const Rect kScreen{0, 0, 1024, 768};

TEST(WorkingSettingsTest, ReadsAsTheControlsShowThem) {
  testing::MemorySettingsBackend backend;
  SettingsStore store(backend);
  store.WriteSetting("CalendarType", "1");  // Left: X runs over the screen's width
  WorkingSettings expected = LoadWorkingSettings(store, kScreen);
  // A stored text and what it changes in the settings read.
  const std::pair<std::string, std::function<void(WorkingSettings&)>> rows[] = {
      {"SundayColor=clred", [](auto& s) { s.sunday_color = 0x0000FF; }},
      {"WeekdayColor=$00123456", [](auto& s) { s.weekday_color = 0x123456; }},
      {"TodayColor=not a colour", [](auto& s) { s.today_color = 0; }},
      {"Shadow=1", [](auto& s) { s.shadow = true; }},
      {"DayBox=2", [](auto& s) { s.day_box = false; }},  // flags are true exactly for "1"
      {"CharStep=300", [](auto& s) { s.char_step = 255; }},
      {"CharStep2=0", [](auto& s) { s.char_step2 = 1; }},
      {"MonthStep=-999", [](auto& s) { s.month_step = -255; }},
      {"PositionX=5000", [](auto& s) { s.position_x = 1024; }},
      {"PositionY=-20", [](auto& s) { s.position_y = 0; }},
      {"YearDraw=5", [](auto& s) { s.year_draw = 5; }},  // past the list: kept
      {"TodayDrawMethod=abc", [](auto& s) { s.today_draw_method = TodayDrawMethod::kNone; }},
      {"TilePattern=9", [](auto& s) { s.tile_pattern = TilePattern::kStaggeredVertically; }},
      {"SubstituteType=-4", [](auto& s) { s.substitute_type = SubstituteType{-1}; }},
      {"LastModifiedPage=7", [](auto& s) { s.last_modified_page = 0; }},
      {"DelaySeconds=999", [](auto& s) { s.delay_seconds = 180; }},
      {"SlashLean=-40", [](auto& s) { s.slash_lean = -40; }},
      {"IconTextColor=clWhite", [](auto& s) { s.icon_text_color = 0xFFFFFF; }},
  };
  for (const auto& [text, change] : rows) {
    store.WriteSetting(text.substr(0, text.find('=')), text.substr(text.find('=') + 1));
    change(expected);
  }
  EXPECT_TRUE(LoadWorkingSettings(store, kScreen) == expected);
  // The controls that write at once wrote their clamped values back; "nothing chosen" is
  // no choice to write. Every value the window looked at now exists in the store.
  EXPECT_EQ(backend.Get("DelaySeconds"), "180");
  EXPECT_EQ(backend.Get("SubstituteType"), "-4");
  EXPECT_EQ(backend.Get("MondayStart"), "0");
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
