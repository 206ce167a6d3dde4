#pragma once

#include <QFrame>
#include <QString>

namespace orbeline {

// A sunken panel showing a sample text in the font it edits; a click may open the font
// dialog.
class FontSamplePanel : public QFrame {
  Q_OBJECT

 public:
  FontSamplePanel(const QString& sample, QWidget* parent = nullptr);
  void SetSampleFont(const QFont& font);
  QSize sizeHint() const override;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString sample_;
  QFont sample_font_;
};

}  // namespace orbeline
