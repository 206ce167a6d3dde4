#pragma once

#include <array>

#include "base/rect.h"
#include "render/block_origin.h"
#include "settings/setting_values.h"

namespace orbeline {

// The positioning marker: a 31 x 31 window whose hot spot (16, 16) sits on the calendar's
// anchor.
inline constexpr int kMarkerSize = 31;
inline constexpr int kMarkerHotSpot = 16;
inline constexpr int kMarkerPhases = 8;

// What the marker shows in one phase of its animation: a white cross through the hot spot,
// four red marks moving out along its arms, and a ring (red only in phase 4).
struct MarkerShape {
  std::array<Rect, 2> cross;
  std::array<Rect, 4> marks;
  Rect ring;  // the ellipse's bounding box, drawn with a 2-pixel pen
  bool ring_red = false;
};
MarkerShape MarkerShapeAt(int phase);

// The blinking: each tick moves on one phase while animation is on, and does nothing
// otherwise.
class MarkerAnimation {
 public:
  int phase() const { return phase_; }
  bool animate() const { return animate_; }
  void set_animate(bool animate) { animate_ = animate; }
  // True when the phase changed (the marker must be repainted).
  bool Tick();

 private:
  int phase_ = 0;
  bool animate_ = false;
};

// The window's top-left corner that puts the hot spot on `anchor`, and the other way round.
Point MarkerWindowPosition(Point anchor);
Point MarkerHotSpot(Point window_position);

// The marker window as the main window drives it. Points are in device pixels, as the
// position settings count them.
class MarkerView {
 public:
  virtual ~MarkerView() = default;
  // Puts the marker's hot spot on `anchor`.
  virtual void SetMarkerPos(Point anchor) = 0;
  // Shown with its timer running, or hidden with the timer stopped.
  virtual void SetMarkerShown(bool shown) = 0;
  virtual void SetAnimate(bool animate) = 0;
};

// The position settings a drag of the marker to `hot_spot` asks for, each held inside its
// scroll bar's range, so the marker snaps back to the nearest point the settings allow.
BlockPosition MarkerMovedTo(CalendarType type, Point hot_spot, const Rect& screen);

}  // namespace orbeline
