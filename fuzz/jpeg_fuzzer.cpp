// libFuzzer entry for the JPEG decoder: any byte string must either decode or raise
// ImageError, never crash, hang or read out of bounds; what decodes goes through the
// conversions a source wallpaper goes through.
#include <cstddef>
#include <cstdint>
#include <span>

#include "conversions.h"
#include "image/image_error.h"
#include "image/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    orbeline::fuzz::ExerciseConversions(
        orbeline::DecodeJpeg(std::span<const std::uint8_t>(data, size), "fuzz.jpeg"));
  } catch (const orbeline::ImageError&) {
  }
  return 0;
}
