#include "image/dib_image.h"

#include <string>

#include "image/image_error.h"

namespace orbeline {

void CheckImageSize(std::int64_t width, std::int64_t height, std::string_view what) {
  if (width < 1 || height < 1) {
    throw ImageError(std::string(what) + ": Invalid image size " + std::to_string(width) + " x " +
                     std::to_string(height));
  }
  if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels) {
    throw ImageError(std::string(what) + ": Image too large (" + std::to_string(width) + " x " +
                     std::to_string(height) + ")");
  }
}

DibImage DibImage::Create(int width, int height, int bit_count, std::vector<ColorRef> colors) {
  CheckImageSize(width, height, "DibImage.Create");
  if (bit_count != 1 && bit_count != 4 && bit_count != 8 && bit_count != 24) {
    throw ImageError("DibImage.Create: Invalid bit count " + std::to_string(bit_count));
  }
  const std::size_t max_colors = bit_count <= 8 ? std::size_t{1} << bit_count : 0;
  if (colors.size() > max_colors) {
    throw ImageError("DibImage.Create: Too many colours for " + std::to_string(bit_count) +
                     " bits per pixel");
  }
  DibImage image;
  image.header.width = width;
  image.header.height = height;
  image.header.bit_count = static_cast<std::uint16_t>(bit_count);
  image.header.size_image =
      static_cast<std::uint32_t>(static_cast<std::int64_t>(DibRowBytes(width, bit_count)) * height);
  image.header.clr_used = static_cast<std::uint32_t>(colors.size());
  image.colors = std::move(colors);
  image.bits.assign(image.header.size_image, 0);
  return image;
}

const std::uint8_t* DibImage::Row(int storage_row) const {
  return bits.data() + static_cast<std::size_t>(storage_row) * RowBytes();
}

std::uint8_t* DibImage::Row(int storage_row) {
  return bits.data() + static_cast<std::size_t>(storage_row) * RowBytes();
}

int DibImage::IndexAt(int x, int storage_row) const {
  const std::uint8_t* row = Row(storage_row);
  switch (BitCount()) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
      return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default:
      return row[x];
  }
}

void DibImage::SetIndexAt(int x, int storage_row, int index) {
  std::uint8_t* row = Row(storage_row);
  switch (BitCount()) {
    case 1: {
      const int shift = 7 - (x & 7);
      row[x >> 3] =
          static_cast<std::uint8_t>((row[x >> 3] & ~(1 << shift)) | ((index & 1) << shift));
      break;
    }
    case 4:
      if (x & 1) {
        row[x >> 1] = static_cast<std::uint8_t>((row[x >> 1] & 0xF0) | (index & 0x0F));
      } else {
        row[x >> 1] = static_cast<std::uint8_t>((row[x >> 1] & 0x0F) | ((index & 0x0F) << 4));
      }
      break;
    default:
      row[x] = static_cast<std::uint8_t>(index);
  }
}

ColorRef DibImage::ColorAt(int x, int storage_row) const {
  if (BitCount() == 24) {
    const std::uint8_t* p = Row(storage_row) + 3 * x;
    return MakeColorRef(p[2], p[1], p[0]);
  }
  const auto index = static_cast<std::size_t>(IndexAt(x, storage_row));
  return index < colors.size() ? colors[index] : 0;
}

void DibImage::RowToRgb32(int storage_row, std::uint32_t* out) const {
  const int width = Width();
  const std::uint8_t* row = Row(storage_row);
  if (BitCount() == 24) {
    for (int x = 0; x < width; ++x, row += 3) {
      out[x] = 0xFF000000u | (std::uint32_t{row[2]} << 16) | (std::uint32_t{row[1]} << 8) | row[0];
    }
    return;
  }
  // A lookup table of all 256 possible indices keeps the inner loop free of range checks.
  std::uint32_t table[256];
  for (std::size_t i = 0; i < 256; ++i) {
    table[i] = ColorToRgb32(i < colors.size() ? colors[i] : 0);
  }
  if (BitCount() == 8) {
    for (int x = 0; x < width; ++x) out[x] = table[row[x]];
  } else {
    for (int x = 0; x < width; ++x) out[x] = table[IndexAt(x, storage_row)];
  }
}

}  // namespace orbeline
