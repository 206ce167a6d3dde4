#include "ui/color_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace orbeline {

ColorButton::ColorButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void ColorButton::SetCaptionColor(const QColor& color) {
  caption_color_ = color;
  update();
}

void ColorButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  // Every style draws the label with the button-text role: lend it our colour, greyed
  // out like any caption while the button is disabled.
  if (isEnabled()) {
    option.palette.setColor(QPalette::ButtonText, caption_color_);
  }
  painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace orbeline
