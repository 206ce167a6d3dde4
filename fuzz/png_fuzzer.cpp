// libFuzzer entry for the PNG decoder: any byte string must either decode or raise
// ImageError, never crash, hang or read out of bounds; what decodes goes through the
// conversions a source wallpaper goes through.
#include <cstddef>
#include <cstdint>
#include <span>

#include "conversions.h"
#include "image/image_error.h"
#include "image/png_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    orbeline::fuzz::ExerciseConversions(
        orbeline::DecodePng(std::span<const std::uint8_t>(data, size), "fuzz.png"));
  } catch (const orbeline::ImageError&) {
  }
  return 0;
}
