#include "ui/marker_form.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace orbeline {
namespace {

constexpr int kTickMs = 100;

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

qreal PrimaryRatio() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

QPoint PrimaryOrigin() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().topLeft() : QPoint();
}

}  // namespace

bool MarkerCanBePlaced() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

TMarkerForm::TMarkerForm(Background background, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      background_(std::move(background)) {
  setObjectName(QStringLiteral("MarkerForm"));
  // A title of its own keeps it apart from the settings window in window lists.
  setWindowTitle(tr("Positioning Cursor"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  // Closing the settings window ends the program, whether the marker is up or not.
  setAttribute(Qt::WA_QuitOnClose, false);
  setFixedSize(kMarkerSize, kMarkerSize);
}

QPoint TMarkerForm::ToLogical(Point device) {
  const qreal ratio = PrimaryRatio();
  return PrimaryOrigin() + QPoint(qRound(device.x / ratio), qRound(device.y / ratio));
}

Point TMarkerForm::ToDevice(QPoint logical) {
  const qreal ratio = PrimaryRatio();
  const QPoint offset = logical - PrimaryOrigin();
  return {qRound(offset.x() * ratio), qRound(offset.y() * ratio)};
}

void TMarkerForm::SetMarkerPos(Point anchor) {
  // The window is 31 x 31 logical pixels: under a scale factor its hot spot lies that many
  // logical pixels in.
  const QPoint hot = ToLogical(anchor);
  const Point corner = MarkerWindowPosition({hot.x(), hot.y()});
  const QPoint target(corner.x, corner.y);
  // Where a scale factor cannot place the window exactly, its own placement must not come
  // back as a drag and change the settings.
  placed_at_ = target;
  last_reported_ = anchor;
  move(target);
  update();
}

void TMarkerForm::SetMarkerShown(bool shown) {
  if (shown) {
    show();
    StartTimer();
  } else {
    StopTimer();
    hide();
  }
}

void TMarkerForm::StartTimer() { timer_.start(kTickMs, this); }

void TMarkerForm::StopTimer() { timer_.stop(); }

void TMarkerForm::TimerTick() {
  if (animation_.Tick()) repaint();
}

Point TMarkerForm::HotSpot() const {
  const Point hot = MarkerHotSpot({pos().x(), pos().y()});
  return ToDevice(QPoint(hot.x, hot.y));
}

void TMarkerForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_) {
    const Point corner = ToDevice(pos());
    const int size = qRound(kMarkerSize * PrimaryRatio());
    const QImage behind = background_(QRect(corner.x, corner.y, size, size));
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
  if (placed_at_ && pos() == *placed_at_) return;
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
