#pragma once

#include <QComboBox>
#include <QFocusEvent>
#include <QMouseEvent>

namespace orbeline {

// A drop-down list that tells when the focus enters it from another control, when it is
// opened while empty (instead of opening) and when it is double-clicked.
class NameComboBox : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;

  void showPopup() override {
    if (count() == 0) {
      emit openedEmpty();
      return;
    }
    QComboBox::showPopup();
  }

 signals:
  void entered();
  void openedEmpty();
  void doubleClicked();

 protected:
  void focusInEvent(QFocusEvent* event) override {
    // Coming back from its own list, a message box or another window is no entering.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) emit entered();
    QComboBox::focusInEvent(event);
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
  }
};

}  // namespace orbeline
