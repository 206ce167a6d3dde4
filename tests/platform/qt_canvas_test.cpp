// The Qt canvas on a wrapped pixel buffer, and a month drawn through it with real fonts.
#include "platform/qt_canvas.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <cstdint>
#include <memory>
#include <tuple>
#include <vector>

#include "render/calendar_drawing.h"
#include "render_fixture.h"

namespace orbeline {
namespace {

using testing::Date;

constexpr std::uint32_t kGrey = 0xFF808080;

// 0x00BBGGRR as the buffer holds it (0xFFRRGGBB).
std::uint32_t Pixel(ColorRef color) {
  return 0xFF000000u | (std::uint32_t{RedOf(color)} << 16) | (std::uint32_t{GreenOf(color)} << 8) |
         BlueOf(color);
}

class QtCanvasTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "render_image_test";
    static char* argv[] = {name, nullptr};
    app_ = new QGuiApplication(argc, argv);
  }
  static void TearDownTestSuite() {
    delete app_;
    app_ = nullptr;
  }

  // A width x height buffer of grey rows `stride` pixels apart.
  void MakeBuffer(int w, int h, int stride_pixels) {
    width = w;
    height = h;
    stride = stride_pixels;
    pixels.assign(static_cast<std::size_t>(stride * h), kGrey);
  }
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * stride + x)]; }
  int CountIn(int left, int top, int right, int bottom, std::uint32_t value) const {
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
      for (int x = std::max(left, 0); x < std::min(right, stride); ++x) {
        if (At(x, y) == value) ++count;
      }
    }
    return count;
  }

  static QGuiApplication* app_;
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  int stride = 0;
};

QGuiApplication* QtCanvasTest::app_ = nullptr;

TEST_F(QtCanvasTest, ShapesKeepInsideTheirBoxAndPaintTheWrappedBuffer) {
  MakeBuffer(30, 30, 34);  // rows padded by 4 pixels
  {
    QtCanvas canvas(pixels.data(), width, height, stride * 4);
    canvas.SetPen(0x0000FF, 1);
    canvas.SetBrush(0x00FF00, BrushStyle::kSolid);
    canvas.Rectangle(2, 3, 8, 9);
    canvas.Ellipse(5, 15, 25, 25);
    canvas.SetBrush(0xFFFFFF, BrushStyle::kClear);
    canvas.Rectangle(10, 3, 16, 9);
    canvas.MoveTo(20, 2);
    canvas.LineTo(25, 2);
  }
  const std::uint32_t red = Pixel(0x0000FF), green = Pixel(0x00FF00);
  // Pixel and what it must be: outlines in the pen, fills in the brush, right and bottom
  // edges and the end point of a line outside.
  const std::tuple<int, int, std::uint32_t> rows[] = {
      {2, 3, red},    {7, 8, red},  {5, 5, green}, {8, 5, kGrey},  {5, 9, kGrey},  {10, 3, red},
      {12, 5, kGrey}, {20, 2, red}, {24, 2, red},  {25, 2, kGrey}, {15, 20, green}};
  for (const auto& [x, y, value] : rows) EXPECT_EQ(At(x, y), value) << x << "," << y;
  EXPECT_EQ(CountIn(0, 10, 30, 15, kGrey), 30 * 5) << "the ellipse stays inside its box";
  EXPECT_EQ(CountIn(25, 10, 30, 30, kGrey), 5 * 20);
  EXPECT_EQ(CountIn(0, 25, 30, 30, kGrey), 30 * 5);
  EXPECT_GT(CountIn(5, 15, 25, 25, red), 20);
  EXPECT_EQ(CountIn(30, 0, 34, 30, kGrey), 4 * 30) << "the padding is left alone";
}

TEST_F(QtCanvasTest, FontsResolveThroughFontconfigAtPixelSizesOfThePoints) {
  MakeBuffer(200, 60, 200);
  QtCanvas canvas(pixels.data(), width, height, stride * 4);
  const FontSetting arial{"Arial", 20, false, false};
  EXPECT_EQ(QFontInfo(MakeQtFont(arial)).family(), "Liberation Sans");
  EXPECT_EQ(QFontInfo(MakeQtFont(arial)).pixelSize(), 27);
  canvas.SetFont(arial);
  const int height_20 = canvas.TextHeight("8");
  EXPECT_GE(height_20, 27);
  EXPECT_LE(height_20, 36);
  EXPECT_EQ(canvas.TextHeight(""), height_20);
  EXPECT_GT(canvas.TextWidth("28"), canvas.TextWidth("8"));

  // Japanese text falls back to a font that has it and lands at the given top-left.
  canvas.DrawText(10, 10, "令和", 0x000000);
  EXPECT_GT(CountIn(10, 10, 10 + canvas.TextWidth("令和"), 10 + height_20, 0xFF000000), 10);
  EXPECT_EQ(CountIn(0, 0, 200, 10, 0xFF000000), 0);
}

// January 2026 in the Center grid with a bold 20-point font: every day in its own 40 x 36
// cell from (10, 46), 1 January (a Thursday) in column 5.
class MonthImageTest : public QtCanvasTest, public testing::RenderFixture {
 protected:
  MonthImageTest() {
    settings.calendar_type = CalendarType{4};
    settings.position_x = 10;
    settings.position_y = 10;
    settings.char_step = 40;
    settings.char_step2 = 36;
    settings.today_draw_method = TodayDrawMethod{1};
    settings.font0 = settings.font1 = {"Arial", 20, false, true};
    holidays.month(1)[0] = 12;
    MakeBuffer(320, 300, 320);
  }
  void Draw() {
    pixels.assign(pixels.size(), kGrey);
    QtCanvas canvas(pixels.data(), width, height, stride * 4);
    RenderContext context = Context(Date(2026, 1, 16));
    DrawCalendar(canvas, context);
  }
  int CountInDay(int day, ColorRef color) const {
    const int cell = day - 1 + 4;
    const int x = 10 + (cell % 7) * 40;
    const int y = 46 + (cell / 7) * 36;
    return CountIn(x, y, x + 40, y + 36, Pixel(color));
  }
};

TEST_F(MonthImageTest, DayNumbersCarryTheColoursOfTheirDays) {
  Draw();
  struct Expectation {
    int day;
    ColorRef color;
  };
  const std::vector<Expectation> days = {{4, testing::kSunday},
                                         {10, testing::kSaturday},
                                         {14, testing::kWeekday},
                                         {12, testing::kHoliday},
                                         {16, testing::kToday}};
  for (const Expectation& row : days) {
    EXPECT_GT(CountInDay(row.day, row.color), 15) << row.day;
    for (const Expectation& other : days) {
      if (other.color != row.color) {
        EXPECT_EQ(CountInDay(row.day, other.color), 0) << row.day;
      }
    }
  }
  EXPECT_EQ(CountIn(0, 0, width, height, Pixel(testing::kShadow)), 0);
  // The label "2026/1" sits centred over the grid.
  EXPECT_GT(CountIn(10, 10, 290, 46, Pixel(testing::kYearMonth)), 30);
}

}  // namespace
}  // namespace orbeline
