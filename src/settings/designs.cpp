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

std::vector<std::string> FillDesignList(SettingsStore& store) {
  std::vector<std::string> names;
  for (int n = 1; n <= kDesignCount; ++n) {
    const std::string group = std::to_string(n);
    std::string name = store.ReadText(group, setting::kDesignName, "");
    if (name.empty()) {
      name = "Configure" + group;
      store.Write(group, setting::kDesignName, name);
    }
    names.push_back(name);
  }
  return names;
}

void LoadDesignValues(SettingsStore& store, int n) {
  const std::string group = std::to_string(n);
  for (std::size_t i = 0; i < kDesignValueCount; ++i) {
    const std::string_view name = kSettingTable[i].name;
    std::string text = store.ReadText(group, name, "");
    if (!text.empty()) store.WriteSetting(name, text);
  }
}

void SaveDesignValues(SettingsStore& store, int n) {
  const std::string group = std::to_string(n);
  for (std::size_t i = 0; i < kDesignValueCount; ++i) {
    const std::string_view name = kSettingTable[i].name;
    std::string text = store.ReadText(name, "0");
    store.Write(group, name, text.empty() ? "0" : text);
  }
}

void WriteDesignName(SettingsStore& store, int n, const std::string& name) {
  store.Write(std::to_string(n), setting::kDesignName, name);
}

}  // namespace orbeline
