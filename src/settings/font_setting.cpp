#include "settings/font_setting.h"

#include <string>

namespace orbeline {
namespace {

std::string Key(std::string_view prefix, std::string_view suffix) {
  return std::string(prefix) + std::string(suffix);
}

}  // namespace

FontSetting ReadFontSetting(const SettingsStore& store, std::string_view prefix) {
  FontSetting font;
  std::string name = store.ReadText(Key(prefix, "Name"), "");
  if (!name.empty()) font.name = name;
  font.size = store.ReadInteger(Key(prefix, "Size"), 20);
  font.italic = store.ReadInteger(Key(prefix, "StyleItalic"), 0) != 0;
  font.bold = store.ReadInteger(Key(prefix, "StyleBold"), 0) != 0;
  return font;
}

void WriteFontSetting(SettingsStore& store, std::string_view prefix, const FontSetting& font) {
  store.WriteSetting(Key(prefix, "Name"), font.name);
  store.WriteSetting(Key(prefix, "Size"), std::to_string(font.size));
  store.WriteSetting(Key(prefix, "StyleItalic"), font.italic ? "1" : "0");
  store.WriteSetting(Key(prefix, "StyleBold"), font.bold ? "1" : "0");
}

}  // namespace orbeline
