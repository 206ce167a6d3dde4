#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <utility>

#include "calendar/definition.h"
#include "calendar/holiday_engine.h"
#include "calendar/special_days.h"
#include "settings/font_setting.h"
#include "settings/working_settings.h"

namespace orbeline {

// Everything one drawing of the calendar reads. The renderer reads the working copy of the
// settings only.
struct CalendarInputs {
  const WorkingSettings& settings;
  const Definition& definition;  // month and weekday name tables
  const HolidayLists& holidays;  // with substitute_type/no_kokumin of the settings
  const SpecialDays& special_days;
  Rect screen;  // right and bottom anchor the Right and Bottom types
  std::chrono::year_month_day today;
  bool japanese_locale = false;  // the "g" era token gives only the first character
};

// One drawing under way: its inputs and the two extents that carry from one calendar block
// to the next.
struct RenderContext : CalendarInputs {
  explicit RenderContext(const CalendarInputs& inputs, std::function<void()> save = {})
      : CalendarInputs(inputs), save_window_state(std::move(save)) {}

  // Called at the start of every block so the drawing settings are kept; may be empty
  // (a preview stores nothing).
  std::function<void()> save_window_state;

  // BlockWidth and BlockHeight: the extents of the block drawn last (negative for the
  // Right width and the Bottom height; for the Center type the height is the bottom edge).
  int block_width = 0;
  int block_height = 0;
  // Where the block drawn last was anchored (its X0, Y0): the next block of a multi-month
  // layout starts MonthStep beyond that block's extent.
  int block_left = 0;
  int block_top = 0;
};

// Sizes beyond this many points only come from damaged settings; keeping within it means
// no size or position arithmetic can overflow.
inline constexpr int kMaxFontPoints = 2000;

inline FontSetting RenderFont(FontSetting font) {
  font.size = std::clamp(font.size, -kMaxFontPoints, kMaxFontPoints);
  return font;
}

// The date font (day numbers), the year/month font and the weekday font; each is the
// common font when SameFont is on.
inline FontSetting DateFont(const WorkingSettings& s) {
  return RenderFont(s.same_font ? s.font : s.font0);
}
inline FontSetting YearMonthFont(const WorkingSettings& s) {
  return RenderFont(s.same_font ? s.font : s.font1);
}
inline FontSetting WeekdayFont(const WorkingSettings& s) {
  return RenderFont(s.same_font ? s.font : s.font2);
}

inline FontSetting WithSize(FontSetting font, int size) {
  font.size = size;
  return font;
}

// Sixty per cent of a size, as the small era part and the small weekday names use it.
inline constexpr int SixtyPercent(int size) { return (3 * size) / 5; }

}  // namespace orbeline
