#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "base/color_text.h"

namespace orbeline::testing {

enum class TestJpegKind {
  kColour,       // YCbCr with chroma halved both ways (4:2:0), baseline
  kProgressive,  // the same, progressive
  kGrey,         // one channel: the red of each colour
  kCmyk,         // Adobe's inverted CMYK with K = 255, which decodes back to the colour
};

// A JPEG of the picture `color` gives top-down.
std::vector<std::uint8_t> EncodeTestJpeg(int width, int height, TestJpegKind kind,
                                         const std::function<ColorRef(int x, int y)>& color,
                                         int quality = 95);

}  // namespace orbeline::testing
