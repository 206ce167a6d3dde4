#pragma once

#include "base/rect.h"
#include "settings/setting_values.h"

namespace orbeline {

// The two position settings (the values of the two position scroll bars).
struct BlockPosition {
  int position_x = 0;
  int position_y = 0;
  friend constexpr bool operator==(const BlockPosition&, const BlockPosition&) = default;
};

// Where the first calendar block is anchored on the screen: the positions read by the
// line-draw type (Top and Bottom keep the distance from their edge in PositionX, Right
// counts PositionX from the right edge). The positioning marker shows this point.
Point BlockOrigin(CalendarType type, BlockPosition position, const Rect& screen);

// The positions that anchor the first block at `anchor`: BlockOrigin the other way round.
BlockPosition PositionForOrigin(CalendarType type, Point anchor, const Rect& screen);

}  // namespace orbeline
