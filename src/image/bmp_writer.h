#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "image/dib_image.h"

namespace orbeline {

// The bytes of an uncompressed BMP file (BITMAPFILEHEADER, BITMAPINFOHEADER, colour table,
// bottom-up rows) of an image of 1, 4, 8 or 24 bits per pixel.
std::vector<std::uint8_t> EncodeBmp(const DibImage& image);

// Writes the image as an uncompressed BMP file: to "<path>.tmp-XXXXXX" in the same folder,
// flushed to disk, then renamed over `path`. Raises orbeline::Error naming the file on
// failure, leaving no partial file.
void WriteBmpFile(const std::filesystem::path& path, const DibImage& image);

}  // namespace orbeline
