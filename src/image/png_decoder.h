#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "image/nk_dib.h"

namespace orbeline {

// Decodes a PNG (libpng; transparency is composed onto black) at full size into a 24-bit TNkDIB;
// errors raise ImageError naming `source_name` and libpng's reason.
TNkDIB DecodePng(std::span<const std::uint8_t> bytes, std::string_view source_name);
TNkDIB DecodePngFile(const std::filesystem::path& path);

}  // namespace orbeline
