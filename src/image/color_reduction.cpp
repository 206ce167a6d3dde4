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

// Runs `first` and `second`; with `parallel`, `second` on a thread of its own meanwhile.
template <typename First, typename Second>
void RunBoth(bool parallel, const First& first, const Second& second) {
  if (!parallel) {
    first();
    second();
    return;
  }
  std::thread other(second);
  first();
  other.join();
}

std::uint32_t Pack(const std::uint8_t* bgr) {
  return bgr[0] | (static_cast<std::uint32_t>(bgr[1]) << 8) |
         (static_cast<std::uint32_t>(bgr[2]) << 16);
}

// A distinct colour of the picture and how many pixels have it: count << 32 | 0x00RRGGBB,
// so that a channel is read from an entry as from a packed pixel.
using Entry = std::uint64_t;

std::uint32_t Weight(Entry entry) { return static_cast<std::uint32_t>(entry >> 32); }

// Sorts `size` entries into `low` (channel value <= threshold) and `high` without branches
// (which photographs would mispredict half the time); returns how many went low.
std::ptrdiff_t SortIntoTwo(std::ptrdiff_t size, const Entry* entries, int shift,
                           std::uint32_t threshold, Entry* low, Entry* high) {
  std::ptrdiff_t lows = 0;
  std::ptrdiff_t highs = 0;
  for (std::ptrdiff_t i = 0; i < size; ++i) {
    const Entry entry = entries[i];
    const std::ptrdiff_t first = ((entry >> shift) & 0xFF) <= threshold;
    low[lows] = entry;
    high[highs] = entry;
    lows += first;
    highs += 1 - first;
  }
  return lows;
}

constexpr std::ptrdiff_t kBlock = 256;  // entries sorted at a time

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
// the children 2k + 1 and 2k + 2), since every box that holds pixels is split down to the
// last level. The leaves, left to right, are the order in which the boxes are made (first parts
// before second parts), which is the palette's order.
class SplitTree {
 public:
  // Splits the colours of a 24-bit image and makes the palette; with `parallel`, the two
  // halves of the first split are split on two threads. The splits depend only on how many
  // pixels have each colour, so they are made on the picture's distinct colours, each once
  // with its count: a photograph has a few times fewer of them than pixels.
  SplitTree(const DibImage& source, bool parallel) {
    leaf_colors_.fill(kNoLeaf);
    leaf_index_.fill(-1);
    std::vector<Entry> entries = DistinctColours(source, parallel);
    Entry* begin = entries.data();
    Entry* end = begin + entries.size();
    const std::ptrdiff_t count =
        static_cast<std::ptrdiff_t>(source.Width()) * static_cast<std::ptrdiff_t>(source.Height());
    if (begin != end) {
      const Histograms all = CountAll(begin, end);
      const Split root = SplitBox(begin, end, all, count, 0, 0);
      const auto first = [&] { Build(begin, root.middle, root.first, root.first_count, 1, 1); };
      const auto second = [&] {
        Build(root.middle, end, root.second, count - root.first_count, 1, 2);
      };
      RunBoth(parallel, first, second);
    }
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
    Entry* middle;               // where the second part's entries start
    std::ptrdiff_t first_count;  // the pixels of the first part
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

  // The picture's distinct colours with their counts, in any order: the pixels are put in
  // order of their red values (green and blue kept), then each red value's pixels are
  // counted in a table of green and blue small enough to stay in the cache. With
  // `parallel`, each pass is shared by two threads (rows, then red values, in halves).
  static std::vector<Entry> DistinctColours(const DibImage& source, bool parallel) {
    const int width = source.Width();
    const int height = source.Height();
    const auto on_two = [parallel](const auto& job) {
      RunBoth(
          parallel, [&] { job(0); },
          [&] {
            if (parallel) job(1);
          });
    };
    const int rows_per_half = parallel ? height / 2 : height;
    std::array<std::array<std::size_t, 256>, 2> reds{};  // each half's pixels per red value
    on_two([&](int half) {
      const int last = half == 0 ? rows_per_half : height;
      for (int row = half * rows_per_half; row < last; ++row) {
        const std::uint8_t* in = source.Row(row);
        for (int x = 0; x < width; ++x) reds[half][in[3 * x + 2]] += 1;
      }
    });
    std::array<std::size_t, 257> start{};  // where each red value's pixels begin
    std::array<std::array<std::size_t, 256>, 2> next;
    for (std::size_t red = 0; red < 256; ++red) {
      next[0][red] = start[red];
      next[1][red] = start[red] + reds[0][red];
      start[red + 1] = next[1][red] + reds[1][red];
    }
    std::vector<std::uint16_t> green_blue(start[256]);
    on_two([&](int half) {
      const int last = half == 0 ? rows_per_half : height;
      std::array<std::size_t, 256>& at = next[half];
      for (int row = half * rows_per_half; row < last; ++row) {
        const std::uint8_t* in = source.Row(row);
        for (int x = 0; x < width; ++x, in += 3) {
          green_blue[at[in[2]]++] = static_cast<std::uint16_t>(in[1] << 8 | in[0]);
        }
      }
    });
    // The red values in two runs of about the same number of pixels.
    std::uint32_t middle_red = 0;
    while (middle_red < 256 && 2 * start[middle_red + 1] <= start[256]) ++middle_red;
    if (!parallel) middle_red = 256;
    // Room for as many colours as pixels is only reserved: what is not filled is never
    // touched, and the halves are joined without moving the first.
    std::array<std::vector<Entry>, 2> found;
    found[0].reserve(start[256]);
    found[1].reserve(start[256] - start[middle_red]);
    on_two([&](int half) {
      std::vector<std::uint32_t> counts(1 << 16);
      std::vector<std::uint16_t> seen;  // the green-blue values met for this red value
      for (std::uint32_t red = half == 0 ? 0 : middle_red; red < (half == 0 ? middle_red : 256);
           ++red) {
        for (std::size_t i = start[red]; i < start[red + 1]; ++i) {
          const std::uint16_t value = green_blue[i];
          if (counts[value]++ == 0) seen.push_back(value);
        }
        for (const std::uint16_t value : seen) {
          found[half].push_back(static_cast<Entry>(counts[value]) << 32 | red << 16 | value);
          counts[value] = 0;
        }
        seen.clear();
      }
    });
    found[0].insert(found[0].end(), found[1].begin(), found[1].end());
    return std::move(found[0]);
  }

  static Histograms CountAll(const Entry* begin, const Entry* end) {
    Histograms all;
    for (const Entry* e = begin; e != end; ++e) {
      const std::uint32_t weight = Weight(*e);
      all.counts[0][*e & 0xFF] += weight;
      all.counts[1][(*e >> 8) & 0xFF] += weight;
      all.counts[2][(*e >> 16) & 0xFF] += weight;
    }
    return all;
  }

  // The histograms of one part of a split box. The split channel's counts need no counting
  // (the box's own, up to the threshold or above it); the two other channels are counted in
  // two sets of counters in turn, so that a run of one value does not make every addition
  // wait for the one before it.
  static Histograms CountPart(const Entry* begin, const Entry* end, const Histograms& box,
                              Channel split, std::uint32_t threshold, bool first_part) {
    const std::size_t s = static_cast<std::size_t>(split) / 8;
    const std::size_t a = s == 0 ? 1 : 0;  // the two other channels
    const std::size_t b = s == 2 ? 1 : 2;
    std::uint32_t counts[2][2][256] = {};  // [set][other channel][value]
    const std::ptrdiff_t size = end - begin;
    for (std::ptrdiff_t i = 0; i < size; ++i) {
      const Entry entry = begin[i];
      counts[i & 1][0][(entry >> (8 * a)) & 0xFF] += Weight(entry);
      counts[i & 1][1][(entry >> (8 * b)) & 0xFF] += Weight(entry);
    }
    Histograms part;
    for (std::size_t v = 0; v < 256; ++v) {
      if ((v <= threshold) == first_part) part.counts[s][v] = box.counts[s][v];
      part.counts[a][v] = counts[0][0][v] + counts[1][0][v];
      part.counts[b][v] = counts[0][1][v] + counts[1][1][v];
    }
    return part;
  }

  // Chooses the split of a box of `count` pixels, stores it at heap slot `node` and
  // partitions the box's entries (values <= threshold first) unless its parts are leaves,
  // whose order does not matter.
  Split SplitBox(Entry* begin, Entry* end, const Histograms& box, std::ptrdiff_t count, int node,
                 int depth) {
    const Choice choice = Choose(box, count, node);
    const Channel channel = choice.channel;
    const std::uint32_t threshold = choice.threshold;
    const int shift = static_cast<int>(channel);
    Split split;
    split.first_count = choice.first_count;
    if (depth + 1 < kLeafDepth) {
      // Each block of entries is sorted into two small buffers and moved back in three
      // copies: the box holds [first part | second part | the block | not yet seen], and the
      // second part's head moves behind it to make room.
      Entry low[kBlock];
      Entry high[kBlock];
      Entry* next = begin;  // end of the first part
      for (Entry* block = begin; block != end;) {
        const std::ptrdiff_t size = std::min(kBlock, end - block);
        const std::ptrdiff_t lows = SortIntoTwo(size, block, shift, threshold, low, high);
        const std::ptrdiff_t highs = size - lows;
        const std::ptrdiff_t displaced = std::min(lows, block - next);
        Entry* free = block + size - highs - displaced;
        std::memcpy(free, next, displaced * sizeof *next);
        std::memcpy(free + displaced, high, highs * sizeof *next);
        std::memcpy(next, low, lows * sizeof *next);
        next += lows;
        block += size;
      }
      split.middle = next;
      // Only the part with fewer entries is counted: the other is the box less that one.
      if (2 * (next - begin) <= end - begin) {
        split.first = CountPart(begin, next, box, channel, threshold, true);
        split.second = box.Minus(split.first);
      } else {
        split.second = CountPart(next, end, box, channel, threshold, false);
        split.first = box.Minus(split.second);
      }
      return split;
    }
    // The parts are leaves: count the first part where it lies.
    split.middle = begin;
    std::uint32_t counts[2][3][256] = {};  // [set][channel][value]
    const std::ptrdiff_t size = end - begin;
    for (std::ptrdiff_t i = 0; i < size; ++i) {
      const Entry entry = begin[i];
      const std::uint32_t first = ((entry >> shift) & 0xFF) <= threshold;
      const std::uint32_t weight = first * Weight(entry);
      counts[i & 1][0][entry & 0xFF] += weight;
      counts[i & 1][1][(entry >> 8) & 0xFF] += weight;
      counts[i & 1][2][(entry >> 16) & 0xFF] += weight;
    }
    for (std::size_t c = 0; c < 3; ++c) {
      for (std::size_t v = 0; v < 256; ++v)
        split.first.counts[c][v] = counts[0][c][v] + counts[1][c][v];
    }
    split.second = box.Minus(split.first);
    return split;
  }

  void Build(Entry* begin, Entry* end, const Histograms& box, std::ptrdiff_t count, int depth,
             int node) {
    if (begin == end) return;  // an empty box makes nothing
    const Split split = SplitBox(begin, end, box, count, node, depth);
    const std::ptrdiff_t first = split.first_count;
    if (depth + 1 == kLeafDepth) {
      if (first > 0) {
        leaf_colors_[2 * node + 1 - kInnerNodes] = Stats(split.first, first).RoundedMean();
      }
      if (count > first) {
        leaf_colors_[2 * node + 2 - kInnerNodes] = Stats(split.second, count - first).RoundedMean();
      }
      return;
    }
    Build(begin, split.middle, split.first, first, depth + 1, 2 * node + 1);
    Build(split.middle, end, split.second, count - first, depth + 1, 2 * node + 2);
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
};

// Runs rows [0, rows) through `job(first, last)`, in two halves on two threads when asked.
template <typename Job>
void ForRows(int rows, bool parallel, const Job& job) {
  const int half = parallel ? rows / 2 : rows;
  RunBoth(
      parallel, [&] { job(0, half); }, [&] { job(half, rows); });
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
