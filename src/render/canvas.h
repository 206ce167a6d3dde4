#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

#include "base/color_text.h"
#include "settings/font_setting.h"

namespace orbeline {

// Windows' MulDiv: number * numerator / denominator in 64 bits, rounded half away from zero
// and clamped to the int range. A zero denominator gives -1, as there.
constexpr int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  const std::int64_t magnitude = product < 0 ? -product : product;
  const std::int64_t divisor = denominator < 0 ? -std::int64_t{denominator} : denominator;
  std::int64_t quotient = (magnitude + divisor / 2) / divisor;
  if ((product < 0) != (denominator < 0)) quotient = -quotient;
  return static_cast<int>(std::clamp<std::int64_t>(quotient, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// Pixel height of a font of `points` points on the 96 dpi screen the sizes were chosen for.
constexpr int PointsToPixels(int points) { return MulDiv(points, 96, 72); }

enum class BrushStyle { kSolid, kClear };

// Whether text edges are smoothed with shades between the text and what lies under it.
enum class TextRendering { kAntialiased, kAliased };

// What the renderer needs from a drawing surface, shaped after GDI so that positions come
// out as the calendar's layout rules state them. Coordinates are pixels, X to the right
// and Y downwards. Fonts are named by face, size in points, bold and italic.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetFont(const FontSetting& font) = 0;
  virtual const FontSetting& font() const = 0;

  // Metrics of the current font. The height is that of the whole character cell
  // (ascent + descent), whatever the text.
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;

  // Draws UTF-8 text with its cell's top-left corner at (x, y) on a transparent background.
  virtual void DrawText(int x, int y, std::string_view text, ColorRef color) = 0;
  // Text is antialiased until told otherwise; a canvas without shades may ignore this.
  virtual void SetTextRendering(TextRendering /*rendering*/) {}

  // A solid pen `width` pixels wide; outlines and lines use it.
  virtual void SetPen(ColorRef color, int width) = 0;
  // The fill of ellipses and rectangles; kClear leaves the interior alone.
  virtual void SetBrush(ColorRef color, BrushStyle style) = 0;

  // Boxes are (left, top, right, bottom) with right and bottom exclusive: the outline is
  // drawn inside the box with the pen and the interior filled with the brush.
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;

  // A line from the current point to (x, y), the end point itself not drawn; the end point
  // becomes the current point.
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
};

}  // namespace orbeline
