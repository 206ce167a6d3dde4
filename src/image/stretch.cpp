#include "image/stretch.h"

#include <cstdint>

namespace orbeline {

std::vector<int> NearestSourceMap(int first, int count, int dst_size, int src_size) {
  std::vector<int> map(count);
  for (int k = 0; k < count; ++k) {
    const std::int64_t i = first + k;
    map[k] = static_cast<int>((2 * i + 1) * src_size / (2 * static_cast<std::int64_t>(dst_size)));
  }
  return map;
}

DibImage StretchNearest(const DibImage& source, int width, int height) {
  const bool true_color = source.BitCount() == 24;
  DibImage result = DibImage::Create(width, height, true_color ? 24 : 8,
                                     true_color ? std::vector<ColorRef>{} : source.colors);
  const std::vector<int> columns = NearestSourceMap(0, width, width, source.Width());
  // Storage rows are bottom-up on both sides; counted from the top, destination row y takes
  // the source row under its centre.
  const std::vector<int> rows = NearestSourceMap(0, height, height, source.Height());
  for (int y = 0; y < height; ++y) {
    const int src_row = source.Height() - 1 - rows[y];
    std::uint8_t* out = result.Row(height - 1 - y);
    if (true_color) {
      const std::uint8_t* in = source.Row(src_row);
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = in + 3 * columns[x];
        *out++ = p[0];
        *out++ = p[1];
        *out++ = p[2];
      }
    } else {
      for (int x = 0; x < width; ++x) {
        out[x] = static_cast<std::uint8_t>(source.IndexAt(columns[x], src_row));
      }
    }
  }
  return result;
}

}  // namespace orbeline
