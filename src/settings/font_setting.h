#pragma once

#include <string>
#include <string_view>

#include "settings/settings_store.h"

namespace orbeline {

// A font as the settings hold it: four values sharing a prefix ("Font", "Font0", ...).
struct FontSetting {
  std::string name = "Arial";
  int size = 20;  // points
  bool italic = false;
  bool bold = false;

  bool operator==(const FontSetting&) const = default;
};

// Missing values read as Arial, 20 points, upright, regular; nothing is written back.
// The style flags are true for any non-zero integer.
FontSetting ReadFontSetting(const SettingsStore& store, std::string_view prefix);
void WriteFontSetting(SettingsStore& store, std::string_view prefix, const FontSetting& font);

}  // namespace orbeline
