// Which days each block holds, where blocks stand and in which order they are drawn.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "recording_canvas.h"
#include "render/calendar_block.h"
#include "render/calendar_dates.h"
#include "render/calendar_drawing.h"
#include "render_fixture.h"

namespace orbeline {
namespace {

using testing::Date;
using testing::RecordingCanvas;

// The day numbers drawn, in order (the label and weekday names have other colours).
std::vector<std::string> DayTexts(const RecordingCanvas& canvas) {
  std::vector<std::string> days;
  for (const RecordingCanvas::Call& call : canvas.Texts()) {
    if (call.color != testing::kYearMonth) days.push_back(call.text);
  }
  return days;
}

// "first".."last" of one month, then 1.."then" of the next (then = 0: none).
std::vector<std::string> Days(int first, int last, int then = 0) {
  std::vector<std::string> days;
  for (int d = first; d <= last; ++d) days.push_back(std::to_string(d));
  for (int d = 1; d <= then; ++d) days.push_back(std::to_string(d));
  return days;
}

class LayoutTest : public ::testing::Test, public testing::RenderFixture {
 protected:
  // Draws the today block (or the whole calendar) for `today` with the current settings.
  void DrawToday(std::chrono::year_month_day today) {
    RenderContext context = Context(today);
    DrawCalendarBlock(canvas, context, TodayBlock::kYes, 0, today);
    block_width = context.block_width;
    block_height = context.block_height;
  }
  void DrawAll(std::chrono::year_month_day today) {
    RenderContext context = Context(today);
    DrawCalendar(canvas, context);
    block_width = context.block_width;
    block_height = context.block_height;
  }

  RecordingCanvas canvas;
  int block_width = 0;
  int block_height = 0;
};

TEST(CalendarDatesTest, DaysInMonthAdvanceDayAndWeekdayColumn) {
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2025, 4), 30);
  EXPECT_EQ(DaysInMonth(2025, 12), 31);

  int year = 2025, month = 12, day = 30;
  EXPECT_FALSE(AdvanceDay(year, month, day));
  EXPECT_TRUE(AdvanceDay(year, month, day));
  EXPECT_EQ((std::vector<int>{year, month, day}), (std::vector<int>{2026, 1, 1}));

  // 18 January 2026 is a Sunday, 24 January a Saturday.
  EXPECT_EQ(WeekdayColumn(Date(2026, 1, 18), WeekStart::kSunday), 1);
  EXPECT_EQ(WeekdayColumn(Date(2026, 1, 24), WeekStart::kSunday), 7);
  EXPECT_EQ(WeekdayColumn(Date(2026, 1, 19), WeekStart::kMonday), 1);
  EXPECT_EQ(WeekdayColumn(Date(2026, 1, 24), WeekStart::kMonday), 6);
  EXPECT_EQ(WeekdayColumn(Date(2026, 1, 18), WeekStart::kMonday), 7);
}

TEST_F(LayoutTest, StyleZeroInLeapFebruaryDrawsTwentyNineDaysAlongTheTop) {
  settings.calendar_type = CalendarType{0};
  settings.position_x = 100;  // Top: the distance from the top edge
  settings.position_y = 50;
  DrawToday(Date(2024, 2, 10));

  EXPECT_EQ(DayTexts(canvas), Days(1, 29));
  const auto texts = canvas.Texts();
  // Label "2024/2" (60 wide) at the origin, then CharStep2 (20); days 1..9 step 2/3 of
  // CharStep (20), later days a whole CharStep (30).
  EXPECT_EQ(texts[0].text, "2024/2");
  EXPECT_EQ(texts[0].x, 50);
  EXPECT_EQ(texts[0].y, 100);
  EXPECT_EQ(canvas.FindText("1")->x, 130);
  EXPECT_EQ(canvas.FindText("10")->x, 130 + 9 * 20);
  EXPECT_EQ(canvas.FindText("29")->x, 310 + 19 * 30);
  EXPECT_EQ(canvas.FindText("29")->y, 100);
  EXPECT_EQ(block_width, 880 + 30 - 50);
  EXPECT_EQ(block_height, 15);
  EXPECT_TRUE(canvas.Lines().empty());
  EXPECT_EQ(saved_count, 1);
}

TEST_F(LayoutTest, StyleOneOnThirdOfMarchStartsAWeekBeforeInLeapAndCommonYears) {
  settings.calendar_style = 1;
  DrawToday(Date(2024, 3, 3));
  // The day before the separator is drawn again over its line.
  std::vector<std::string> drawn = DayTexts(canvas);
  ASSERT_EQ(drawn[5], "29");
  drawn.erase(drawn.begin() + 5);
  EXPECT_EQ(drawn, Days(25, 29, 24));
  EXPECT_EQ(canvas.Lines().size(), 1u);
  // The label is that of the block date, not of the first day.
  EXPECT_EQ(canvas.Texts().front().text, "2024/3");

  canvas.Clear();
  DrawToday(Date(2023, 3, 3));
  drawn = DayTexts(canvas);
  ASSERT_EQ(drawn[5], "28");
  drawn.erase(drawn.begin() + 5);
  EXPECT_EQ(drawn, Days(24, 28, 23));
}

TEST_F(LayoutTest, StyleFourOnLastOfJanuaryRunsThirtyOneDaysWithTwoSeparators) {
  settings.calendar_style = 4;
  settings.slash_lean = 3;
  settings.position_x = 100;
  settings.position_y = 50;
  DrawToday(Date(2025, 1, 31));

  std::vector<std::string> expected = {"31"};
  for (const std::string& d : Days(1, 28, 2)) expected.push_back(d);
  std::vector<std::string> drawn = DayTexts(canvas);
  // Each separator is followed by the day before it drawn again over the line.
  ASSERT_EQ(drawn.size(), 33u);
  EXPECT_EQ(drawn[1], "31");
  EXPECT_EQ(drawn[30], "28");
  drawn.erase(drawn.begin() + 30);
  drawn.erase(drawn.begin() + 1);
  EXPECT_EQ(drawn, expected);

  const auto lines = canvas.Lines();
  ASSERT_EQ(lines.size(), 2u);
  // "31" at x 130 ("2025/1" is 60 wide, + 20), the next cell at 160: the line leans from
  // (160 + 3, 100) down to (160 - 3, 100 + height of "8").
  EXPECT_EQ((std::vector<int>{lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
            (std::vector<int>{163, 100, 157, 115}));
  EXPECT_EQ(lines[0].color, testing::kYearMonth);
  EXPECT_EQ(lines[0].width, 2);
  const auto texts = canvas.Texts();
  EXPECT_EQ(texts[2].text, "31");
  EXPECT_EQ(texts[2].x, 130);

  // A leap February leaves room for 1 March only.
  canvas.Clear();
  DrawToday(Date(2024, 1, 31));
  drawn = DayTexts(canvas);
  EXPECT_EQ(drawn.back(), "1");
  EXPECT_EQ(drawn.size(), 31u + 2u);
  EXPECT_EQ(canvas.Lines().size(), 2u);
}

TEST_F(LayoutTest, StyleFiveHalvesTheMonthAtTheSixteenth) {
  settings.calendar_style = 5;
  DrawToday(Date(2026, 1, 15));
  EXPECT_EQ(DayTexts(canvas), Days(1, 31));
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  std::vector<std::string> drawn = DayTexts(canvas);
  drawn.erase(drawn.begin() + 16);  // "31" again over the separator
  EXPECT_EQ(drawn, Days(16, 31, 15));
}

TEST_F(LayoutTest, HalfMonthStylesTakeThePreviousOrNextMonthByTodaysDay) {
  for (const int style : {16, 17}) {
    settings.calendar_style = style;
    canvas.Clear();
    DrawAll(Date(2026, 1, 15));
    EXPECT_EQ(canvas.Texts().front().text, "2025/12") << style;
    EXPECT_EQ(DayTexts(canvas).size(), 31u + 31u) << style;
    canvas.Clear();
    DrawAll(Date(2026, 1, 16));
    std::vector<std::string> labels;
    for (const auto& call : canvas.Texts()) {
      if (call.color == testing::kYearMonth) labels.push_back(call.text);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"2026/1", "2026/2"})) << style;
  }
}

TEST_F(LayoutTest, RightTypeSecondHorizontalBlockStandsLeftOfTheFirst) {
  settings.calendar_type = CalendarType{2};
  settings.calendar_style = 7;  // current, next
  settings.position_x = 100;    // from the right edge (1000)
  settings.position_y = 50;
  settings.month_step = 5;
  DrawAll(Date(2026, 1, 16));

  std::vector<const RecordingCanvas::Call*> firsts;
  for (const auto& call : canvas.calls()) {
    if (call.kind == RecordingCanvas::Kind::kText && call.text == " 1") firsts.push_back(&call);
  }
  ASSERT_EQ(firsts.size(), 2u);
  // BlockWidth of the first block is -width(" 28") = -25: the second stands
  // 25 - MonthStep = 20 to the left. Both column heads skip the label row (CharStep2).
  EXPECT_EQ(firsts[0]->x, 900);
  EXPECT_EQ(firsts[1]->x, 880);
  EXPECT_EQ(firsts[0]->y, 70);
  EXPECT_EQ(firsts[1]->y, 70);
  // The label is drawn above the today block only, ending where "28" ends.
  ASSERT_NE(canvas.FindText("2026/1"), nullptr);
  EXPECT_EQ(canvas.FindText("2026/1")->x, 900 - 60 + 20);
  EXPECT_EQ(canvas.FindText("2026/2"), nullptr);
  // February's column: the label row and 28 rows.
  EXPECT_EQ(block_height, 20 + 28 * 30);
}

TEST_F(LayoutTest, CenterVerticalBlocksFollowThePreviousBottomEdgeNotPositionY) {
  settings.calendar_type = CalendarType{4};
  settings.calendar_style = 13;  // November, December, January
  settings.position_x = 10;
  settings.position_y = 300;
  settings.month_step = 7;
  DrawAll(Date(2026, 1, 16));

  const auto label_y = [&](const char* text) {
    const RecordingCanvas::Call* call = canvas.FindText(text);
    return call == nullptr ? -1 : call->y;
  };
  // November 2025: label row 300, rows from 320; 1 November is a Saturday and 30 November
  // opens a sixth row at 420, so the bottom edge is 440.
  EXPECT_EQ(label_y("2025/11"), 300);
  EXPECT_EQ(canvas.FindText("2025/11")->x, 10 + (210 - 70) / 2);
  EXPECT_EQ(canvas.FindText(" 1")->x, 10 + 6 * 30);
  EXPECT_EQ(label_y("2025/12"), 7 + 440);
  // December: rows from 467; 28..31 December in the fifth row (547), bottom edge 567.
  EXPECT_EQ(label_y("2026/1"), 7 + 567);
  EXPECT_EQ(block_width, 7 * 30 + 15);
}

TEST_F(LayoutTest, MonthEndingInTheLastColumnCountsNoEmptyRow) {
  settings.calendar_type = CalendarType{4};
  settings.position_x = 10;
  settings.position_y = 300;
  // January 2026 ends on a Saturday: column 7 of a Sunday-first grid. Rows at 320..400;
  // the last day moves to a new row at 420, which is the bottom edge itself.
  DrawToday(Date(2026, 1, 16));
  EXPECT_EQ(canvas.FindText("31")->y, 400);
  EXPECT_EQ(canvas.FindText("31")->x, 10 + 6 * 30);
  EXPECT_EQ(block_height, 420);

  // Monday first, it ends in column 6 and its row counts: 400 + CharStep2.
  settings.monday_start = true;
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  EXPECT_EQ(canvas.FindText("31")->x, 10 + 5 * 30);
  EXPECT_EQ(block_height, 420);
  settings.monday_start = false;

  // February 2026 ends on a Saturday too, after four full rows.
  canvas.Clear();
  DrawToday(Date(2026, 2, 1));
  EXPECT_EQ(canvas.FindText("28")->y, 320 + 3 * 20);
  EXPECT_EQ(block_height, 320 + 4 * 20);
}

struct PlanRow {
  const char* name;
  int style;
  bool reverse;
  std::vector<int> months;  // relative to today's; 0 is the today block
};

class BlockOrderTest : public ::testing::TestWithParam<PlanRow> {};

TEST_P(BlockOrderTest, BlocksComeInCalendarOrderOrReversed) {
  const PlanRow& row = GetParam();
  const auto today = Date(2026, 1, 20);
  std::vector<PlannedBlock> expected;
  for (const int offset : row.months) {
    expected.push_back(offset == 0 ? PlannedBlock{today, TodayBlock::kYes}
                                   : PlannedBlock{FirstOfMonth(today, offset), TodayBlock::kNo});
  }
  EXPECT_EQ(PlanCalendarBlocks(row.style, row.reverse, today), expected);
}

INSTANTIATE_TEST_SUITE_P(
    AllStyles, BlockOrderTest,
    ::testing::Values(
        PlanRow{"Single", 3, false, {0}}, PlanRow{"SingleReversed", 5, true, {0}},
        PlanRow{"Style6", 6, false, {-1, 0}}, PlanRow{"Style6Reversed", 6, true, {0, -1}},
        PlanRow{"Style7", 7, false, {0, 1}}, PlanRow{"Style7Reversed", 7, true, {1, 0}},
        PlanRow{"Style8", 8, false, {-1, 0}}, PlanRow{"Style8Reversed", 8, true, {0, -1}},
        PlanRow{"Style9", 9, false, {0, 1}}, PlanRow{"Style9Reversed", 9, true, {1, 0}},
        PlanRow{"Style10", 10, false, {-2, -1, 0}},
        PlanRow{"Style10Reversed", 10, true, {0, -1, -2}},
        PlanRow{"Style11", 11, false, {-1, 0, 1}}, PlanRow{"Style11Reversed", 11, true, {1, 0, -1}},
        PlanRow{"Style12", 12, false, {0, 1, 2}}, PlanRow{"Style12Reversed", 12, true, {2, 1, 0}},
        PlanRow{"Style13", 13, false, {-2, -1, 0}},
        PlanRow{"Style13Reversed", 13, true, {0, -1, -2}},
        PlanRow{"Style14", 14, false, {-1, 0, 1}}, PlanRow{"Style14Reversed", 14, true, {1, 0, -1}},
        PlanRow{"Style15", 15, false, {0, 1, 2}}, PlanRow{"Style15Reversed", 15, true, {2, 1, 0}},
        PlanRow{"Style16After15th", 16, false, {0, 1}},
        PlanRow{"Style16After15thReversed", 16, true, {1, 0}},
        PlanRow{"Style17After15th", 17, false, {0, 1}},
        PlanRow{"Style17After15thReversed", 17, true, {1, 0}},
        PlanRow{"StyleAbove17", 18, false, {}}, PlanRow{"NegativeStyle", -1, false, {}}),
    [](const ::testing::TestParamInfo<PlanRow>& info) { return info.param.name; });

TEST(BlockOrderTest, MonthsWrapAcrossTheYear) {
  const auto plan = PlanCalendarBlocks(11, false, Date(2026, 12, 5));
  ASSERT_EQ(plan.size(), 3u);
  EXPECT_EQ(plan[0].date, Date(2026, 11, 1));
  EXPECT_EQ(plan[2].date, Date(2027, 1, 1));
  const auto half = PlanCalendarBlocks(16, true, Date(2026, 1, 15));
  EXPECT_EQ(half[1].date, Date(2025, 12, 1));
}

TEST_F(LayoutTest, ReversedHorizontalBlocksAreIndexedInDrawingOrder) {
  settings.calendar_style = 7;
  settings.month_reverse = true;
  settings.position_y = 50;
  DrawAll(Date(2026, 1, 16));
  // February (index 0) at the origin; January after it by February's width.
  const auto february = canvas.FindText("2026/2");
  const auto january = canvas.FindText("2026/1");
  ASSERT_NE(february, nullptr);
  ASSERT_NE(january, nullptr);
  EXPECT_EQ(february->x, 50);
  // February: 60 + 20 + 9 x 20 + 19 x 30 = 830 wide.
  EXPECT_EQ(january->x, 50 + 830);
  EXPECT_EQ(saved_count, 2);
  EXPECT_LT(february - &canvas.calls()[0], january - &canvas.calls()[0]);
}

TEST_F(LayoutTest, VerticalLineBlocksStepByTheHeightOfTheBlockBefore) {
  settings.calendar_type = CalendarType{1};
  settings.calendar_style = 9;  // current, next; both labels drawn
  settings.position_x = 20;
  settings.position_y = 40;
  settings.month_step = -10;
  DrawAll(Date(2026, 1, 16));
  // January: label row 20 + 31 rows of 30 = 950 high.
  ASSERT_NE(canvas.FindText("2026/2"), nullptr);
  EXPECT_EQ(canvas.FindText("2026/2")->y, 40 + 950 - 10);
  EXPECT_EQ(canvas.FindText("2026/2")->x, 20);
}

TEST_F(LayoutTest, UnknownTypeDrawsNothingAndDamagedSizesDoNotOverflow) {
  settings.calendar_type = CalendarType{5};
  DrawToday(Date(2026, 1, 16));
  EXPECT_TRUE(canvas.calls().empty());
  EXPECT_EQ(saved_count, 1);

  // Sizes and a lean no window offers, as a damaged store could hold them (the sanitizers
  // stop the test on any overflow).
  settings.calendar_type = CalendarType{4};
  settings.calendar_style = 4;
  settings.today_draw_method = TodayDrawMethod{7};
  settings.day_draw = DayDraw{3};
  settings.small_day_name = true;
  settings.font0.size = std::numeric_limits<int>::max();
  settings.font1.size = std::numeric_limits<int>::min();
  settings.font2.size = std::numeric_limits<int>::max();
  settings.slash_lean = std::numeric_limits<int>::min();
  DrawToday(Date(2026, 1, 31));
  ASSERT_NE(canvas.FindText("31"), nullptr);
  EXPECT_EQ(canvas.FindText("31")->font.size, 3000);  // 150 % of the 2000-point cap
  settings.calendar_type = CalendarType{1};
  settings.same_font = true;
  settings.font.size = std::numeric_limits<int>::min();
  canvas.Clear();
  DrawToday(Date(2026, 1, 31));
  EXPECT_EQ(canvas.Lines().size(), 2u);
}

TEST_F(LayoutTest, ThirdBlockFollowsTheSecondEvenWhenItIsShorterThanTheFirst) {
  settings.calendar_style = 12;  // January, February, March along the top
  settings.position_y = 50;
  DrawAll(Date(2026, 1, 16));
  // January is 60 + 20 + 9 x 20 + 22 x 30 = 920 wide, February (28 days) 830: March
  // starts where February ends, not 2 x 830 from the first origin (inside February).
  EXPECT_EQ(canvas.FindText("2026/2")->x, 50 + 920);
  EXPECT_EQ(canvas.FindText("2026/3")->x, 50 + 920 + 830);

  settings.calendar_type = CalendarType{1};  // Left, stacked: label row + one row of 30 per day
  settings.calendar_style = 15;
  settings.month_step = 4;
  canvas.Clear();
  DrawAll(Date(2026, 1, 16));
  EXPECT_EQ(canvas.FindText("2026/2")->y, 50 + 950 + 4);
  EXPECT_EQ(canvas.FindText("2026/3")->y, 50 + 950 + 4 + 860 + 4);
}

TEST_F(LayoutTest, StyleAbove17DrawsNothing) {
  settings.calendar_style = 18;
  DrawAll(Date(2026, 1, 16));
  EXPECT_TRUE(canvas.Texts().empty());
  EXPECT_EQ(saved_count, 0);
}

}  // namespace
}  // namespace orbeline
