#pragma once

#include <map>
#include <string>

#include "settings/settings_backend.h"

namespace orbeline {

// Reads through to a store but keeps every write in memory, for runs that must leave the
// user's settings exactly as they were (the preview) while still seeing the values a
// normal start would have written (first-run defaults on a fresh store).
class OverlaySettingsBackend : public SettingsBackend {
 public:
  explicit OverlaySettingsBackend(const SettingsBackend& base) : base_(base) {}

  Value Read(std::string_view group, std::string_view name) const override;
  void Write(std::string_view group, std::string_view name, std::string_view text) override;
  void Remove(std::string_view group, std::string_view name) override;
  std::vector<std::string> Names(std::string_view group) const override;
  void Flush() override {}

 private:
  static std::string Key(std::string_view group, std::string_view name);

  const SettingsBackend& base_;
  std::map<std::string, Value> written_;  // a removed value is held as absent
};

}  // namespace orbeline
