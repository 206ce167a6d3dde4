#pragma once

#include <vector>

#include "image/dib_image.h"

namespace orbeline {

// The level values of the colour halftone: 6 of red, 7 of green, 5 of blue.
inline constexpr int kHalftoneRedLevels[] = {0, 51, 102, 153, 204, 255};
inline constexpr int kHalftoneGreenLevels[] = {0, 43, 85, 128, 171, 214, 255};
inline constexpr int kHalftoneBlueLevels[] = {0, 64, 128, 192, 255};

// The level of a channel value (valid for -256..512, clamped beyond).
int HalftoneRedLevel(int value);
int HalftoneGreenLevel(int value);
int HalftoneBlueLevel(int value);

// Palette index of a level combination: red x 35 + green x 5 + blue (0..209).
constexpr int HalftoneIndex(int red_level, int green_level, int blue_level) {
  return red_level * 35 + green_level * 5 + blue_level;
}

// The 210 colours of the level combinations in index order, then the 16 VGA colours.
std::vector<ColorRef> ColorHalftonePalette();

// The colour halftone (ConvertToHalfTone): an 8-bit image over ColorHalftonePalette(), whose
// level combinations it reaches by error diffusion over the rows in storage order,
// serpentine, keeping two rows of errors.
DibImage ConvertToHalfTone(const DibImage& source);

// The black-and-white halftone: the same diffusion on the grey value, palette black, white.
DibImage ConvertToBWHalfTone(const DibImage& source);

}  // namespace orbeline
