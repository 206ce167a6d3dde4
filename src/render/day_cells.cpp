#include "render/day_cells.h"

#include "render/label_text.h"

namespace orbeline {
namespace {

constexpr ColorRef kWhite = 0xFFFFFF;

}  // namespace

MarkAllowance ComputeMarkAllowance(const WorkingSettings& settings) {
  const FontSetting font = DateFont(settings);
  MarkAllowance allowance;
  allowance.pad = (settings.shadow ? 1 : 0) + (font.italic ? 2 : 0) + (font.bold ? 1 : 0);
  allowance.italic_shift = font.italic ? 1 : 0;
  return allowance;
}

std::string DayText(int day, CalendarType type) {
  const bool padded = day < 10 && (type == CalendarType::kLeft || type == CalendarType::kRight ||
                                   type == CalendarType::kCenter);
  return (padded ? " " : "") + std::to_string(day);
}

void DrawTodayMark(Canvas& canvas, const WorkingSettings& settings, std::string_view today_text,
                   int x, int y, MarkAllowance allowance) {
  const TodayDrawMethod method = settings.today_draw_method;
  if (!DrawsTodayShape(method)) return;
  const bool leading_space = !today_text.empty() && today_text.front() == ' ';
  const int space = leading_space ? canvas.TextWidth(" ") : 0;
  const int width = canvas.TextWidth(today_text);
  const int height = canvas.TextHeight(today_text);
  const int pad = allowance.pad;
  const int shift = allowance.italic_shift;
  const ColorRef color = settings.today_color;

  if (method == TodayDrawMethod::kUnderline) {
    canvas.SetPen(color, 2);
    canvas.MoveTo(x + space, y + height);
    canvas.LineTo(x + width, y + height);
    canvas.SetPen(color, 1);
    return;
  }
  canvas.SetPen(color, 1);
  const bool filled = method == TodayDrawMethod::kCircle || method == TodayDrawMethod::kBox;
  canvas.SetBrush(filled ? color : kWhite, filled ? BrushStyle::kSolid : BrushStyle::kClear);
  if (method == TodayDrawMethod::kCircle || method == TodayDrawMethod::kDot) {
    if (leading_space) {
      canvas.Ellipse(x + space - shift, y + 1, x + width + pad + 1, y + height);
    } else {
      canvas.Ellipse(x - shift, y, x + width + pad, y + height);
    }
  } else {
    canvas.Rectangle(x + space - shift, y, x + width + pad, y + height);
  }
  canvas.SetBrush(kWhite, BrushStyle::kClear);
}

void DrawDayNumber(Canvas& canvas, const WorkingSettings& settings, std::string_view text,
                   ColorRef color, DaySize size, int x, int y) {
  if (size == DaySize::kNormal) {
    DrawLabelText(canvas, settings, text, color, SmallEra::kOff, x, y);
    return;
  }
  const FontSetting font = canvas.font();
  const int width = canvas.TextWidth(text);
  const int height = canvas.TextHeight(text);
  canvas.SetFont(WithSize(font, (3 * font.size) / 2));
  const int dx = (canvas.TextWidth(text) - width) / 2;
  const int dy = (canvas.TextHeight(text) - height) / 2;
  DrawLabelText(canvas, settings, text, color, SmallEra::kOff, x - dx, y - dy);
  canvas.SetFont(font);
}

void DrawDayBox(Canvas& canvas, const WorkingSettings& settings, CalendarType type, int day, int x,
                int y, MarkAllowance allowance) {
  if (!settings.day_box) return;
  canvas.SetPen(settings.daybox_color, 1);
  canvas.SetBrush(kWhite, BrushStyle::kClear);
  const int step = settings.char_step;
  switch (type) {
    case CalendarType::kTop:
    case CalendarType::kBottom: {
      const int cell = day >= 10 ? step : (2 * step) / 3;
      canvas.Rectangle(x - 2, y - 1, x + cell - 1, y + canvas.TextHeight("8") + 1);
      break;
    }
    case CalendarType::kLeft:
    case CalendarType::kRight:
      canvas.Rectangle(x - 2, y - 2,
                       x + canvas.TextWidth("28") + allowance.pad + allowance.italic_shift + 2,
                       y + step - 1);
      break;
    case CalendarType::kCenter:
      canvas.Rectangle(x - 2, y - 2, x + step - 1, y + settings.char_step2 - 1);
      break;
  }
}

}  // namespace orbeline
