#include "image/area_average.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "image/image_error.h"

namespace orbeline {
namespace {

using Taps = AreaAverageScaler::Taps;

// For destination pixels first .. first + count - 1 of `dst_size`, the source pixels under
// each and their shares.
Taps MakeTaps(int src_size, int dst_size, int first, int count) {
  Taps table;
  table.start.reserve(static_cast<std::size_t>(count) + 1);
  const double scale = static_cast<double>(src_size) / dst_size;
  for (int d = first; d < first + count; ++d) {
    table.start.push_back(table.taps.size());
    const double start = d * scale;
    const double end = std::min<double>((d + 1) * scale, src_size);
    const int last = std::min(src_size - 1, static_cast<int>(std::ceil(end)) - 1);
    for (int s = static_cast<int>(std::floor(start)); s <= last; ++s) {
      const double covered = std::min<double>(end, s + 1) - std::max<double>(start, s);
      if (covered > 0) table.taps.push_back({s, static_cast<float>(covered / (end - start))});
    }
  }
  table.start.push_back(table.taps.size());
  return table;
}

}  // namespace

AreaAverageScaler::AreaAverageScaler(int src_width, int src_height, int dst_width, int dst_height,
                                     const Rect& part)
    : part_(part) {
  if (src_width < 1 || src_height < 1 || part.IsEmpty() || part.left < 0 || part.top < 0 ||
      part.right > dst_width || part.bottom > dst_height) {
    throw ImageError("AreaAverageScaler: Invalid sizes");
  }
  columns_ = MakeTaps(src_width, dst_width, part.left, part.Width());
  rows_ = MakeTaps(src_height, dst_height, part.top, part.Height());
  // Taps run in source order, so the first and the last bound the area.
  source_area_ = {columns_.taps.front().index, rows_.taps.front().index,
                  columns_.taps.back().index + 1, rows_.taps.back().index + 1};
  // Columns are looked up in the rows PushRow takes, which start at the area's left.
  for (Taps::Tap& tap : columns_.taps) tap.index -= source_area_.left;
  next_source_row_ = source_area_.top;
  next_row_ = part.top;
  sum_.resize(static_cast<std::size_t>(part.Width()) * 3);
}

void AreaAverageScaler::PushRow(const std::uint32_t* pixels) {
  if (next_source_row_ >= source_area_.bottom) {
    throw ImageError("AreaAverageScaler.PushRow: No more source rows are needed");
  }
  // Rows that no destination row still to come covers are done with.
  const int first_needed = next_row_ < part_.bottom
                               ? rows_.taps[rows_.start[next_row_ - part_.top]].index
                               : source_area_.bottom;
  while (!filtered_.empty() && filtered_.front().index < first_needed) {
    spare_.push_back(std::move(filtered_.front().values));
    filtered_.erase(filtered_.begin());
  }
  std::vector<float> values;
  if (!spare_.empty()) {
    values = std::move(spare_.back());
    spare_.pop_back();
  }
  values.resize(sum_.size());
  const std::size_t width = static_cast<std::size_t>(part_.Width());
  for (std::size_t x = 0; x < width; ++x) {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    for (std::size_t t = columns_.start[x]; t < columns_.start[x + 1]; ++t) {
      const Taps::Tap& tap = columns_.taps[t];
      const std::uint32_t p = pixels[tap.index];
      red += tap.weight * static_cast<float>((p >> 16) & 0xFF);
      green += tap.weight * static_cast<float>((p >> 8) & 0xFF);
      blue += tap.weight * static_cast<float>(p & 0xFF);
    }
    values[3 * x] = red;
    values[3 * x + 1] = green;
    values[3 * x + 2] = blue;
  }
  filtered_.push_back({next_source_row_++, std::move(values)});
}

bool AreaAverageScaler::RowReady() const {
  if (next_row_ >= part_.bottom) return false;
  const std::size_t k = static_cast<std::size_t>(next_row_ - part_.top);
  return rows_.taps[rows_.start[k + 1] - 1].index < next_source_row_;
}

void AreaAverageScaler::TakeRow(std::uint32_t* out) {
  if (!RowReady()) throw ImageError("AreaAverageScaler.TakeRow: The source rows are not in");
  const std::size_t k = static_cast<std::size_t>(next_row_ - part_.top);
  std::fill(sum_.begin(), sum_.end(), 0.0f);
  const int base = filtered_.front().index;
  for (std::size_t t = rows_.start[k]; t < rows_.start[k + 1]; ++t) {
    const Taps::Tap& tap = rows_.taps[t];
    const std::vector<float>& values = filtered_[static_cast<std::size_t>(tap.index - base)].values;
    for (std::size_t i = 0; i < sum_.size(); ++i) sum_[i] += tap.weight * values[i];
  }
  const std::size_t width = static_cast<std::size_t>(part_.Width());
  for (std::size_t x = 0; x < width; ++x) {
    // Sums of shares of bytes are never negative: adding a half and cutting rounds them as
    // lround would, without its call per channel.
    std::uint32_t word = 0xFF000000u;
    for (std::size_t c = 0; c < 3; ++c) {
      const int value = std::min(static_cast<int>(sum_[3 * x + c] + 0.5f), 255);
      word |= static_cast<std::uint32_t>(value) << (16 - 8 * c);
    }
    out[x] = word;
  }
  ++next_row_;
}

DibImage ScaleAreaAverage(const DibImage& source, int width, int height) {
  DibImage result = DibImage::Create(width, height, 24, {});
  AreaAverageScaler scaler(source.Width(), source.Height(), width, height, {0, 0, width, height});
  const Rect& area = scaler.SourceArea();
  std::vector<std::uint32_t> source_row(static_cast<std::size_t>(source.Width()));
  std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
  for (int y = area.top; y < area.bottom; ++y) {
    source.RowToRgb32(source.Height() - 1 - y, source_row.data());
    scaler.PushRow(source_row.data() + area.left);
    while (scaler.RowReady()) {
      std::uint8_t* out = result.Row(height - 1 - scaler.NextRow());
      scaler.TakeRow(row.data());
      for (const std::uint32_t p : row) {
        *out++ = p & 0xFF;
        *out++ = (p >> 8) & 0xFF;
        *out++ = (p >> 16) & 0xFF;
      }
    }
  }
  return result;
}

}  // namespace orbeline
