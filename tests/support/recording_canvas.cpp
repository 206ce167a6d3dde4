#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>

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

RecordingCanvas::Call& RecordingCanvas::Record(Kind kind, int x, int y, int right, int bottom) {
  calls_.push_back({kind, "", x, y, right, bottom, 0, font_, pen_color_, pen_width_, brush_color_,
                    brush_style_});
  return calls_.back();
}

void RecordingCanvas::SetFont(const FontSetting& font) {
  font_ = font;
  Record(Kind::kSetFont);
}

void RecordingCanvas::DrawText(int x, int y, std::string_view text, ColorRef color) {
  Call& call = Record(Kind::kText, x, y);
  call.text = std::string(text);
  call.color = color;
}

void RecordingCanvas::SetPen(ColorRef color, int width) {
  pen_color_ = color;
  pen_width_ = width;
  Record(Kind::kSetPen);
}

void RecordingCanvas::SetBrush(ColorRef color, BrushStyle style) {
  brush_color_ = color;
  brush_style_ = style;
  Record(Kind::kSetBrush);
}

std::vector<RecordingCanvas::Call> RecordingCanvas::Of(std::initializer_list<Kind> kinds) const {
  std::vector<Call> found;
  for (const Call& call : calls_) {
    if (std::find(kinds.begin(), kinds.end(), call.kind) != kinds.end()) found.push_back(call);
  }
  return found;
}

std::vector<RecordingCanvas::Line> RecordingCanvas::Lines() const {
  std::vector<Line> lines;
  int x = 0;
  int y = 0;
  for (const Call& call : Of({Kind::kMoveTo, Kind::kLineTo})) {
    if (call.kind == Kind::kLineTo) {
      lines.push_back({x, y, call.x, call.y, call.pen_color, call.pen_width});
    }
    x = call.x;
    y = call.y;
  }
  return lines;
}

const RecordingCanvas::Call* RecordingCanvas::FindText(std::string_view text) const {
  for (const Call& call : calls_) {
    if (call.kind == Kind::kText && call.text == text) return &call;
  }
  return nullptr;
}

const RecordingCanvas::Call& RecordingCanvas::Text(std::string_view text) const {
  static const Call kMissing = [] {
    Call missing;
    missing.text = "(missing)";
    missing.x = missing.y = -99999;
    return missing;
  }();
  const Call* call = FindText(text);
  if (call != nullptr) return *call;
  ADD_FAILURE() << "no text \"" << text << "\" was drawn";
  return kMissing;
}

}  // namespace orbeline::testing
