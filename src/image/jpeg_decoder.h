#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "image/nk_dib.h"

namespace orbeline {

// Decodes a JPEG (libjpeg) at full size into a 24-bit TNkDIB; errors raise ImageError
// naming `source_name` and libjpeg's reason.
TNkDIB DecodeJpeg(std::span<const std::uint8_t> bytes, std::string_view source_name);
TNkDIB DecodeJpegFile(const std::filesystem::path& path);

}  // namespace orbeline
