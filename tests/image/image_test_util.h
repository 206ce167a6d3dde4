#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/error.h"
#include "image/dib_image.h"
#include "image/nk_dib.h"

namespace orbeline::testing {

// A picture given top-down: fn(x, y) with y = 0 the top row.
using ColorFn = std::function<ColorRef(int x, int y)>;
using IndexFn = std::function<int(int x, int y)>;

inline DibImage MakeDib24(int width, int height, const ColorFn& color) {
  DibImage image = DibImage::Create(width, height, 24, {});
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = image.Row(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const ColorRef c = color(x, y);
      row[3 * x] = BlueOf(c);
      row[3 * x + 1] = GreenOf(c);
      row[3 * x + 2] = RedOf(c);
    }
  }
  return image;
}

inline DibImage MakeIndexed(int width, int height, int bit_count, std::vector<ColorRef> palette,
                            const IndexFn& index) {
  DibImage image = DibImage::Create(width, height, bit_count, std::move(palette));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.SetIndexAt(x, height - 1 - y, index(x, y));
  }
  return image;
}

// A reproducible "photo": smooth gradients with some texture, many distinct colours.
inline ColorRef PhotoLike(int x, int y) {
  const int noise = static_cast<int>((x * 7919u + y * 104729u) * 2654435761u >> 28);
  return MakeColorRef((x * 3 + y + noise) & 0xFF, (y * 2 + noise * 3) & 0xFF,
                      ((x ^ y) + noise * 5) & 0xFF);
}

// Every pixel of two images as colours, top-down, for exact comparisons.
inline std::vector<ColorRef> Colors(const DibImage& image) {
  std::vector<ColorRef> out;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) out.push_back(image.ColorAt(x, image.Height() - 1 - y));
  }
  return out;
}

// The message of the orbeline::Error that `action` raises ("" when it raises none).
inline std::string ErrorMessage(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

}  // namespace orbeline::testing
