#include "image/color_reduction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "image/halftone.h"
#include "image/image_error.h"

namespace orbeline {
namespace {

// One pixel of the working list, in the order of the DIB's own bytes: blue, green, red.
using Bgr = std::array<std::uint8_t, 3>;

// A channel, named by its byte in Bgr.
enum class Channel : std::uint8_t { kBlue = 0, kGreen = 1, kRed = 2 };

std::uint8_t ValueOf(const Bgr& p, Channel c) { return p[static_cast<std::size_t>(c)]; }

// A box of the split tree: an inner node (channel and threshold, two children) or a leaf
// (a palette index). Children that hold no pixels are -1.
struct Node {
  Channel channel = Channel::kRed;
  // The threshold is the channel's mean; since channel values are whole numbers,
  // "value <= mean" is the same test as "value <= floor(mean)".
  int threshold = 0;
  int children[2] = {-1, -1};  // the first part (value <= threshold), the second part
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
      // Indexing by the comparison (rather than branching on it) keeps this walk free of
      // mispredicted jumps, which dominate on photographs.
      node = n.children[ValueOf(p, n.channel) > n.threshold];
      if (node < 0) throw ImageError("TNkDIB.ConvertTrueColorTo8BitRGBHigh: Pixel without box");
    }
    return nodes_[node].leaf_index;
  }

 private:
  int Build(Bgr* begin, Bgr* end, int depth) {
    if (begin == end) return -1;  // an empty box makes nothing
    // Sums by byte of Bgr (blue, green, red); they are exact, and the mean and variance
    // are then taken in extended precision.
    std::uint64_t sum[3] = {0, 0, 0};
    std::uint64_t sum_of_squares[3] = {0, 0, 0};
    for (const Bgr* p = begin; p != end; ++p) {
      for (std::size_t c = 0; c < 3; ++c) {
        sum[c] += (*p)[c];
        sum_of_squares[c] += (*p)[c] * (*p)[c];
      }
    }
    const long double count = static_cast<long double>(end - begin);
    long double mean[3];
    long double variance[3];
    for (int c = 0; c < 3; ++c) {
      mean[c] = static_cast<long double>(sum[c]) / count;
      variance[c] = static_cast<long double>(sum_of_squares[c]) / count - mean[c] * mean[c];
    }
    const auto at = [](const long double(&values)[3], Channel c) {
      return values[static_cast<std::size_t>(c)];
    };
    const int id = static_cast<int>(nodes_.size());
    nodes_.emplace_back();
    if (depth == kLeafDepth) {
      nodes_[id].leaf_index = static_cast<int>(palette_.size());
      // lrint rounds half to even in the default rounding mode.
      palette_.push_back(MakeColorRef(static_cast<int>(std::lrint(at(mean, Channel::kRed))),
                                      static_cast<int>(std::lrint(at(mean, Channel::kGreen))),
                                      static_cast<int>(std::lrint(at(mean, Channel::kBlue)))));
      return id;
    }
    // Weighted variances red 3, green 4, blue 2; on a tie red goes before green and green
    // before blue.
    Channel channel = Channel::kRed;
    long double best = 3 * at(variance, Channel::kRed);
    if (4 * at(variance, Channel::kGreen) > best) {
      channel = Channel::kGreen;
      best = 4 * at(variance, Channel::kGreen);
    }
    if (2 * at(variance, Channel::kBlue) > best) channel = Channel::kBlue;
    const int threshold = static_cast<int>(std::floor(at(mean, channel)));
    Bgr* middle =
        std::partition(begin, end, [&](const Bgr& p) { return ValueOf(p, channel) <= threshold; });
    nodes_[id].channel = channel;
    nodes_[id].threshold = threshold;
    const int first = Build(begin, middle, depth + 1);
    const int second = Build(middle, end, depth + 1);
    nodes_[id].children[0] = first;
    nodes_[id].children[1] = second;
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
