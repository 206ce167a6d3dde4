#pragma once

#include <string_view>

#include "base/rect.h"

namespace orbeline {

// How a desktop scales a picture that it neither tiles nor centres, from its
// `WallpaperStyle` value: "6" fits the picture inside (the background colour around it),
// "10" and "22" cover the screen (the whole desktop) and crop the centre; "2" and any other
// number stretch it to the screen's shape.
enum class PictureFit { kStretch, kInside, kCover };

PictureFit PictureFitOf(std::string_view wallpaper_style);

// Where a width x height picture lands when it is scaled into `area` (for kCover the result
// reaches beyond the area, centred).
Rect PlacePicture(PictureFit fit, int width, int height, const Rect& area);

}  // namespace orbeline
