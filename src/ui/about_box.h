#pragma once

#include <QDialog>

namespace orbeline {

// The version box: the product, its version and language, the description and the
// maker's addresses (those set at build time; a label without an address is hidden).
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace orbeline
