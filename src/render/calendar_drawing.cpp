#include "render/calendar_drawing.h"

#include <algorithm>

#include "render/calendar_dates.h"

namespace orbeline {

std::vector<PlannedBlock> PlanCalendarBlocks(int calendar_style, bool month_reverse,
                                             std::chrono::year_month_day today) {
  // Months relative to today's, in calendar order.
  std::vector<int> months;
  switch (calendar_style) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
      months = {0};
      break;
    case 6:
    case 8:
      months = {-1, 0};
      break;
    case 7:
    case 9:
      months = {0, 1};
      break;
    case 10:
    case 13:
      months = {-2, -1, 0};
      break;
    case 11:
    case 14:
      months = {-1, 0, 1};
      break;
    case 12:
    case 15:
      months = {0, 1, 2};
      break;
    case 16:
    case 17:
      months = unsigned{today.day()} <= 15 ? std::vector<int>{-1, 0} : std::vector<int>{0, 1};
      break;
    default:
      break;
  }
  if (month_reverse) std::reverse(months.begin(), months.end());

  std::vector<PlannedBlock> blocks;
  for (const int offset : months) {
    blocks.push_back(offset == 0 ? PlannedBlock{today, TodayBlock::kYes}
                                 : PlannedBlock{FirstOfMonth(today, offset), TodayBlock::kNo});
  }
  return blocks;
}

void DrawCalendar(Canvas& canvas, RenderContext& context) {
  canvas.SetBrush(0xFFFFFF, BrushStyle::kClear);
  context.block_width = 0;
  context.block_height = 0;
  context.block_left = 0;
  context.block_top = 0;
  const std::vector<PlannedBlock> blocks = PlanCalendarBlocks(
      context.settings.calendar_style, context.settings.month_reverse, context.today);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    DrawCalendarBlock(canvas, context, blocks[i].today_block, static_cast<int>(i), blocks[i].date);
  }
}

}  // namespace orbeline
