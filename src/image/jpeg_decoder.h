#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "image/image_decoder.h"
#include "image/nk_dib.h"

namespace orbeline {

// Decodes a JPEG (libjpeg) into a 24-bit TNkDIB; errors raise ImageError naming
// `source_name` and libjpeg's reason. With a size hint, a picture larger than the caller
// needs comes out at the smallest of libjpeg's scales 1/8, 1/4 and 1/2 (which its inverse
// DCT makes at little cost) that is still at least that large in both directions; else at
// full size.
TNkDIB DecodeJpeg(std::span<const std::uint8_t> bytes, std::string_view source_name,
                  const DecodeSizeHint& hint = {});
TNkDIB DecodeJpegFile(const std::filesystem::path& path, const DecodeSizeHint& hint = {});

}  // namespace orbeline
