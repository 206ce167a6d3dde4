#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "image/dib_image.h"

namespace orbeline {

// The bytes of an uncompressed BMP file (BITMAPFILEHEADER, BITMAPINFOHEADER, colour table,
// bottom-up rows) of an image of 1, 4, 8 or 24 bits per pixel.
std::vector<std::uint8_t> EncodeBmp(const DibImage& image);

// Writes the image as an uncompressed BMP file with WriteFileAtomically: a reader or a crash
// never finds a partial file. Raises orbeline::Error naming the file on failure.
void WriteBmpFile(const std::filesystem::path& path, const DibImage& image);

}  // namespace orbeline
