#pragma once

#include "base/color_text.h"
#include "base/rect.h"
#include "settings/font_setting.h"
#include "settings/setting_values.h"
#include "settings/settings_store.h"

namespace orbeline {

// The working copy of the settings: what the settings window's controls hold and what the
// renderer reads. Values are loaded as the controls would show them (flags true exactly
// for "1", numbers that are not numbers as 0, spins and scroll bars clamped to their
// ranges, list indexes kept as read so that an index outside a list selects nothing).
struct WorkingSettings {
  // Colours (low 24 bits of the stored colour).
  ColorRef weekday_color = 0;
  ColorRef saturday_color = 0;
  ColorRef sunday_color = 0;
  ColorRef today_color = 0;
  ColorRef year_month_color = 0;
  ColorRef holiday_color = 0;
  ColorRef shadow_color = 0;
  ColorRef daybox_color = 0;

  TodayDrawMethod today_draw_method = TodayDrawMethod::kNone;
  bool shadow = false;
  bool day_box = false;
  bool small_day_name = false;
  CalendarType calendar_type = CalendarType::kTop;
  int calendar_style = 0;  // list index, 0..17
  int char_step = 1;       // spin 1..255
  int char_step2 = 1;      // spin 1..255
  int month_step = 0;      // spin -255..255
  bool monday_start = false;
  YearMonthDrawStyle year_month_draw_style = YearMonthDrawStyle::kCentred;
  bool reverse_year_month = false;
  int position_x = 0;  // scroll bar, clamped to its range
  int position_y = 0;
  int year_draw = 0;  // list index, 0..19
  MonthDraw month_draw = MonthDraw::kNone;
  DayDraw day_draw = DayDraw::kNone;
  bool emperor_small = false;
  bool same_font = false;
  FontSetting font;                                 // "Font", the common font
  FontSetting font0;                                // date digits
  FontSetting font1;                                // year and month
  FontSetting font2;                                // weekday names
  TilePattern tile_pattern = TilePattern::kNormal;  // radio group, -1..2
  int last_modified_page = 0;                       // page 0..3
  int slash_lean = 0;                               // spin without limits
  bool auto_calc_equinox = false;
  bool taskbar_adjust = false;
  bool month_reverse = false;
  bool delayed_only_draw = false;
  int delay_seconds = 0;  // spin 0..180
  bool no_kokumin = false;
  bool no_restore_wallpaper = false;
  bool transparent = false;
  SubstituteType substitute_type = SubstituteType::kNone;  // radio group, -1..4
  ColorRef icon_text_color = 0xFFFFFF;
  bool marker_visible = false;
  bool marker_animate = false;

  bool operator==(const WorkingSettings&) const = default;
};

// Ranges of the two position scroll bars for a line-draw type: Top and Bottom put the
// distance from their edge in X, the others the horizontal position.
struct ScrollRange {
  int min = 0;
  int max = 0;
};
ScrollRange PositionXRange(CalendarType calendar_type, const Rect& screen);
ScrollRange PositionYRange(CalendarType calendar_type, const Rect& screen);
// `value` kept inside `range`; a range whose end lies before its start holds its start only.
int ClampToRange(int value, ScrollRange range);

// Loads every value the window shows from the store, in the order the window reads them;
// reads that find nothing write "0" back as ReadSetting does, and the controls that store
// their value at once write back what they show (the clamped `DelaySeconds` and
// `SubstituteType`, the custom colours cut to their 6 characters). The holiday lists and the
// special days are loaded separately.
WorkingSettings LoadWorkingSettings(SettingsStore& store, const Rect& screen);

// Writes the settings the controls leave to the next drawing (fonts, positions, steps, the
// lists and a few check boxes).
void SaveWindowState(SettingsStore& store, const WorkingSettings& settings);

}  // namespace orbeline
