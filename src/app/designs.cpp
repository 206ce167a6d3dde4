#include "app/designs.h"

#include <string>

namespace orbeline {

bool IsDesignSaved(const SettingsStore& store, int n) {
  if (n < 1 || n > kDesignCount) return false;
  return store.ReadInteger(std::to_string(n), "YearMonthDrawStyle", -1) >= 0;
}

bool CopyDesignToCurrent(SettingsStore& store, int n) {
  if (!IsDesignSaved(store, n)) return false;
  const std::string group = std::to_string(n);
  for (std::string_view name : kDesignOrder) {
    store.WriteSetting(name, store.ReadText(group, name, ""));
  }
  return true;
}

}  // namespace orbeline
