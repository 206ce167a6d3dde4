#include "image/halftone.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "image/work_bitmap.h"
#include "image_test_util.h"

namespace orbeline {
namespace {

TEST(HalftoneTest, LevelThresholdsOfEachChannelAndThePaletteInIndexOrder) {
  // The first value of each level; values beyond either end take the end's level.
  const std::pair<int (*)(int), std::vector<int>> channels[] = {
      {HalftoneRedLevel, {26, 77, 128, 179, 231}},
      {HalftoneGreenLevel, {22, 64, 107, 150, 193, 234}},
      {HalftoneBlueLevel, {32, 96, 160, 224}}};
  for (const auto& [level, starts] : channels) {
    const int top = static_cast<int>(starts.size());
    EXPECT_EQ(level(-256), 0);
    for (int k = 0; k < top; ++k) {
      EXPECT_EQ(level(starts[k] - 1), k) << starts[k];
      EXPECT_EQ(level(starts[k]), k + 1) << starts[k];
    }
    EXPECT_EQ(level(255), top);
    EXPECT_EQ(level(512), top);
  }
  const std::vector<ColorRef> palette = ColorHalftonePalette();
  ASSERT_EQ(palette.size(), 226u);
  EXPECT_EQ(palette[HalftoneIndex(0, 0, 0)], MakeColorRef(0, 0, 0));
  EXPECT_EQ(palette[HalftoneIndex(2, 3, 1)], MakeColorRef(102, 128, 64));
  EXPECT_EQ(palette[209], MakeColorRef(255, 255, 255));
  // The 16 VGA colours follow, so the named colours survive an 8-bit surface.
  WorkBitmap surface;
  surface.Reset(3, 1, WorkBitmapFormat::k8Bit);
  for (ColorRef color : {0x808080u, 0xC0C0C0u, 0x000080u}) {
    surface.SetPixel(0, 0, color);
    EXPECT_EQ(surface.ToDib().GetPixelColor(0, 0), color);
  }
}

// A 3 x 2 picture, green and blue 0 (level 0, error 0 throughout), so only red diffuses.
// Storage row 0 (the bottom row) is processed first, left to right; row 1 right to left.
// correction = (12 e1 + 12 e2 + 5 e3) / 32 truncated toward zero; error = level - value.
//
// Row 0, red 120 16 246:
//   x0: no neighbours, 120 -> level 2 (102), error -18
//   x1: e1 -18: -216/32 = -6 -> 16 + 6 = 22 -> level 0 (0), error -22
//   x2: e1 -22: -264/32 = -8 -> 246 + 8 = 254 -> level 5 (255), error 1
// Row 1, red 16 176 188, from x2 to x0 (e3 is the previous row one column to the right):
//   x2: e1 0, e2 1, e3 none: 12/32 = 0 -> 188 -> level 4 (204), error 16
//   x1: e1 16, e2 -22, e3 1: (192 - 264 + 5)/32 = -67/32 = -2 (floor would give -3 and
//       level 4) -> 176 + 2 = 178 -> level 3 (153), error -25
//   x0: e1 -25, e2 -18, e3 -22: (-300 - 216 - 110)/32 = -626/32 = -19 -> 16 + 19 = 35
//       -> level 1 (51), error 16
TEST(HalftoneTest, HandWorkedErrorDiffusion) {
  const int red[2][3] = {{120, 16, 246}, {16, 176, 188}};  // by storage row
  DibImage source = DibImage::Create(3, 2, 24, {});
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 3; ++x) source.Row(row)[3 * x + 2] = static_cast<std::uint8_t>(red[row][x]);
  }
  const DibImage result = ConvertToHalfTone(source);
  const int want_level[2][3] = {{2, 0, 5}, {1, 3, 4}};
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(result.IndexAt(x, row), HalftoneIndex(want_level[row][x], 0, 0))
          << "row " << row << " x " << x;
    }
  }
}

// The same diffusion on a paletted grey picture: 100 on every channel, 2 x 2.
// Red levels 0/51/102: 100 -> 102, error 2, and 12 x 2 / 32 = 0 keeps every pixel at 102.
// Green 100 -> level 2 (85), error -15. Row 0: x0 100 -> 85 (-15); x1 e1 -15: -180/32 = -5
//   -> 105 -> 85, error -20. Row 1 from x1: e1 0, e2 -20: -240/32 = -7 -> 107 -> level 3
//   (128), error 21; x0: e1 21, e2 -15, e3 -20: (252 - 180 - 100)/32 = -28/32 = 0 -> 100
//   -> 85, error -15.
// Blue 100 -> level 2 (128), error 28. Row 0: x1: 336/32 = 10 -> 90 -> level 1 (64),
//   error -26. Row 1 from x1: e2 -26: -312/32 = -9 -> 109 -> level 2 (128), error 19;
//   x0: e1 19, e2 28, e3 -26: (228 + 336 - 130)/32 = 434/32 = 13 -> 87 -> level 1 (64).
TEST(HalftoneTest, HandWorkedGreyFromAPalette) {
  const DibImage source =
      testing::MakeIndexed(2, 2, 8, {MakeColorRef(100, 100, 100)}, [](int, int) { return 0; });
  const DibImage result = ConvertToHalfTone(source);
  EXPECT_EQ(result.IndexAt(0, 0), HalftoneIndex(2, 2, 2));
  EXPECT_EQ(result.IndexAt(1, 0), HalftoneIndex(2, 2, 1));
  EXPECT_EQ(result.IndexAt(1, 1), HalftoneIndex(2, 3, 2));
  EXPECT_EQ(result.IndexAt(0, 1), HalftoneIndex(2, 2, 1));
}

TEST(HalftoneTest, ExactLevelColoursStayExact) {
  const ColorRef c = MakeColorRef(153, 214, 64);
  const DibImage result = ConvertToHalfTone(testing::MakeDib24(9, 7, [&](int, int) { return c; }));
  for (int row = 0; row < 7; ++row) {
    for (int x = 0; x < 9; ++x) ASSERT_EQ(result.ColorAt(x, row), c);
  }
}

TEST(BWHalftoneTest, MidGreyComesOutHalfWhite) {
  const DibImage result = ConvertToBWHalfTone(
      testing::MakeDib24(16, 16, [](int, int) { return MakeColorRef(128, 128, 128); }));
  int white = 0;
  for (int row = 0; row < 16; ++row) {
    for (int x = 0; x < 16; ++x) white += result.IndexAt(x, row);
  }
  EXPECT_NEAR(white, 128, 8);
}

}  // namespace
}  // namespace orbeline
