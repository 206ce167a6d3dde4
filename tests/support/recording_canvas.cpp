#include "recording_canvas.h"

#include "base/text_util.h"

namespace orbeline::testing {

int RecordingCanvas::WidthOf(std::string_view text, int size) {
  int width = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::string one = Utf8Prefix(text.substr(i), 1);
    width += one == " " ? size / 2 : size;
    i += one.empty() ? 1 : one.size();
  }
  return width;
}

int RecordingCanvas::HeightOf(int size) { return (3 * size) / 2; }

RecordingCanvas::Call RecordingCanvas::Record(Kind kind) {
  Call call;
  call.kind = kind;
  call.font = font_;
  call.pen_color = pen_color_;
  call.pen_width = pen_width_;
  call.brush_color = brush_color_;
  call.brush_style = brush_style_;
  return call;
}

void RecordingCanvas::SetFont(const FontSetting& font) {
  font_ = font;
  calls_.push_back(Record(Kind::kSetFont));
}

int RecordingCanvas::TextWidth(std::string_view text) { return WidthOf(text, font_.size); }

int RecordingCanvas::TextHeight(std::string_view) { return HeightOf(font_.size); }

void RecordingCanvas::DrawText(int x, int y, std::string_view text, ColorRef color) {
  Call call = Record(Kind::kText);
  call.x = x;
  call.y = y;
  call.text = std::string(text);
  call.color = color;
  calls_.push_back(call);
}

void RecordingCanvas::SetPen(ColorRef color, int width) {
  pen_color_ = color;
  pen_width_ = width;
  calls_.push_back(Record(Kind::kSetPen));
}

void RecordingCanvas::SetBrush(ColorRef color, BrushStyle style) {
  brush_color_ = color;
  brush_style_ = style;
  calls_.push_back(Record(Kind::kSetBrush));
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
  Call call = Record(Kind::kEllipse);
  call.x = left;
  call.y = top;
  call.right = right;
  call.bottom = bottom;
  calls_.push_back(call);
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
  Call call = Record(Kind::kRectangle);
  call.x = left;
  call.y = top;
  call.right = right;
  call.bottom = bottom;
  calls_.push_back(call);
}

void RecordingCanvas::MoveTo(int x, int y) {
  Call call = Record(Kind::kMoveTo);
  call.x = x;
  call.y = y;
  calls_.push_back(call);
}

void RecordingCanvas::LineTo(int x, int y) {
  Call call = Record(Kind::kLineTo);
  call.x = x;
  call.y = y;
  calls_.push_back(call);
}

std::vector<RecordingCanvas::Call> RecordingCanvas::Texts() const {
  std::vector<Call> texts;
  for (const Call& call : calls_) {
    if (call.kind == Kind::kText) texts.push_back(call);
  }
  return texts;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::Shapes() const {
  std::vector<Call> shapes;
  for (const Call& call : calls_) {
    if (call.kind == Kind::kEllipse || call.kind == Kind::kRectangle) shapes.push_back(call);
  }
  return shapes;
}

std::vector<RecordingCanvas::Line> RecordingCanvas::Lines() const {
  std::vector<Line> lines;
  int x = 0;
  int y = 0;
  for (const Call& call : calls_) {
    if (call.kind == Kind::kLineTo) {
      lines.push_back({x, y, call.x, call.y, call.pen_color, call.pen_width});
    }
    if (call.kind == Kind::kMoveTo || call.kind == Kind::kLineTo) {
      x = call.x;
      y = call.y;
    }
  }
  return lines;
}

const RecordingCanvas::Call* RecordingCanvas::FindText(std::string_view text) const {
  for (const Call& call : calls_) {
    if (call.kind == Kind::kText && call.text == text) return &call;
  }
  return nullptr;
}

}  // namespace orbeline::testing
