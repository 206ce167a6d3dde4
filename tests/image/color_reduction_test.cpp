#include "image/color_reduction.h"

#include <gtest/gtest.h>

#include <set>

#include "image_test_util.h"

namespace orbeline {
namespace {

using testing::MakeDib24;

// Builds a one-row picture of the given colours.
DibImage Row(const std::vector<ColorRef>& colors) {
  return MakeDib24(static_cast<int>(colors.size()), 1, [&](int x, int) { return colors[x]; });
}

std::vector<int> Indices(const DibImage& image) {
  std::vector<int> out;
  for (int x = 0; x < image.Width(); ++x) out.push_back(image.IndexAt(x, 0));
  return out;
}

TEST(HighModeReductionTest, OneColourGivesOneEntryAndIndexZero) {
  const ColorRef c = MakeColorRef(12, 200, 77);
  const DibImage result =
      ConvertTrueColorTo8BitRGBHigh(MakeDib24(7, 5, [&](int, int) { return c; }));
  EXPECT_EQ(result.BitCount(), 8);
  EXPECT_EQ(result.colors, std::vector<ColorRef>{c});
  for (int row = 0; row < 5; ++row) {
    for (int x = 0; x < 7; ++x) EXPECT_EQ(result.IndexAt(x, row), 0);
  }
}

TEST(HighModeReductionTest, TwoGreensSplitOnGreenDarkerFirst) {
  const ColorRef light = MakeColorRef(10, 200, 20);
  const ColorRef dark = MakeColorRef(10, 50, 20);
  const DibImage result = ConvertTrueColorTo8BitRGBHigh(Row({light, dark, light, light}));
  EXPECT_EQ(result.colors, (std::vector<ColorRef>{dark, light}));
  EXPECT_EQ(Indices(result), (std::vector<int>{1, 0, 1, 1}));
}

// Variances chosen to be exact in binary so that the weighted values really are equal.
TEST(HighModeReductionTest, RedWinsATieWithGreen) {
  // Red 0,0,0,4: mean 1, variance 3, weighted 9. Green 0,1,4,1: mean 1.5, variance 2.25,
  // weighted 9. Split on red (<= 1): {(0,0),(0,1),(0,4)} then {(4,1)}; the first part then
  // splits on green at 5/3: {(0,0),(0,1)} before {(0,4)}, and {(0,0)} before {(0,1)}.
  // A split on green first (<= 1.5) would have put (0,4) last.
  const DibImage result =
      ConvertTrueColorTo8BitRGBHigh(Row({MakeColorRef(0, 0, 0), MakeColorRef(0, 1, 0),
                                         MakeColorRef(0, 4, 0), MakeColorRef(4, 1, 0)}));
  EXPECT_EQ(result.colors, (std::vector<ColorRef>{MakeColorRef(0, 0, 0), MakeColorRef(0, 1, 0),
                                                  MakeColorRef(0, 4, 0), MakeColorRef(4, 1, 0)}));
}

TEST(HighModeReductionTest, GreenWinsATieWithBlue) {
  // Green 0,0,0,2: variance 0.75, weighted 3. Blue 0,1,3,0: variance 1.5, weighted 3.
  // Split on green (<= 0.5) puts (g2,b0) last; a split on blue (<= 1) would put (g0,b3) last.
  const DibImage result =
      ConvertTrueColorTo8BitRGBHigh(Row({MakeColorRef(0, 0, 0), MakeColorRef(0, 0, 1),
                                         MakeColorRef(0, 0, 3), MakeColorRef(0, 2, 0)}));
  EXPECT_EQ(result.colors, (std::vector<ColorRef>{MakeColorRef(0, 0, 0), MakeColorRef(0, 0, 1),
                                                  MakeColorRef(0, 0, 3), MakeColorRef(0, 2, 0)}));
}

TEST(HighModeReductionTest, LeafMeansRoundHalfToEven) {
  // Red 0..255 with green 0 and 1: 512 colours. Seven splits on red leave boxes of two
  // neighbouring reds {2k, 2k+1}; there the green variance (0.25 x 4 = 1) beats the red one
  // (0.25 x 3), so depth 7 splits on green, and each leaf at depth 8 holds the reds 2k and
  // 2k+1 with one green. Its red mean 2k + 0.5 rounds to the even 2k.
  const DibImage result = ConvertTrueColorTo8BitRGBHigh(
      MakeDib24(256, 2, [](int x, int y) { return MakeColorRef(x, y, 0); }));
  ASSERT_EQ(result.colors.size(), 256u);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(result.colors[i], MakeColorRef(2 * (i / 2), i % 2, 0)) << "entry " << i;
  }
  // Top row (green 0) is storage row 1: red 7 lies in the box {6, 7}, entry 6.
  EXPECT_EQ(result.IndexAt(7, 1), 6);
  EXPECT_EQ(result.IndexAt(7, 0), 7);
}

TEST(HighModeReductionTest, PhotoGetsAtMost256EntriesAndEveryPixelItsLeaf) {
  const DibImage source = MakeDib24(97, 61, testing::PhotoLike);
  const DibImage result = ConvertTrueColorTo8BitRGBHigh(source);
  ASSERT_LE(result.colors.size(), 256u);
  ASSERT_GT(result.colors.size(), 200u);
  // Every palette entry is used, and every pixel's entry is close to its colour.
  std::set<int> used;
  for (int row = 0; row < result.Height(); ++row) {
    for (int x = 0; x < result.Width(); ++x) {
      const int index = result.IndexAt(x, row);
      ASSERT_LT(index, static_cast<int>(result.colors.size()));
      used.insert(index);
      const ColorRef want = source.ColorAt(x, row);
      const ColorRef got = result.colors[index];
      EXPECT_NEAR(RedOf(got), RedOf(want), 80);
      EXPECT_NEAR(GreenOf(got), GreenOf(want), 80);
      EXPECT_NEAR(BlueOf(got), BlueOf(want), 80);
    }
  }
  EXPECT_EQ(used.size(), result.colors.size());
}

TEST(ConvertTo24BitTest, RefusesTrueColourInput) {
  EXPECT_THROW(ConvertTo24Bit(MakeDib24(1, 1, [](int, int) { return 0; })), Error);
  EXPECT_THROW(ConvertTrueColorTo8BitRGBHigh(DibImage::Create(1, 1, 8, {0})), Error);
}

}  // namespace
}  // namespace orbeline
