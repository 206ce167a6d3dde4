// Year/month label texts, Japanese era years, weekday names and where they are drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/label_text.h"
#include "render/year_month_label.h"
#include "render_fixture.h"

namespace orbeline {
namespace {

using testing::Date;
using testing::kSaturday;
using testing::kShadow;
using testing::kSunday;
using testing::kWeekday;
using testing::kYearMonth;
using Seen = testing::RecordingCanvas::Seen;

class LabelsTest : public ::testing::Test, public testing::RenderFixture {
 protected:
  std::string Label(std::chrono::year_month_day date) {
    return FormatYearMonth(settings, definition, date, EraNameCut::kWholeName);
  }
};

TEST_F(LabelsTest, YearAndMonthJoinWithTheirSeparatorEvenWhenOneSideIsEmpty) {
  settings.year_draw = 0;
  settings.month_draw = MonthDraw{2};
  EXPECT_EQ(Label(Date(2026, 1, 16)), " January");
  settings.year_draw = 3;
  settings.month_draw = MonthDraw{0};
  EXPECT_EQ(Label(Date(2026, 1, 16)), "2026 ");
  settings.month_draw = MonthDraw{3};
  EXPECT_EQ(Label(Date(1997, 5, 1)), "1997/5");
  settings.reverse_year_month = true;
  EXPECT_EQ(Label(Date(1997, 5, 1)), "5/1997");
  settings.month_draw = MonthDraw{1};
  EXPECT_EQ(Label(Date(1997, 5, 1)), "May 1997");
  settings.month_draw = MonthDraw{5};
  EXPECT_EQ(Label(Date(1997, 12, 1)), "師走 1997");
  settings.month_draw = MonthDraw{6};  // not in the list
  EXPECT_EQ(Label(Date(1997, 12, 1)), " 1997");
}

TEST(YearFormatTest, YearTextOfEachFormat) {
  struct Row {
    int year_draw;
    std::chrono::year_month_day date;
    const char* text;
  };
  const auto reiwa8 = Date(2026, 1, 16);
  const auto heisei9 = Date(1997, 5, 1);
  // clang-format off
  const Row rows[] = {
      {0, reiwa8, ""}, {1, Date(2005, 1, 16), "05"}, {2, heisei9, "'97"}, {3, heisei9, "1997"},
      {8, reiwa8, "'26年(令和8)"}, {14, reiwa8, "'26年(令和8年)"}, {17, reiwa8, "26(R8)"},
      {4, Date(2019, 5, 1), "令和1年"}, {16, Date(2019, 4, 30), "H31"},
      {15, Date(1989, 1, 8), "1989年(平成1年)"}, {19, Date(1989, 1, 7), "1989(S64)"},
      {16, Date(1920, 6, 1), "T9"}, {16, Date(1900, 6, 1), "M33"}, {20, reiwa8, ""}};
  // clang-format on
  for (const Row& row : rows) {
    EXPECT_EQ(FormatYear(row.year_draw, row.date, EraNameCut::kWholeName), row.text) << row.text;
    // The cut of a single "g" never shows in the year formats ("ggg" and the era letter).
    EXPECT_EQ(FormatYear(row.year_draw, row.date, EraNameCut::kFirstCharacter), row.text);
  }
}

TEST(DatePictureTest, SingleGIsCutUnderAJapaneseLocale) {
  const auto date = Date(2026, 1, 16);
  EXPECT_EQ(FormatDatePicture("g", date, EraNameCut::kFirstCharacter), "令");
  EXPECT_EQ(FormatDatePicture("g", date, EraNameCut::kWholeName), "令和");
  EXPECT_EQ(FormatDatePicture("gg", date, EraNameCut::kFirstCharacter), "令和");
  EXPECT_EQ(FormatDatePicture(R"p(ge"(e)"y)p", date, EraNameCut::kWholeName), "令和8(e)26");
  EXPECT_EQ(EraLetter(date, EraNameCut::kFirstCharacter), "R");
}

TEST_F(LabelsTest, SmallEraPartIsDrawnAtSixtyPercentBottomAligned) {
  settings.shadow = true;
  settings.emperor_small = true;
  canvas.SetFont({"Arial", 10, false, false});
  // "2026年" is 50 wide and 15 high; "(令和8)" at 6 points is 30 wide and 9 high.
  EXPECT_EQ(MeasureLabelText(canvas, settings, "2026年(令和8)"), 80);
  DrawLabelText(canvas, settings, "2026年(令和8)x", kYearMonth, SmallEra::kOn, 10, 20);
  const auto texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 12u);
  // Shadows first: the part before, the era part, the rest; then the texts.
  EXPECT_EQ(texts[0].Seen(), (Seen{"2026年", 11, 20, kShadow, 10}));
  EXPECT_EQ(texts[3].Seen(), (Seen{"(令和8)", 11 + 50, 20 + 15 - 9, kShadow, 6}));
  EXPECT_EQ(texts[11].Seen(), (Seen{"x", 90, 20, kYearMonth, 10}));
  EXPECT_EQ(canvas.font().size, 10);

  // Without the flag, or without EmperorSmall for the width, the text is one piece.
  canvas.Clear();
  DrawLabelText(canvas, settings, "2026年(令和8)", kYearMonth, SmallEra::kOff, 0, 0);
  EXPECT_EQ(canvas.Texts().size(), 4u);
  settings.emperor_small = false;
  EXPECT_EQ(MeasureLabelText(canvas, settings, "2026年(令和8)"), 100);
}

TEST_F(LabelsTest, TopLabelWidthCountsTheSmallEraPart) {
  settings.year_draw = 9;
  settings.month_draw = MonthDraw{0};
  settings.emperor_small = true;
  DrawToday(Date(2026, 1, 16));
  // "2026年(令和8) ": 50 + 30 (small) + 5 = 85, then CharStep2.
  EXPECT_EQ(canvas.Text("1").x, 85 + 20);
  EXPECT_EQ(canvas.Text("(令和8)").font.size, 6);
}

// The Center type at (100, 50): the grid is 7 x 30 = 210 wide.
TEST_F(LabelsTest, CenterLabelAlignmentsAndTheSplitLabel) {
  Place(4, 100, 50);
  settings.month_draw = MonthDraw{2};  // "2026 January" is 115 wide
  const auto draw = [&](int style) {
    settings.year_month_draw_style = YearMonthDrawStyle{style};
    canvas.Clear();
    DrawToday(Date(2026, 1, 16));
  };
  const int centred[] = {100 + 47, 100, 100 + 95};
  for (int style = 0; style <= 2; ++style) {
    draw(style);
    EXPECT_EQ(canvas.Text("2026 January").x, centred[style]) << style;
  }
  // Split: the year left and the month right, or the other way round.
  draw(3);
  EXPECT_EQ(canvas.Text("2026").x, 100);
  EXPECT_EQ(canvas.Text("January").Place(), std::pair(100 + 210 - 70, 50));
  settings.reverse_year_month = true;
  draw(3);
  EXPECT_EQ(canvas.Text("January").x, 100);
  EXPECT_EQ(canvas.Text("2026").x, 100 + 210 - 40);
  // With no year the whole label goes right; month numbers split at "/".
  settings.reverse_year_month = false;
  settings.year_draw = 0;
  draw(3);
  EXPECT_EQ(canvas.Text(" January").x, 100 + 210 - 75);
  settings.year_draw = 3;
  settings.month_draw = MonthDraw{3};
  draw(3);
  EXPECT_EQ(canvas.Text("2026").x, 100);
  EXPECT_EQ(canvas.Text("1").x, 100 + 210 - 10);
}

TEST_F(LabelsTest, WeekdayHeaderWithMondayStart) {
  Place(4, 100, 50);
  settings.day_draw = DayDraw{3};
  settings.monday_start = true;
  DrawToday(Date(2026, 1, 16));
  std::vector<std::string> names;
  for (const auto& call : canvas.Texts()) {
    if (call.y == 70) names.push_back(call.text);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}));
  EXPECT_EQ(canvas.Text("Sat").Seen(), (Seen{"Sat", 100 + 5 * 30, 70, kSaturday, 10}));
  EXPECT_EQ(std::pair(canvas.Text("Mon").color, canvas.Text("Sun").color),
            std::pair(kWeekday, kSunday));
  // Days start a CharStep2 below the header; 1 January 2026 is a Thursday (column 4).
  EXPECT_EQ(canvas.Text(" 1").Place(), std::pair(100 + 3 * 30, 90));

  settings.monday_start = false;
  settings.day_draw = DayDraw{1};
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  // "S" is 10 wide: centred in the 30-wide column.
  EXPECT_EQ(canvas.Text("S").Seen(), (Seen{"S", 100 + 10, 70, kSunday, 10}));
}

TEST_F(LabelsTest, SmallDayNamesOnlyWithSameFont) {
  Place(1, 100, 50);  // Left, weekday names right of the numbers
  settings.day_draw = DayDraw{2};
  settings.same_font = true;
  settings.small_day_name = true;
  DrawToday(Date(2026, 1, 16));
  // 1 January 2026 (Thursday) at (100, 70): "Th" at 6 points, right of "28 " (25), lowered
  // by ((10 - 6) x 2) div 3 = 2.
  EXPECT_EQ(canvas.Text("Th").Seen(), (Seen{"Th", 125, 72, kWeekday, 6}));
  // BlockWidth: the larger of "28 " (25) and "Th " (15) + 25.
  EXPECT_EQ(block_width, 40);

  // Without SameFont the weekday font keeps its own size whatever SmallDayName says.
  settings.same_font = false;
  settings.font2.size = 14;
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  EXPECT_EQ(canvas.Text("Th").font.size, 14);
  EXPECT_EQ(canvas.Text("Th").y, 70 + (-8 / 3));
  EXPECT_EQ(block_width, 35 + 25);

  // In the Center header: 60 % names and a 60 % row step.
  settings.calendar_type = CalendarType{4};
  settings.same_font = true;
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  EXPECT_EQ(canvas.Text("Su").font.size, 6);
  EXPECT_EQ(canvas.Text(" 1").y, 50 + 20 + 12);
}

TEST_F(LabelsTest, WeekdayNamesBesideDaysSetTheExtentsOfEachLineType) {
  Place(0, 100, 50);
  settings.day_draw = DayDraw{3};
  struct Row {
    int type;
    int x, y;    // of "Thu", 1 January
    int extent;  // BlockHeight, or BlockWidth of the Right type
  };
  const Row rows[] = {
      {0, 130 + (20 - 30) / 2, 100 + 15, 30},         // Top: under the number, centred
      {3, 130 + (20 - 30) / 2, 800 - 100 - 15, -30},  // Bottom: over the number
      {2, 900 - 35, 70, -20 - 40},                    // Right: left of the number
  };
  for (const Row& row : rows) {
    settings.calendar_type = CalendarType{row.type};
    canvas.Clear();
    DrawToday(Date(2026, 1, 16));
    EXPECT_EQ(canvas.Text("Thu").Place(), std::pair(row.x, row.y)) << row.type;
    EXPECT_EQ(row.type == 2 ? block_width : block_height, row.extent) << row.type;
  }
}

TEST_F(LabelsTest, WeekdayLabelCuts) {
  const std::vector<std::string> expected = {"", "W", "We", "Wed", "Wednesday", "水曜日", ""};
  for (int format = 0; format <= 6; ++format) {
    settings.day_draw = DayDraw{format};
    EXPECT_EQ(GetWeekdayLabel(settings, definition, 3), expected[format]) << format;
  }
  definition.day_names[3] = "An extremely long weekday name";
  definition.day_names[10] = "一二三四五六";
  settings.day_draw = DayDraw{4};
  EXPECT_EQ(GetWeekdayLabel(settings, definition, 3), "An extremely long we");
  settings.day_draw = DayDraw{5};
  EXPECT_EQ(GetWeekdayLabel(settings, definition, 3), "一二三四五");
  // Ten columns: a wide character takes two.
  definition.day_names[10] = "ab日曜日曜";
  EXPECT_EQ(GetWeekdayLabel(settings, definition, 3), "ab日曜日曜");
  definition.day_names[10] = "abc日曜日曜";
  EXPECT_EQ(GetWeekdayLabel(settings, definition, 3), "abc日曜日");
  definition.day_names[3] = "日曜日";
  settings.day_draw = DayDraw{1};
  EXPECT_EQ(GetWeekdayLabel(settings, definition, 3), "日") << "never less than one character";
  settings.monday_start = true;
  settings.day_draw = DayDraw{3};
  EXPECT_EQ(GetWeekdayLabel(settings, definition, 6), "Sun");
  EXPECT_EQ(GetWeekdayLabel(settings, definition, 0), "Mon");
}

}  // namespace
}  // namespace orbeline
