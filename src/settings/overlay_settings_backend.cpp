#include "settings/overlay_settings_backend.h"

#include <algorithm>

namespace orbeline {

std::string OverlaySettingsBackend::Key(std::string_view group, std::string_view name) {
  return std::string(group) + '/' + std::string(name);
}

SettingsBackend::Value OverlaySettingsBackend::Read(std::string_view group,
                                                    std::string_view name) const {
  auto it = written_.find(Key(group, name));
  if (it != written_.end()) return it->second;
  return base_.Read(group, name);
}

void OverlaySettingsBackend::Write(std::string_view group, std::string_view name,
                                   std::string_view text) {
  written_[Key(group, name)] = {Kind::kString, std::string(text)};
}

void OverlaySettingsBackend::Remove(std::string_view group, std::string_view name) {
  written_[Key(group, name)] = {};
}

std::vector<std::string> OverlaySettingsBackend::Names(std::string_view group) const {
  std::vector<std::string> names;
  for (const std::string& name : base_.Names(group)) {
    if (Read(group, name).kind != Kind::kAbsent) names.push_back(name);
  }
  const std::string prefix = std::string(group) + '/';
  for (const auto& [key, value] : written_) {
    if (key.rfind(prefix, 0) != 0 || value.kind == Kind::kAbsent) continue;
    std::string name = key.substr(prefix.size());
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

}  // namespace orbeline
