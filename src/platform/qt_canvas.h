#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <cstdint>
#include <string_view>
#include <vector>

#include "render/canvas.h"

namespace orbeline {

// The renderer's canvas on a 32-bit pixel buffer owned by someone else (the work bitmap):
// the buffer is wrapped, not copied, and painted in place (Format_RGB32, 0xFFRRGGBB).
// Text is antialiased in grayscale unless told otherwise; shapes and lines are not, as on GDI.
// Fonts are looked up by family through fontconfig (Arial resolves to Liberation Sans, Japanese
// text falls back to a font that has it) at MulDiv(points, 96, 72) pixels, each once per canvas.
// A QGuiApplication must exist while fonts are used.
class QtCanvas : public Canvas {
 public:
  QtCanvas(std::uint32_t* pixels, int width, int height, int stride_bytes);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  void SetFont(const FontSetting& font) override;
  const FontSetting& font() const override { return font_; }
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  void DrawText(int x, int y, std::string_view text, ColorRef color) override;
  void SetTextRendering(TextRendering rendering) override;
  void SetPen(ColorRef color, int width) override;
  void SetBrush(ColorRef color, BrushStyle style) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;

 private:
  void ApplyShapeStyle();

  // A font resolved for this canvas, with its metrics: a drawing uses a handful of fonts many
  // times each, and each is looked up once.
  struct ResolvedFont {
    FontSetting setting;
    TextRendering rendering;
    QFont font;
    QFontMetrics metrics;
  };

  QImage image_;
  QPainter painter_;
  FontSetting font_;
  TextRendering text_rendering_ = TextRendering::kAntialiased;
  std::vector<ResolvedFont> fonts_;
  std::size_t current_font_ = 0;  // index into fonts_
  QColor pen_color_{Qt::black};
  int pen_width_ = 1;
  QColor brush_color_{Qt::white};
  BrushStyle brush_style_ = BrushStyle::kSolid;
  QPoint current_;
};

// The Qt font for a font setting: family by name, pixel size from points, grayscale
// antialiasing or none.
QFont MakeQtFont(const FontSetting& font, TextRendering rendering = TextRendering::kAntialiased);

}  // namespace orbeline
