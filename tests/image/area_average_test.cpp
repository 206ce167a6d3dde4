#include "image/area_average.h"

#include <gtest/gtest.h>

#include <vector>

namespace orbeline {
namespace {

constexpr std::uint32_t Grey(int v) { return 0xFF000000u | (v << 16) | (v << 8) | v; }

// Each destination pixel is the mean of the source area under it, made as soon as the source
// rows under it are in.
TEST(AreaAverageScalerTest, ShrinksAndGrowsByTheAreaUnderEachPixel) {
  // 4 x 2 into 2 x 1: each destination pixel averages a 2 x 2 block.
  AreaAverageScaler shrink(4, 2, 2, 1, {0, 0, 2, 1});
  ASSERT_EQ(shrink.SourceArea(), (Rect{0, 0, 4, 2}));
  const std::vector<std::uint32_t> top = {Grey(0), Grey(10), Grey(100), Grey(200)};
  const std::vector<std::uint32_t> bottom = {Grey(20), Grey(30), Grey(40), Grey(60)};
  shrink.PushRow(top.data());
  EXPECT_FALSE(shrink.RowReady()) << "its lower source row is not in yet";
  shrink.PushRow(bottom.data());
  ASSERT_TRUE(shrink.RowReady());
  std::vector<std::uint32_t> out(2);
  shrink.TakeRow(out.data());
  EXPECT_EQ(out, (std::vector<std::uint32_t>{Grey(15), Grey(100)}));

  // 2 x 1 into the right two pixels of 3 x 1: the middle one lies half on each source pixel
  // (50.5 rounds up); only the source pixels under the part are asked for.
  AreaAverageScaler grow(2, 1, 3, 1, {1, 0, 3, 1});
  ASSERT_EQ(grow.SourceArea(), (Rect{0, 0, 2, 1}));
  const std::vector<std::uint32_t> pair = {Grey(0), 0xFF000000u | (101 << 16) | (7 << 8) | 101};
  grow.PushRow(pair.data());
  grow.TakeRow(out.data());
  EXPECT_EQ(out, (std::vector<std::uint32_t>{0xFF000000u | (51 << 16) | (4 << 8) | 51, pair[1]}));
}

}  // namespace
}  // namespace orbeline
