#pragma once

#include <QSpinBox>

namespace orbeline {

// A spin editor in which at most a given number of characters can be typed, while the arrows
// and stored values may give longer numbers, which it still shows whole (the line editor's
// own length limit would cut "-100" to "-10").
class TypedLengthSpinBox : public QSpinBox {
 public:
  TypedLengthSpinBox(int max_typed, QWidget* parent) : QSpinBox(parent), max_typed_(max_typed) {}

 protected:
  QValidator::State validate(QString& input, int& pos) const override {
    if (input.size() > max_typed_ && input != textFromValue(value())) return QValidator::Invalid;
    return QSpinBox::validate(input, pos);
  }

 private:
  int max_typed_;
};

}  // namespace orbeline
