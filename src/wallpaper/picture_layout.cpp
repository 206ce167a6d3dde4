#include "wallpaper/picture_layout.h"

#include <algorithm>
#include <cstdint>

namespace orbeline {

PictureFit PictureFitOf(std::string_view wallpaper_style) {
  if (wallpaper_style == "6") return PictureFit::kInside;
  if (wallpaper_style == "10" || wallpaper_style == "22") return PictureFit::kCover;
  return PictureFit::kStretch;
}

Rect PlacePicture(PictureFit fit, int width, int height, const Rect& area) {
  if (fit == PictureFit::kStretch || width < 1 || height < 1) return area;
  const std::int64_t area_width = area.Width();
  const std::int64_t area_height = area.Height();
  // The picture is relatively wider than the area: fitting it inside takes the area's width,
  // covering the area takes its height.
  const bool wider = static_cast<std::int64_t>(width) * area_height >= area_width * height;
  std::int64_t w = area_width;
  std::int64_t h = area_height;
  if (wider == (fit == PictureFit::kInside)) {
    h = (height * area_width + width / 2) / width;
  } else {
    w = (width * area_height + height / 2) / height;
  }
  // A picture of an extreme shape still covers a pixel.
  w = std::max<std::int64_t>(w, 1);
  h = std::max<std::int64_t>(h, 1);
  const int left = area.left + static_cast<int>((area_width - w) / 2);
  const int top = area.top + static_cast<int>((area_height - h) / 2);
  return Rect{left, top, left + static_cast<int>(w), top + static_cast<int>(h)};
}

}  // namespace orbeline
