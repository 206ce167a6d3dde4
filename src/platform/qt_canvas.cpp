#include "platform/qt_canvas.h"

#include <QFontMetrics>
#include <QPen>
#include <QString>
#include <algorithm>

namespace orbeline {
namespace {

// Qt needs a positive pixel size; sizes beyond this only come from damaged settings and
// would make the glyph cache huge.
constexpr int kMaxPixelSize = 2000;

QColor ToQColor(ColorRef color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QFont MakeQtFont(const FontSetting& font, TextRendering rendering) {
  QFont result(QString::fromStdString(font.name));
  result.setPixelSize(std::clamp(PointsToPixels(font.size), 1, kMaxPixelSize));
  result.setBold(font.bold);
  result.setItalic(font.italic);
  result.setStyleStrategy(
      rendering == TextRendering::kAliased
          ? QFont::NoAntialias
          : static_cast<QFont::StyleStrategy>(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
  return result;
}

QtCanvas::QtCanvas(std::uint32_t* pixels, int width, int height, int stride_bytes)
    : image_(reinterpret_cast<uchar*>(pixels), width, height, stride_bytes, QImage::Format_RGB32) {
  painter_.begin(&image_);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setBackgroundMode(Qt::TransparentMode);
  SetFont(font_);
}

QtCanvas::~QtCanvas() { painter_.end(); }

void QtCanvas::SetFont(const FontSetting& font) {
  font_ = font;
  const auto same = [&](const ResolvedFont& resolved) {
    return resolved.setting == font && resolved.rendering == text_rendering_;
  };
  const auto found = std::find_if(fonts_.begin(), fonts_.end(), same);
  current_font_ = static_cast<std::size_t>(found - fonts_.begin());
  if (found == fonts_.end()) {
    QFont qfont = MakeQtFont(font, text_rendering_);
    QFontMetrics metrics(qfont, &image_);
    fonts_.push_back({font, text_rendering_, std::move(qfont), std::move(metrics)});
  }
  painter_.setFont(fonts_[current_font_].font);
}

void QtCanvas::SetTextRendering(TextRendering rendering) {
  text_rendering_ = rendering;
  painter_.setRenderHint(QPainter::TextAntialiasing, rendering == TextRendering::kAntialiased);
  SetFont(font_);
}

int QtCanvas::TextWidth(std::string_view text) {
  return fonts_[current_font_].metrics.horizontalAdvance(ToQString(text));
}

int QtCanvas::TextHeight(std::string_view) { return fonts_[current_font_].metrics.height(); }

void QtCanvas::DrawText(int x, int y, std::string_view text, ColorRef color) {
  painter_.setPen(ToQColor(color));
  painter_.drawText(QPoint(x, y + fonts_[current_font_].metrics.ascent()), ToQString(text));
}

void QtCanvas::SetPen(ColorRef color, int width) {
  pen_color_ = ToQColor(color);
  pen_width_ = std::max(width, 1);
}

void QtCanvas::SetBrush(ColorRef color, BrushStyle style) {
  brush_color_ = ToQColor(color);
  brush_style_ = style;
}

void QtCanvas::ApplyShapeStyle() {
  painter_.setPen(QPen(pen_color_, pen_width_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter_.setBrush(brush_style_ == BrushStyle::kSolid ? QBrush(brush_color_) : QBrush());
}

// Qt strokes a QRect(x, y, w, h) over w + 1 by h + 1 pixels with a one-pixel pen, so the
// box of right/bottom-exclusive corners is one pixel smaller on each axis.
void QtCanvas::Ellipse(int left, int top, int right, int bottom) {
  if (right - left < 2 || bottom - top < 2) return;
  ApplyShapeStyle();
  // The outline runs through the centres of the box's outer pixels.
  painter_.drawEllipse(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
}

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (right - left < 2 || bottom - top < 2) return;
  ApplyShapeStyle();
  painter_.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QtCanvas::MoveTo(int x, int y) { current_ = QPoint(x, y); }

void QtCanvas::LineTo(int x, int y) {
  const QPoint end(x, y);
  if (end != current_) {
    // A flat cap leaves the end point out, as GDI's LineTo does.
    painter_.setPen(QPen(pen_color_, pen_width_, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter_.drawLine(current_, end);
  }
  current_ = end;
}

}  // namespace orbeline
