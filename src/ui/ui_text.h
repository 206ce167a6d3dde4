#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QString>
#include <string_view>

#include "base/color_text.h"
#include "settings/font_setting.h"

namespace orbeline {

// A text of the core (a caption, a list entry, a message) through the translation of the
// settings window.
inline QString Tr(std::string_view text) {
  const std::string copy(text);
  return QCoreApplication::translate("TOvalinForm", copy.c_str());
}

inline QColor ToQColor(ColorRef color) {
  return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

inline ColorRef ToColorRef(const QColor& color) {
  return MakeColorRef(color.red(), color.green(), color.blue());
}

// A stored font as the sample panels and the font dialog show it.
QFont ToQFont(const FontSetting& font);
FontSetting ToFontSetting(const QFont& font);

// The font dialog lists installed families only: a face name that fontconfig substitutes
// ("Arial" drawn as Liberation Sans) is preset as the family that draws it, in its style,
// and an answer in that same family keeps the stored name, so OK alone changes nothing.
QFont FontDialogPreset(const FontSetting& font);
FontSetting ChosenFont(const FontSetting& initial, const QFont& chosen);

}  // namespace orbeline
