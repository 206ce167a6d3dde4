// libFuzzer entry for the BMP reader: any byte string must either decode or raise
// ImageError, never crash, hang or read out of bounds; what decodes must survive a
// write-and-read round trip unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "conversions.h"
#include "image/bmp_reader.h"
#include "image/bmp_writer.h"
#include "image/image_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using orbeline::TNkDIB;
  TNkDIB dib;
  try {
    dib = orbeline::ReadBmp(std::span<const std::uint8_t>(data, size), "fuzz.bmp");
  } catch (const orbeline::ImageError&) {
    return 0;
  }
  // Keep each run quick: the conversions and the round trip only for small pictures.
  if (static_cast<std::int64_t>(dib.Width()) * dib.Height() > 65536) return 0;
  const TNkDIB again = orbeline::ReadBmp(orbeline::EncodeBmp(dib.Image()), "again.bmp");
  for (int y = 0; y < dib.Height(); ++y) {
    for (int x = 0; x < dib.Width(); ++x) {
      if (again.GetPixelColor(x, y) != dib.GetPixelColor(x, y)) std::abort();
    }
  }
  orbeline::fuzz::ExerciseConversions(dib);
  return 0;
}
