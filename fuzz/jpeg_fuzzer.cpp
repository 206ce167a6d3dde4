// libFuzzer entry for the JPEG decoder: any byte string must either decode or raise
// ImageError, never crash, hang or read out of bounds; what decodes goes through the
// conversions a source wallpaper goes through. The same bytes are also decoded the way a
// shrunk or clipped picture reaches the screen: an inner part, row by row, at a scale the
// last byte picks.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "conversions.h"
#include "image/image_error.h"
#include "image/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  try {
    orbeline::fuzz::ExerciseConversions(orbeline::DecodeJpeg(bytes, "fuzz.jpeg"));
  } catch (const orbeline::ImageError&) {
  }
  if (size == 0) return 0;
  try {
    orbeline::JpegDecoder decoder(bytes, "fuzz.jpeg");
    const int eighths = 1 + data[size - 1] % 8;
    decoder.ScaleToAtLeast(
        {(decoder.FullWidth() * eighths + 7) / 8, (decoder.FullHeight() * eighths + 7) / 8});
    const int w = decoder.Width();
    const int h = decoder.Height();
    orbeline::Rect part{w / 4, h / 3, w - w / 5, h - h / 4};
    if (part.IsEmpty()) part = {0, 0, w, h};
    const bool words = data[size - 1] & 0x80;
    decoder.Start(part, words ? orbeline::JpegRowFormat::kRgb32 : orbeline::JpegRowFormat::kBgr24);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(part.Width()));
    for (int y = part.top; y < part.bottom; ++y) {
      if (words) {
        decoder.ReadRow(row.data());
      } else {
        decoder.ReadRow(reinterpret_cast<std::uint8_t*>(row.data()));
      }
    }
  } catch (const orbeline::ImageError&) {
  }
  return 0;
}
