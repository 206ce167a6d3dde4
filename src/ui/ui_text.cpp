#include "ui/ui_text.h"

#include <cmath>

namespace orbeline {

QFont ToQFont(const FontSetting& font) {
  QFont qfont(QString::fromStdString(font.name));
  qfont.setPointSize(std::max(1, font.size));
  qfont.setItalic(font.italic);
  qfont.setBold(font.bold);
  return qfont;
}

FontSetting ToFontSetting(const QFont& font) {
  FontSetting setting;
  setting.name = font.family().toStdString();
  setting.size =
      font.pointSize() > 0 ? font.pointSize() : static_cast<int>(std::lround(font.pointSizeF()));
  setting.italic = font.italic();
  setting.bold = font.bold();
  return setting;
}

}  // namespace orbeline
