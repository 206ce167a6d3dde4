#pragma once

#include <QGroupBox>
#include <QStringList>
#include <array>

#include "settings/setting_values.h"

namespace orbeline {

// One clickable area of the Display Format picture: a few lines of small text.
class LineDrawArea : public QWidget {
  Q_OBJECT

 public:
  LineDrawArea(QStringList lines, Qt::Alignment alignment, QWidget* parent = nullptr);
  void SetCurrent(bool current);
  QSize sizeHint() const override;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QStringList lines_;
  Qt::Alignment alignment_;
  bool current_ = false;
};

// The box "Display Format": the five places a calendar can stand, drawn as a small picture
// of a screen, the current one in the button-text colour and the others greyed.
class LineDrawPicker : public QGroupBox {
  Q_OBJECT

 public:
  explicit LineDrawPicker(QWidget* parent = nullptr);
  void SetCurrent(CalendarType type);

 signals:
  void typeClicked(CalendarType type);

 private:
  std::array<LineDrawArea*, 5> areas_{};
};

}  // namespace orbeline
