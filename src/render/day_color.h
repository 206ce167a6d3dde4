#pragma once

#include "base/color_text.h"
#include "render/render_context.h"

namespace orbeline {

// The colour of a day number: by its DayKind, then the colour role of the last special day
// that falls on it, then TodayColor for today's number under "Colored Date" and
// "Bigger w/Today's color". `today_day` is today's day number for the today block and 0
// for any other block; only the day number is compared.
ColorRef GetDayColor(const RenderContext& context, int year, int month, int day, int today_day);

// The colour of a special-day colour role 1..9 (role 1 is the record's own colour);
// `current` for role 0 or an unknown role.
ColorRef SpecialRoleColor(const WorkingSettings& settings, int role, ColorRef own_color,
                          ColorRef current);

}  // namespace orbeline
