#include "settings/working_settings.h"

#include <algorithm>
#include <string>

#include "settings/setting_names.h"

namespace orbeline {
namespace {

using namespace setting;

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

// A control that stores its value at once writes what it shows, so a clamped value reaches
// the store in every run, with or without a window.
void WriteShown(SettingsStore& store, std::string_view name, const std::string& shown) {
  if (store.ReadText(name, "") != shown) store.WriteSetting(name, shown);
}

// The colour dialog's 16 custom colours go back as the 6 characters its entries hold.
void WriteBackCustomColors(SettingsStore& store) {
  for (int i = 0; i < 16; ++i) {
    const std::string name = std::string(kCustomColorPrefix) + std::to_string(i);
    WriteShown(store, name, store.ReadSetting(name).substr(0, 6));
  }
}

}  // namespace

ScrollRange PositionXRange(CalendarType calendar_type, const Rect& screen) {
  if (IsHorizontalLine(calendar_type)) return {screen.top, screen.bottom};
  return {screen.left, screen.right};
}

ScrollRange PositionYRange(CalendarType calendar_type, const Rect& screen) {
  if (IsHorizontalLine(calendar_type)) return {screen.left, screen.right};
  return {screen.top, screen.bottom};
}

int ClampToRange(int value, ScrollRange range) {
  return std::clamp(value, range.min, std::max(range.min, range.max));
}

WorkingSettings LoadWorkingSettings(SettingsStore& store, const Rect& screen) {
  WorkingSettings s;
  s.weekday_color = ReadColor(store, kWeekdayColor);
  s.saturday_color = ReadColor(store, kSaturdayColor);
  s.sunday_color = ReadColor(store, kSundayColor);
  s.today_color = ReadColor(store, kTodayColor);
  s.year_month_color = ReadColor(store, kYearMonthColor);
  s.holiday_color = ReadColor(store, kHolidayColor);
  s.shadow_color = ReadColor(store, kShadowColor);
  s.daybox_color = ReadColor(store, kDayboxColor);
  WriteBackCustomColors(store);
  s.today_draw_method = TodayDrawMethod{ReadInt(store, kTodayDrawMethod)};
  s.shadow = ReadFlag(store, kShadow);
  s.day_box = ReadFlag(store, kDayBox);
  s.small_day_name = ReadFlag(store, kSmallDayName);
  s.calendar_type = CalendarType{ReadInt(store, kCalendarType)};
  s.calendar_style = ReadInt(store, kCalendarStyle);
  s.char_step = std::clamp(ReadInt(store, kCharStep), 1, 255);
  s.char_step2 = std::clamp(ReadInt(store, kCharStep2), 1, 255);
  s.month_step = std::clamp(ReadInt(store, kMonthStep), -255, 255);
  s.monday_start = ReadFlag(store, kMondayStart);
  s.year_month_draw_style = YearMonthDrawStyle{ReadInt(store, kYearMonthDrawStyle)};
  s.reverse_year_month = ReadFlag(store, kReverseYearMonth);
  s.position_x = ClampToRange(ReadInt(store, kPositionX), PositionXRange(s.calendar_type, screen));
  s.position_y = ClampToRange(ReadInt(store, kPositionY), PositionYRange(s.calendar_type, screen));
  s.year_draw = ReadInt(store, kYearDraw);
  s.month_draw = MonthDraw{ReadInt(store, kMonthDraw)};
  s.day_draw = DayDraw{ReadInt(store, kDayDraw)};
  s.emperor_small = ReadFlag(store, kEmperorSmall);
  s.same_font = ReadFlag(store, kSameFont);
  s.font = ReadFontSetting(store, kFont);
  s.font0 = ReadFontSetting(store, kFont0);
  s.font1 = ReadFontSetting(store, kFont1);
  s.font2 = ReadFontSetting(store, kFont2);
  s.tile_pattern = TilePattern{ClampRadio(ReadInt(store, kTilePattern), 2)};
  int page = ReadInt(store, kLastModifiedPage);
  s.last_modified_page = (page >= 0 && page <= 3) ? page : 0;
  s.slash_lean = ReadInt(store, kSlashLean);
  s.auto_calc_equinox = ReadFlag(store, kAutoCalcEquinox);
  s.taskbar_adjust = ReadFlag(store, kTaskbarAdjust);
  s.month_reverse = ReadFlag(store, kMonthReverse);
  s.delayed_only_draw = ReadFlag(store, kDelayedOnlyDraw);
  s.delay_seconds = std::clamp(ReadInt(store, kDelaySeconds), 0, 180);
  WriteShown(store, kDelaySeconds, std::to_string(s.delay_seconds));
  s.no_kokumin = ReadFlag(store, kNoKokumin);
  s.no_restore_wallpaper = ReadFlag(store, kNoRestoreWallpaper);
  s.transparent = ReadFlag(store, kTransparent);
  s.substitute_type = SubstituteType{
      ClampRadio(ReadInt(store, kSubstituteType), static_cast<int>(kLastSubstituteType))};
  // With nothing chosen no button is clicked, so nothing is written.
  if (s.substitute_type != SubstituteType{-1}) {
    WriteShown(store, kSubstituteType, std::to_string(static_cast<int>(s.substitute_type)));
  }
  s.icon_text_color = ReadColor(store, kIconTextColor);
  s.marker_visible = ReadFlag(store, kMarkerVisible);
  s.marker_animate = ReadFlag(store, kMarkerAnimate);
  return s;
}

void SaveWindowState(SettingsStore& store, const WorkingSettings& s) {
  WriteFontSetting(store, kFont, s.font);
  WriteFontSetting(store, kFont0, s.font0);
  WriteFontSetting(store, kFont1, s.font1);
  WriteFontSetting(store, kFont2, s.font2);
  store.WriteSetting(kPositionX, std::to_string(s.position_x));
  store.WriteSetting(kPositionY, std::to_string(s.position_y));
  store.WriteSetting(kCharStep, std::to_string(s.char_step));
  store.WriteSetting(kCharStep2, std::to_string(s.char_step2));
  store.WriteSetting(kYearDraw, std::to_string(s.year_draw));
  store.WriteSetting(kMonthDraw, std::to_string(static_cast<int>(s.month_draw)));
  store.WriteSetting(kDayDraw, std::to_string(static_cast<int>(s.day_draw)));
  store.WriteSetting(kTilePattern, std::to_string(static_cast<int>(s.tile_pattern)));
  store.WriteSetting(kTodayDrawMethod, std::to_string(static_cast<int>(s.today_draw_method)));
  store.WriteSetting(kMondayStart, FlagText(s.monday_start));
  store.WriteSetting(kReverseYearMonth, FlagText(s.reverse_year_month));
  store.WriteSetting(kCalendarStyle, std::to_string(s.calendar_style));
  store.WriteSetting(kSlashLean, std::to_string(s.slash_lean));
  store.WriteSetting(kSameFont, FlagText(s.same_font));
  store.WriteSetting(kYearMonthDrawStyle,
                     std::to_string(static_cast<int>(s.year_month_draw_style)));
  store.WriteSetting(kMonthReverse, FlagText(s.month_reverse));
  store.WriteSetting(kMonthStep, std::to_string(s.month_step));
}

}  // namespace orbeline
