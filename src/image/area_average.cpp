#include "image/area_average.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace orbeline {
namespace {

struct Contribution {
  int index;
  float weight;  // the share of the destination pixel this source pixel covers
};
using ContributionTable = std::vector<std::vector<Contribution>>;

// For each of `dst_size` destination pixels, the source pixels under it and their shares.
ContributionTable Contributions(int src_size, int dst_size) {
  ContributionTable table(static_cast<std::size_t>(dst_size));
  const double scale = static_cast<double>(src_size) / dst_size;
  for (int d = 0; d < dst_size; ++d) {
    const double start = d * scale;
    const double end = std::min<double>((d + 1) * scale, src_size);
    const int last = std::min(src_size - 1, static_cast<int>(std::ceil(end)) - 1);
    for (int s = static_cast<int>(std::floor(start)); s <= last; ++s) {
      const double covered = std::min<double>(end, s + 1) - std::max<double>(start, s);
      if (covered > 0) {
        table[static_cast<std::size_t>(d)].push_back(
            {s, static_cast<float>(covered / (end - start))});
      }
    }
  }
  return table;
}

// One source row (counted from the top) averaged horizontally: R, G, B per destination pixel.
std::vector<float> FilterRow(const DibImage& source, int row, const ContributionTable& columns,
                             std::vector<std::uint32_t>& rgb) {
  source.RowToRgb32(source.Height() - 1 - row, rgb.data());
  std::vector<float> out(columns.size() * 3, 0.0f);
  for (std::size_t x = 0; x < columns.size(); ++x) {
    for (const Contribution& c : columns[x]) {
      const std::uint32_t p = rgb[static_cast<std::size_t>(c.index)];
      out[3 * x] += c.weight * static_cast<float>((p >> 16) & 0xFF);
      out[3 * x + 1] += c.weight * static_cast<float>((p >> 8) & 0xFF);
      out[3 * x + 2] += c.weight * static_cast<float>(p & 0xFF);
    }
  }
  return out;
}

}  // namespace

DibImage ScaleAreaAverage(const DibImage& source, int width, int height) {
  DibImage result = DibImage::Create(width, height, 24, {});
  const ContributionTable columns = Contributions(source.Width(), width);
  const ContributionTable rows = Contributions(source.Height(), height);
  std::vector<std::uint32_t> rgb(static_cast<std::size_t>(source.Width()));
  std::vector<float> sum(static_cast<std::size_t>(width) * 3);
  // The horizontally averaged source rows the current destination row needs; one destination
  // row at a time, so memory stays at a few rows whatever the picture's size.
  std::vector<std::pair<int, std::vector<float>>> filtered;
  for (int y = 0; y < height; ++y) {
    const std::vector<Contribution>& under = rows[static_cast<std::size_t>(y)];
    std::erase_if(filtered, [&](const auto& entry) { return entry.first < under.front().index; });
    std::fill(sum.begin(), sum.end(), 0.0f);
    for (const Contribution& c : under) {
      auto found = std::find_if(filtered.begin(), filtered.end(),
                                [&](const auto& entry) { return entry.first == c.index; });
      if (found == filtered.end()) {
        filtered.emplace_back(c.index, FilterRow(source, c.index, columns, rgb));
        found = filtered.end() - 1;
      }
      for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += c.weight * found->second[i];
    }
    std::uint8_t* out = result.Row(height - 1 - y);
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
      // Stored as B, G, R.
      for (std::size_t k = 0; k < 3; ++k) {
        // Sums of shares of bytes are never negative: adding a half and cutting rounds them
        // as lround would, without its call per channel.
        const int value = static_cast<int>(sum[3 * x + 2 - k] + 0.5f);
        out[3 * x + k] = static_cast<std::uint8_t>(std::min(value, 255));
      }
    }
  }
  return result;
}

}  // namespace orbeline
