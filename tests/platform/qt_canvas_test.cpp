// The Qt canvas on a wrapped pixel buffer, with real fonts.
#include "platform/qt_canvas.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <cstdint>
#include <tuple>
#include <vector>

namespace orbeline {
namespace {

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

}  // namespace
}  // namespace orbeline
