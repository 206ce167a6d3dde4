#pragma once

#include <string>
#include <string_view>

#include "base/color_text.h"
#include "render/canvas.h"
#include "render/render_context.h"
#include "settings/working_settings.h"

namespace orbeline {

// What the date font adds around its digits: the overhang allowance (1 for Shadow, 2 for
// italic, 1 for bold) and the italic shift (1 for italic). Taken once per block.
struct MarkAllowance {
  int pad = 0;
  int italic_shift = 0;
};
MarkAllowance ComputeMarkAllowance(const WorkingSettings& settings);

// The day number as a block draws it: days 1..9 get one leading space in the Left, Right
// and Center types.
std::string DayText(int day, CalendarType type);

// The today mark of TodayDrawMethod 2..6 (circle, dot, box, outline box, underline) for
// today's text `today_text` that will be drawn at (x, y); other methods draw nothing. The
// canvas holds the date font.
void DrawTodayMark(Canvas& canvas, const WorkingSettings& settings, std::string_view today_text,
                   int x, int y, MarkAllowance allowance);

enum class DaySize { kNormal, kEnlarged };

// Draws a day number at (x, y) in the canvas's font; kEnlarged draws it at 150 % size,
// centred on its normal place, and puts the size back.
void DrawDayNumber(Canvas& canvas, const WorkingSettings& settings, std::string_view text,
                   ColorRef color, DaySize size, int x, int y);

// The box round a date drawn at (x, y) when DayBox is on, in the canvas's current font.
void DrawDayBox(Canvas& canvas, const WorkingSettings& settings, CalendarType type, int day, int x,
                int y, MarkAllowance allowance);

}  // namespace orbeline
