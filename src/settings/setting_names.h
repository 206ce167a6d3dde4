#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace orbeline {

// The name of every value of the settings key, spelled once.
namespace setting {
inline constexpr std::string_view kCalendarType = "CalendarType";
inline constexpr std::string_view kCalendarStyle = "CalendarStyle";
inline constexpr std::string_view kPositionX = "PositionX";
inline constexpr std::string_view kPositionY = "PositionY";
inline constexpr std::string_view kCharStep = "CharStep";
inline constexpr std::string_view kCharStep2 = "CharStep2";
inline constexpr std::string_view kSameFont = "SameFont";
inline constexpr std::string_view kShadow = "Shadow";
// Font settings are four values under one of these prefixes (see font_setting.h).
inline constexpr std::string_view kFont = "Font";
inline constexpr std::string_view kFont0 = "Font0";
inline constexpr std::string_view kFont1 = "Font1";
inline constexpr std::string_view kFont2 = "Font2";
inline constexpr std::string_view kSundayColor = "SundayColor";
inline constexpr std::string_view kSaturdayColor = "SaturdayColor";
inline constexpr std::string_view kWeekdayColor = "WeekdayColor";
inline constexpr std::string_view kTodayColor = "TodayColor";
inline constexpr std::string_view kYearMonthColor = "YearMonthColor";
inline constexpr std::string_view kHolidayColor = "HolidayColor";
inline constexpr std::string_view kShadowColor = "ShadowColor";
inline constexpr std::string_view kDayboxColor = "DayboxColor";
inline constexpr std::string_view kYearDraw = "YearDraw";
inline constexpr std::string_view kMonthDraw = "MonthDraw";
inline constexpr std::string_view kTilePattern = "TilePattern";
inline constexpr std::string_view kTodayDrawMethod = "TodayDrawMethod";
inline constexpr std::string_view kDayDraw = "DayDraw";
inline constexpr std::string_view kSmallDayName = "SmallDayName";
inline constexpr std::string_view kMondayStart = "MondayStart";
inline constexpr std::string_view kDayBox = "DayBox";
inline constexpr std::string_view kSlashLean = "SlashLean";
inline constexpr std::string_view kYearMonthDrawStyle = "YearMonthDrawStyle";
inline constexpr std::string_view kTaskbarAdjust = "TaskbarAdjust";
inline constexpr std::string_view kMonthReverse = "MonthReverse";
inline constexpr std::string_view kEmperorSmall = "EmperorSmall";
inline constexpr std::string_view kMonthStep = "MonthStep";
inline constexpr std::string_view kReverseYearMonth = "ReverseYearMonth";
inline constexpr std::string_view kAutoCalcEquinox = "AutoCalcEquinox";
inline constexpr std::string_view kNoKokumin = "NoKokumin";
inline constexpr std::string_view kSubstituteType = "SubstituteType";
inline constexpr std::string_view kNoRestoreWallpaper = "NoRestoreWallpaper";
inline constexpr std::string_view kTransparent = "Transparent";
inline constexpr std::string_view kIconTextColor = "IconTextColor";
inline constexpr std::string_view kDelayedOnlyDraw = "DelayedOnlyDraw";
inline constexpr std::string_view kDelaySeconds = "DelaySeconds";
inline constexpr std::string_view kAutoDraw = "AutoDraw";
inline constexpr std::string_view kLastModifiedPage = "LastModifiedPage";
inline constexpr std::string_view kMarkerVisible = "MarkerVisible";
inline constexpr std::string_view kMarkerAnimate = "MarkerAnimate";
inline constexpr std::string_view kHolidayPrefix = "Holiday";          // Holiday1..Holiday12
inline constexpr std::string_view kSpecialPrefix = "Special";          // Special0..Special100
inline constexpr std::string_view kCustomColorPrefix = "CustomColor";  // CustomColor0..15
inline constexpr std::string_view kVersionInfo = "VersionInfo";
inline constexpr std::string_view kStartupFileName = "StartupFileName";
inline constexpr std::string_view kExeFileName = "ExeFileName";
inline constexpr std::string_view kTemp = "Temp";
inline constexpr std::string_view kOriginalWallpaper = "OriginalWallpaper";
inline constexpr std::string_view kDesignName = "DesignName";  // in a design's subkey
// Never-show keys of the confirmations.
inline constexpr std::string_view kDesignLoadCheck = "DesignLoadCheck";
inline constexpr std::string_view kDesignSaveCheck = "DesignSaveCheck";
inline constexpr std::string_view kStartupCheck = "StartupCheck";
inline constexpr std::string_view kEmperorCheck = "EmperorCheck";
inline constexpr std::string_view kMonthCheck = "MonthCheck";
inline constexpr std::string_view kDayDrawCheck = "DayDrawCheck";
inline constexpr std::string_view kHTMLGIFCheck = "HTMLGIFCheck";
inline constexpr std::string_view kDayCheck = "DayCheck";
inline constexpr std::string_view kEmperorSmallCheck = "EmperorSmallCheck";
// Values of older versions, read once to migrate them.
inline constexpr std::string_view kCalenderStyle = "CalenderStyle";
inline constexpr std::string_view kCalenderType = "CalenderType";
inline constexpr std::string_view kNoFurikae = "NoFurikae";
}  // namespace setting

struct SettingRow {
  std::string_view name;
  // What a fresh store (or a reset one) gets; empty: nothing is written then.
  std::string_view first_run;
};

// The values the look of the calendar is made of, with their first-run values. The first
// kDesignValueCount rows are the values a saved design holds, in the order a design copies
// them.
inline constexpr std::size_t kDesignValueCount = 46;
inline constexpr std::array<SettingRow, 47> kSettingTable = {{
    {setting::kCalendarType, "4"},
    {setting::kCalendarStyle, ""},
    {setting::kPositionX, "0"},
    {setting::kPositionY, "0"},
    {setting::kCharStep, "30"},
    {setting::kCharStep2, ""},
    {setting::kSameFont, ""},
    {setting::kShadow, "1"},
    {"FontName", "Arial"},
    {"FontSize", "18"},
    {"FontStyleItalic", "1"},
    {"FontStyleBold", "1"},
    {"Font0Name", "Arial"},
    {"Font0Size", "18"},
    {"Font0StyleItalic", "1"},
    {"Font0StyleBold", "1"},
    {"Font1Name", "Arial"},
    {"Font1Size", "18"},
    {"Font1StyleItalic", "1"},
    {"Font1StyleBold", "1"},
    {"Font2Name", "Arial"},
    {"Font2Size", "18"},
    {"Font2StyleItalic", "1"},
    {"Font2StyleBold", "1"},
    {setting::kSundayColor, "clRed"},
    {setting::kSaturdayColor, "clBlue"},
    {setting::kWeekdayColor, "clGray"},
    {setting::kTodayColor, "clLime"},
    {setting::kYearMonthColor, "clAqua"},
    {setting::kHolidayColor, "clFuchsia"},
    {setting::kShadowColor, "clBlack"},
    {setting::kDayboxColor, ""},
    {setting::kYearDraw, "0"},
    {setting::kMonthDraw, "0"},
    {setting::kTilePattern, "0"},
    {setting::kTodayDrawMethod, "1"},
    {setting::kDayDraw, "0"},
    {setting::kSmallDayName, "0"},
    {setting::kMondayStart, ""},
    {setting::kDayBox, ""},
    {setting::kSlashLean, ""},
    {setting::kYearMonthDrawStyle, ""},
    {setting::kTaskbarAdjust, ""},
    {setting::kMonthReverse, ""},
    {setting::kEmperorSmall, ""},
    {setting::kMonthStep, ""},
    // Not part of a design.
    {setting::kNoRestoreWallpaper, "0"},
}};

}  // namespace orbeline
