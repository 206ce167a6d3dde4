#include "render/block_labels.h"

#include <algorithm>

#include "render/calendar_dates.h"
#include "render/label_text.h"
#include "render/year_month_label.h"

namespace orbeline {
namespace {

WeekStart WeekStartOf(const WorkingSettings& settings) {
  return settings.monday_start ? WeekStart::kMonday : WeekStart::kSunday;
}

SmallEra SmallEraOf(const WorkingSettings& settings) {
  return IsEraPartInForce(settings) ? SmallEra::kOn : SmallEra::kOff;
}

// The font of weekday names: the common font (at 60 % with SmallDayName) or Font2.
FontSetting WeekdayNameFont(const WorkingSettings& settings, int common_size) {
  const FontSetting font = WeekdayFont(settings);
  if (!settings.same_font) return font;
  return WithSize(font, settings.small_day_name ? SixtyPercent(common_size) : common_size);
}

// How much taller than the date font a separate font is (sizes in points, used as pixels).
int SizeAboveDateFont(const FontSetting& font, const WorkingSettings& settings) {
  return RenderFont(font).size - RenderFont(settings.font0).size;
}

ColorRef HeaderColumnColor(const WorkingSettings& settings, int column) {
  const int saturday = settings.monday_start ? 5 : 6;
  const int sunday = settings.monday_start ? 6 : 0;
  if (column == saturday) return settings.saturday_color;
  if (column == sunday) return settings.sunday_color;
  return settings.weekday_color;
}

// The label split for YearMonthDrawStyle 3: year to the left, month to the right (or the
// other way round with ReverseYearMonth).
struct LabelParts {
  std::string left;
  std::string right;
};

LabelParts SplitLabel(const WorkingSettings& settings, const std::string& label) {
  if (settings.year_draw == 0) return {"", label};
  std::size_t cut = label.find(' ');
  if (cut == std::string::npos) cut = label.find('/');
  if (cut == std::string::npos) return {label, ""};
  return {label.substr(0, cut), label.substr(cut + 1)};
}

Point PlaceCenterLabels(Canvas& canvas, const RenderContext& context, const BlockLabel& label,
                        Point position, LabelPass pass) {
  const WorkingSettings& settings = context.settings;
  const bool draw = pass == LabelPass::kDraw;
  const int step = settings.char_step;
  const int grid_width = 7 * step;
  const SmallEra small_era = SmallEraOf(settings);
  Point at = position;

  canvas.SetFont(YearMonthFont(settings));
  bool label_shown = false;
  if (settings.year_month_draw_style == YearMonthDrawStyle::kYearLeftMonthRight) {
    const LabelParts parts = SplitLabel(settings, label.text);
    const int offset = grid_width - MeasureLabelText(canvas, settings, parts.right);
    if (draw) {
      DrawLabelText(canvas, settings, parts.left, settings.year_month_color, small_era, at.x, at.y);
      DrawLabelText(canvas, settings, parts.right, settings.year_month_color, SmallEra::kOff,
                    at.x + offset, at.y);
    }
    label_shown = !parts.left.empty() || !parts.right.empty();
  } else {
    int offset = 0;
    if (settings.year_month_draw_style == YearMonthDrawStyle::kCentred) {
      offset = (grid_width - MeasureLabelText(canvas, settings, label.text)) / 2;
    } else if (settings.year_month_draw_style == YearMonthDrawStyle::kRight) {
      offset = grid_width - MeasureLabelText(canvas, settings, label.text);
    }
    if (draw) {
      DrawLabelText(canvas, settings, label.text, settings.year_month_color, small_era,
                    at.x + offset, at.y);
    }
    label_shown = !label.text.empty();
  }
  if (label_shown) {
    at.y += settings.char_step2 +
            (settings.same_font ? 0 : SizeAboveDateFont(settings.font1, settings));
  }

  if (settings.day_draw > DayDraw::kNone) {
    canvas.SetFont(WeekdayNameFont(settings, RenderFont(settings.font).size));
    if (draw) {
      for (int column = 0; column < 7; ++column) {
        const std::string name = GetWeekdayLabel(settings, context.definition, column);
        const int offset = (step - canvas.TextWidth(name)) / 2;
        DrawLabelText(canvas, settings, name, HeaderColumnColor(settings, column), SmallEra::kOff,
                      at.x + column * step + offset, at.y);
      }
    }
    if (!settings.same_font) {
      at.y += SizeAboveDateFont(settings.font2, settings) + settings.char_step2;
    } else if (settings.small_day_name) {
      at.y += (3 * settings.char_step2) / 5;
    } else {
      at.y += settings.char_step2;
    }
  }
  at.x += (WeekdayColumn(label.start_date, WeekStartOf(settings)) - 1) * step;
  return at;
}

}  // namespace

Point PlaceBlockLabels(Canvas& canvas, const RenderContext& context, const BlockLabel& label,
                       Point position, LabelPass pass) {
  const WorkingSettings& settings = context.settings;
  const bool draw = pass == LabelPass::kDraw;
  const SmallEra small_era = SmallEraOf(settings);
  Point at = position;
  switch (settings.calendar_type) {
    case CalendarType::kTop:
    case CalendarType::kBottom: {
      canvas.SetFont(YearMonthFont(settings));
      if (draw) {
        DrawLabelText(canvas, settings, label.text, settings.year_month_color, small_era, at.x,
                      at.y);
      }
      const int width = small_era == SmallEra::kOn ? MeasureLabelText(canvas, settings, label.text)
                                                   : canvas.TextWidth(label.text);
      at.x += width + settings.char_step2;
      break;
    }
    case CalendarType::kLeft:
    case CalendarType::kRight:
      if (draw && label.drawn_on_line) {
        int x = at.x;
        if (settings.calendar_type == CalendarType::kRight) {
          canvas.SetFont(DateFont(settings));
          const int digits = canvas.TextWidth("28");
          canvas.SetFont(YearMonthFont(settings));
          x = at.x - MeasureLabelText(canvas, settings, label.text) + digits;
        }
        canvas.SetFont(YearMonthFont(settings));
        DrawLabelText(canvas, settings, label.text, settings.year_month_color, small_era, x, at.y);
      }
      if (!label.text.empty()) at.y += settings.char_step2;
      break;
    case CalendarType::kCenter:
      at = PlaceCenterLabels(canvas, context, label, at, pass);
      break;
  }
  return at;
}

void DrawWeekdayBesideDay(Canvas& canvas, RenderContext& context, std::chrono::year_month_day date,
                          Point day_position) {
  const WorkingSettings& settings = context.settings;
  const CalendarType type = settings.calendar_type;
  if (settings.day_draw <= DayDraw::kNone || !IsLineType(type)) return;

  const FontSetting date_font = DateFont(settings);
  const int date_size = date_font.size;
  canvas.SetFont(date_font);
  const int digits_height = canvas.TextHeight("28");
  const int digits_width = canvas.TextWidth("28");
  const int digits_and_space = canvas.TextWidth("28 ");

  const FontSetting name_font = WeekdayNameFont(settings, date_size);
  canvas.SetFont(name_font);
  const std::string text =
      GetWeekdayLabel(settings, context.definition, WeekdayColumn(date, WeekStartOf(settings)) - 1);
  const int day = static_cast<int>(unsigned{date.day()});
  const int cell = day >= 10 ? settings.char_step : (2 * settings.char_step) / 3;
  const int side_dy = ((date_size - name_font.size) * 2) / 3;

  int dx = 0;
  int dy = 0;
  switch (type) {
    case CalendarType::kTop:
      dx = (cell - canvas.TextWidth(text)) / 2;
      dy = digits_height;
      context.block_height = canvas.TextHeight(text) + digits_height;
      break;
    case CalendarType::kBottom:
      dx = (cell - canvas.TextWidth(text)) / 2;
      dy = -canvas.TextHeight("28");
      context.block_height = -digits_height - canvas.TextHeight("28");
      break;
    case CalendarType::kLeft:
      dx = digits_and_space;
      dy = side_dy;
      context.block_width =
          std::max(context.block_width, canvas.TextWidth(text + " ") + digits_and_space);
      break;
    case CalendarType::kRight:
      dx = -canvas.TextWidth(text + " ");
      dy = side_dy;
      context.block_width =
          std::min(context.block_width, -digits_width - canvas.TextWidth(text + "  "));
      break;
    case CalendarType::kCenter:
      break;
  }

  ColorRef color = settings.weekday_color;
  const int weekday = DayOfWeek(date);
  if (weekday == 0) color = settings.sunday_color;
  if (weekday == 6) color = settings.saturday_color;
  DrawLabelText(canvas, settings, text, color, SmallEra::kOff, day_position.x + dx,
                day_position.y + dy);
  canvas.SetFont(WithSize(name_font, date_size));
}

}  // namespace orbeline
