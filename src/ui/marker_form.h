#pragma once

#include <QBasicTimer>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>

#include "app/marker_model.h"

namespace orbeline {

// Whether the window system lets the program put a window where it wants: not so on a
// Wayland platform, which the marker cannot work on.
bool MarkerCanBePlaced();

// The positioning marker: a small frameless window that stays on top, takes no focus and
// shows where the calendar is anchored. Dragging it reports the hot spot; the main window
// turns that into the position settings and places the marker back where they allow.
// The points it reports and is put on are device pixels of the primary screen, as the work
// bitmap and the settings count them; the window itself is 31 x 31 logical pixels, so it
// grows with the screen's scale factor as the rest of the program does.
class TMarkerForm : public QWidget, public MarkerView {
  Q_OBJECT

 public:
  // What the desktop shows in a rectangle of the screen (device pixels); a null image
  // leaves the window's own background.
  using Background = std::function<QImage(const QRect&)>;

  explicit TMarkerForm(Background background, QWidget* parent = nullptr);

  void SetMarkerPos(Point anchor) override;
  void SetMarkerShown(bool shown) override;
  void SetAnimate(bool animate) override { animation_.set_animate(animate); }
  void StartTimer();
  void StopTimer();
  const MarkerAnimation& animation() const { return animation_; }
  // For tests: move on one animation step as the timer would.
  void TimerTick();

 signals:
  // The hot spot after the window moved (device pixels), once per new place.
  void MarkerMoved(int x, int y);
  // A drag has ended: the main window takes the focus back.
  void DragEnded();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  Point HotSpot() const;
  // The primary screen's device pixels and the window system's logical coordinates.
  static QPoint ToLogical(Point device);
  static Point ToDevice(QPoint logical);

  Background background_;
  MarkerAnimation animation_;
  QBasicTimer timer_;
  Point last_reported_{-1000000, -1000000};
  // Where SetMarkerPos put the window: arriving there is no move of the user's.
  std::optional<QPoint> placed_at_;
  // Where the press grabbed the window, while the window follows the mouse itself (when
  // the window system cannot move it for us).
  std::optional<QPoint> grab_offset_;
};

}  // namespace orbeline
