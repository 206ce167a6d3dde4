#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "image/nk_dib.h"

namespace orbeline {

// Decodes a BMP file held in memory. Accepts the OS/2 core header, BITMAPINFOHEADER and
// the V2 to V5 headers; 1, 4, 8 (also RLE4 / RLE8), 16 (5-5-5 or bit fields), 24 and 32
// bits per pixel; bottom-up and top-down rows. Pictures of 8 bits per pixel or fewer keep
// their bit count and colour table; deeper ones become 24-bit. A truncated or malformed file
// raises ImageError whose message names `source_name`.
TNkDIB ReadBmp(std::span<const std::uint8_t> bytes, std::string_view source_name);

// Reads and decodes a BMP file; errors name the file.
TNkDIB ReadBmpFile(const std::filesystem::path& path);

}  // namespace orbeline
