#pragma once

#include "image/dib_image.h"

namespace orbeline {

// The high-mode reduction of a 24-bit image to 8 bits with an adaptive palette: the pixels
// are split recursively (8 levels, at most 256 leaves) on the channel of greatest weighted
// variance (red 3, green 4, blue 2) at that channel's mean; every leaf that holds pixels
// becomes one palette entry, its rounded mean colour, in the order the leaves are made.
DibImage ConvertTrueColorTo8BitRGBHigh(const DibImage& source);

// The low-mode reduction: every pixel becomes the nearest level combination of the colour
// halftone palette, without error diffusion.
DibImage ConvertTrueColorTo8BitLow(const DibImage& source);

// An image of 8 bits per pixel or fewer as 24 bits: every pixel takes its palette colour.
DibImage ConvertTo24Bit(const DibImage& source);

// An image of 1 or 4 bits per pixel as 8 bits with the same palette.
DibImage ConvertTo8BitIndexed(const DibImage& source);

}  // namespace orbeline
