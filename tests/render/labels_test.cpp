// Year/month label texts, Japanese era years, weekday names and where they are drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_canvas.h"
#include "render/calendar_block.h"
#include "render/label_text.h"
#include "render/year_month_label.h"
#include "render_fixture.h"

namespace orbeline {
namespace {

using testing::Date;
using testing::RecordingCanvas;

class LabelsTest : public ::testing::Test, public testing::RenderFixture {
 protected:
  std::string Label(std::chrono::year_month_day date) {
    return FormatYearMonth(settings, definition, date, EraNameCut::kWholeName);
  }
  void DrawToday(std::chrono::year_month_day today) {
    RenderContext context = Context(today);
    DrawCalendarBlock(canvas, context, TodayBlock::kYes, 0, today);
    block_width = context.block_width;
    block_height = context.block_height;
  }
  std::vector<RecordingCanvas::Call> TextsIn(ColorRef color) const {
    std::vector<RecordingCanvas::Call> found;
    for (const auto& call : canvas.Texts()) {
      if (call.color == color) found.push_back(call);
    }
    return found;
  }

  RecordingCanvas canvas;
  int block_width = 0;
  int block_height = 0;
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
  settings.month_draw = MonthDraw{4};
  EXPECT_EQ(Label(Date(1997, 11, 1)), "十一月 1997");
  settings.month_draw = MonthDraw{5};
  EXPECT_EQ(Label(Date(1997, 12, 1)), "師走 1997");
  settings.month_draw = MonthDraw{6};  // not in the list
  EXPECT_EQ(Label(Date(1997, 12, 1)), " 1997");
}

struct YearRow {
  const char* name;
  int year_draw;
  std::chrono::year_month_day date;
  const char* text;
};

class YearFormatTest : public ::testing::TestWithParam<YearRow> {};

TEST_P(YearFormatTest, YearTextOfEachFormat) {
  const YearRow& row = GetParam();
  EXPECT_EQ(FormatYear(row.year_draw, row.date, EraNameCut::kWholeName), row.text);
  // The cut of a single "g" never shows in the year formats ("ggg" and the era letter).
  EXPECT_EQ(FormatYear(row.year_draw, row.date, EraNameCut::kFirstCharacter), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    AllFormats, YearFormatTest,
    ::testing::Values(YearRow{"None", 0, Date(2026, 1, 16), ""},
                      YearRow{"TwoDigits", 1, Date(2026, 1, 16), "26"},
                      YearRow{"TwoDigitsWithZero", 1, Date(2005, 1, 16), "05"},
                      YearRow{"Apostrophe", 2, Date(1997, 5, 1), "'97"},
                      YearRow{"FourDigits", 3, Date(1997, 5, 1), "1997"},
                      YearRow{"EraReiwa", 4, Date(2026, 1, 16), "令和8年"},
                      YearRow{"TwoDigitsNen", 5, Date(2026, 1, 16), "26年"},
                      YearRow{"FourDigitsNen", 6, Date(2026, 1, 16), "2026年"},
                      YearRow{"Format7", 7, Date(2026, 1, 16), "26年(令和8)"},
                      YearRow{"Format8", 8, Date(2026, 1, 16), "'26年(令和8)"},
                      YearRow{"Format9", 9, Date(2026, 1, 16), "2026年(令和8)"},
                      YearRow{"Format10", 10, Date(2026, 1, 16), "26(令和8年)"},
                      YearRow{"Format11", 11, Date(2026, 1, 16), "'26(令和8年)"},
                      YearRow{"Format12", 12, Date(2026, 1, 16), "2026(令和8年)"},
                      YearRow{"Format13", 13, Date(2026, 1, 16), "26年(令和8年)"},
                      YearRow{"Format14", 14, Date(2026, 1, 16), "'26年(令和8年)"},
                      YearRow{"Format15", 15, Date(2026, 1, 16), "2026年(令和8年)"},
                      YearRow{"LetterReiwaIsR", 16, Date(2026, 1, 16), "R8"},
                      YearRow{"Format17", 17, Date(2026, 1, 16), "26(R8)"},
                      YearRow{"Format18", 18, Date(2026, 1, 16), "'26(R8)"},
                      YearRow{"Format19", 19, Date(2026, 1, 16), "2026(R8)"},
                      YearRow{"HeiseiLetter", 16, Date(1997, 5, 1), "H9"},
                      YearRow{"HeiseiFormat17", 17, Date(1997, 5, 1), "97(H9)"},
                      YearRow{"HeiseiFormat18", 18, Date(1997, 5, 1), "'97(H9)"},
                      YearRow{"HeiseiFormat19", 19, Date(1997, 5, 1), "1997(H9)"},
                      YearRow{"HeiseiName", 4, Date(1997, 5, 1), "平成9年"},
                      YearRow{"FirstYearOfReiwa", 4, Date(2019, 5, 1), "令和1年"},
                      YearRow{"FirstYearOfReiwaLetter", 16, Date(2019, 5, 1), "R1"},
                      YearRow{"LastDayOfHeisei", 16, Date(2019, 4, 30), "H31"},
                      YearRow{"FirstYearOfHeisei", 15, Date(1989, 1, 8), "1989年(平成1年)"},
                      YearRow{"LastDayOfShowa", 19, Date(1989, 1, 7), "1989(S64)"},
                      YearRow{"Taisho", 16, Date(1920, 6, 1), "T9"},
                      YearRow{"Meiji", 16, Date(1900, 6, 1), "M33"},
                      YearRow{"OutOfRange", 20, Date(2026, 1, 16), ""}),
    [](const ::testing::TestParamInfo<YearRow>& info) { return info.param.name; });

TEST(DatePictureTest, SingleGIsCutUnderAJapaneseLocale) {
  const auto date = Date(2026, 1, 16);
  EXPECT_EQ(FormatDatePicture("g", date, EraNameCut::kFirstCharacter), "令");
  EXPECT_EQ(FormatDatePicture("g", date, EraNameCut::kWholeName), "令和");
  EXPECT_EQ(FormatDatePicture("gg", date, EraNameCut::kFirstCharacter), "令和");
  EXPECT_EQ(FormatDatePicture("ggg", date, EraNameCut::kFirstCharacter), "令和");
  EXPECT_EQ(FormatDatePicture(R"p(ge"(e)"y)p", date, EraNameCut::kWholeName), "令和8(e)26");
  EXPECT_EQ(EraLetter(date, EraNameCut::kFirstCharacter), "R");
}

TEST_F(LabelsTest, SmallEraPartIsDrawnAtSixtyPercentBottomAligned) {
  settings.shadow = true;
  settings.emperor_small = true;
  canvas.SetFont({"Arial", 10, false, false});
  // "2026年" is 50 wide and 15 high; "(令和8)" at 6 points is 30 wide and 9 high.
  EXPECT_EQ(MeasureLabelText(canvas, settings, "2026年(令和8)"), 80);
  DrawLabelText(canvas, settings, "2026年(令和8)x", testing::kYearMonth, SmallEra::kOn, 10, 20);
  const auto texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 12u);
  // Shadows first: the part before at +1/+1, the era part, the rest; then the texts.
  EXPECT_EQ(texts[0].text, "2026年");
  EXPECT_EQ(texts[0].x, 11);
  EXPECT_EQ(texts[0].color, testing::kShadow);
  EXPECT_EQ(texts[3].text, "(令和8)");
  EXPECT_EQ(texts[3].x, 11 + 50);
  EXPECT_EQ(texts[3].y, 20 + 15 - 9);
  EXPECT_EQ(texts[3].font.size, 6);
  const auto& era = texts[10];
  EXPECT_EQ(era.text, "(令和8)");
  EXPECT_EQ(era.x, 60);
  EXPECT_EQ(era.y, 26);
  EXPECT_EQ(era.color, testing::kYearMonth);
  EXPECT_EQ(texts[11].text, "x");
  EXPECT_EQ(texts[11].x, 90);
  EXPECT_EQ(texts[11].font.size, 10);
  EXPECT_EQ(canvas.font().size, 10);

  // Without the flag, or without EmperorSmall for the width, the text is one piece.
  canvas.Clear();
  DrawLabelText(canvas, settings, "2026年(令和8)", testing::kYearMonth, SmallEra::kOff, 0, 0);
  EXPECT_EQ(canvas.Texts().size(), 4u);
  settings.emperor_small = false;
  EXPECT_EQ(MeasureLabelText(canvas, settings, "2026年(令和8)"), 100);
}

TEST_F(LabelsTest, EraPartIsInForceOnlyForParenthesisedFormats) {
  settings.emperor_small = true;
  std::vector<int> in_force;
  for (int format = 0; format <= 19; ++format) {
    settings.year_draw = format;
    if (IsEraPartInForce(settings)) in_force.push_back(format);
  }
  EXPECT_EQ(in_force, (std::vector<int>{7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19}));
  settings.emperor_small = false;
  settings.year_draw = 9;
  EXPECT_FALSE(IsEraPartInForce(settings));
}

TEST_F(LabelsTest, TopLabelWidthCountsTheSmallEraPart) {
  settings.year_draw = 9;
  settings.month_draw = MonthDraw{0};
  settings.emperor_small = true;
  settings.position_y = 50;
  DrawToday(Date(2026, 1, 16));
  // "2026年(令和8) ": 50 + 30 (small) + 5 = 85, then CharStep2.
  EXPECT_EQ(canvas.FindText("1")->x, 50 + 85 + 20);
  EXPECT_EQ(canvas.FindText("(令和8)")->font.size, 6);
}

TEST_F(LabelsTest, CenterLabelAlignments) {
  settings.calendar_type = CalendarType{4};
  settings.position_x = 100;
  settings.position_y = 50;
  settings.month_draw = MonthDraw{2};  // "2026 January" is 115 wide; the grid is 210
  const std::vector<int> expected_x = {100 + 47, 100, 100 + 95};
  for (int style = 0; style <= 2; ++style) {
    settings.year_month_draw_style = YearMonthDrawStyle{style};
    canvas.Clear();
    DrawToday(Date(2026, 1, 16));
    ASSERT_NE(canvas.FindText("2026 January"), nullptr) << style;
    EXPECT_EQ(canvas.FindText("2026 January")->x, expected_x[style]) << style;
  }
}

TEST_F(LabelsTest, SplitLabelPutsYearLeftAndMonthRightOrTheOtherWayRound) {
  settings.calendar_type = CalendarType{4};
  settings.position_x = 100;
  settings.position_y = 50;
  settings.month_draw = MonthDraw{2};
  settings.year_month_draw_style = YearMonthDrawStyle{3};
  DrawToday(Date(2026, 1, 16));
  EXPECT_EQ(canvas.FindText("2026")->x, 100);
  EXPECT_EQ(canvas.FindText("January")->x, 100 + 210 - 70);
  EXPECT_EQ(canvas.FindText("January")->y, 50);

  settings.reverse_year_month = true;
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  EXPECT_EQ(canvas.FindText("January")->x, 100);
  EXPECT_EQ(canvas.FindText("2026")->x, 100 + 210 - 40);

  // With no year the whole label goes right; month numbers split at "/".
  settings.reverse_year_month = false;
  settings.year_draw = 0;
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  EXPECT_EQ(canvas.FindText(" January")->x, 100 + 210 - 75);
  settings.year_draw = 3;
  settings.month_draw = MonthDraw{3};
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  EXPECT_EQ(canvas.FindText("2026")->x, 100);
  EXPECT_EQ(canvas.FindText("1")->x, 100 + 210 - 10);
}

TEST_F(LabelsTest, WeekdayHeaderWithMondayStart) {
  settings.calendar_type = CalendarType{4};
  settings.position_x = 100;
  settings.position_y = 50;
  settings.day_draw = DayDraw{3};
  settings.monday_start = true;
  DrawToday(Date(2026, 1, 16));
  std::vector<std::string> names;
  for (const auto& call : canvas.Texts()) {
    if (call.y == 70) names.push_back(call.text);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}));
  EXPECT_EQ(canvas.FindText("Mon")->x, 100);
  EXPECT_EQ(canvas.FindText("Mon")->color, testing::kWeekday);
  EXPECT_EQ(canvas.FindText("Sat")->x, 100 + 5 * 30);
  EXPECT_EQ(canvas.FindText("Sat")->color, testing::kSaturday);
  EXPECT_EQ(canvas.FindText("Sun")->color, testing::kSunday);
  // Days start a CharStep2 below the header; 1 January 2026 is a Thursday (column 4).
  EXPECT_EQ(canvas.FindText(" 1")->y, 90);
  EXPECT_EQ(canvas.FindText(" 1")->x, 100 + 3 * 30);

  settings.monday_start = false;
  settings.day_draw = DayDraw{1};
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  EXPECT_EQ(canvas.FindText("S")->color, testing::kSunday);
  // "S" is 10 wide: centred in the 30-wide column.
  EXPECT_EQ(canvas.FindText("S")->x, 100 + 10);
}

TEST_F(LabelsTest, SmallDayNamesOnlyWithSameFont) {
  settings.calendar_type = CalendarType{1};  // Left, weekday names right of the numbers
  settings.position_x = 100;
  settings.position_y = 50;
  settings.day_draw = DayDraw{2};
  settings.same_font = true;
  settings.small_day_name = true;
  DrawToday(Date(2026, 1, 16));
  // 1 January 2026 (Thursday) at (100, 70): "Th" at 6 points, right of "28 " (25), lowered
  // by ((10 - 6) x 2) div 3 = 2.
  const RecordingCanvas::Call* thursday = canvas.FindText("Th");
  ASSERT_NE(thursday, nullptr);
  EXPECT_EQ(thursday->font.size, 6);
  EXPECT_EQ(thursday->x, 125);
  EXPECT_EQ(thursday->y, 72);
  EXPECT_EQ(thursday->color, testing::kWeekday);
  EXPECT_EQ(canvas.FindText("Sa")->color, testing::kSaturday);
  // BlockWidth: the larger of "28 " (25) and "Th " (15) + 25.
  EXPECT_EQ(block_width, 40);

  // Without SameFont the weekday font keeps its own size whatever SmallDayName says.
  settings.same_font = false;
  settings.font2.size = 14;
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  thursday = canvas.FindText("Th");
  EXPECT_EQ(thursday->font.size, 14);
  EXPECT_EQ(thursday->y, 70 + (-8 / 3));
  EXPECT_EQ(block_width, 35 + 25);

  // In the Center header: 60 % names and a 60 % row step.
  settings.calendar_type = CalendarType{4};
  settings.same_font = true;
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  EXPECT_EQ(canvas.FindText("Su")->font.size, 6);
  EXPECT_EQ(canvas.FindText(" 1")->y, 50 + 20 + 12);
}

TEST_F(LabelsTest, WeekdayNamesBesideDaysSetTheExtentsOfEachLineType) {
  settings.day_draw = DayDraw{3};
  settings.position_x = 100;
  settings.position_y = 50;

  settings.calendar_type = CalendarType{0};  // Top: under the number, centred in the cell
  DrawToday(Date(2026, 1, 16));
  const RecordingCanvas::Call* thursday = canvas.FindText("Thu");
  EXPECT_EQ(thursday->x, 130 + (20 - 30) / 2);
  EXPECT_EQ(thursday->y, 100 + 15);
  EXPECT_EQ(block_height, 30);

  settings.calendar_type = CalendarType{3};  // Bottom: over the number
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  thursday = canvas.FindText("Thu");
  EXPECT_EQ(thursday->y, 800 - 100 - 15);
  EXPECT_EQ(block_height, -30);

  settings.calendar_type = CalendarType{2};  // Right: left of the number
  canvas.Clear();
  DrawToday(Date(2026, 1, 16));
  thursday = canvas.FindText("Thu");
  EXPECT_EQ(thursday->x, 900 - 35);
  EXPECT_EQ(thursday->y, 70);
  EXPECT_EQ(block_width, -20 - 40);
  // The Right label ends where "28" ends.
  EXPECT_EQ(canvas.FindText("2026/1")->x, 900 - 60 + 20);
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
  for (const char* name : {"Wednesday", "Donnerstag", "日曜日", "ab日曜日曜"}) {
    definition.day_names[10] = name;
    EXPECT_EQ(GetWeekdayLabel(settings, definition, 3), name);
  }
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
