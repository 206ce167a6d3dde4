#pragma once

#include <array>
#include <string_view>

#include "app/settings_store.h"

namespace orbeline {

inline constexpr int kDesignCount = 20;

// The values a saved design holds, in the order they are copied.
inline constexpr std::array<std::string_view, 46> kDesignOrder = {
    "CalendarType",   "CalendarStyle",      "PositionX",        "PositionY",
    "CharStep",       "CharStep2",          "SameFont",         "Shadow",
    "FontName",       "FontSize",           "FontStyleItalic",  "FontStyleBold",
    "Font0Name",      "Font0Size",          "Font0StyleItalic", "Font0StyleBold",
    "Font1Name",      "Font1Size",          "Font1StyleItalic", "Font1StyleBold",
    "Font2Name",      "Font2Size",          "Font2StyleItalic", "Font2StyleBold",
    "SundayColor",    "SaturdayColor",      "WeekdayColor",     "TodayColor",
    "YearMonthColor", "HolidayColor",       "ShadowColor",      "DayboxColor",
    "YearDraw",       "MonthDraw",          "TilePattern",      "TodayDrawMethod",
    "DayDraw",        "SmallDayName",       "MondayStart",      "DayBox",
    "SlashLean",      "YearMonthDrawStyle", "TaskbarAdjust",    "MonthReverse",
    "EmperorSmall",   "MonthStep",
};

// A design is saved when its subkey holds YearMonthDrawStyle as an integer of 0 or more.
bool IsDesignSaved(const SettingsStore& store, int n);

// Copies design n over the current settings, every value of the design order in order;
// a value the design lacks is written as the empty text. False when design n is not
// saved (nothing changes then). Applying the copied settings to the window is the caller's.
bool CopyDesignToCurrent(SettingsStore& store, int n);

}  // namespace orbeline
