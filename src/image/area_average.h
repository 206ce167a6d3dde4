#pragma once

#include "image/dib_image.h"

namespace orbeline {

// The picture resampled to width x height by area averaging: every destination pixel is the
// mean of the source area it covers, partly covered source pixels counted by the part they
// cover. Shrinking a photo this way keeps its detail smooth where picking one source pixel
// per destination pixel would alias. Any bit count in, 24 bits out.
DibImage ScaleAreaAverage(const DibImage& source, int width, int height);

}  // namespace orbeline
