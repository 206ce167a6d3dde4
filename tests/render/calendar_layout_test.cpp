// Which days each block holds, where blocks stand and in which order they are drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>

#include "render/calendar_dates.h"
#include "render/calendar_drawing.h"
#include "render_fixture.h"

namespace orbeline {
namespace {

using testing::Date;
using testing::RecordingCanvas;

class LayoutTest : public ::testing::Test, public testing::RenderFixture {
 protected:
  // The day numbers drawn, in order, without the day drawn again over a separator.
  std::vector<std::string> DayTexts() const {
    std::vector<std::string> days;
    for (const RecordingCanvas::Call& call : canvas.Texts()) {
      if (call.color == testing::kYearMonth) continue;
      if (!days.empty() && days.back() == call.text) continue;
      days.push_back(call.text);
    }
    return days;
  }
};

// "first".."last" of one month, then 1.."then" of the next.
std::vector<std::string> Days(int first, int last, int then = 0) {
  std::vector<std::string> days;
  for (int d = first; d <= last; ++d) days.push_back(std::to_string(d));
  for (int d = 1; d <= then; ++d) days.push_back(std::to_string(d));
  return days;
}

TEST(CalendarDatesTest, AdvanceDayWeekdayColumnAndPixelHeights) {
  int year = 2025, month = 12, day = 30;
  EXPECT_FALSE(AdvanceDay(year, month, day));
  EXPECT_TRUE(AdvanceDay(year, month, day));
  EXPECT_EQ((std::vector<int>{year, month, day}), (std::vector<int>{2026, 1, 1}));
  // Saturday 24 and Sunday 25 January 2026 close their weeks.
  EXPECT_EQ(WeekdayColumn(Date(2026, 1, 24), WeekStart::kSunday), 7);
  EXPECT_EQ(WeekdayColumn(Date(2026, 1, 25), WeekStart::kMonday), 7);
  EXPECT_EQ(PointsToPixels(20), 27);  // 26.67
  EXPECT_EQ(PointsToPixels(10), 13);  // 13.33
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);    // half away from zero
  EXPECT_EQ(MulDiv(5, 1, 0), -1);
}

// Every layout with every line-draw type: the right number of blocks, each drawing day
// numbers of its own on the side of the screen its type names.
TEST_F(LayoutTest, EveryLayoutOfEveryTypeDrawsItsBlocks) {
  settings.char_step = settings.char_step2 = 12;
  settings.position_x = 200;
  settings.position_y = 100;
  const Rect screen{0, 0, 4000, 3000};
  for (const auto today : {Date(2026, 1, 15), Date(2026, 2, 28)}) {
    for (int type = 0; type <= 4; ++type) {
      for (int style = 0; style <= 17; ++style) {
        SCOPED_TRACE("type " + std::to_string(type) + ", style " + std::to_string(style));
        settings.calendar_type = CalendarType{type};
        settings.calendar_style = style;
        std::vector<std::size_t> starts;  // the first call of each block
        RenderContext context({settings, definition, holidays, special_days, screen, today},
                              [&] { starts.push_back(canvas.calls().size()); });
        canvas.Clear();
        DrawCalendar(canvas, context);
        ASSERT_EQ(starts.size(), style < 6 ? 1u : style < 10 || style > 15 ? 2u : 3u);
        starts.push_back(canvas.calls().size());
        for (std::size_t b = 0; b + 1 < starts.size(); ++b) {
          std::set<std::string> texts;
          std::set<std::pair<int, int>> places;
          for (std::size_t i = starts[b]; i < starts[b + 1]; ++i) {
            const RecordingCanvas::Call& call = canvas.calls()[i];
            if (call.kind != RecordingCanvas::Kind::kText || call.color == testing::kYearMonth) {
              continue;
            }
            texts.insert(call.text);
            places.insert({call.x, call.y});
            const bool on_side = type == 0   ? call.y < 1500
                                 : type == 1 ? call.x < 2000
                                 : type == 2 ? call.x > 2000
                                 : type == 3 ? call.y > 1500
                                             : call.x < 2000 && call.y < 1500;
            EXPECT_TRUE(on_side && call.x >= 0 && call.y >= 0 && call.x < 4000 && call.y < 3000)
                << "block " << b << ": \"" << call.text << "\" at " << call.x << "," << call.y;
          }
          EXPECT_GE(texts.size(), 7u) << "block " << b;
          EXPECT_GE(places.size(), texts.size()) << "block " << b;
        }
      }
    }
  }
}

TEST_F(LayoutTest, StyleZeroInLeapFebruaryDrawsTwentyNineDaysAlongTheTop) {
  Place(0, 100, 50);  // Top: the distance from the top edge
  DrawToday(Date(2024, 2, 10));
  ASSERT_EQ(DayTexts(), Days(1, 29));
  // Label "2024/2" (60 wide) at the origin, then CharStep2 (20); days 1..9 step 2/3 of
  // CharStep (20), later days a whole CharStep (30).
  EXPECT_EQ(canvas.Texts()[0].Place(), std::pair(50, 100));
  EXPECT_EQ(canvas.Text("10").x, 130 + 9 * 20);
  EXPECT_EQ(canvas.Text("29").Place(), std::pair(310 + 19 * 30, 100));
  EXPECT_EQ(block_width, 880 + 30 - 50);
  EXPECT_TRUE(canvas.Lines().empty());
  for (const auto& call : canvas.Texts()) EXPECT_NE(call.color, testing::kShadow) << "Shadow off";
}

TEST_F(LayoutTest, StyleOneOnThirdOfMarchStartsAWeekBeforeInLeapAndCommonYears) {
  settings.calendar_style = 1;
  for (const auto& [year, last] : {std::pair{2024, 29}, std::pair{2023, 28}}) {
    canvas.Clear();
    DrawToday(Date(year, 3, 3));
    EXPECT_EQ(DayTexts(), Days(last - 4, last, last - 5));
    EXPECT_EQ(canvas.Lines().size(), 1u);
    // The label is that of the block date, not of the first day.
    EXPECT_EQ(canvas.Texts().front().text, std::to_string(year) + "/3");
  }
}

TEST_F(LayoutTest, StyleFourOnLastOfJanuaryRunsThirtyOneDaysWithTwoSeparators) {
  settings.calendar_style = 4;
  settings.slash_lean = 3;
  Place(0, 100, 50);
  DrawToday(Date(2025, 1, 31));
  std::vector<std::string> expected = {"31"};
  for (const std::string& d : Days(1, 28, 2)) expected.push_back(d);
  EXPECT_EQ(DayTexts(), expected);
  // Each separator is followed by the day before it drawn again over the line.
  EXPECT_EQ(canvas.Texts().size(), 1u + 33u);
  const auto lines = canvas.Lines();
  ASSERT_EQ(lines.size(), 2u);
  // "31" at x 130, the next cell at 160: the line leans from (160 + 3, 100) down to
  // (160 - 3, 100 + height of "8").
  EXPECT_EQ(lines[0].Ends(), (std::vector<int>{163, 100, 157, 115}));
  EXPECT_EQ(std::pair(lines[0].color, lines[0].width), std::pair(testing::kYearMonth, 2));
  // A leap February leaves room for 1 March only.
  canvas.Clear();
  DrawToday(Date(2024, 1, 31));
  EXPECT_EQ(DayTexts().back(), "1");
  EXPECT_EQ(DayTexts().size(), 31u);
}

TEST_F(LayoutTest, StyleFiveHalvesTheMonthAtTheSixteenth) {
  settings.calendar_style = 5;
  DrawToday(Date(2026, 1, 15));
  EXPECT_EQ(DayTexts(), Days(1, 31));
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  EXPECT_EQ(DayTexts(), Days(16, 31, 15));
}

TEST_F(LayoutTest, RightTypeSecondHorizontalBlockStandsLeftOfTheFirst) {
  Place(2, 100, 50);            // from the right edge (1000)
  settings.calendar_style = 7;  // current, next
  settings.month_step = 5;
  DrawAll(Date(2026, 1, 16));
  std::vector<std::pair<int, int>> firsts;
  for (const auto& call : canvas.Texts()) {
    if (call.text == " 1") firsts.push_back(call.Place());
  }
  // BlockWidth of the first block is -width(" 28") = -25: the second stands
  // 25 - MonthStep = 20 to the left. Both column heads skip the label row (CharStep2).
  EXPECT_EQ(firsts, (std::vector<std::pair<int, int>>{{900, 70}, {880, 70}}));
  // The label is drawn above the today block only, ending where "28" ends.
  EXPECT_EQ(canvas.Text("2026/1").x, 900 - 60 + 20);
  EXPECT_EQ(canvas.FindText("2026/2"), nullptr);
}

TEST_F(LayoutTest, CenterVerticalBlocksFollowThePreviousBottomEdgeNotPositionY) {
  Place(4, 10, 300);
  settings.calendar_style = 13;  // November, December, January
  settings.month_step = 7;
  DrawAll(Date(2026, 1, 16));
  // November 2025: label row 300, rows from 320; 30 November opens a sixth row at 420.
  EXPECT_EQ(canvas.Text("2025/11").Place(), std::pair(10 + (210 - 70) / 2, 300));
  EXPECT_EQ(canvas.Text("2025/12").y, 7 + 440);
  // December: rows from 467; 28..31 December in the fifth row (547), bottom edge 567.
  EXPECT_EQ(canvas.Text("2026/1").y, 7 + 567);
}

TEST_F(LayoutTest, MonthEndingInTheLastColumnCountsNoEmptyRow) {
  Place(4, 10, 300);
  // January 2026 ends on a Saturday: column 7 of a Sunday-first grid, the last row at 400
  // and no row counted after it. Monday first it ends in column 6.
  for (const bool monday : {false, true}) {
    settings.monday_start = monday;
    canvas.Clear();
    DrawToday(Date(2026, 1, 16));
    EXPECT_EQ(canvas.Text("31").Place(), std::pair(10 + (monday ? 5 : 6) * 30, 400));
    EXPECT_EQ(block_height, 420);
  }
}

TEST(BlockOrderTest, MonthsOfEachStyleInCalendarOrderOrReversed) {
  // Months relative to today's (the 20th: styles 16 and 17 take the next month).
  const std::vector<std::pair<int, std::vector<int>>> rows = {
      {0, {0}},         {5, {0}},        {6, {-1, 0}}, {7, {0, 1}},  {9, {0, 1}}, {10, {-2, -1, 0}},
      {11, {-1, 0, 1}}, {12, {0, 1, 2}}, {16, {0, 1}}, {17, {0, 1}}, {18, {}},    {-1, {}}};
  const auto today = Date(2026, 1, 20);
  for (auto [style, months] : rows) {
    for (const bool reverse : {false, true}) {
      if (reverse) std::reverse(months.begin(), months.end());
      std::vector<PlannedBlock> expected;
      for (const int offset : months) {
        expected.push_back(offset == 0
                               ? PlannedBlock{today, TodayBlock::kYes}
                               : PlannedBlock{FirstOfMonth(today, offset), TodayBlock::kNo});
      }
      EXPECT_EQ(PlanCalendarBlocks(style, reverse, today), expected) << style << " " << reverse;
    }
  }
  // Months wrap across the year; up to the 15th the half-month styles look back.
  const auto plan = PlanCalendarBlocks(11, false, Date(2026, 12, 5));
  ASSERT_EQ(plan.size(), 3u);
  EXPECT_EQ(std::pair(plan[0].date, plan[2].date), std::pair(Date(2026, 11, 1), Date(2027, 1, 1)));
  for (const int style : {16, 17}) {
    const auto half = PlanCalendarBlocks(style, false, Date(2026, 1, 15));
    ASSERT_EQ(half.size(), 2u);
    EXPECT_EQ(half[0].date, Date(2025, 12, 1)) << style;
  }
}

TEST_F(LayoutTest, LaterBlocksFollowTheBlockDrawnBeforeThem) {
  settings.calendar_style = 7;
  settings.month_reverse = true;
  settings.position_y = 50;
  DrawAll(Date(2026, 1, 16));
  // Reversed: February at the origin; January after it by February's width
  // (60 + 20 + 9 x 20 + 19 x 30 = 830).
  EXPECT_EQ(canvas.Text("2026/2").x, 50);
  EXPECT_EQ(canvas.Text("2026/1").x, 50 + 830);
  EXPECT_EQ(saved_count, 2);

  // January is 920 wide, February 830: March starts where February ends, not 2 x 830 from
  // the first origin (inside February).
  settings.calendar_style = 12;
  settings.month_reverse = false;
  canvas.Clear();
  DrawAll(Date(2026, 1, 16));
  EXPECT_EQ(canvas.Text("2026/3").x, 50 + 920 + 830);
  settings.calendar_type = CalendarType{1};  // Left, stacked: label row + one row of 30 per day
  settings.calendar_style = 15;
  settings.month_step = -4;
  canvas.Clear();
  DrawAll(Date(2026, 1, 16));
  EXPECT_EQ(canvas.Text("2026/3").y, 50 + 950 - 4 + 860 - 4);
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
  EXPECT_EQ(canvas.Text("31").font.size, 3000);  // 150 % of the 2000-point cap
  settings.calendar_type = CalendarType{1};
  settings.same_font = true;
  settings.font.size = std::numeric_limits<int>::min();
  canvas.Clear();
  DrawToday(Date(2026, 1, 31));
  EXPECT_EQ(canvas.Lines().size(), 2u);
}

}  // namespace
}  // namespace orbeline
