#pragma once

#include <chrono>
#include <string>

#include "calendar/definition.h"
#include "render/japanese_era.h"
#include "settings/working_settings.h"

namespace orbeline {

// The year/month label of a block: the year text by YearDraw and the month text by
// MonthDraw, joined by "/" for month numbers and " " otherwise (month first with
// ReverseYearMonth). The separator stays when a side is empty.
std::string FormatYearMonth(const WorkingSettings& settings, const Definition& definition,
                            std::chrono::year_month_day date, EraNameCut g_cut);

// The year text alone (YearDraw 0..19; anything else is empty).
std::string FormatYear(int year_draw, std::chrono::year_month_day date, EraNameCut g_cut);

// Whether the era part of the label is drawn at 60 %: EmperorSmall with one of the year
// formats that put the era in parentheses.
bool IsEraPartInForce(const WorkingSettings& settings);

// The weekday name shown in column 0..6 of a week row (Monday first with MondayStart), cut
// by DayDraw: 1, 2, 3 or 20 display columns of the English name, or 10 of the local name.
std::string GetWeekdayLabel(const WorkingSettings& settings, const Definition& definition,
                            int column);

}  // namespace orbeline
