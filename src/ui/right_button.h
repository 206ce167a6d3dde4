#pragma once

#include <QMouseEvent>
#include <QPushButton>

namespace orbeline {

// A push button that also answers a right-button press (the variants of Draw, Revert and
// Help).
class RightButton : public QPushButton {
  Q_OBJECT

 public:
  using QPushButton::QPushButton;

 signals:
  void rightPressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::RightButton) {
      if (isEnabled()) emit rightPressed();
      return;
    }
    QPushButton::mousePressEvent(event);
  }
};

}  // namespace orbeline
