#include "ui/line_draw_picker.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace orbeline {

LineDrawArea::LineDrawArea(QStringList lines, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), lines_(std::move(lines)), alignment_(alignment) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
}

void LineDrawArea::SetCurrent(bool current) {
  current_ = current;
  update();
}

QSize LineDrawArea::sizeHint() const {
  const QFontMetrics metrics(font());
  int width = 0;
  for (const QString& line : lines_) width = std::max(width, metrics.horizontalAdvance(line));
  return {width + 16, metrics.height() * static_cast<int>(lines_.size()) + 6};
}

void LineDrawArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The system's grey text for the places not chosen.
  painter.setPen(current_ ? palette().color(QPalette::ButtonText)
                          : palette().color(QPalette::Disabled, QPalette::WindowText));
  const QFontMetrics metrics(font());
  const int block = metrics.height() * static_cast<int>(lines_.size());
  int y = (height() - block) / 2;
  for (const QString& line : lines_) {
    painter.drawText(QRect(3, y, width() - 6, metrics.height()), alignment_ | Qt::AlignVCenter,
                     line);
    y += metrics.height();
  }
  if (hasFocus()) painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// Space chooses the focused place (Enter draws, anywhere in the window).
void LineDrawArea::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    emit clicked();
    return;
  }
  QWidget::keyPressEvent(event);
}

void LineDrawArea::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
}

LineDrawPicker::LineDrawPicker(QWidget* parent) : QGroupBox(tr("Display Format"), parent) {
  struct Area {
    const char* name;
    const char* hint;
    QStringList lines;
    Qt::Alignment alignment;
  };
  const QString column_line = QStringLiteral("1\n2\n3\n:");
  const std::array<Area, 5> areas = {{
      {"LineDrawTop",
       QT_TR_NOOP("Display Calendar Top"),
       {QStringLiteral("1 2 3...")},
       Qt::AlignLeft},
      {"LineDrawLeft", QT_TR_NOOP("Display Calendar Left"), column_line.split('\n'), Qt::AlignLeft},
      {"LineDrawRight", QT_TR_NOOP("Display Calendar Right"), column_line.split('\n'),
       Qt::AlignRight},
      {"LineDrawBottom",
       QT_TR_NOOP("Display Calendar Bottom"),
       {QStringLiteral("1 2 3...")},
       Qt::AlignLeft},
      {"LineDrawCenter",
       QT_TR_NOOP("Display Calendar in 7 Rows"),
       {QStringLiteral("1 2 3..."), QStringLiteral("8 9 10...")},
       Qt::AlignHCenter},
  }};
  for (std::size_t i = 0; i < areas.size(); ++i) {
    auto* area = new LineDrawArea(areas[i].lines, areas[i].alignment, this);
    area->setObjectName(QLatin1String(areas[i].name));
    area->setToolTip(tr(areas[i].hint));
    const auto type = static_cast<CalendarType>(i);
    connect(area, &LineDrawArea::clicked, this, [this, type] { emit typeClicked(type); });
    areas_[i] = area;
  }
  // The picture of a screen: a row at the top and the bottom, a column at each side, a
  // month in the middle.
  auto* grid = new QGridLayout(this);
  grid->setSpacing(2);
  grid->addWidget(areas_[0], 0, 0, 1, 3);
  grid->addWidget(areas_[1], 1, 0);
  grid->addWidget(areas_[4], 1, 1);
  grid->addWidget(areas_[2], 1, 2);
  grid->addWidget(areas_[3], 2, 0, 1, 3);
  grid->setColumnStretch(1, 1);
}

void LineDrawPicker::SetCurrent(CalendarType type) {
  for (std::size_t i = 0; i < areas_.size(); ++i) {
    areas_[i]->SetCurrent(static_cast<int>(i) == static_cast<int>(type));
  }
}

}  // namespace orbeline
