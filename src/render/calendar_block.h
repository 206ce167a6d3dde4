#pragma once

#include <chrono>

#include "render/canvas.h"
#include "render/render_context.h"

namespace orbeline {

enum class TodayBlock { kNo, kYes };

// Draws one calendar block: the run of days chosen by CalendarStyle around `block_date`
// (today's date for the today block, the 1st of its month for any other), anchored by
// CalendarType and the position settings and, for block_index > 0, placed MonthStep
// beyond the block drawn before it (by the origin and extents that block left in the
// context). Draws the today mark (today block only), the year/month label (and the Center
// type's weekday header), every day with its weekday name and day box, and a separator
// where the month changes; leaves this block's origin and extents in the context.
void DrawCalendarBlock(Canvas& canvas, RenderContext& context, TodayBlock today_block,
                       int block_index, std::chrono::year_month_day block_date);

}  // namespace orbeline
