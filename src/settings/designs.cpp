#include "settings/designs.h"

#include <string>

#include "settings/setting_names.h"

namespace orbeline {

bool IsDesignSaved(const SettingsStore& store, int n) {
  if (n < 1 || n > kDesignCount) return false;
  return store.ReadInteger(std::to_string(n), setting::kYearMonthDrawStyle, -1) >= 0;
}

bool CopyDesignToCurrent(SettingsStore& store, int n) {
  if (!IsDesignSaved(store, n)) return false;
  const std::string group = std::to_string(n);
  for (std::size_t i = 0; i < kDesignValueCount; ++i) {
    const std::string_view name = kSettingTable[i].name;
    store.WriteSetting(name, store.ReadText(group, name, ""));
  }
  return true;
}

}  // namespace orbeline
