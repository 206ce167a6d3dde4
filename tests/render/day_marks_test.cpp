// Day colours, today marks, the enlarged today and day boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_canvas.h"
#include "render/calendar_block.h"
#include "render/day_cells.h"
#include "render/day_color.h"
#include "render_fixture.h"

namespace orbeline {
namespace {

using testing::Date;
using testing::RecordingCanvas;

class DayMarksTest : public ::testing::Test, public testing::RenderFixture {
 protected:
  DayMarksTest() {
    settings.calendar_type =
        CalendarType{1};  // Left: days below each other, 1..9 with a leading space
    settings.position_x = 100;
    settings.position_y = 50;
  }
  void DrawToday(std::chrono::year_month_day today) {
    RenderContext context = Context(today);
    DrawCalendarBlock(canvas, context, TodayBlock::kYes, 0, today);
  }
  std::vector<int> Box(const RecordingCanvas::Call& call) {
    return {call.x, call.y, call.right, call.bottom};
  }

  RecordingCanvas canvas;
};

struct MarkRow {
  const char* name;
  int method;
  int day;
  RecordingCanvas::Kind kind;
  BrushStyle brush;
  std::vector<int> box;
};

class TodayMarkTest : public DayMarksTest, public ::testing::WithParamInterface<MarkRow> {};

// Left type at (100, 50): the label row takes 20, so day d stands at y = 70 + (d - 1) x 30.
// " 5" is 15 wide with a 5-wide space; "15" is 20 wide; both 15 high.
TEST_P(TodayMarkTest, ShapeLiesUnderTodaysNumber) {
  const MarkRow& row = GetParam();
  settings.today_draw_method = TodayDrawMethod{row.method};
  DrawToday(Date(2026, 1, row.day));
  const auto shapes = canvas.Shapes();
  ASSERT_EQ(shapes.size(), 1u);
  EXPECT_EQ(shapes[0].kind, row.kind);
  EXPECT_EQ(Box(shapes[0]), row.box);
  EXPECT_EQ(shapes[0].pen_color, testing::kToday);
  EXPECT_EQ(shapes[0].brush_style, row.brush);
  if (row.brush == BrushStyle::kSolid) {
    EXPECT_EQ(shapes[0].brush_color, testing::kToday);
  }
  // Under everything: no text before it, and the brush is clear again after it.
  for (const auto& call : canvas.calls()) {
    if (call.kind == RecordingCanvas::Kind::kText) FAIL() << "text before the mark";
    if (call.kind == row.kind) break;
  }
  EXPECT_EQ(canvas.calls().back().brush_style, BrushStyle::kClear);
}

INSTANTIATE_TEST_SUITE_P(Methods, TodayMarkTest,
                         ::testing::Values(MarkRow{"CircleAfterLeadingSpace",
                                                   2,
                                                   5,
                                                   RecordingCanvas::Kind::kEllipse,
                                                   BrushStyle::kSolid,
                                                   {105, 191, 116, 205}},
                                           MarkRow{"CircleTwoDigits",
                                                   2,
                                                   15,
                                                   RecordingCanvas::Kind::kEllipse,
                                                   BrushStyle::kSolid,
                                                   {100, 490, 120, 505}},
                                           MarkRow{"DotAfterLeadingSpace",
                                                   3,
                                                   5,
                                                   RecordingCanvas::Kind::kEllipse,
                                                   BrushStyle::kClear,
                                                   {105, 191, 116, 205}},
                                           MarkRow{"DotTwoDigits",
                                                   3,
                                                   15,
                                                   RecordingCanvas::Kind::kEllipse,
                                                   BrushStyle::kClear,
                                                   {100, 490, 120, 505}},
                                           MarkRow{"BoxAfterLeadingSpace",
                                                   4,
                                                   5,
                                                   RecordingCanvas::Kind::kRectangle,
                                                   BrushStyle::kSolid,
                                                   {105, 190, 115, 205}},
                                           MarkRow{"BoxTwoDigits",
                                                   4,
                                                   15,
                                                   RecordingCanvas::Kind::kRectangle,
                                                   BrushStyle::kSolid,
                                                   {100, 490, 120, 505}},
                                           MarkRow{"OutlineAfterLeadingSpace",
                                                   5,
                                                   5,
                                                   RecordingCanvas::Kind::kRectangle,
                                                   BrushStyle::kClear,
                                                   {105, 190, 115, 205}},
                                           MarkRow{"OutlineTwoDigits",
                                                   5,
                                                   15,
                                                   RecordingCanvas::Kind::kRectangle,
                                                   BrushStyle::kClear,
                                                   {100, 490, 120, 505}}),
                         [](const ::testing::TestParamInfo<MarkRow>& info) {
                           return info.param.name;
                         });

TEST_F(DayMarksTest, UnderlineRunsUnderTheDigitsWithATwoPixelPen) {
  settings.today_draw_method = TodayDrawMethod{6};
  DrawToday(Date(2026, 1, 5));
  auto lines = canvas.Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ((std::vector<int>{lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
            (std::vector<int>{105, 205, 115, 205}));
  EXPECT_EQ(lines[0].width, 2);
  EXPECT_EQ(lines[0].color, testing::kToday);

  canvas.Clear();
  DrawToday(Date(2026, 1, 15));
  lines = canvas.Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ((std::vector<int>{lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
            (std::vector<int>{100, 505, 120, 505}));
  // The pen is one pixel wide again afterwards.
  bool after_line = false;
  for (const auto& call : canvas.calls()) {
    if (call.kind == RecordingCanvas::Kind::kLineTo) after_line = true;
    if (after_line && call.kind == RecordingCanvas::Kind::kSetPen) {
      EXPECT_EQ(call.pen_width, 1);
      break;
    }
  }
}

TEST_F(DayMarksTest, ItalicBoldShadowedDateFontWidensAndShiftsTheMark) {
  settings.shadow = true;
  settings.font0.italic = true;
  settings.font0.bold = true;
  const MarkAllowance allowance = ComputeMarkAllowance(settings);
  EXPECT_EQ(allowance.pad, 4);
  EXPECT_EQ(allowance.italic_shift, 1);

  settings.today_draw_method = TodayDrawMethod{4};
  DrawToday(Date(2026, 1, 15));
  ASSERT_EQ(canvas.Shapes().size(), 1u);
  EXPECT_EQ(Box(canvas.Shapes()[0]), (std::vector<int>{99, 490, 124, 505}));

  canvas.Clear();
  settings.today_draw_method = TodayDrawMethod{2};
  DrawToday(Date(2026, 1, 5));
  EXPECT_EQ(Box(canvas.Shapes()[0]), (std::vector<int>{104, 191, 120, 205}));

  settings.same_font = true;  // the common font is upright and regular
  EXPECT_EQ(ComputeMarkAllowance(settings).pad, 1);
  EXPECT_EQ(ComputeMarkAllowance(settings).italic_shift, 0);
}

TEST_F(DayMarksTest, MarksOtherThanShapesDrawNoShape) {
  for (const int method : {0, 1, 7, 8}) {
    settings.today_draw_method = TodayDrawMethod{method};
    canvas.Clear();
    DrawToday(Date(2026, 1, 15));
    EXPECT_TRUE(canvas.Shapes().empty()) << method;
    EXPECT_TRUE(canvas.Lines().empty()) << method;
  }
}

TEST_F(DayMarksTest, DayColourFollowsKindThenSpecialDayThenToday) {
  holidays.month(1)[0] = 1;  // 1 January
  SpecialDay& payday = special_days.records()[0];
  payday = {"Payday", "1/20", "6", "clRed", "", "0", "0"};
  SpecialDay& new_year = special_days.records()[1];
  new_year = {"New year", "1/1", "3", "clRed", "", "0", "0"};
  SpecialDay& own = special_days.records()[2];
  own = {"Own", "1/22", "1", "$00123456", "", "0", "0"};
  special_days.SplitSpecialDates();
  const RenderContext context = Context(Date(2026, 1, 16));

  // 16 January 2026 is a Friday; 17 a Saturday, 18 a Sunday.
  EXPECT_EQ(GetDayColor(context, 2026, 1, 16, 0), testing::kWeekday);
  EXPECT_EQ(GetDayColor(context, 2026, 1, 17, 0), testing::kSaturday);
  EXPECT_EQ(GetDayColor(context, 2026, 1, 18, 0), testing::kSunday);
  // A holiday that is also a special day with role 3 ("Weekday").
  EXPECT_EQ(GetDayColor(context, 2026, 1, 1, 0), testing::kWeekday);
  EXPECT_EQ(GetDayColor(context, 2027, 1, 1, 0), testing::kWeekday);
  holidays.month(1)[0] = 2;
  EXPECT_EQ(GetDayColor(context, 2026, 1, 2, 0), testing::kHoliday);
  // Role 6 on a day that is not today gives it TodayColor.
  EXPECT_EQ(GetDayColor(context, 2026, 1, 20, 0), testing::kToday);
  EXPECT_EQ(GetDayColor(context, 2026, 1, 22, 0), 0x123456u);

  // Today's number: TodayColor only for "Colored Date" and "Bigger w/Today's color".
  for (int method = 0; method <= 8; ++method) {
    settings.today_draw_method = TodayDrawMethod{method};
    const bool coloured = method == 1 || method == 8;
    EXPECT_EQ(GetDayColor(context, 2026, 1, 16, 16), coloured ? testing::kToday : testing::kWeekday)
        << method;
  }
}

TEST_F(DayMarksTest, LaterSpecialDayDecidesAndRolesMapToTheirColours) {
  special_days.records()[0] = {"A", "1/21", "2", "clRed", "", "0", "0"};
  special_days.records()[1] = {"B", "1/21", "9", "clRed", "", "0", "0"};
  special_days.SplitSpecialDates();
  const RenderContext context = Context(Date(2026, 1, 16));
  EXPECT_EQ(GetDayColor(context, 2026, 1, 21, 0), testing::kDaybox);

  const std::vector<ColorRef> expected = {0x42,
                                          0x42,
                                          testing::kSunday,
                                          testing::kWeekday,
                                          testing::kSaturday,
                                          testing::kHoliday,
                                          testing::kToday,
                                          testing::kYearMonth,
                                          testing::kShadow,
                                          testing::kDaybox};
  for (int role = 0; role <= 9; ++role) {
    EXPECT_EQ(SpecialRoleColor(settings, role, 0x42, role == 0 ? 0x42 : 0x99), expected[role])
        << role;
  }
}

TEST_F(DayMarksTest, BiggerTodayIsDrawnAtHalfAgainTheSizeCentredOnItsPlace) {
  settings.calendar_type = CalendarType{0};  // Top: "2026/1" at (50, 100), day 1 at x 130
  settings.position_x = 100;
  settings.font0.size = 12;
  settings.font1.size = 12;
  settings.today_draw_method = TodayDrawMethod{7};
  DrawToday(Date(2026, 1, 16));
  // At 12 points "16" is 24 x 18; at 18 points 36 x 27: shifted by (6, 4).
  // Day 16 stands at 50 + 72 + 20 + 9 x 20 + 6 x 30 = 502 (label 6 x 12 wide).
  const RecordingCanvas::Call* today = canvas.FindText("16");
  ASSERT_NE(today, nullptr);
  EXPECT_EQ(today->font.size, 18);
  EXPECT_EQ(today->x, 502 - 6);
  EXPECT_EQ(today->y, 100 - 4);
  EXPECT_EQ(today->color, testing::kWeekday);
  // The next day is back at 12 points.
  EXPECT_EQ(canvas.FindText("17")->font.size, 12);

  canvas.Clear();
  settings.today_draw_method = TodayDrawMethod{8};
  DrawToday(Date(2026, 1, 16));
  EXPECT_EQ(canvas.FindText("16")->color, testing::kToday);
  EXPECT_EQ(canvas.FindText("16")->font.size, 18);
}

TEST_F(DayMarksTest, SeparatorRedrawsAnEnlargedTodayAsItWasDrawn) {
  settings.calendar_type = CalendarType{0};
  settings.position_x = 100;
  settings.calendar_style = 4;  // from today onward: 31 January is followed by 1 February
  settings.today_draw_method = TodayDrawMethod{8};
  settings.shadow = true;
  DrawToday(Date(2026, 1, 31));
  std::vector<RecordingCanvas::Call> thirty_first;
  for (const auto& call : canvas.Texts()) {
    if (call.text == "31") thirty_first.push_back(call);
  }
  // Three shadow copies and the number, twice: before and after the separator line.
  ASSERT_EQ(thirty_first.size(), 8u);
  // At 15 points "31" is 30 x 22 against 20 x 15: shifted by (5, 3).
  EXPECT_EQ(thirty_first[3].x, 130 - 5);
  EXPECT_EQ(thirty_first[3].y, 100 - 3);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(thirty_first[4 + i].x, thirty_first[i].x);
    EXPECT_EQ(thirty_first[4 + i].y, thirty_first[i].y);
    EXPECT_EQ(thirty_first[4 + i].color, thirty_first[i].color);
    EXPECT_EQ(thirty_first[4 + i].font.size, 15);
  }
  EXPECT_EQ(thirty_first[7].color, testing::kToday);
  EXPECT_EQ(thirty_first[6].color, testing::kShadow);
  // The line comes between the two drawings.
  int line_index = -1;
  int redraw_index = -1;
  for (std::size_t i = 0; i < canvas.calls().size(); ++i) {
    const auto& call = canvas.calls()[i];
    if (call.kind == RecordingCanvas::Kind::kLineTo && line_index < 0) line_index = int(i);
    if (call.kind == RecordingCanvas::Kind::kText && call.text == "31" && line_index >= 0 &&
        redraw_index < 0) {
      redraw_index = int(i);
    }
  }
  EXPECT_GT(line_index, 0);
  EXPECT_GT(redraw_index, line_index);
}

TEST_F(DayMarksTest, DayBoxesFollowTheCellOfEachType) {
  settings.day_box = true;
  settings.shadow = true;  // pad 1
  // Left at (100, 50): day 1 at (100, 70).
  DrawToday(Date(2026, 1, 16));
  auto shapes = canvas.Shapes();
  ASSERT_EQ(shapes.size(), 31u);
  EXPECT_EQ(Box(shapes[0]), (std::vector<int>{98, 68, 100 + 20 + 1 + 0 + 2, 70 + 30 - 1}));
  EXPECT_EQ(shapes[0].pen_color, testing::kDaybox);
  EXPECT_EQ(shapes[0].brush_style, BrushStyle::kClear);

  // Top at (50, 100): day 1 at x 130 in a 20-wide cell, day 10 at 310 in a 30-wide one.
  settings.calendar_type = CalendarType{0};
  settings.position_x = 100;
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  shapes = canvas.Shapes();
  EXPECT_EQ(Box(shapes[0]), (std::vector<int>{128, 99, 130 + 20 - 1, 100 + 15 + 1}));
  EXPECT_EQ(Box(shapes[9]), (std::vector<int>{308, 99, 310 + 30 - 1, 100 + 15 + 1}));

  // Center at (100, 50): 1 January 2026 in column 5, rows from 70.
  settings.calendar_type = CalendarType{4};
  settings.position_x = 100;
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  shapes = canvas.Shapes();
  EXPECT_EQ(Box(shapes[0]), (std::vector<int>{100 + 120 - 2, 68, 100 + 150 - 1, 70 + 20 - 1}));
}

}  // namespace
}  // namespace orbeline
