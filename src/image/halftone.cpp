#include "image/halftone.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>

namespace orbeline {
namespace {

// Corrected values stay within this range; the level tables cover it.
constexpr int kLowestValue = -256;
constexpr int kHighestValue = 512;
using LevelTable = std::array<std::uint8_t, kHighestValue - kLowestValue + 1>;

// A table giving the level of every value: level i from thresholds[i - 1] on.
LevelTable MakeLevelTable(std::span<const int> thresholds) {
  LevelTable table{};
  for (int v = kLowestValue; v <= kHighestValue; ++v) {
    int level = 0;
    while (level < static_cast<int>(thresholds.size()) && v >= thresholds[level]) ++level;
    table[v - kLowestValue] = static_cast<std::uint8_t>(level);
  }
  return table;
}

constexpr int kRedThresholds[] = {26, 77, 128, 179, 231};
constexpr int kGreenThresholds[] = {22, 64, 107, 150, 193, 234};
constexpr int kBlueThresholds[] = {32, 96, 160, 224};
constexpr int kGreyThresholds[] = {128};
constexpr int kGreyLevels[] = {0, 255};

const LevelTable& RedTable() {
  static const LevelTable table = MakeLevelTable(kRedThresholds);
  return table;
}
const LevelTable& GreenTable() {
  static const LevelTable table = MakeLevelTable(kGreenThresholds);
  return table;
}
const LevelTable& BlueTable() {
  static const LevelTable table = MakeLevelTable(kBlueThresholds);
  return table;
}
const LevelTable& GreyTable() {
  static const LevelTable table = MakeLevelTable(kGreyThresholds);
  return table;
}

int Lookup(const LevelTable& table, int value) {
  return table[std::clamp(value, kLowestValue, kHighestValue) - kLowestValue];
}

// One channel of the diffusion: the errors of the row being processed and of the row
// processed before it.
class ErrorRows {
 public:
  explicit ErrorRows(int width) : current_(width, 0), previous_(width, 0) {}
  void NextRow() {
    std::swap(current_, previous_);
    std::fill(current_.begin(), current_.end(), 0);
  }
  // e1: the previous pixel of this row in scan order; e2: the same column of the previous
  // row; e3: the previous row one column toward where the scan comes from. Missing
  // neighbours (first pixel, first row, beyond the edge) count 0.
  int Correction(int x, int step, bool first_in_row, bool first_row) const {
    const int width = static_cast<int>(current_.size());
    const int from = x - step;
    const int e1 = first_in_row ? 0 : current_[from];
    const int e2 = first_row ? 0 : previous_[x];
    const int e3 = (first_row || from < 0 || from >= width) ? 0 : previous_[from];
    return (12 * e1 + 12 * e2 + 5 * e3) / 32;  // truncates toward zero
  }
  void SetError(int x, int error) { current_[x] = error; }

 private:
  std::vector<int> current_;
  std::vector<int> previous_;
};

// Runs the serpentine diffusion over `source`; `quantize(x, rgb, errors)` returns the
// palette index of one pixel and records its errors.
template <int kChannels, typename Quantize>
DibImage Diffuse(const DibImage& source, std::vector<ColorRef> palette, Quantize quantize) {
  const int width = source.Width();
  const int height = source.Height();
  DibImage result = DibImage::Create(width, height, 8, std::move(palette));
  std::vector<ErrorRows> errors(kChannels, ErrorRows(width));
  std::vector<std::uint32_t> rgb(width);
  for (int row = 0; row < height; ++row) {
    source.RowToRgb32(row, rgb.data());
    const bool left_to_right = row % 2 == 0;
    const int step = left_to_right ? 1 : -1;
    std::uint8_t* out = result.Row(row);
    for (int k = 0; k < width; ++k) {
      const int x = left_to_right ? k : width - 1 - k;
      out[x] = static_cast<std::uint8_t>(quantize(x, step, k == 0, row == 0, rgb[x], errors));
    }
    for (auto& channel : errors) channel.NextRow();
  }
  return result;
}

// Corrects one channel value, finds its level and records the error.
int QuantizeChannel(int value, const LevelTable& table, std::span<const int> levels,
                    ErrorRows& errors, int x, int step, bool first_in_row, bool first_row) {
  const int corrected = value - errors.Correction(x, step, first_in_row, first_row);
  const int level = Lookup(table, corrected);
  errors.SetError(x, levels[level] - corrected);
  return level;
}

}  // namespace

int HalftoneRedLevel(int value) { return Lookup(RedTable(), value); }
int HalftoneGreenLevel(int value) { return Lookup(GreenTable(), value); }
int HalftoneBlueLevel(int value) { return Lookup(BlueTable(), value); }

std::vector<ColorRef> ColorHalftonePalette() {
  // The 16 VGA colours after the level combinations: the named colours (clGray, clSilver,
  // clMaroon, ...) then have an entry of their own instead of the nearest level colour.
  constexpr ColorRef kVgaColors[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                     0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                     0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  std::vector<ColorRef> palette;
  palette.reserve(210 + std::size(kVgaColors));
  for (int r : kHalftoneRedLevels) {
    for (int g : kHalftoneGreenLevels) {
      for (int b : kHalftoneBlueLevels) palette.push_back(MakeColorRef(r, g, b));
    }
  }
  palette.insert(palette.end(), std::begin(kVgaColors), std::end(kVgaColors));
  return palette;
}

DibImage ConvertToHalfTone(const DibImage& source) {
  return Diffuse<3>(
      source, ColorHalftonePalette(),
      [](int x, int step, bool first_in_row, bool first_row, std::uint32_t rgb,
         std::vector<ErrorRows>& errors) {
        const int r = QuantizeChannel((rgb >> 16) & 0xFF, RedTable(), kHalftoneRedLevels, errors[0],
                                      x, step, first_in_row, first_row);
        const int g = QuantizeChannel((rgb >> 8) & 0xFF, GreenTable(), kHalftoneGreenLevels,
                                      errors[1], x, step, first_in_row, first_row);
        const int b = QuantizeChannel(rgb & 0xFF, BlueTable(), kHalftoneBlueLevels, errors[2], x,
                                      step, first_in_row, first_row);
        return HalftoneIndex(r, g, b);
      });
}

DibImage ConvertToBWHalfTone(const DibImage& source) {
  return Diffuse<1>(source, {MakeColorRef(0, 0, 0), MakeColorRef(255, 255, 255)},
                    [](int x, int step, bool first_in_row, bool first_row, std::uint32_t rgb,
                       std::vector<ErrorRows>& errors) {
                      // ITU-R BT.601 luma weights in 1/256 steps.
                      const int grey = (77 * static_cast<int>((rgb >> 16) & 0xFF) +
                                        151 * static_cast<int>((rgb >> 8) & 0xFF) +
                                        28 * static_cast<int>(rgb & 0xFF)) >>
                                       8;
                      return QuantizeChannel(grey, GreyTable(), kGreyLevels, errors[0], x, step,
                                             first_in_row, first_row);
                    });
}

}  // namespace orbeline
