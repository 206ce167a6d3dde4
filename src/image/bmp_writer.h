#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "image/dib_image.h"

namespace orbeline {

// The bytes of an uncompressed BMP file (BITMAPFILEHEADER, BITMAPINFOHEADER, colour table,
// bottom-up rows) of an image of 1, 4, 8 or 24 bits per pixel.
std::vector<std::uint8_t> EncodeBmp(const DibImage& image);

// The headers of an uncompressed bottom-up BMP file of that size (BITMAPFILEHEADER,
// BITMAPINFOHEADER and, for 8 bits per pixel or fewer, the colour table); the pixel rows,
// each padded to 4 bytes, follow them.
std::vector<std::uint8_t> EncodeBmpHeaders(int width, int height, int bit_count,
                                           const std::vector<ColorRef>& colors);

// Writes the image as an uncompressed BMP file with WriteFileAtomically: a reader or a crash
// never finds a partial file. Raises orbeline::Error naming the file on failure.
void WriteBmpFile(const std::filesystem::path& path, const DibImage& image);

}  // namespace orbeline
