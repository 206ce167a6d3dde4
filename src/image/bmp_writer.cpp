#include "image/bmp_writer.h"

#include <array>
#include <string>

#include "base/durable_file.h"
#include "image/image_error.h"

namespace orbeline {
namespace {

constexpr std::size_t kFileHeaderSize = 14;  // BITMAPFILEHEADER
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// The headers of an image, after checking that it holds all its rows.
std::vector<std::uint8_t> EncodeHeaders(const DibImage& image) {
  const std::size_t pixel_bytes = static_cast<std::size_t>(image.RowBytes()) * image.Height();
  if (image.bits.size() < pixel_bytes) throw ImageError("WriteBmp: Malformed image");
  return EncodeBmpHeaders(image.Width(), image.Height(), image.BitCount(), image.colors);
}

}  // namespace

// BITMAPFILEHEADER + BITMAPINFOHEADER + colour table (RGBQUAD: blue, green, red, 0) of an
// uncompressed bottom-up image; the pixel rows follow.
std::vector<std::uint8_t> EncodeBmpHeaders(int width, int height, int bits,
                                           const std::vector<ColorRef>& colors) {
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) {
    throw ImageError("WriteBmp: Invalid bit count " + std::to_string(bits));
  }
  const std::size_t pixel_bytes = static_cast<std::size_t>(DibRowBytes(width, bits)) * height;
  const std::size_t color_count = bits <= 8 ? colors.size() : 0;
  const std::size_t off_bits = kFileHeaderSize + kInfoHeaderSize + 4 * color_count;
  std::vector<std::uint8_t> out;
  out.reserve(off_bits);
  out.push_back('B');
  out.push_back('M');
  Put32(out, static_cast<std::uint32_t>(off_bits + pixel_bytes));
  Put32(out, 0);  // reserved
  Put32(out, static_cast<std::uint32_t>(off_bits));
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up
  Put16(out, 1);                                   // planes
  Put16(out, static_cast<std::uint32_t>(bits));
  Put32(out, 0);  // BI_RGB
  Put32(out, static_cast<std::uint32_t>(pixel_bytes));
  Put32(out, 3780);  // 96 dots per inch, in pixels per metre
  Put32(out, 3780);
  Put32(out, static_cast<std::uint32_t>(color_count));
  Put32(out, 0);  // all colours important
  for (std::size_t i = 0; i < color_count; ++i) {
    const ColorRef c = colors[i];
    out.insert(out.end(), {BlueOf(c), GreenOf(c), RedOf(c), 0});
  }
  return out;
}

std::vector<std::uint8_t> EncodeBmp(const DibImage& image) {
  std::vector<std::uint8_t> out = EncodeHeaders(image);
  out.insert(out.end(), image.bits.begin(),
             image.bits.begin() + static_cast<std::ptrdiff_t>(image.RowBytes()) * image.Height());
  return out;
}

void WriteBmpFile(const std::filesystem::path& path, const DibImage& image) {
  // The pixel rows are already in file order: write them straight from the image.
  const std::vector<std::uint8_t> headers = EncodeHeaders(image);
  const std::array<std::span<const std::uint8_t>, 2> parts = {
      std::span<const std::uint8_t>(headers),
      std::span<const std::uint8_t>(image.bits.data(),
                                    static_cast<std::size_t>(image.RowBytes()) * image.Height())};
  WriteFileAtomically(path, parts);
}

}  // namespace orbeline
