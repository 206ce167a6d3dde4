#include "image/color_reduction.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "image/halftone.h"
#include "image/image_error.h"

namespace orbeline {
namespace {

// One pixel of the working list, in the order of the DIB's own bytes.
struct Bgr {
  std::uint8_t blue;
  std::uint8_t green;
  std::uint8_t red;
};

enum class Channel : std::uint8_t { kRed, kGreen, kBlue };

std::uint8_t ValueOf(const Bgr& p, Channel c) {
  switch (c) {
    case Channel::kRed:
      return p.red;
    case Channel::kGreen:
      return p.green;
    case Channel::kBlue:
      break;
  }
  return p.blue;
}

// A box of the split tree: an inner node (channel and threshold, two children) or a leaf
// (a palette index). Children that hold no pixels are -1.
struct Node {
  Channel channel = Channel::kRed;
  // The threshold is the channel's mean; since channel values are whole numbers,
  // "value <= mean" is the same test as "value <= floor(mean)".
  int threshold = 0;
  int first = -1;
  int second = -1;
  int leaf_index = -1;
};

constexpr int kLeafDepth = 8;

class SplitTree {
 public:
  // Splits the pixels (reordered in place) and makes the palette.
  explicit SplitTree(std::vector<Bgr>& pixels) {
    Build(pixels.data(), pixels.data() + pixels.size(), 0);
  }

  const std::vector<ColorRef>& palette() const { return palette_; }

  int IndexOf(const Bgr& p) const {
    int node = 0;
    while (nodes_[node].leaf_index < 0) {
      const Node& n = nodes_[node];
      node = n.threshold >= ValueOf(p, n.channel) ? n.first : n.second;
      if (node < 0) throw ImageError("TNkDIB.ConvertTrueColorTo8BitRGBHigh: Pixel without box");
    }
    return nodes_[node].leaf_index;
  }

 private:
  int Build(Bgr* begin, Bgr* end, int depth) {
    if (begin == end) return -1;  // an empty box makes nothing
    std::uint64_t sum[3] = {0, 0, 0};
    std::uint64_t sum_of_squares[3] = {0, 0, 0};
    for (const Bgr* p = begin; p != end; ++p) {
      sum[0] += p->red;
      sum[1] += p->green;
      sum[2] += p->blue;
      sum_of_squares[0] += p->red * p->red;
      sum_of_squares[1] += p->green * p->green;
      sum_of_squares[2] += p->blue * p->blue;
    }
    // The sums are exact; mean and variance are then taken in extended precision.
    const long double count = static_cast<long double>(end - begin);
    long double mean[3];
    long double variance[3];
    for (int c = 0; c < 3; ++c) {
      mean[c] = static_cast<long double>(sum[c]) / count;
      variance[c] = static_cast<long double>(sum_of_squares[c]) / count - mean[c] * mean[c];
    }
    const int id = static_cast<int>(nodes_.size());
    nodes_.emplace_back();
    if (depth == kLeafDepth) {
      nodes_[id].leaf_index = static_cast<int>(palette_.size());
      // lrint rounds half to even in the default rounding mode.
      palette_.push_back(MakeColorRef(static_cast<int>(std::lrint(mean[0])),
                                      static_cast<int>(std::lrint(mean[1])),
                                      static_cast<int>(std::lrint(mean[2]))));
      return id;
    }
    // Weighted variances; on a tie red goes before green and green before blue.
    const long double weighted[3] = {3 * variance[0], 4 * variance[1], 2 * variance[2]};
    int chosen = 0;
    if (weighted[1] > weighted[chosen]) chosen = 1;
    if (weighted[2] > weighted[chosen]) chosen = 2;
    const auto channel = static_cast<Channel>(chosen);
    const int threshold = static_cast<int>(std::floor(mean[chosen]));
    Bgr* middle =
        std::partition(begin, end, [&](const Bgr& p) { return ValueOf(p, channel) <= threshold; });
    nodes_[id].channel = channel;
    nodes_[id].threshold = threshold;
    const int first = Build(begin, middle, depth + 1);
    const int second = Build(middle, end, depth + 1);
    nodes_[id].first = first;
    nodes_[id].second = second;
    return id;
  }

  std::vector<Node> nodes_;
  std::vector<ColorRef> palette_;
};

void RequireBitCount(const DibImage& source, bool ok, const char* operation) {
  if (!ok) {
    throw ImageError(std::string("TNkDIB.") + operation + ": Invalid bit count " +
                     std::to_string(source.BitCount()));
  }
}

}  // namespace

DibImage ConvertTrueColorTo8BitRGBHigh(const DibImage& source) {
  RequireBitCount(source, source.BitCount() == 24, "ConvertTrueColorTo8BitRGBHigh");
  const int width = source.Width();
  const int height = source.Height();
  std::vector<Bgr> pixels;
  pixels.reserve(static_cast<std::size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* p = source.Row(row);
    for (int x = 0; x < width; ++x, p += 3) pixels.push_back(Bgr{p[0], p[1], p[2]});
  }
  const SplitTree tree(pixels);
  pixels = {};  // the list is not needed for the mapping
  DibImage result = DibImage::Create(width, height, 8, tree.palette());
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* in = source.Row(row);
    std::uint8_t* out = result.Row(row);
    for (int x = 0; x < width; ++x, in += 3) {
      out[x] = static_cast<std::uint8_t>(tree.IndexOf(Bgr{in[0], in[1], in[2]}));
    }
  }
  return result;
}

DibImage ConvertTrueColorTo8BitLow(const DibImage& source) {
  RequireBitCount(source, source.BitCount() == 24, "ConvertTrueColorTo8BitLow");
  DibImage result = DibImage::Create(source.Width(), source.Height(), 8, ColorHalftonePalette());
  for (int row = 0; row < source.Height(); ++row) {
    const std::uint8_t* in = source.Row(row);
    std::uint8_t* out = result.Row(row);
    for (int x = 0; x < source.Width(); ++x, in += 3) {
      out[x] = static_cast<std::uint8_t>(HalftoneIndex(
          HalftoneRedLevel(in[2]), HalftoneGreenLevel(in[1]), HalftoneBlueLevel(in[0])));
    }
  }
  return result;
}

DibImage ConvertTo24Bit(const DibImage& source) {
  RequireBitCount(source, source.BitCount() <= 8, "ConvertTo24Bit");
  DibImage result = DibImage::Create(source.Width(), source.Height(), 24, {});
  std::vector<std::uint32_t> rgb(source.Width());
  for (int row = 0; row < source.Height(); ++row) {
    source.RowToRgb32(row, rgb.data());
    std::uint8_t* out = result.Row(row);
    for (std::uint32_t p : rgb) {
      *out++ = p & 0xFF;
      *out++ = (p >> 8) & 0xFF;
      *out++ = (p >> 16) & 0xFF;
    }
  }
  return result;
}

DibImage ConvertTo8BitIndexed(const DibImage& source) {
  RequireBitCount(source, source.BitCount() <= 8, "ConvertTo8BitIndexed");
  DibImage result = DibImage::Create(source.Width(), source.Height(), 8, source.colors);
  for (int row = 0; row < source.Height(); ++row) {
    std::uint8_t* out = result.Row(row);
    for (int x = 0; x < source.Width(); ++x) {
      out[x] = static_cast<std::uint8_t>(source.IndexAt(x, row));
    }
  }
  return result;
}

}  // namespace orbeline
