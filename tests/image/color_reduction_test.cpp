#include "image/color_reduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

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

}  // namespace
}  // namespace orbeline
