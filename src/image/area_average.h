#pragma once

#include <cstdint>
#include <vector>

#include "base/rect.h"
#include "image/dib_image.h"

namespace orbeline {

// Resampling by area averaging: every destination pixel is the mean of the source area it
// covers, partly covered source pixels counted by the part they cover. Shrinking a photo
// this way keeps its detail smooth where picking one source pixel per destination pixel
// would alias.
//
// The scaler is fed the source rows top-down and hands out each destination row as soon as
// the source rows under it are in, so a picture can go from its decoder through the filter
// onto a screen without ever being held whole. Only the destination pixels of `part` are
// made, from the source rows and columns under them (SourceArea).
class AreaAverageScaler {
 public:
  // `part` must be a non-empty rectangle inside (0, 0, dst_width, dst_height).
  AreaAverageScaler(int src_width, int src_height, int dst_width, int dst_height, const Rect& part);

  // The source pixels the part is made from. PushRow takes its rows in order, from its top.
  const Rect& SourceArea() const { return source_area_; }
  // The next source row: SourceArea().Width() words 0xFFRRGGBB, from column
  // SourceArea().left.
  void PushRow(const std::uint32_t* pixels);
  // True when the next destination row of the part has all its source rows.
  bool RowReady() const;
  // The destination row (counted from the destination's top) that TakeRow writes next.
  int NextRow() const { return next_row_; }
  // Writes the next destination row of the part: part.Width() words 0xFFRRGGBB.
  void TakeRow(std::uint32_t* out);

  // The source pixels under a run of destination pixels along one axis, and their shares.
  struct Taps {
    struct Tap {
      int index;
      float weight;  // the share of the destination pixel this source pixel covers
    };
    std::vector<Tap> taps;
    std::vector<std::size_t> start;  // destination pixel k's taps: [start[k], start[k + 1])
  };

 private:
  struct FilteredRow {
    int index;                  // source row
    std::vector<float> values;  // R, G, B per destination column of the part
  };

  Rect part_;
  Taps columns_;
  Taps rows_;
  Rect source_area_;
  int next_source_row_;
  int next_row_;
  // The horizontally averaged source rows still needed, consecutive from the front's index.
  std::vector<FilteredRow> filtered_;
  std::vector<std::vector<float>> spare_;
  std::vector<float> sum_;
};

// The whole picture resampled to width x height. Any bit count in, 24 bits out.
DibImage ScaleAreaAverage(const DibImage& source, int width, int height);

}  // namespace orbeline
