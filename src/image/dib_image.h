#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/color_text.h"
#include "image/large_buffer.h"

namespace orbeline {

// Largest picture the component accepts, checked before any pixel memory is allocated, so
// that a hostile file header cannot make us reserve gigabytes.
inline constexpr int kMaxImageSide = 32768;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 28;  // 268M pixels

// Throws ImageError ("<what>: ...") when width x height is not a picture we accept.
void CheckImageSize(std::int64_t width, std::int64_t height, std::string_view what);

// BITMAPINFOHEADER as documented for Windows GDI (wingdi.h, "BITMAPINFOHEADER structure"):
// the in-memory header of a device-independent bitmap. Our images are always uncompressed
// and bottom-up, so `height` is positive and `compression` is BI_RGB (0).
struct BitmapInfoHeader {
  std::uint32_t size = 40;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 1;
  std::uint16_t bit_count = 24;
  std::uint32_t compression = 0;
  std::uint32_t size_image = 0;
  std::int32_t x_pels_per_meter = 0;
  std::int32_t y_pels_per_meter = 0;
  std::uint32_t clr_used = 0;
  std::uint32_t clr_important = 0;
};

// Bytes in one pixel row of a DIB: padded to a multiple of 4.
constexpr int DibRowBytes(int width, int bit_count) {
  return static_cast<int>(((static_cast<std::int64_t>(width) * bit_count + 31) / 32) * 4);
}

// A device-independent bitmap in memory, laid out exactly as in a BMP file: the header,
// a colour table for 8 bits per pixel or fewer, and the pixel rows bottom-up (storage row 0
// is the bottom row of the picture), each padded to 4 bytes. 24-bit pixels are B, G, R.
struct DibImage {
  BitmapInfoHeader header;
  std::vector<ColorRef> colors;
  LargeVector<std::uint8_t> bits;

  // A zero-filled image. Bit count 1, 4, 8 or 24; at most 2^bit_count colours.
  static DibImage Create(int width, int height, int bit_count, std::vector<ColorRef> colors);

  int Width() const { return header.width; }
  int Height() const { return header.height; }
  int BitCount() const { return header.bit_count; }
  int RowBytes() const { return DibRowBytes(header.width, header.bit_count); }
  // Storage rows: 0 is the bottom row. Top-down row y is storage row Height() - 1 - y.
  const std::uint8_t* Row(int storage_row) const;
  std::uint8_t* Row(int storage_row);

  // Palette index at (x, storage_row) of an image of 8 bits per pixel or fewer.
  int IndexAt(int x, int storage_row) const;
  void SetIndexAt(int x, int storage_row, int index);
  // The colour of a pixel; a palette index beyond the table reads as black.
  ColorRef ColorAt(int x, int storage_row) const;
  // The colour of every pixel of a storage row as 0xFFRRGGBB words.
  void RowToRgb32(int storage_row, std::uint32_t* out) const;
};

// 0x00BBGGRR <-> 0xFFRRGGBB (the 32-bit word layout of WorkBitmap's pixels).
constexpr std::uint32_t ColorToRgb32(ColorRef c) {
  return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16) |
         (static_cast<std::uint32_t>(GreenOf(c)) << 8) | BlueOf(c);
}
constexpr ColorRef Rgb32ToColor(std::uint32_t p) {
  return MakeColorRef((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace orbeline
