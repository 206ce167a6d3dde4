#include "render/label_text.h"

#include <optional>

#include "render/render_context.h"

namespace orbeline {
namespace {

// A label cut around its first parenthesised part: before "(", "(" through ")", after ")".
struct EraSplit {
  std::string_view before;
  std::string_view era;
  std::string_view after;
};

std::optional<EraSplit> SplitAtEra(std::string_view text) {
  const std::size_t open = text.find('(');
  if (open == std::string_view::npos) return std::nullopt;
  const std::size_t close = text.find(')', open);
  if (close == std::string_view::npos) return std::nullopt;
  return EraSplit{text.substr(0, open), text.substr(open, close - open + 1),
                  text.substr(close + 1)};
}

// Three copies one pixel right, down and diagonally, under the text drawn next.
void DrawShadowCopies(Canvas& canvas, const WorkingSettings& settings, std::string_view text, int x,
                      int y) {
  if (!settings.shadow || text.empty()) return;
  canvas.DrawText(x + 1, y, text, settings.shadow_color);
  canvas.DrawText(x, y + 1, text, settings.shadow_color);
  canvas.DrawText(x + 1, y + 1, text, settings.shadow_color);
}

void DrawPlain(Canvas& canvas, std::string_view text, ColorRef color, int x, int y) {
  if (!text.empty()) canvas.DrawText(x, y, text, color);
}

}  // namespace

void DrawLabelText(Canvas& canvas, const WorkingSettings& settings, std::string_view text,
                   ColorRef color, SmallEra small_era, int x, int y) {
  const std::optional<EraSplit> split =
      small_era == SmallEra::kOn ? SplitAtEra(text) : std::nullopt;
  if (!split) {
    DrawShadowCopies(canvas, settings, text, x, y);
    DrawPlain(canvas, text, color, x, y);
    return;
  }
  const FontSetting font = canvas.font();
  const FontSetting small_font = WithSize(font, SixtyPercent(font.size));
  const int width_before = canvas.TextWidth(split->before);
  const int height_before = canvas.TextHeight(split->before);
  canvas.SetFont(small_font);
  const int width_era = canvas.TextWidth(split->era);
  const int height_era = canvas.TextHeight(split->era);
  canvas.SetFont(font);

  const int era_x = x + width_before;
  const int era_y = y + height_before - height_era;
  const int after_x = era_x + width_era;
  DrawShadowCopies(canvas, settings, split->before, x, y);
  canvas.SetFont(small_font);
  DrawShadowCopies(canvas, settings, split->era, era_x, era_y);
  canvas.SetFont(font);
  DrawShadowCopies(canvas, settings, split->after, after_x, y);
  DrawPlain(canvas, split->before, color, x, y);
  canvas.SetFont(small_font);
  DrawPlain(canvas, split->era, color, era_x, era_y);
  canvas.SetFont(font);
  DrawPlain(canvas, split->after, color, after_x, y);
}

int MeasureLabelText(Canvas& canvas, const WorkingSettings& settings, std::string_view text) {
  const std::optional<EraSplit> split = settings.emperor_small ? SplitAtEra(text) : std::nullopt;
  if (!split) return canvas.TextWidth(text);
  const FontSetting font = canvas.font();
  const int width = canvas.TextWidth(split->before) + canvas.TextWidth(split->after);
  canvas.SetFont(WithSize(font, SixtyPercent(font.size)));
  const int width_era = canvas.TextWidth(split->era);
  canvas.SetFont(font);
  return width + width_era;
}

}  // namespace orbeline
