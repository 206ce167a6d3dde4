#pragma once

#include <chrono>
#include <vector>

#include "render/calendar_block.h"
#include "render/canvas.h"
#include "render/render_context.h"

namespace orbeline {

// One DrawCalendarBlock call of a drawing.
struct PlannedBlock {
  std::chrono::year_month_day date;  // today, or the 1st of another block's month
  TodayBlock today_block = TodayBlock::kNo;
  bool operator==(const PlannedBlock&) const = default;
};

// The blocks of a layout in drawing order: the months in calendar order, reversed with
// MonthReverse. Styles 16 and 17 take the previous month up to the 15th and the next month
// from the 16th. A style outside 0..17 has no block.
std::vector<PlannedBlock> PlanCalendarBlocks(int calendar_style, bool month_reverse,
                                             std::chrono::year_month_day today);

// Draws the calendar of the settings' layout: white clear brush, extents reset, then one
// DrawCalendarBlock per planned block with indexes 0, 1, 2.
void DrawCalendar(Canvas& canvas, RenderContext& context);

}  // namespace orbeline
