#pragma once

#include <cstdint>
#include <vector>

#include "base/color_text.h"

namespace orbeline {

// Finds the palette entry nearest to a colour (least squared distance in RGB, the first
// entry on a tie, as GDI's GetNearestPaletteIndex). Remembers recent answers, since
// pictures repeat their colours a great deal.
class NearestColorMatcher {
 public:
  explicit NearestColorMatcher(std::vector<ColorRef> palette);

  // The index for a 0xFFRRGGBB word (the top byte is ignored); 0 for an empty palette.
  std::uint8_t IndexOf(std::uint32_t rgb32);

 private:
  std::uint8_t Search(std::uint32_t rgb) const;

  std::vector<ColorRef> palette_;
  std::vector<std::uint32_t> cache_keys_;
  std::vector<std::uint8_t> cache_values_;
};

}  // namespace orbeline
