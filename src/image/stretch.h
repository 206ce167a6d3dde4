#pragma once

#include <vector>

#include "image/dib_image.h"

namespace orbeline {

// Nearest-pixel stretching (what GDI calls COLORONCOLOR): destination pixel i of
// `dst_size` takes source pixel (2i + 1) * src_size / (2 * dst_size), the source pixel
// under its centre. Entry k of the result is for destination pixel `first` + k.
std::vector<int> NearestSourceMap(int first, int count, int dst_size, int src_size);

// The image stretched to width x height. Images of 8 bits per pixel or fewer come out as
// 8-bit with the same palette, 24-bit ones as 24-bit.
DibImage StretchNearest(const DibImage& source, int width, int height);

}  // namespace orbeline
