#include "image/color_reduction.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "image/halftone.h"
#include "image/image_error.h"

namespace orbeline {
namespace {

// Pixels of the working list packed as 0x00RRGGBB words; a channel is named by its shift.
enum class Channel : std::uint8_t { kBlue = 0, kGreen = 8, kRed = 16 };

constexpr int kLeafDepth = 8;
constexpr int kInnerNodes = (1 << kLeafDepth) - 1;  // 255
constexpr int kLeafSlots = 1 << kLeafDepth;         // 256

// Below this many pixels a second thread costs more than it saves.
constexpr std::size_t kParallelPixels = 1 << 16;

std::uint32_t Pack(const std::uint8_t* bgr) {
  return bgr[0] | (static_cast<std::uint32_t>(bgr[1]) << 8) |
         (static_cast<std::uint32_t>(bgr[2]) << 16);
}

// Sorts `size` pixels, pixel(i) each, into `low` (channel value <= threshold) and `high`
// without branches (which photographs would mispredict half the time); returns how many
// went low.
template <typename PixelAt>
std::ptrdiff_t SortIntoTwo(std::ptrdiff_t size, const PixelAt& pixel_at, int shift,
                           std::uint32_t threshold, std::uint32_t* low, std::uint32_t* high) {
  std::ptrdiff_t lows = 0;
  std::ptrdiff_t highs = 0;
  for (std::ptrdiff_t i = 0; i < size; ++i) {
    const std::uint32_t pixel = pixel_at(i);
    const std::ptrdiff_t first = ((pixel >> shift) & 0xFF) <= threshold;
    low[lows] = pixel;
    high[highs] = pixel;
    lows += first;
    highs += 1 - first;
  }
  return lows;
}

constexpr std::ptrdiff_t kBlock = 256;  // pixels sorted at a time

// How often each value of blue, green and red occurs in a box: its sums and sums of squares
// follow exactly, and a box's second part is its whole minus its first part.
struct Histograms {
  std::array<std::array<std::uint32_t, 256>, 3> counts{};  // blue, green, red

  Histograms Minus(const Histograms& part) const {
    Histograms rest;
    for (std::size_t c = 0; c < 3; ++c) {
      for (std::size_t v = 0; v < 256; ++v) rest.counts[c][v] = counts[c][v] - part.counts[c][v];
    }
    return rest;
  }
};

// Every split of the tree is a complete binary tree of depth 8 in heap order (node k has
// the children 2k + 1 and 2k + 2), since every box that holds pixels is split down to depth
// 8. The leaves, left to right, are the order in which the boxes are made (first parts
// before second parts), which is the palette's order.
class SplitTree {
 public:
  // Splits the pixels of a 24-bit image and makes the palette; with `parallel`, the two
  // halves of the first split are split on two threads.
  SplitTree(const DibImage& source, bool parallel) {
    leaf_colors_.fill(kNoLeaf);
    leaf_index_.fill(-1);
    const int height = source.Height();
    const std::size_t width = static_cast<std::size_t>(source.Width());
    const auto halves = [&](const auto& job) {
      if (!parallel) return job(0, height, 0);
      std::thread second([&] { job(height / 2, height, 1); });
      job(0, height / 2, 0);
      second.join();
    };

    // The whole picture's histograms, then the first split straight from the picture's rows
    // into the working list (whose parts' sizes the histograms tell).
    Histograms halves_counts[2];
    halves([&](int first_row, int last_row, int half) {
      halves_counts[half] = CountRows(source, first_row, last_row);
    });
    Histograms all = halves_counts[0];
    for (std::size_t c = 0; c < 3; ++c) {
      for (std::size_t v = 0; v < 256; ++v) all.counts[c][v] += halves_counts[1].counts[c][v];
    }
    const std::size_t count = width * static_cast<std::size_t>(height);
    const Choice root = Choose(all, static_cast<std::ptrdiff_t>(count), 0);
    pixels_.resize(count);
    std::uint32_t* begin = pixels_.data();
    std::uint32_t* middle = begin + root.first_count;
    std::uint32_t* end = begin + count;
    // The first half of the rows fills the first part from its start and the second part
    // from its end; the second half fills both from the middle outwards.
    halves([&](int first_row, int last_row, int half) {
      PartitionRows(source, first_row, last_row, root,
                    half == 0 ? Cursor{begin, 1} : Cursor{middle, -1},
                    half == 0 ? Cursor{end, -1} : Cursor{middle, 1});
    });
    // Each half counts its own part and splits it on.
    const auto split_on = [&](bool first_part) {
      std::uint32_t* part_begin = first_part ? begin : middle;
      std::uint32_t* part_end = first_part ? middle : end;
      if (part_begin == part_end) return;
      const Histograms part =
          CountPart(part_begin, part_end, all, root.channel, root.threshold, first_part);
      Build(part_begin, part_end, part, 1, first_part ? 1 : 2);
    };
    if (parallel) {
      std::thread second([&] { split_on(false); });
      split_on(true);
      second.join();
    } else {
      split_on(true);
      split_on(false);
    }
    pixels_ = {};  // the list is not needed for the mapping
    for (int slot = 0; slot < kLeafSlots; ++slot) {
      if (leaf_colors_[slot] == kNoLeaf) continue;
      leaf_index_[slot] = static_cast<std::int16_t>(palette_.size());
      palette_.push_back(leaf_colors_[slot]);
    }
    MakeShortcut();
  }

  const std::vector<ColorRef>& palette() const { return palette_; }

  // Maps a row of B, G, R pixels to palette indexes. Returns a negative number when a walk
  // ended in a box that holds no pixels (which no pixel of the split picture can reach).
  int MapRow(const std::uint8_t* in, std::uint8_t* out, int width) const {
    // Fixed walks without branches, eight pixels abreast: each walk is a chain of dependent
    // loads, and eight independent chains keep the CPU busy while each waits.
    constexpr int kLanes = 8;
    int missing = 0;
    int x = 0;
    for (; x + kLanes <= width; x += kLanes) {
      std::uint32_t pixels[kLanes];
      int nodes[kLanes];
#pragma GCC unroll 8
      for (int j = 0; j < kLanes; ++j) {
        const std::uint8_t* p = in + 3 * (x + j);
        pixels[j] = Pack(p);
        nodes[j] = shortcut_[blue_interval_[p[0]] | green_interval_[p[1]] | red_interval_[p[2]]];
      }
#pragma GCC unroll 4
      for (int depth = kShortcutDepth; depth < kLeafDepth; ++depth) {
#pragma GCC unroll 8
        for (int j = 0; j < kLanes; ++j) nodes[j] = Step(nodes[j], pixels[j]);
      }
#pragma GCC unroll 8
      for (int j = 0; j < kLanes; ++j) {
        const int index = leaf_index_[nodes[j] - kInnerNodes];
        missing |= index;
        out[x + j] = static_cast<std::uint8_t>(index);
      }
    }
    for (; x < width; ++x) {
      const std::uint32_t pixel = Pack(in + 3 * x);
      int node = 0;
      for (int depth = 0; depth < kLeafDepth; ++depth) node = Step(node, pixel);
      const int index = leaf_index_[node - kInnerNodes];
      missing |= index;
      out[x] = static_cast<std::uint8_t>(index);
    }
    return missing;
  }

 private:
  static constexpr ColorRef kNoLeaf = 0xFFFFFFFF;
  // The first levels of every walk are looked up: each of their thresholds cuts a channel's
  // values into intervals, and the node reached at this depth depends only on the interval
  // of each channel (at most 16 each, so 12 bits in all).
  static constexpr int kShortcutDepth = 4;
  static constexpr int kShortcutNodes = (1 << kShortcutDepth) - 1;  // 15

  void MakeShortcut() {
    std::uint16_t* intervals[3] = {blue_interval_.data(), green_interval_.data(),
                                   red_interval_.data()};
    std::array<std::vector<std::uint32_t>, 3> thresholds;
    for (int node = 0; node < kShortcutNodes; ++node) {
      thresholds[keys_[node] >> 11].push_back(keys_[node] & 0xFF);
    }
    // A value standing for each interval of each channel: the least value in it.
    std::array<std::array<std::uint32_t, 16>, 3> sample{};
    for (std::size_t c = 0; c < 3; ++c) {
      std::sort(thresholds[c].begin(), thresholds[c].end());
      thresholds[c].erase(std::unique(thresholds[c].begin(), thresholds[c].end()),
                          thresholds[c].end());
      for (std::uint32_t v = 0; v < 256; ++v) {
        const auto above = static_cast<std::uint16_t>(
            std::lower_bound(thresholds[c].begin(), thresholds[c].end(), v) -
            thresholds[c].begin());  // thresholds below v: v > each of them
        intervals[c][v] = static_cast<std::uint16_t>(above << (4 * c));
      }
      for (std::size_t k = 1; k <= thresholds[c].size(); ++k) {
        sample[c][k] = thresholds[c][k - 1] + 1;  // 256 stands for an empty last interval
      }
    }
    for (std::size_t b = 0; b < 16; ++b) {
      for (std::size_t g = 0; g < 16; ++g) {
        for (std::size_t r = 0; r < 16; ++r) {
          const std::uint32_t pixel = sample[0][b] | sample[1][g] << 9 | sample[2][r] << 18;
          int node = 0;
          for (int depth = 0; depth < kShortcutDepth; ++depth) node = WideStep(node, pixel);
          shortcut_[b | g << 4 | r << 8] = static_cast<std::uint16_t>(node);
        }
      }
    }
  }

  // Step on a pixel whose channels are 9 bits wide (0 to 256), as the samples need.
  int WideStep(int node, std::uint32_t pixel) const {
    const std::uint32_t key = keys_[node];
    const std::uint32_t value = (pixel >> ((key >> 11) * 9)) & 0x1FF;
    return 2 * node + 1 + static_cast<int>(value > (key & 0xFF));
  }

  int Step(int node, std::uint32_t pixel) const {
    const std::uint32_t key = keys_[node];
    return 2 * node + 1 + static_cast<int>(((pixel >> (key >> 8)) & 0xFF) > (key & 0xFF));
  }

  struct Split {
    std::uint32_t* middle;
    Histograms first;
    Histograms second;
  };

  // How a box is split: the channel, the threshold (values <= threshold go first) and how
  // many pixels go first.
  struct Choice {
    Channel channel;
    std::uint32_t threshold;
    std::ptrdiff_t first_count;
  };

  // Chooses the split of a box from its histograms and stores it at heap slot `node`.
  Choice Choose(const Histograms& box, std::ptrdiff_t count, int node) {
    const Stats stats(box, count);
    Choice choice;
    choice.channel = stats.SplitChannel();
    choice.threshold = stats.Threshold(choice.channel);
    keys_[node] =
        static_cast<std::uint16_t>(choice.threshold | (static_cast<int>(choice.channel) << 8));
    choice.first_count = 0;
    const std::size_t c = static_cast<std::size_t>(choice.channel) / 8;
    for (std::uint32_t v = 0; v <= choice.threshold; ++v) choice.first_count += box.counts[c][v];
    return choice;
  }

  static Histograms CountRows(const DibImage& source, int first_row, int last_row) {
    std::uint32_t counts[2][3][256] = {};  // [set][channel][value], sets taken in turn
    for (int row = first_row; row < last_row; ++row) {
      const std::uint8_t* in = source.Row(row);
      for (int x = 0; x < source.Width(); ++x, in += 3) {
        counts[x & 1][0][in[0]] += 1;
        counts[x & 1][1][in[1]] += 1;
        counts[x & 1][2][in[2]] += 1;
      }
    }
    Histograms result;
    for (std::size_t c = 0; c < 3; ++c) {
      for (std::size_t v = 0; v < 256; ++v) result.counts[c][v] = counts[0][c][v] + counts[1][c][v];
    }
    return result;
  }

  // Where the next pixels of a part go: blocks are laid from `at` upwards (step 1) or
  // downwards (step -1).
  struct Cursor {
    std::uint32_t* at;
    int step;
    void Put(const std::uint32_t* pixels, std::ptrdiff_t n) {
      if (step < 0) at -= n;
      std::memcpy(at, pixels, static_cast<std::size_t>(n) * sizeof *at);
      if (step > 0) at += n;
    }
  };

  // Packs the rows' pixels and puts each into its part of the first split.
  static void PartitionRows(const DibImage& source, int first_row, int last_row,
                            const Choice& split, Cursor low_part, Cursor high_part) {
    std::uint32_t low[kBlock];
    std::uint32_t high[kBlock];
    const int shift = static_cast<int>(split.channel);
    const std::ptrdiff_t width = source.Width();
    for (int row = first_row; row < last_row; ++row) {
      const std::uint8_t* in = source.Row(row);
      for (std::ptrdiff_t x = 0; x < width; x += kBlock) {
        const std::ptrdiff_t size = std::min(kBlock, width - x);
        const std::ptrdiff_t lows = SortIntoTwo(
            size, [&](std::ptrdiff_t i) { return Pack(in + 3 * (x + i)); }, shift, split.threshold,
            low, high);
        low_part.Put(low, lows);
        high_part.Put(high, size - lows);
      }
    }
  }

  // The histograms of one part of a split box. The split channel's counts need no counting
  // (the box's own, up to the threshold or above it); the two other channels are counted in
  // two sets of counters in turn, so that a run of one value does not make every addition
  // wait for the one before it.
  static Histograms CountPart(const std::uint32_t* begin, const std::uint32_t* end,
                              const Histograms& box, Channel split, std::uint32_t threshold,
                              bool first_part) {
    const std::size_t s = static_cast<std::size_t>(split) / 8;
    const std::size_t a = s == 0 ? 1 : 0;  // the two other channels
    const std::size_t b = s == 2 ? 1 : 2;
    std::uint32_t counts[2][2][256] = {};  // [set][other channel][value]
    const std::ptrdiff_t size = end - begin;
    for (std::ptrdiff_t i = 0; i < size; ++i) {
      const std::uint32_t pixel = begin[i];
      counts[i & 1][0][(pixel >> (8 * a)) & 0xFF] += 1;
      counts[i & 1][1][(pixel >> (8 * b)) & 0xFF] += 1;
    }
    Histograms part;
    for (std::size_t v = 0; v < 256; ++v) {
      if ((v <= threshold) == first_part) part.counts[s][v] = box.counts[s][v];
      part.counts[a][v] = counts[0][0][v] + counts[1][0][v];
      part.counts[b][v] = counts[0][1][v] + counts[1][1][v];
    }
    return part;
  }

  // Chooses the box's channel and threshold, stores them at heap slot `node` and partitions
  // the box (values <= threshold first) unless its parts are leaves, whose order does not
  // matter.
  Split SplitBox(std::uint32_t* begin, std::uint32_t* end, const Histograms& box, int node,
                 int depth) {
    const std::ptrdiff_t count = end - begin;
    const Choice choice = Choose(box, count, node);
    const Channel channel = choice.channel;
    const std::uint32_t threshold = choice.threshold;
    const std::ptrdiff_t first_count = choice.first_count;
    const int shift = static_cast<int>(channel);
    Split split;
    split.middle = begin + first_count;
    if (depth + 1 < kLeafDepth) {
      // Each block of pixels is sorted into two small buffers and moved back in three
      // copies: the box holds [first part | second part | the block | not yet seen], and the
      // second part's head moves behind it to make room.
      std::uint32_t low[kBlock];
      std::uint32_t high[kBlock];
      std::uint32_t* next = begin;  // end of the first part
      for (std::uint32_t* block = begin; block != end;) {
        const std::ptrdiff_t size = std::min(kBlock, end - block);
        const std::ptrdiff_t lows = SortIntoTwo(
            size, [&](std::ptrdiff_t i) { return block[i]; }, shift, threshold, low, high);
        const std::ptrdiff_t highs = size - lows;
        const std::ptrdiff_t displaced = std::min(lows, block - next);
        std::uint32_t* free = block + size - highs - displaced;
        std::memcpy(free, next, displaced * sizeof *next);
        std::memcpy(free + displaced, high, highs * sizeof *next);
        std::memcpy(next, low, lows * sizeof *next);
        next += lows;
        block += size;
      }
      // Only the smaller part is counted: the other is the box less that one.
      if (2 * first_count <= count) {
        split.first = CountPart(begin, split.middle, box, channel, threshold, true);
        split.second = box.Minus(split.first);
      } else {
        split.second = CountPart(split.middle, end, box, channel, threshold, false);
        split.first = box.Minus(split.second);
      }
      return split;
    }
    // The parts are leaves: count the first part where it lies.
    std::uint32_t counts[2][3][256] = {};  // [set][channel][value]
    for (std::ptrdiff_t i = 0; i < count; ++i) {
      const std::uint32_t pixel = begin[i];
      const std::uint32_t first = ((pixel >> shift) & 0xFF) <= threshold;
      counts[i & 1][0][pixel & 0xFF] += first;
      counts[i & 1][1][(pixel >> 8) & 0xFF] += first;
      counts[i & 1][2][(pixel >> 16) & 0xFF] += first;
    }
    for (std::size_t c = 0; c < 3; ++c) {
      for (std::size_t v = 0; v < 256; ++v)
        split.first.counts[c][v] = counts[0][c][v] + counts[1][c][v];
    }
    split.second = box.Minus(split.first);
    return split;
  }

  void Build(std::uint32_t* begin, std::uint32_t* end, const Histograms& box, int depth, int node) {
    if (begin == end) return;  // an empty box makes nothing
    if (depth == kLeafDepth) {
      leaf_colors_[node - kInnerNodes] = Stats(box, end - begin).RoundedMean();
      return;
    }
    const Split split = SplitBox(begin, end, box, node, depth);
    if (depth + 1 == kLeafDepth) {
      const std::ptrdiff_t count = end - begin;
      const std::ptrdiff_t first = split.middle - begin;
      if (first > 0) {
        leaf_colors_[2 * node + 1 - kInnerNodes] = Stats(split.first, first).RoundedMean();
      }
      if (count > first) {
        leaf_colors_[2 * node + 2 - kInnerNodes] = Stats(split.second, count - first).RoundedMean();
      }
      return;
    }
    Build(begin, split.middle, split.first, depth + 1, 2 * node + 1);
    Build(split.middle, end, split.second, depth + 1, 2 * node + 2);
  }

  // The mean and variance of each channel of a box, in extended precision.
  class Stats {
   public:
    Stats(const Histograms& box, std::ptrdiff_t pixel_count) {
      const long double count = static_cast<long double>(pixel_count);
      for (std::size_t c = 0; c < 3; ++c) {
        std::uint64_t sum = 0;
        std::uint64_t sum_of_squares = 0;
        for (std::uint64_t v = 0; v < 256; ++v) {
          sum += v * box.counts[c][v];
          sum_of_squares += v * v * box.counts[c][v];
        }
        mean_[c] = static_cast<long double>(sum) / count;
        variance_[c] = static_cast<long double>(sum_of_squares) / count - mean_[c] * mean_[c];
      }
    }
    // Weighted variances red 3, green 4, blue 2; on a tie red goes before green and green
    // before blue.
    Channel SplitChannel() const {
      Channel channel = Channel::kRed;
      long double best = 3 * Variance(Channel::kRed);
      if (4 * Variance(Channel::kGreen) > best) {
        channel = Channel::kGreen;
        best = 4 * Variance(Channel::kGreen);
      }
      if (2 * Variance(Channel::kBlue) > best) channel = Channel::kBlue;
      return channel;
    }
    // The channel's mean; since channel values are whole numbers, "value <= mean" is the
    // same test as "value <= floor(mean)".
    std::uint32_t Threshold(Channel c) const {
      return static_cast<std::uint32_t>(std::floor(Mean(c)));
    }
    // lrint rounds half to even in the default rounding mode.
    ColorRef RoundedMean() const {
      return MakeColorRef(static_cast<int>(std::lrint(Mean(Channel::kRed))),
                          static_cast<int>(std::lrint(Mean(Channel::kGreen))),
                          static_cast<int>(std::lrint(Mean(Channel::kBlue))));
    }

   private:
    long double Mean(Channel c) const { return mean_[static_cast<int>(c) / 8]; }
    long double Variance(Channel c) const { return variance_[static_cast<int>(c) / 8]; }

    long double mean_[3];
    long double variance_[3];
  };

  std::array<std::uint16_t, kInnerNodes> keys_{};    // threshold | channel shift << 8
  std::array<std::uint16_t, 256> blue_interval_{};   // value -> interval << 0
  std::array<std::uint16_t, 256> green_interval_{};  // value -> interval << 4
  std::array<std::uint16_t, 256> red_interval_{};    // value -> interval << 8
  std::array<std::uint16_t, 1 << 12> shortcut_{};    // intervals -> node at kShortcutDepth
  std::array<ColorRef, kLeafSlots> leaf_colors_;
  std::array<std::int16_t, kLeafSlots> leaf_index_;
  std::vector<ColorRef> palette_;
  LargeVector<std::uint32_t> pixels_;  // the working list while the tree is made
};

// Runs rows [0, rows) through `job(first, last)`, in two halves on two threads when asked.
template <typename Job>
void ForRows(int rows, bool parallel, const Job& job) {
  if (!parallel) {
    job(0, rows);
    return;
  }
  std::thread second([&] { job(rows / 2, rows); });
  job(0, rows / 2);
  second.join();
}

bool UseTwoThreads(std::size_t pixels) {
  return pixels >= kParallelPixels && std::thread::hardware_concurrency() >= 2;
}

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
  const bool parallel = UseTwoThreads(static_cast<std::size_t>(width) * height);
  const SplitTree tree(source, parallel);
  DibImage result = DibImage::Create(width, height, 8, tree.palette());
  std::atomic<bool> lost{false};
  ForRows(height, parallel, [&](int first, int last) {
    int missing = 0;
    for (int row = first; row < last; ++row)
      missing |= tree.MapRow(source.Row(row), result.Row(row), width);
    if (missing < 0) lost = true;
  });
  if (lost) throw ImageError("TNkDIB.ConvertTrueColorTo8BitRGBHigh: Pixel without box");
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
