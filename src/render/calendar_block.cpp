#include "render/calendar_block.h"

#include <algorithm>
#include <string>

#include "render/block_labels.h"
#include "render/block_origin.h"
#include "render/calendar_dates.h"
#include "render/day_cells.h"
#include "render/day_color.h"
#include "render/year_month_label.h"

namespace orbeline {
namespace {

constexpr int kMaxLean = 1 << 16;

enum class Arrangement { kSingle, kHorizontal, kVertical };

Arrangement ArrangementOf(int style) {
  switch (style) {
    case 6:
    case 7:
    case 10:
    case 11:
    case 12:
    case 16:
      return Arrangement::kHorizontal;
    case 8:
    case 9:
    case 13:
    case 14:
    case 15:
    case 17:
      return Arrangement::kVertical;
    default:
      return Arrangement::kSingle;
  }
}

// The first day of the run, counted in the block date's month (may be below 1).
int StartDay(int style, int day) {
  switch (style) {
    case 1:
      return day - 7;
    case 2:
      return day - 14;
    case 3:
      return day - 21;
    case 4:
      return day;
    case 5:
      return day >= 16 ? 16 : 1;
    default:
      return 1;
  }
}

// The days of a block: from the start day onward until the day after the end day would
// come next, and never more than `limit` days.
class DayRun {
 public:
  DayRun(int year, int month, int start_day, int end_day, int limit)
      : year_(year), month_(month), day_(start_day), end_day_(end_day), limit_(limit) {}

  int year() const { return year_; }
  int month() const { return month_; }
  int day() const { return day_; }
  std::chrono::year_month_day date() const { return MakeDate(year_, month_, day_); }

  // Moves to the next day; false when the block ends before it.
  bool Advance(bool& month_changed) {
    month_changed = AdvanceDay(year_, month_, day_);
    if (day_ == end_day_ + 1 || drawn_ == limit_) return false;
    ++drawn_;
    return true;
  }

 private:
  int year_;
  int month_;
  int day_;
  int end_day_;
  int limit_;
  int drawn_ = 1;
};

// Where the day after one drawn at `at` is drawn.
Point NextCell(const WorkingSettings& settings, Point at, std::chrono::year_month_day date) {
  const int step = settings.char_step;
  switch (settings.calendar_type) {
    case CalendarType::kTop:
    case CalendarType::kBottom:
      at.x += unsigned{date.day()} >= 10 ? step : (2 * step) / 3;
      break;
    case CalendarType::kLeft:
    case CalendarType::kRight:
      at.y += step;
      break;
    case CalendarType::kCenter: {
      const WeekStart start = settings.monday_start ? WeekStart::kMonday : WeekStart::kSunday;
      if (WeekdayColumn(date, start) == 7) {
        at.x -= 6 * step;
        at.y += settings.char_step2;
      } else {
        at.x += step;
      }
      break;
    }
  }
  return at;
}

// The days a block holds around its block date: from the style's start day (in the month
// before when it falls below 1) up to the day before it comes round again, at most the
// block month's length.
DayRun BlockDays(int style, std::chrono::year_month_day block_date) {
  const int year = static_cast<int>(block_date.year());
  const int month = static_cast<int>(unsigned{block_date.month()});
  const int days_in_month = DaysInMonth(year, month);
  int start_year = year;
  int start_month = month;
  int start_day = StartDay(style, static_cast<int>(unsigned{block_date.day()}));
  if (start_day < 1) {
    if (--start_month < 1) {
      start_month = 12;
      --start_year;
    }
    start_day += DaysInMonth(start_year, start_month);
  }
  const int end_day = start_day - 1 == 0 ? days_in_month : start_day - 1;
  return DayRun(start_year, start_month, start_day, end_day, days_in_month);
}

// The today mark lies under everything else of the block, so it goes first, at the place
// today's number will take once the labels and the days before it have moved the position.
void DrawBlockTodayMark(Canvas& canvas, const RenderContext& context, const BlockLabel& label,
                        Point origin, DayRun run, int today_day, MarkAllowance allowance) {
  const WorkingSettings& settings = context.settings;
  if (!DrawsTodayShape(settings.today_draw_method)) return;
  Point at = PlaceBlockLabels(canvas, context, label, origin, LabelPass::kPositionOnly);
  bool month_changed = false;
  while (run.day() != today_day) {
    at = NextCell(settings, at, run.date());
    if (!run.Advance(month_changed)) return;
  }
  canvas.SetFont(DateFont(settings));
  DrawTodayMark(canvas, settings, DayText(today_day, settings.calendar_type), at.x, at.y,
                allowance);
}

// A day number as drawn, so that a month separator can draw it again over its line.
struct DrawnDay {
  std::string text;
  ColorRef color = 0;
  DaySize size = DaySize::kNormal;
  Point at;
};

void DrawMonthSeparator(Canvas& canvas, const WorkingSettings& settings, Point next_cell,
                        const DrawnDay& last_day) {
  canvas.SetPen(settings.year_month_color, 2);
  canvas.SetFont(DateFont(settings));
  // SlashLean has no limits in the window; beyond a screen's size it only risks overflow.
  const int lean = std::clamp(settings.slash_lean, -kMaxLean, kMaxLean);
  const CalendarType type = settings.calendar_type;
  if (type == CalendarType::kLeft || type == CalendarType::kRight) {
    canvas.MoveTo(next_cell.x, next_cell.y + lean);
    canvas.LineTo(next_cell.x + canvas.TextWidth("28"), next_cell.y - lean);
  } else {
    canvas.MoveTo(next_cell.x + lean, next_cell.y);
    canvas.LineTo(next_cell.x - lean, next_cell.y + canvas.TextHeight("8"));
  }
  DrawDayNumber(canvas, settings, last_day.text, last_day.color, last_day.size, last_day.at.x,
                last_day.at.y);
}

void SetInitialExtents(Canvas& canvas, RenderContext& context) {
  canvas.SetFont(DateFont(context.settings));
  switch (context.settings.calendar_type) {
    case CalendarType::kTop:
      context.block_height = canvas.TextHeight("28");
      break;
    case CalendarType::kLeft:
      context.block_width = canvas.TextWidth("28 ");
      break;
    case CalendarType::kRight:
      context.block_width = -canvas.TextWidth(" 28");
      break;
    case CalendarType::kBottom:
      context.block_height = -canvas.TextHeight("28");
      break;
    case CalendarType::kCenter:
      break;
  }
}

void SetFinalExtents(RenderContext& context, Point origin, Point end) {
  const WorkingSettings& settings = context.settings;
  switch (settings.calendar_type) {
    case CalendarType::kTop:
    case CalendarType::kBottom:
      context.block_width = end.x - origin.x;
      break;
    case CalendarType::kLeft:
    case CalendarType::kRight:
      context.block_height = end.y - origin.y;
      break;
    case CalendarType::kCenter:
      context.block_width = 7 * settings.char_step + settings.char_step / 2;
      context.block_height = end.x == origin.x ? end.y : end.y + settings.char_step2;
      break;
  }
}

}  // namespace

void DrawCalendarBlock(Canvas& canvas, RenderContext& context, TodayBlock today_block,
                       int block_index, std::chrono::year_month_day block_date) {
  if (context.save_window_state) context.save_window_state();
  const WorkingSettings& settings = context.settings;
  // A line-draw type the window's list does not hold has no anchor: nothing to draw.
  if (!IsKnownCalendarType(settings.calendar_type)) return;
  const CalendarType type = settings.calendar_type;
  const int style = settings.calendar_style;

  const int day = static_cast<int>(unsigned{block_date.day()});
  const DayRun days = BlockDays(style, block_date);

  // Where the block stands.
  Point origin = BlockOrigin(settings.calendar_type, {settings.position_x, settings.position_y},
                             context.screen);
  const Arrangement arrangement = ArrangementOf(style);
  // Each further block follows the one drawn just before it. (Stepping i times that
  // block's extent from the first origin would let a third block overlap a shorter second
  // month.) The Center type's height is already the previous block's bottom edge.
  if (block_index > 0 && arrangement == Arrangement::kHorizontal) {
    origin.x = context.block_left + settings.month_step + context.block_width;
  } else if (block_index > 0 && arrangement == Arrangement::kVertical) {
    origin.y = settings.month_step + context.block_height +
               (type == CalendarType::kCenter ? 0 : context.block_top);
  }
  context.block_left = origin.x;
  context.block_top = origin.y;

  const MarkAllowance allowance = ComputeMarkAllowance(settings);
  const int today_day = today_block == TodayBlock::kYes ? day : 0;
  const BlockLabel label{FormatYearMonth(settings, context.definition, block_date,
                                         context.japanese_locale ? EraNameCut::kFirstCharacter
                                                                 : EraNameCut::kWholeName),
                         today_block == TodayBlock::kYes || arrangement == Arrangement::kVertical,
                         days.date()};

  if (today_block == TodayBlock::kYes) {
    DrawBlockTodayMark(canvas, context, label, origin, days, today_day, allowance);
  }

  Point at = PlaceBlockLabels(canvas, context, label, origin, LabelPass::kDraw);
  SetInitialExtents(canvas, context);

  const bool enlarge_today = EnlargesToday(settings.today_draw_method);
  DayRun run = days;
  for (;;) {
    DrawnDay drawn;
    drawn.text = DayText(run.day(), type);
    drawn.color = GetDayColor(context, run.year(), run.month(), run.day(), today_day);
    drawn.size = enlarge_today && run.day() == today_day ? DaySize::kEnlarged : DaySize::kNormal;
    drawn.at = at;
    canvas.SetFont(DateFont(settings));
    DrawDayNumber(canvas, settings, drawn.text, drawn.color, drawn.size, at.x, at.y);
    DrawWeekdayBesideDay(canvas, context, run.date(), at);

    at = NextCell(settings, at, run.date());
    DrawDayBox(canvas, settings, type, run.day(), drawn.at.x, drawn.at.y, allowance);

    bool month_changed = false;
    if (!run.Advance(month_changed)) break;
    if (month_changed) DrawMonthSeparator(canvas, settings, at, drawn);
  }
  SetFinalExtents(context, origin, at);
}

}  // namespace orbeline
