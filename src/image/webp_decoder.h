#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "image/nk_dib.h"

namespace orbeline {

// Decodes a WebP (libwebp; transparency is dropped) at full size into a 24-bit TNkDIB; errors raise
// ImageError naming `source_name` and libwebp's reason.
TNkDIB DecodeWebp(std::span<const std::uint8_t> bytes, std::string_view source_name);
TNkDIB DecodeWebpFile(const std::filesystem::path& path);

}  // namespace orbeline
