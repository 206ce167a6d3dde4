#pragma once

#include <chrono>
#include <memory>

#include "calendar/definition.h"
#include "calendar/holiday_engine.h"
#include "calendar/special_days.h"
#include "recording_canvas.h"
#include "render/render_context.h"
#include "settings/working_settings.h"

namespace orbeline::testing {

// Distinct colours so a test can tell every role apart.
inline constexpr ColorRef kWeekday = 0x101010;
inline constexpr ColorRef kSaturday = 0xFF0000;  // blue
inline constexpr ColorRef kSunday = 0x0000FF;    // red
inline constexpr ColorRef kHoliday = 0x0000A0;
inline constexpr ColorRef kToday = 0x00FF00;
inline constexpr ColorRef kYearMonth = 0x00A0A0;
inline constexpr ColorRef kShadow = 0x563412;  // no blend of grey with a text colour
inline constexpr ColorRef kDaybox = 0xA000A0;

// Settings, name tables and lists for a drawing, with a context over them. Every font is
// Arial 10 points, so with the recording canvas a digit is 10 px wide, a space 5 and a
// line 15 high. Steps: CharStep 30, CharStep2 20; screen 1000 x 800.
struct RenderFixture {
  WorkingSettings settings;
  Definition definition;
  HolidayLists holidays;
  SpecialDays special_days;
  int saved_count = 0;

  RecordingCanvas canvas;
  int block_width = 0;  // the extents of the last block drawn
  int block_height = 0;

  RenderFixture();
  // The line-draw type and its two positions.
  void Place(int type, int x, int y) {
    settings.calendar_type = CalendarType{type};
    settings.position_x = x;
    settings.position_y = y;
  }
  // A fresh context for `today` (and its save counter hooked up).
  RenderContext Context(std::chrono::year_month_day today);
  // Draws the today block, or the whole calendar, for `today` on `canvas`.
  void DrawToday(std::chrono::year_month_day today);
  void DrawAll(std::chrono::year_month_day today);
};

std::chrono::year_month_day Date(int year, int month, int day);

}  // namespace orbeline::testing
