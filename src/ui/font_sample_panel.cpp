#include "ui/font_sample_panel.h"

#include <QMouseEvent>
#include <QPainter>

namespace orbeline {

FontSamplePanel::FontSamplePanel(const QString& sample, QWidget* parent)
    : QFrame(parent), sample_(sample) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void FontSamplePanel::SetSampleFont(const QFont& font) {
  sample_font_ = font;
  update();
}

QSize FontSamplePanel::sizeHint() const {
  // Room for the default sample font (18 points) and the frame; a larger font is cut, as a
  // sample may be.
  const int height = QFontMetrics(font()).height() * 2 + 2 * frameWidth() + 8;
  return {QFontMetrics(font()).horizontalAdvance(sample_) + 24, height};
}

void FontSamplePanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setClipRect(contentsRect());
  painter.setFont(sample_font_);
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
  painter.drawText(contentsRect(), Qt::AlignCenter, sample_);
}

void FontSamplePanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QFrame::mouseReleaseEvent(event);
}

}  // namespace orbeline
