#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "render/canvas.h"

namespace orbeline::testing {

// A canvas that draws nothing and records every call, with fixed metrics so tests can
// state exact positions. With s the font's size in points:
//   width of a text = s for every character except a space, which is s div 2;
//   height of any text = (3 x s) div 2.
// So at 10 points "28" is 20 wide, " " 5, and every text 15 high. Face, bold and italic
// do not change the metrics.
class RecordingCanvas : public Canvas {
 public:
  enum class Kind { kSetFont, kText, kSetPen, kSetBrush, kEllipse, kRectangle, kMoveTo, kLineTo };

  // One call. Fields not used by a kind stay at their defaults; `font`, pen and brush are
  // the state in force when the call was made.
  struct Call {
    Kind kind = Kind::kText;
    std::string text;
    int x = 0;  // text, MoveTo, LineTo; shapes: left
    int y = 0;  // text, MoveTo, LineTo; shapes: top
    int right = 0;
    int bottom = 0;
    ColorRef color = 0;  // text colour
    FontSetting font;
    ColorRef pen_color = 0;
    int pen_width = 1;
    ColorRef brush_color = 0xFFFFFF;
    BrushStyle brush_style = BrushStyle::kSolid;

    std::vector<int> Box() const { return {x, y, right, bottom}; }
    std::pair<int, int> Place() const { return {x, y}; }
    // Text, place, colour and size, to compare a text call in one go.
    std::tuple<std::string, int, int, ColorRef, int> Seen() const {
      return {text, x, y, color, font.size};
    }
  };
  using Seen = std::tuple<std::string, int, int, ColorRef, int>;

  // A line as drawn: from the point before LineTo to its end.
  struct Line {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    ColorRef color = 0;
    int width = 1;

    std::vector<int> Ends() const { return {x1, y1, x2, y2}; }
  };

  static int WidthOf(std::string_view text, int size);
  static int HeightOf(int size);

  void SetFont(const FontSetting& font) override;
  const FontSetting& font() const override { return font_; }
  int TextWidth(std::string_view text) override { return WidthOf(text, font_.size); }
  int TextHeight(std::string_view) override { return HeightOf(font_.size); }
  void DrawText(int x, int y, std::string_view text, ColorRef color) override;
  void SetPen(ColorRef color, int width) override;
  void SetBrush(ColorRef color, BrushStyle style) override;
  void Ellipse(int left, int top, int right, int bottom) override {
    Record(Kind::kEllipse, left, top, right, bottom);
  }
  void Rectangle(int left, int top, int right, int bottom) override {
    Record(Kind::kRectangle, left, top, right, bottom);
  }
  void MoveTo(int x, int y) override { Record(Kind::kMoveTo, x, y); }
  void LineTo(int x, int y) override { Record(Kind::kLineTo, x, y); }

  const std::vector<Call>& calls() const { return calls_; }
  // The calls of these kinds, in order.
  std::vector<Call> Of(std::initializer_list<Kind> kinds) const;
  std::vector<Call> Texts() const { return Of({Kind::kText}); }
  std::vector<Call> Shapes() const { return Of({Kind::kEllipse, Kind::kRectangle}); }
  std::vector<Line> Lines() const;
  // The first text call whose text is `text`, or nullptr.
  const Call* FindText(std::string_view text) const;
  // The same call for a text the test needs: a missing text fails the test and gives a
  // call far off the canvas, so that the checks after it report instead of crashing.
  const Call& Text(std::string_view text) const;
  void Clear() { calls_.clear(); }

 private:
  Call& Record(Kind kind, int x = 0, int y = 0, int right = 0, int bottom = 0);

  std::vector<Call> calls_;
  FontSetting font_;
  ColorRef pen_color_ = 0;
  int pen_width_ = 1;
  ColorRef brush_color_ = 0xFFFFFF;
  BrushStyle brush_style_ = BrushStyle::kSolid;
};

}  // namespace orbeline::testing
