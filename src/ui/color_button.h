#pragma once

#include <QColor>
#include <QPushButton>

namespace orbeline {

// A push button whose caption is drawn in a colour of its own (the colour it edits).
class ColorButton : public QPushButton {
  Q_OBJECT

 public:
  ColorButton(const QString& text, QWidget* parent = nullptr);
  void SetCaptionColor(const QColor& color);
  QColor caption_color() const { return caption_color_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor caption_color_{Qt::black};
};

}  // namespace orbeline
