#pragma once

#include <chrono>
#include <string>

#include "render/canvas.h"
#include "render/render_context.h"

namespace orbeline {

// The year/month label of one block and what its placement depends on.
struct BlockLabel {
  std::string text;  // FormatYearMonth of the block date
  // Left and Right types: whether the label is drawn above the day column (the today
  // block, or a block of a vertical multi-month layout). The rows advance either way.
  bool drawn_on_line = false;
  std::chrono::year_month_day start_date;  // the block's first day (Center: its column)
};

enum class LabelPass { kDraw, kPositionOnly };

// Places the year/month label and, for the Center type, the weekday header row, starting
// at `position`; returns the position from which the block's first day is drawn. With
// kPositionOnly nothing is drawn (the today mark needs the position first).
Point PlaceBlockLabels(Canvas& canvas, const RenderContext& context, const BlockLabel& label,
                       Point position, LabelPass pass);

// The weekday name beside a day number drawn at `day_position` (line types, DayDraw > 0),
// widening BlockWidth (Left, Right) or setting BlockHeight (Top, Bottom). Leaves the
// weekday font at the date font's size on the canvas.
void DrawWeekdayBesideDay(Canvas& canvas, RenderContext& context, std::chrono::year_month_day date,
                          Point day_position);

}  // namespace orbeline
