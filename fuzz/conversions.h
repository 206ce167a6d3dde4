// What the program does to a decoded source wallpaper, run on a fuzzed picture: the
// reduction to 8 bits in high mode, the colour halftone, and a stretched draw onto the work
// bitmap through the halftone. Kept to small pictures so that each run stays quick.
#pragma once

#include <cstdint>

#include "image/nk_dib.h"
#include "image/work_bitmap.h"

namespace orbeline::fuzz {

inline void ExerciseConversions(const TNkDIB& dib) {
  if (static_cast<std::int64_t>(dib.Width()) * dib.Height() > 65536) return;
  TNkDIB halftone = dib;
  halftone.SetPixelFormat(NkPixelFormat::kColorHalftone);
  TNkDIB reduced = dib;
  reduced.SetConvertMode(NkConvertMode::kHigh);
  reduced.SetPixelFormat(NkPixelFormat::k8Bit);
  reduced.SetDrawOption(NkDrawOption::kColorHalftone);
  WorkBitmap work;
  work.Reset(37, 23, WorkBitmapFormat::k8Bit);
  work.StretchDrawDib(reduced, {-3, -2, 40, 20});
  static_cast<void>(work.ToDib());
}

}  // namespace orbeline::fuzz
