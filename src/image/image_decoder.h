#pragma once

#include <filesystem>
#include <functional>

#include "image/nk_dib.h"

namespace orbeline {

struct PixelSize {
  int width = 0;
  int height = 0;
};

// Given a picture's full size, the least size the caller will use it at (a picture it
// shrinks anyway), or the full size.
using DecodeSizeHint = std::function<PixelSize(int width, int height)>;

// Decodes a picture file at full size, chosen by its extension (letter case ignored):
// .bmp (keeps 8 bits per pixel or fewer with its palette), .jpg/.jpeg, .png and .webp
// (24-bit). With a size hint a JPEG may come out smaller (see DecodeJpeg). Errors (unknown
// extension, unreadable or malformed file) raise ImageError naming the file and the reason.
TNkDIB DecodeImageFile(const std::filesystem::path& path, const DecodeSizeHint& hint = {});

}  // namespace orbeline
