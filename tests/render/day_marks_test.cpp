// Day colours, today marks, the enlarged today and day boxes.
#include <gtest/gtest.h>

#include <algorithm>

#include "render/day_cells.h"
#include "render/day_color.h"
#include "render_fixture.h"

namespace orbeline {
namespace {

using testing::Date;
using testing::kToday;
using testing::kWeekday;
using Kind = testing::RecordingCanvas::Kind;
using Seen = testing::RecordingCanvas::Seen;

// Left type at (100, 50): the label row takes 20, so day d stands at y = 70 + (d - 1) x 30.
// " 5" is 15 wide with a 5-wide space; "15" is 20 wide; both 15 high.
class DayMarksTest : public ::testing::Test, public testing::RenderFixture {
 protected:
  DayMarksTest() { Place(1, 100, 50); }
  // The first call of this kind.
  auto First(Kind kind) const {
    return std::find_if(canvas.calls().begin(), canvas.calls().end(),
                        [&](const auto& call) { return call.kind == kind; });
  }
};

TEST_F(DayMarksTest, ShapeLiesUnderTodaysNumber) {
  struct Row {
    int method, day;
    Kind kind;
    BrushStyle brush;
    std::vector<int> box;
  };
  const Row rows[] = {
      {2, 5, Kind::kEllipse, BrushStyle::kSolid, {105, 191, 116, 205}},     // circle
      {2, 15, Kind::kEllipse, BrushStyle::kSolid, {100, 490, 120, 505}},    // circle
      {3, 5, Kind::kEllipse, BrushStyle::kClear, {105, 191, 116, 205}},     // ring
      {4, 15, Kind::kRectangle, BrushStyle::kSolid, {100, 490, 120, 505}},  // box
      {5, 5, Kind::kRectangle, BrushStyle::kClear, {105, 190, 115, 205}},   // outline
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("method " + std::to_string(row.method) + ", day " + std::to_string(row.day));
    settings.today_draw_method = TodayDrawMethod{row.method};
    canvas.Clear();
    DrawToday(Date(2026, 1, row.day));
    const auto shapes = canvas.Shapes();
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(
        std::tuple(shapes[0].kind, shapes[0].Box(), shapes[0].pen_color, shapes[0].brush_style),
        std::tuple(row.kind, row.box, kToday, row.brush));
    if (row.brush == BrushStyle::kSolid) {
      EXPECT_EQ(shapes[0].brush_color, kToday);
    }
    // Under everything: no text before it, and the brush is clear again after it.
    EXPECT_LT(First(row.kind), First(Kind::kText));
    EXPECT_EQ(canvas.calls().back().brush_style, BrushStyle::kClear);
  }
  for (const int method : {0, 1, 7, 8}) {
    settings.today_draw_method = TodayDrawMethod{method};
    canvas.Clear();
    DrawToday(Date(2026, 1, 15));
    EXPECT_TRUE(canvas.Shapes().empty() && canvas.Lines().empty()) << method;
  }
}

TEST_F(DayMarksTest, UnderlineRunsUnderTheDigitsWithATwoPixelPen) {
  settings.today_draw_method = TodayDrawMethod{6};
  for (const auto& [day, ends] : {std::pair{5, std::vector<int>{105, 205, 115, 205}},
                                  std::pair{15, std::vector<int>{100, 505, 120, 505}}}) {
    canvas.Clear();
    DrawToday(Date(2026, 1, day));
    const auto lines = canvas.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(std::tuple(lines[0].Ends(), lines[0].width, lines[0].color),
              std::tuple(ends, 2, kToday));
  }
  const auto pen = std::find_if(First(Kind::kLineTo), canvas.calls().end(),
                                [](const auto& call) { return call.kind == Kind::kSetPen; });
  ASSERT_NE(pen, canvas.calls().end());
  EXPECT_EQ(pen->pen_width, 1) << "one pixel wide again afterwards";
}

TEST_F(DayMarksTest, ItalicBoldShadowedDateFontWidensAndShiftsTheMark) {
  settings.shadow = true;
  settings.font0.italic = settings.font0.bold = true;
  EXPECT_EQ(ComputeMarkAllowance(settings).pad, 4);
  settings.today_draw_method = TodayDrawMethod{4};
  DrawToday(Date(2026, 1, 15));
  ASSERT_EQ(canvas.Shapes().size(), 1u);
  EXPECT_EQ(canvas.Shapes()[0].Box(), (std::vector<int>{99, 490, 124, 505}));
  canvas.Clear();
  settings.today_draw_method = TodayDrawMethod{2};
  DrawToday(Date(2026, 1, 5));
  ASSERT_EQ(canvas.Shapes().size(), 1u);
  EXPECT_EQ(canvas.Shapes()[0].Box(), (std::vector<int>{104, 191, 120, 205}));
  settings.same_font = true;  // the common font is upright and regular
  EXPECT_EQ(ComputeMarkAllowance(settings).pad, 1);
}

TEST_F(DayMarksTest, DayColourFollowsKindThenSpecialDayThenToday) {
  holidays.month(1)[0] = 1;  // 1 January
  special_days.records()[0] = {"Payday", "1/20", "6", "clRed", "", "0", "0"};
  special_days.records()[1] = {"New year", "1/1", "3", "clRed", "", "0", "0"};
  special_days.records()[2] = {"Own", "1/22", "1", "$00123456", "", "0", "0"};
  special_days.SplitSpecialDates();
  const RenderContext context = Context(Date(2026, 1, 16));
  const auto color = [&](int day) { return GetDayColor(context, 2026, 1, day, 0); };
  // 17 January 2026 is a Saturday, 18 a Sunday; 1 January a holiday that is also a special
  // day with role 3 ("Weekday"); role 6 on a day that is not today gives it TodayColor.
  EXPECT_EQ(
      (std::vector<ColorRef>{color(17), color(18), color(1), color(20), color(22)}),
      (std::vector<ColorRef>{testing::kSaturday, testing::kSunday, kWeekday, kToday, 0x123456}));
  holidays.month(1)[0] = 2;
  EXPECT_EQ(color(2), testing::kHoliday);
  // Today's number: TodayColor only for "Colored Date" and "Bigger w/Today's color".
  for (int method = 0; method <= 8; ++method) {
    settings.today_draw_method = TodayDrawMethod{method};
    const bool coloured = method == 1 || method == 8;
    EXPECT_EQ(GetDayColor(context, 2026, 1, 16, 16), coloured ? kToday : kWeekday) << method;
  }
}

TEST_F(DayMarksTest, BiggerTodayIsDrawnAtHalfAgainTheSizeCentredOnItsPlace) {
  Place(0, 100, 0);  // Top: "2026/1" at (0, 100)
  settings.font0.size = settings.font1.size = 12;
  // At 12 points "16" is 24 x 18; at 18 points 36 x 27: shifted by (6, 4).
  // Day 16 stands at 72 + 20 + 9 x 20 + 6 x 30 = 452 (label 6 x 12 wide).
  for (const auto& [method, color] : {std::pair{7, kWeekday}, std::pair{8, kToday}}) {
    settings.today_draw_method = TodayDrawMethod{method};
    canvas.Clear();
    DrawToday(Date(2026, 1, 16));
    EXPECT_EQ(canvas.Text("16").Seen(), (Seen{"16", 452 - 6, 100 - 4, color, 18}));
    EXPECT_EQ(canvas.Text("17").font.size, 12) << "the next day is back at 12 points";
  }
}

TEST_F(DayMarksTest, SeparatorRedrawsAnEnlargedTodayAsItWasDrawn) {
  Place(0, 100, 50);
  settings.calendar_style = 4;  // from today onward: 31 January is followed by 1 February
  settings.today_draw_method = TodayDrawMethod{8};
  settings.shadow = true;
  DrawToday(Date(2026, 1, 31));
  // Three shadow copies and the number, twice: before and after the separator line.
  std::vector<std::size_t> thirty_first;
  const auto line = static_cast<std::size_t>(First(Kind::kLineTo) - canvas.calls().begin());
  for (std::size_t i = 0; i < canvas.calls().size(); ++i) {
    if (canvas.calls()[i].text == "31") thirty_first.push_back(i);
  }
  ASSERT_EQ(thirty_first.size(), 8u);
  EXPECT_LT(thirty_first[3], line);
  EXPECT_GT(thirty_first[4], line);
  // At 15 points "31" is 30 x 22 against 20 x 15: shifted by (5, 3).
  EXPECT_EQ(canvas.calls()[thirty_first[3]].Seen(), (Seen{"31", 130 - 5, 100 - 3, kToday, 15}));
  EXPECT_EQ(canvas.calls()[thirty_first[2]].color, testing::kShadow);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(canvas.calls()[thirty_first[4 + i]].Seen(), canvas.calls()[thirty_first[i]].Seen());
  }
}

TEST_F(DayMarksTest, DayBoxesFollowTheCellOfEachType) {
  settings.day_box = true;
  settings.shadow = true;  // pad 1
  struct Row {
    int type;
    int day;               // of January 2026
    std::vector<int> box;  // around it
  };
  const Row rows[] = {
      {1, 1, {98, 68, 100 + 20 + 1 + 0 + 2, 70 + 30 - 1}},  // Left at (100, 50): (100, 70)
      // Top at (50, 100): day 1 at x 130 in a 20-wide cell, day 10 at 310 in a 30-wide one.
      {0, 1, {128, 99, 130 + 20 - 1, 100 + 15 + 1}},
      {0, 10, {308, 99, 310 + 30 - 1, 100 + 15 + 1}},
      // Center at (100, 50): 1 January 2026 in column 5, rows from 70.
      {4, 1, {100 + 120 - 2, 68, 100 + 150 - 1, 70 + 20 - 1}},
  };
  for (const Row& row : rows) {
    settings.calendar_type = CalendarType{row.type};
    canvas.Clear();
    DrawToday(Date(2026, 1, 16));
    const auto shapes = canvas.Shapes();
    ASSERT_EQ(shapes.size(), 31u);
    EXPECT_EQ(shapes[row.day - 1].Box(), row.box) << row.type;
    EXPECT_EQ(std::pair(shapes[0].pen_color, shapes[0].brush_style),
              std::pair(testing::kDaybox, BrushStyle::kClear));
  }
}

}  // namespace
}  // namespace orbeline
