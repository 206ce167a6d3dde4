#include "ui/ui_text.h"

#include <QFontInfo>
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

QFont FontDialogPreset(const FontSetting& font) {
  QFont preset = ToQFont(font);
  const QFontInfo drawn(preset);
  preset.setFamily(drawn.family());
  return preset;
}

FontSetting ChosenFont(const FontSetting& initial, const QFont& chosen) {
  FontSetting setting = ToFontSetting(chosen);
  if (chosen.family() == QFontInfo(ToQFont(initial)).family()) setting.name = initial.name;
  return setting;
}

}  // namespace orbeline
