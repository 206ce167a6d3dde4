#pragma once

#include <filesystem>

#include "image/nk_dib.h"

namespace orbeline {

// Decodes a picture file at full size, chosen by its extension (letter case ignored):
// .bmp (keeps 8 bits per pixel or fewer with its palette), .jpg/.jpeg, .png and .webp
// (24-bit). Errors (unknown extension, unreadable or malformed file) raise ImageError
// naming the file and the reason.
TNkDIB DecodeImageFile(const std::filesystem::path& path);

}  // namespace orbeline
