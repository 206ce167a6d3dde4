#include "ui/marker_form.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace orbeline {
namespace {

constexpr int kTickMs = 100;

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace

TMarkerForm::TMarkerForm(Background background, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      background_(std::move(background)) {
  setObjectName(QStringLiteral("MarkerForm"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(kMarkerSize, kMarkerSize);
}

void TMarkerForm::SetMarkerPos(Point anchor) {
  const Point corner = MarkerWindowPosition(anchor);
  const qreal ratio = devicePixelRatioF();
  move(qRound(corner.x / ratio), qRound(corner.y / ratio));
  update();
}

void TMarkerForm::StartTimer() { timer_.start(kTickMs, this); }

void TMarkerForm::StopTimer() { timer_.stop(); }

void TMarkerForm::TimerTick() {
  if (animation_.Tick()) repaint();
}

Point TMarkerForm::HotSpot() const {
  const qreal ratio = devicePixelRatioF();
  return MarkerHotSpot({qRound(pos().x() * ratio), qRound(pos().y() * ratio)});
}

void TMarkerForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_) {
    const qreal ratio = devicePixelRatioF();
    const QRect device(qRound(pos().x() * ratio), qRound(pos().y() * ratio),
                       qRound(kMarkerSize * ratio), qRound(kMarkerSize * ratio));
    const QImage behind = background_(device);
    if (!behind.isNull()) painter.drawImage(rect(), behind);
  }
  const MarkerShape shape = MarkerShapeAt(animation_.phase());
  for (const Rect& arm : shape.cross) painter.fillRect(ToQRect(arm), Qt::white);
  for (const Rect& mark : shape.marks) painter.fillRect(ToQRect(mark), Qt::red);
  // The pen is drawn inside the ring's box, two pixels wide.
  painter.setPen(QPen(shape.ring_red ? Qt::red : Qt::white, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QRectF(ToQRect(shape.ring)).adjusted(1, 1, -1, -1));
}

void TMarkerForm::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  const Point hot = HotSpot();
  if (hot == last_reported_) return;
  last_reported_ = hot;
  emit MarkerMoved(hot.x, hot.y);
}

void TMarkerForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  // The window system moves the window as it moves a caption, where it can; otherwise
  // the window follows the mouse itself.
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
  grab_offset_ = event->globalPosition().toPoint() - pos();
}

void TMarkerForm::mouseMoveEvent(QMouseEvent* event) {
  if (grab_offset_) move(event->globalPosition().toPoint() - *grab_offset_);
}

void TMarkerForm::mouseReleaseEvent(QMouseEvent*) {
  grab_offset_.reset();
  emit DragEnded();
}

void TMarkerForm::timerEvent(QTimerEvent* event) {
  if (event->timerId() != timer_.timerId()) return QWidget::timerEvent(event);
  // The timer rests while the marker repaints, so a slow paint never queues up ticks.
  timer_.stop();
  TimerTick();
  timer_.start(kTickMs, this);
}

}  // namespace orbeline
