#pragma once

#include <QSettings>
#include <memory>

#include "app/settings_backend.h"

namespace orbeline {

// The settings key as an INI file read and written by QSettings (IniFormat, the user's
// own file): $XDG_CONFIG_HOME/<organisation>/<application>.conf. Main-key values
// live in [General], subkeys as groups. QSettings writes the file atomically under a lock.
class QtSettingsBackend : public SettingsBackend {
 public:
  QtSettingsBackend(const QString& organisation, const QString& application);

  Value Read(std::string_view group, std::string_view name) const override;
  void Write(std::string_view group, std::string_view name, std::string_view text) override;
  void Remove(std::string_view group, std::string_view name) override;
  std::vector<std::string> Names(std::string_view group) const override;
  // Throws orbeline::Error naming the file when it cannot be written.
  void Flush() override;

  QString FileName() const { return settings_->fileName(); }

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace orbeline
