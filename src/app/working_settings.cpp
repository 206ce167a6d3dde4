#include "app/working_settings.h"

#include <algorithm>
#include <string>

namespace orbeline {
namespace {

// The window reads these as the controls would show them; text that is not a number
// counts as 0 (the first entry, the first page), which nothing else depends on.
int ReadInt(SettingsStore& store, std::string_view name) {
  return ParseDecimal(store.ReadSetting(name)).value_or(0);
}

bool ReadFlag(SettingsStore& store, std::string_view name) {
  return store.ReadSetting(name) == "1";
}

ColorRef ReadColor(SettingsStore& store, std::string_view name) {
  return TextToColor(store.ReadSetting(name)).value_or(0);
}

// A radio group keeps -1 (nothing chosen) and clamps anything past its last item.
int ClampRadio(int value, int last) { return std::clamp(value, -1, last); }

std::string Flag(bool value) { return value ? "1" : "0"; }

}  // namespace

ScrollRange PositionXRange(int calendar_type, const ScreenRect& screen) {
  if (calendar_type == 0 || calendar_type == 3) return {screen.top, screen.bottom};
  return {screen.left, screen.right};
}

ScrollRange PositionYRange(int calendar_type, const ScreenRect& screen) {
  if (calendar_type == 0 || calendar_type == 3) return {screen.left, screen.right};
  return {screen.top, screen.bottom};
}

WorkingSettings LoadWorkingSettings(SettingsStore& store, const ScreenRect& screen) {
  WorkingSettings s;
  s.weekday_color = ReadColor(store, "WeekdayColor");
  s.saturday_color = ReadColor(store, "SaturdayColor");
  s.sunday_color = ReadColor(store, "SundayColor");
  s.today_color = ReadColor(store, "TodayColor");
  s.year_month_color = ReadColor(store, "YearMonthColor");
  s.holiday_color = ReadColor(store, "HolidayColor");
  s.shadow_color = ReadColor(store, "ShadowColor");
  s.daybox_color = ReadColor(store, "DayboxColor");
  s.today_draw_method = ReadInt(store, "TodayDrawMethod");
  s.shadow = ReadFlag(store, "Shadow");
  s.day_box = ReadFlag(store, "DayBox");
  s.small_day_name = ReadFlag(store, "SmallDayName");
  s.calendar_type = ReadInt(store, "CalendarType");
  s.calendar_style = ReadInt(store, "CalendarStyle");
  s.char_step = std::clamp(ReadInt(store, "CharStep"), 1, 255);
  s.char_step2 = std::clamp(ReadInt(store, "CharStep2"), 1, 255);
  s.month_step = std::clamp(ReadInt(store, "MonthStep"), -255, 255);
  s.monday_start = ReadFlag(store, "MondayStart");
  s.year_month_draw_style = ReadInt(store, "YearMonthDrawStyle");
  s.reverse_year_month = ReadFlag(store, "ReverseYearMonth");
  ScrollRange x_range = PositionXRange(s.calendar_type, screen);
  ScrollRange y_range = PositionYRange(s.calendar_type, screen);
  s.position_x =
      std::clamp(ReadInt(store, "PositionX"), x_range.min, std::max(x_range.min, x_range.max));
  s.position_y =
      std::clamp(ReadInt(store, "PositionY"), y_range.min, std::max(y_range.min, y_range.max));
  s.year_draw = ReadInt(store, "YearDraw");
  s.month_draw = ReadInt(store, "MonthDraw");
  s.day_draw = ReadInt(store, "DayDraw");
  s.emperor_small = ReadFlag(store, "EmperorSmall");
  s.same_font = ReadFlag(store, "SameFont");
  s.font = ReadFontSetting(store, "Font");
  s.font0 = ReadFontSetting(store, "Font0");
  s.font1 = ReadFontSetting(store, "Font1");
  s.font2 = ReadFontSetting(store, "Font2");
  s.tile_pattern = ClampRadio(ReadInt(store, "TilePattern"), 2);
  int page = ReadInt(store, "LastModifiedPage");
  s.last_modified_page = (page >= 0 && page <= 3) ? page : 0;
  s.slash_lean = ReadInt(store, "SlashLean");
  s.auto_calc_equinox = ReadFlag(store, "AutoCalcEquinox");
  s.taskbar_adjust = ReadFlag(store, "TaskbarAdjust");
  s.month_reverse = ReadFlag(store, "MonthReverse");
  s.delayed_only_draw = ReadFlag(store, "DelayedOnlyDraw");
  s.delay_seconds = std::clamp(ReadInt(store, "DelaySeconds"), 0, 180);
  s.no_kokumin = ReadFlag(store, "NoKokumin");
  s.no_restore_wallpaper = ReadFlag(store, "NoRestoreWallpaper");
  s.transparent = ReadFlag(store, "Transparent");
  s.substitute_type = ClampRadio(ReadInt(store, "SubstituteType"), 3);
  s.icon_text_color = ReadColor(store, "IconTextColor");
  s.marker_visible = ReadFlag(store, "MarkerVisible");
  s.marker_animate = ReadFlag(store, "MarkerAnimate");
  return s;
}

void SaveWindowState(SettingsStore& store, const WorkingSettings& s) {
  WriteFontSetting(store, "Font", s.font);
  WriteFontSetting(store, "Font0", s.font0);
  WriteFontSetting(store, "Font1", s.font1);
  WriteFontSetting(store, "Font2", s.font2);
  store.WriteSetting("PositionX", std::to_string(s.position_x));
  store.WriteSetting("PositionY", std::to_string(s.position_y));
  store.WriteSetting("CharStep", std::to_string(s.char_step));
  store.WriteSetting("CharStep2", std::to_string(s.char_step2));
  store.WriteSetting("YearDraw", std::to_string(s.year_draw));
  store.WriteSetting("MonthDraw", std::to_string(s.month_draw));
  store.WriteSetting("DayDraw", std::to_string(s.day_draw));
  store.WriteSetting("TilePattern", std::to_string(s.tile_pattern));
  store.WriteSetting("TodayDrawMethod", std::to_string(s.today_draw_method));
  store.WriteSetting("MondayStart", Flag(s.monday_start));
  store.WriteSetting("ReverseYearMonth", Flag(s.reverse_year_month));
  store.WriteSetting("CalendarStyle", std::to_string(s.calendar_style));
  store.WriteSetting("SlashLean", std::to_string(s.slash_lean));
  store.WriteSetting("SameFont", Flag(s.same_font));
  store.WriteSetting("YearMonthDrawStyle", std::to_string(s.year_month_draw_style));
  store.WriteSetting("MonthReverse", Flag(s.month_reverse));
  store.WriteSetting("MonthStep", std::to_string(s.month_step));
}

}  // namespace orbeline
