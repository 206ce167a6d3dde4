#include "image/palette_match.h"

#include <limits>

namespace orbeline {
namespace {

constexpr int kCacheBits = 16;
constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;  // never a 24-bit key

std::size_t Slot(std::uint32_t key) {
  return (key * 2654435761u) >> (32 - kCacheBits);  // Fibonacci hashing
}

}  // namespace

NearestColorMatcher::NearestColorMatcher(std::vector<ColorRef> palette)
    : palette_(std::move(palette)),
      cache_keys_(std::size_t{1} << kCacheBits, kNoEntry),
      cache_values_(std::size_t{1} << kCacheBits, 0) {}

std::uint8_t NearestColorMatcher::IndexOf(std::uint32_t rgb32) {
  const std::uint32_t key = rgb32 & 0x00FFFFFF;
  const std::size_t slot = Slot(key);
  if (cache_keys_[slot] != key) {
    cache_keys_[slot] = key;
    cache_values_[slot] = Search(key);
  }
  return cache_values_[slot];
}

std::uint8_t NearestColorMatcher::Search(std::uint32_t rgb) const {
  const int r = (rgb >> 16) & 0xFF;
  const int g = (rgb >> 8) & 0xFF;
  const int b = rgb & 0xFF;
  int best = 0;
  int best_distance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < palette_.size() && i < 256; ++i) {
    const int dr = r - RedOf(palette_[i]);
    const int dg = g - GreenOf(palette_[i]);
    const int db = b - BlueOf(palette_[i]);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < best_distance) {
      best_distance = distance;
      best = static_cast<int>(i);
      if (distance == 0) break;
    }
  }
  return static_cast<std::uint8_t>(best);
}

}  // namespace orbeline
