#include "render/block_origin.h"

namespace orbeline {

Point BlockOrigin(CalendarType type, BlockPosition position, const Rect& screen) {
  switch (type) {
    case CalendarType::kTop:
      return {position.position_y, position.position_x};
    case CalendarType::kRight:
      return {screen.right - position.position_x, position.position_y};
    case CalendarType::kBottom:
      return {position.position_y, screen.bottom - position.position_x};
    case CalendarType::kLeft:
    case CalendarType::kCenter:
      break;
  }
  return {position.position_x, position.position_y};
}

BlockPosition PositionForOrigin(CalendarType type, Point anchor, const Rect& screen) {
  switch (type) {
    case CalendarType::kTop:
      return {anchor.y, anchor.x};
    case CalendarType::kRight:
      return {screen.right - anchor.x, anchor.y};
    case CalendarType::kBottom:
      return {screen.bottom - anchor.y, anchor.x};
    case CalendarType::kLeft:
    case CalendarType::kCenter:
      break;
  }
  return {anchor.x, anchor.y};
}

}  // namespace orbeline
