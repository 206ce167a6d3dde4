#include "app/marker_model.h"

#include <algorithm>

#include "settings/working_settings.h"

namespace orbeline {

MarkerShape MarkerShapeAt(int phase) {
  const int k = 2 * phase;
  return MarkerShape{
      {Rect{0, 15, 31, 17}, Rect{15, 0, 17, 31}},
      {Rect{13 - k, 15, 17 - k, 17}, Rect{13 + k, 15, 17 + k, 17}, Rect{15, 13 - k, 17, 17 - k},
       Rect{15, 13 + k, 17, 17 + k}},
      Rect{7, 7, 24, 24},
      phase == 4,
  };
}

bool MarkerAnimation::Tick() {
  if (!animate_) return false;
  phase_ = (phase_ + 1) % kMarkerPhases;
  return true;
}

Point MarkerWindowPosition(Point anchor) {
  return {anchor.x - kMarkerHotSpot, anchor.y - kMarkerHotSpot};
}

Point MarkerHotSpot(Point window_position) {
  return {window_position.x + kMarkerHotSpot, window_position.y + kMarkerHotSpot};
}

BlockPosition MarkerMovedTo(CalendarType type, Point hot_spot, const Rect& screen) {
  BlockPosition position = PositionForOrigin(type, hot_spot, screen);
  position.position_x = ClampToRange(position.position_x, PositionXRange(type, screen));
  position.position_y = ClampToRange(position.position_y, PositionYRange(type, screen));
  return position;
}

}  // namespace orbeline
