#include "image/color_reduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "image/halftone.h"
#include "image/work_bitmap.h"
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

// The reduction as plainly as it can be written: a list of pixels split recursively, the
// mean and variance summed afresh in every box, std::partition.
class PlainReduction {
 public:
  explicit PlainReduction(const DibImage& source) {
    std::vector<ColorRef> pixels;
    for (int row = 0; row < source.Height(); ++row) {
      for (int x = 0; x < source.Width(); ++x) pixels.push_back(source.ColorAt(x, row));
    }
    Split(pixels.begin(), pixels.end(), 0);
  }
  int IndexOf(ColorRef c) const {
    int node = 0;
    while (nodes_.at(node).leaf < 0) {
      const Node& n = nodes_.at(node);
      node = Channel(c, n.channel) <= n.threshold ? n.first : n.second;
    }
    return nodes_.at(node).leaf;
  }
  std::vector<ColorRef> palette;

 private:
  struct Node {
    int channel = 0, threshold = 0, first = -1, second = -1, leaf = -1;
  };
  static int Channel(ColorRef c, int channel) {  // 0 red, 1 green, 2 blue
    return channel == 0 ? RedOf(c) : channel == 1 ? GreenOf(c) : BlueOf(c);
  }
  using It = std::vector<ColorRef>::iterator;
  int Split(It begin, It end, int depth) {
    if (begin == end) return -1;
    long double mean[3], variance[3];
    const long double count = static_cast<long double>(end - begin);
    for (int c = 0; c < 3; ++c) {
      std::uint64_t sum = 0, squares = 0;
      for (It p = begin; p != end; ++p) {
        sum += Channel(*p, c);
        squares += Channel(*p, c) * Channel(*p, c);
      }
      mean[c] = sum / count;
      variance[c] = squares / count - mean[c] * mean[c];
    }
    const int id = static_cast<int>(nodes_.size());
    nodes_.emplace_back();
    if (depth == 8) {
      nodes_[id].leaf = static_cast<int>(palette.size());
      palette.push_back(MakeColorRef(static_cast<int>(std::lrint(mean[0])),
                                     static_cast<int>(std::lrint(mean[1])),
                                     static_cast<int>(std::lrint(mean[2]))));
      return id;
    }
    int channel = 0;
    long double best = 3 * variance[0];
    if (4 * variance[1] > best) channel = 1, best = 4 * variance[1];
    if (2 * variance[2] > best) channel = 2;
    const int threshold = static_cast<int>(std::floor(mean[channel]));
    const It middle =
        std::partition(begin, end, [&](ColorRef p) { return Channel(p, channel) <= threshold; });
    nodes_[id].channel = channel;
    nodes_[id].threshold = threshold;
    const int first = Split(begin, middle, depth + 1);
    const int second = Split(middle, end, depth + 1);
    nodes_[id].first = first;
    nodes_[id].second = second;
    return id;
  }
  std::vector<Node> nodes_;
};

TEST(HighModeReductionTest, SameAsThePlainReduction) {
  // Large enough for the two-thread path; a few colours (most boxes empty); noise.
  std::uint32_t noise = 1;
  const auto random = [&] { return (noise = noise * 1664525u + 1013904223u) >> 24; };
  const std::vector<std::pair<const char*, DibImage>> pictures = {
      {"photo", MakeDib24(401, 257, testing::PhotoLike)},
      {"few colours",
       MakeDib24(300, 300, [](int x, int y) { return MakeColorRef(x / 100 * 90, y / 150, 7); })},
      {"noise", MakeDib24(333, 222, [&](int, int) {
         return MakeColorRef(static_cast<int>(random()), static_cast<int>(random()),
                             static_cast<int>(random()));
       })}};
  for (const auto& [name, source] : pictures) {
    SCOPED_TRACE(name);
    const DibImage result = ConvertTrueColorTo8BitRGBHigh(source);
    const PlainReduction plain(source);
    ASSERT_EQ(result.colors, plain.palette);
    for (int row = 0; row < source.Height(); ++row) {
      for (int x = 0; x < source.Width(); ++x) {
        ASSERT_EQ(result.IndexAt(x, row), plain.IndexOf(source.ColorAt(x, row))) << x << "," << row;
      }
    }
  }
}

TEST(ConvertTo24BitTest, RefusesTrueColourInput) {
  EXPECT_THROW(ConvertTo24Bit(MakeDib24(1, 1, [](int, int) { return 0; })), Error);
  EXPECT_THROW(ConvertTrueColorTo8BitRGBHigh(DibImage::Create(1, 1, 8, {0})), Error);
}

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
