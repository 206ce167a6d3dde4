#pragma once

#include <cstdint>
#include <vector>

#include "base/color_text.h"
#include "image/dib_image.h"

namespace orbeline::testing {

// Assembles BMP files byte by byte, so that tests can make every variant (and break them).
struct BmpLayout {
  std::uint32_t header_size = 40;  // 12 core, 40 info, 52 / 56 / 108 / 124
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: top-down
  int bit_count = 24;
  std::uint32_t compression = 0;
  std::vector<ColorRef> palette;
  std::uint32_t clr_used = 0;
  std::vector<std::uint32_t> masks;  // in the header (52+) or after a 40-byte one
  std::vector<std::uint8_t> pixels;
};

inline void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

inline std::vector<std::uint8_t> BuildBmp(const BmpLayout& l) {
  std::vector<std::uint8_t> header;
  Put32(header, l.header_size);
  if (l.header_size == 12) {
    Put16(header, l.width);
    Put16(header, l.height);
    Put16(header, 1);
    Put16(header, l.bit_count);
  } else {
    Put32(header, l.width);
    Put32(header, l.height);
    Put16(header, 1);
    Put16(header, l.bit_count);
    Put32(header, l.compression);
    Put32(header, static_cast<std::uint32_t>(l.pixels.size()));
    Put32(header, 2835);
    Put32(header, 2835);
    Put32(header, l.clr_used);
    Put32(header, 0);
    if (l.header_size >= 52) {
      for (std::size_t i = 0; i < 4; ++i) Put32(header, i < l.masks.size() ? l.masks[i] : 0);
    }
    while (header.size() < l.header_size) header.push_back(0);  // V4/V5 colour space data
    header.resize(l.header_size);
    if (l.header_size == 40) {
      for (std::uint32_t m : l.masks) Put32(header, m);
    }
  }
  for (ColorRef c : l.palette) {
    header.insert(header.end(), {BlueOf(c), GreenOf(c), RedOf(c)});
    if (l.header_size != 12) header.push_back(0);
  }
  std::vector<std::uint8_t> file = {'B', 'M'};
  Put32(file, static_cast<std::uint32_t>(14 + header.size() + l.pixels.size()));
  Put32(file, 0);
  Put32(file, static_cast<std::uint32_t>(14 + header.size()));
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), l.pixels.begin(), l.pixels.end());
  return file;
}

// Pixel rows in file order (row 0 first), each padded to 4 bytes; value(x, file_row) is
// an index (1/4/8 bits) or a little-endian pixel word (16/24/32 bits).
template <typename ValueFn>
std::vector<std::uint8_t> PackRows(int width, int rows, int bit_count, ValueFn value) {
  const int row_bytes = DibRowBytes(width, bit_count);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(row_bytes) * rows, 0);
  for (int r = 0; r < rows; ++r) {
    std::uint8_t* row = out.data() + static_cast<std::size_t>(r) * row_bytes;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = value(x, r);
      if (bit_count == 1) {
        row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
      } else if (bit_count == 4) {
        row[x / 2] |= static_cast<std::uint8_t>((v & 0xF) << (x % 2 ? 0 : 4));
      } else {
        for (int b = 0; b < bit_count / 8; ++b) row[x * bit_count / 8 + b] = (v >> (8 * b)) & 0xFF;
      }
    }
  }
  return out;
}

}  // namespace orbeline::testing
